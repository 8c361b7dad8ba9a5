"""The skin-art tools: the committed default skin is what the script makes,
and the picture code and grey-map levels hold at their edges."""

import os
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True
ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "skin-art"))

import bmpio  # noqa: E402
import make_default_skin as skin  # noqa: E402
import make_guide_pictures  # noqa: E402
import make_perch_skin  # noqa: E402


class CommittedSkin(unittest.TestCase):
    def test_generators_reproduce_the_committed_files(self):
        for folder, generator in (("skins/default", skin), ("skins/perch", make_perch_skin),
                                  ("docs/skinning", make_guide_pictures)):
            with self.subTest(folder):
                self.check_generator(folder, generator)

    def check_generator(self, folder, generator):
        committed = os.path.join(ROOT, *folder.split("/"))
        with tempfile.TemporaryDirectory() as out:
            sys.argv = ["generator", out]
            generator.main()
            made = sorted(os.listdir(out))
            self.assertEqual(made, sorted(os.listdir(committed)))
            for name in made:
                with open(os.path.join(out, name), "rb") as a, \
                        open(os.path.join(committed, name), "rb") as b:
                    self.assertTrue(a.read() == b.read(),
                                    "%s is stale: run %s" % (name, generator.__file__))


class BmpFiles(unittest.TestCase):
    def round_trip(self, width, height, rgb, bits):
        with tempfile.TemporaryDirectory() as out:
            path = os.path.join(out, "p.bmp")
            bmpio.write_bmp(path, width, height, rgb, bits)
            self.assertEqual(bmpio.read_bmp(path), (width, height, rgb))

    def test_rows_with_padding_survive_both_depths(self):
        for width in (1, 2, 3, 5):
            rgb = bytearray(b for t in [(x * 40 + y, y * 60, 255 - x)
                                        for y in range(3) for x in range(width)] for b in t)
            self.round_trip(width, 3, rgb, 24)
            self.round_trip(width, 3, rgb, 8)

    def test_eight_bits_refuse_more_than_256_colours(self):
        rgb = bytearray(b for i in range(257) for b in (i % 256, i // 256, 0))
        with self.assertRaises(ValueError):
            bmpio.encode_bmp8(257, 1, rgb)


class GreyLevels(unittest.TestCase):
    def test_levels_span_the_scale_and_rise(self):
        for n in (1, 2, 100, 236, 255, 256):
            levels = skin.grey_levels(n)
            self.assertEqual(len(levels), n)
            self.assertEqual(levels[-1], 255)
            self.assertEqual(levels[0], 256 // n - 1)
            self.assertTrue(all(a < b for a, b in zip(levels, levels[1:])), n)

    def test_each_volume_column_selects_its_frame(self):
        frames = skin.volume_column_frames()
        levels = skin.volume_levels()
        self.assertEqual(frames[0], 0)
        self.assertEqual(frames[-1], skin.VOL_FRAMES - 1)
        for c, (frame, level) in enumerate(zip(frames, levels)):
            self.assertEqual(level * skin.VOL_FRAMES // 256, frame, c)
        self.assertTrue(all(a < b for a, b in zip(levels, levels[1:])))


if __name__ == "__main__":
    unittest.main()

#!/usr/bin/env python3
"""Writes the demo disc as a disc image: demo.cue and demo.bin in the folder
given, twelve gapless tracks of a tone each (track n at 220 * 2^(n/12) Hz,
right channel a quarter period ahead), and prints the media identity the
player computes for it, in decimal.

Usage: make_demo_image.py FOLDER [SECONDS_PER_TRACK]"""
import array
import math
import os
import sys

TRACKS = 12
RATE = 44100
SECTOR_FRAMES = 588
LEAD_IN = 150


def identity(starts, lead_out):
    # The rule of the system's CD-audio driver: every track's start as
    # 0x00MMSSFF, summed (and more for discs of fewer than three tracks).
    serial = 0
    for lba in starts:
        frame = lba + LEAD_IN
        serial += (frame // 4500) << 16 | (frame // 75 % 60) << 8 | frame % 75
    if len(starts) < 3:
        start = starts[0] + LEAD_IN
        serial += start % 75 + (lead_out + LEAD_IN - start)
    return serial & 0xFFFFFFFF


def main():
    folder = sys.argv[1]
    seconds = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    sectors = seconds * 75
    os.makedirs(folder, exist_ok=True)
    starts = []
    with open(os.path.join(folder, "demo.bin"), "wb") as out:
        for track in range(TRACKS):
            starts.append(track * sectors)
            hz = 220 * 2 ** (track / 12)
            step = 2 * math.pi * hz / RATE
            samples = array.array("h")
            for i in range(sectors * SECTOR_FRAMES):
                phase = step * i
                samples.append(int(6000 * math.sin(phase)))
                samples.append(int(6000 * math.cos(phase)))
            if sys.byteorder != "little":
                samples.byteswap()
            out.write(samples.tobytes())
    with open(os.path.join(folder, "demo.cue"), "w", newline="\r\n") as cue:
        cue.write('FILE "demo.bin" BINARY\n')
        for track, lba in enumerate(starts, 1):
            cue.write("  TRACK %02d AUDIO\n    INDEX 01 %02d:%02d:%02d\n" % (track, lba // 4500, lba // 75 % 60, lba % 75))
    print(identity(starts, TRACKS * sectors))


if __name__ == "__main__":
    main()

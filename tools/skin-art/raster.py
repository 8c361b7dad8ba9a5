"""A tiny software rasteriser: shapes as signed distance functions, filled
with anti-aliased coverage onto a floating-point RGB canvas.

Coordinates are continuous pixels: pixel (x, y) covers [x, x+1) x [y, y+1)
and is sampled at its centre. Everything is deterministic, so the pictures
come out byte for byte the same on every run.
"""

import math


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c0, c1, t):
    return (c0[0] + (c1[0] - c0[0]) * t,
            c0[1] + (c1[1] - c0[1]) * t,
            c0[2] + (c1[2] - c0[2]) * t)


def smoothstep(e0, e1, v):
    t = clamp((v - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


def hash01(x, y, seed=0):
    """Deterministic pseudo-random value in [0, 1) for an integer point."""
    h = (x * 374761393 + y * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return (h & 0xFFFFFF) / float(0x1000000)


def gradient(stops):
    """A function t -> colour over sorted (t, colour) stops."""
    def at(t):
        if t <= stops[0][0]:
            return stops[0][1]
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1:
                return mix(c0, c1, (t - t0) / (t1 - t0) if t1 > t0 else 1.0)
        return stops[-1][1]
    return at


def vertical(y0, y1, stops):
    """Paint varying with y from y0 (t=0) to y1 (t=1)."""
    g = gradient(stops)
    return lambda x, y: g((y - y0) / (y1 - y0))


# ---------------------------------------------------------------- shapes

class Shape:
    """A signed distance function (negative inside) with a bounding box
    (x0, y0, x1, y1) outside which the shape has no coverage."""

    def __init__(self, d, bbox):
        self.d = d
        self.bbox = bbox

    def grow(self, r):
        return Shape(lambda x, y: self.d(x, y) - r, _pad(self.bbox, r))

    def shift(self, dx, dy):
        b = self.bbox
        return Shape(lambda x, y: self.d(x - dx, y - dy),
                     (b[0] + dx, b[1] + dy, b[2] + dx, b[3] + dy))

    def __or__(self, other):
        return Shape(lambda x, y: min(self.d(x, y), other.d(x, y)),
                     _union(self.bbox, other.bbox))

    def __and__(self, other):
        return Shape(lambda x, y: max(self.d(x, y), other.d(x, y)),
                     _intersect(self.bbox, other.bbox))

    def __sub__(self, other):
        return Shape(lambda x, y: max(self.d(x, y), -other.d(x, y)), self.bbox)


def _pad(b, r):
    return (b[0] - r, b[1] - r, b[2] + r, b[3] + r)


def _union(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _intersect(a, b):
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r,
                 (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1))


def ring(cx, cy, r0, r1):
    def d(x, y):
        q = math.hypot(x - cx, y - cy)
        return max(r0 - q, q - r1)
    return Shape(d, (cx - r1 - 1, cy - r1 - 1, cx + r1 + 1, cy + r1 + 1))


def rbox(x0, y0, x1, y1, r):
    """Rounded rectangle with edges x0..x1, y0..y1 and corner radius r."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def d(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return Shape(d, (x0 - 1, y0 - 1, x1 + 1, y1 + 1))


def capsule(ax, ay, bx, by, r):
    ex, ey = bx - ax, by - ay
    ll = ex * ex + ey * ey or 1e-9

    def d(x, y):
        wx, wy = x - ax, y - ay
        t = clamp((wx * ex + wy * ey) / ll)
        return math.hypot(wx - ex * t, wy - ey * t) - r
    return Shape(d, (min(ax, bx) - r - 1, min(ay, by) - r - 1,
                     max(ax, bx) + r + 1, max(ay, by) + r + 1))


def polygon(pts):
    """Exact signed distance to a simple polygon."""
    n = len(pts)

    def d(x, y):
        best = (x - pts[0][0]) ** 2 + (y - pts[0][1]) ** 2
        s = 1.0
        j = n - 1
        for i in range(n):
            pix, piy = pts[i]
            ex, ey = pts[j][0] - pix, pts[j][1] - piy
            wx, wy = x - pix, y - piy
            t = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey))
            bx, by = wx - ex * t, wy - ey * t
            best = min(best, bx * bx + by * by)
            c1 = y >= piy
            c2 = y < pts[j][1]
            c3 = ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                s = -s
            j = i
        return s * math.sqrt(best)
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(d, (min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1))


def halfplane(nx, ny, px, py, bbox):
    """Points with (p - point) . n > 0 are outside; n need not be unit."""
    ln = math.hypot(nx, ny)
    nx, ny = nx / ln, ny / ln
    return Shape(lambda x, y: (x - px) * nx + (y - py) * ny, bbox)


# ---------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, w, h, colour=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(colour) for _ in range(w * h)]
        self.clip = (0, 0, w, h)

    def copy(self):
        c = Canvas.__new__(Canvas)
        c.w, c.h, c.clip = self.w, self.h, self.clip
        c.px = [p[:] for p in self.px]
        return c

    def _span(self, bbox):
        cx0, cy0, cx1, cy1 = self.clip
        x0 = max(int(math.floor(bbox[0])), cx0)
        y0 = max(int(math.floor(bbox[1])), cy0)
        x1 = min(int(math.ceil(bbox[2])), cx1)
        y1 = min(int(math.ceil(bbox[3])), cy1)
        return x0, y0, x1, y1

    def get(self, x, y):
        return tuple(self.px[y * self.w + x])

    def put(self, x, y, c):
        self.px[y * self.w + x] = list(c)

    def fill(self, shape, paint, alpha=1.0, hard=False):
        """Covers the shape with paint: a colour, or a function (x, y) giving
        a colour or (colour, alpha)."""
        x0, y0, x1, y1 = self._span(shape.bbox)
        const = not callable(paint)
        for y in range(y0, y1):
            fy = y + 0.5
            row = y * self.w
            for x in range(x0, x1):
                fx = x + 0.5
                dist = shape.d(fx, fy)
                if hard:
                    cov = 1.0 if dist < 0 else 0.0
                else:
                    cov = clamp(0.5 - dist)
                if cov <= 0:
                    continue
                a = alpha * cov
                if const:
                    col = paint
                else:
                    col = paint(fx, fy)
                    if len(col) == 2:
                        col, pa = col
                        a *= pa
                if a <= 0:
                    continue
                p = self.px[row + x]
                p[0] += (col[0] - p[0]) * a
                p[1] += (col[1] - p[1]) * a
                p[2] += (col[2] - p[2]) * a

    def glow(self, shape, colour, radius, strength, inside=True):
        """Adds light falling off exponentially outside the shape."""
        reach = radius * 4
        x0, y0, x1, y1 = self._span(_pad(shape.bbox, reach))
        for y in range(y0, y1):
            row = y * self.w
            for x in range(x0, x1):
                dist = shape.d(x + 0.5, y + 0.5)
                if dist > reach or (dist < 0 and not inside):
                    continue
                a = strength * math.exp(-max(dist, 0.0) / radius)
                p = self.px[row + x]
                p[0] += colour[0] * a
                p[1] += colour[1] * a
                p[2] += colour[2] * a

    def shade(self, shape, factor_fn):
        """Multiplies the pixels where factor_fn(x, y, distance) says."""
        x0, y0, x1, y1 = self._span(shape.bbox)
        for y in range(y0, y1):
            row = y * self.w
            for x in range(x0, x1):
                f = factor_fn(x + 0.5, y + 0.5, shape.d(x + 0.5, y + 0.5))
                if f == 1.0:
                    continue
                p = self.px[row + x]
                p[0] *= f
                p[1] *= f
                p[2] *= f

    def to_bytes_rgb(self):
        """Rows top to bottom, 3 bytes (r, g, b) per pixel."""
        out = bytearray()
        for p in self.px:
            out.append(int(clamp(round(p[0]), 0, 255)))
            out.append(int(clamp(round(p[1]), 0, 255)))
            out.append(int(clamp(round(p[2]), 0, 255)))
        return out

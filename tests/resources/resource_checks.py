#!/usr/bin/env python3
"""Format checks of Orvanta's binary resources.

    resource_checks.py icon FILE      the application icon (orvanta.ico)
    resource_checks.py cursor FILE    the link cursor (hand.cur)
    resource_checks.py picture FILE   the About picture (about.jpg)
    resource_checks.py selftest DIR   damages good copies of the three files
                                      in DIR and expects every damage caught

Prints one line per check, "ok  ..." or "FAIL ...", and exits 1 if any failed.
Only the standard library is used: the files are parsed here byte by byte.
"""

import struct
import sys
from collections import namedtuple

ICON_BYTES = 92854
# (edge in pixels, bits per pixel) of the icon's images, in directory order
ICON_IMAGES = [(48, 4), (32, 4), (16, 4), (48, 8), (32, 8), (16, 8),
               (128, 32), (48, 32), (32, 32), (16, 32)]
CURSOR_BYTES = 326
CURSOR_EDGE = 32
CURSOR_HOTSPOT = (6, 0)
PICTURE_BYTES = 6770
PICTURE_EDGE = 128

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
BLACK, WHITE = (0, 0, 0), (255, 255, 255)
GOLD_TOLERANCE = 60

# --------------------------------------------------------------- parsing ----

DirEntry = namedtuple("DirEntry", "width height colours reserved field1 field2 size offset")


class Dib:
    """A device-independent bitmap of an icon or cursor image: the colour
    (XOR) bitmap over the transparency (AND) mask, rows top-down."""

    def __init__(self, blob):
        (self.header_size, self.width, self.double_height, self.planes,
         self.bpp, self.compression, _, _, _, used, _) = struct.unpack_from("<IiiHHIIiiII", blob, 0)
        w, h = self.width, self.double_height // 2
        self.height = h
        n = used or (1 << self.bpp if self.bpp <= 8 else 0)
        pos = self.header_size
        self.palette = [tuple(blob[pos + 4 * i + 2 - c] for c in range(3)) for i in range(n)]
        pos += 4 * n
        xor_stride = (w * self.bpp + 31) // 32 * 4
        and_stride = (w + 31) // 32 * 4
        xor, pos = blob[pos:pos + xor_stride * h], pos + xor_stride * h
        mask, pos = blob[pos:pos + and_stride * h], pos + and_stride * h
        self.length = pos
        if len(blob) < pos:
            raise ValueError("image data cut short: %d of %d bytes" % (len(blob), pos))
        self.index = [[0] * w for _ in range(h)]     # palette index, paletted only
        self.rgba = [[None] * w for _ in range(h)]
        self.masked = [[False] * w for _ in range(h)]
        for y in range(h):
            row, mrow = (h - 1 - y) * xor_stride, (h - 1 - y) * and_stride
            for x in range(w):
                self.masked[y][x] = bool(mask[mrow + x // 8] >> (7 - x % 8) & 1)
                if self.bpp == 32:
                    b, g, r, a = xor[row + 4 * x:row + 4 * x + 4]
                    self.rgba[y][x] = (r, g, b, a)
                    continue
                bit = x * self.bpp
                i = xor[row + bit // 8] >> (8 - self.bpp - bit % 8) & ((1 << self.bpp) - 1)
                self.index[y][x] = i
                self.rgba[y][x] = self.palette[i] + (0 if self.masked[y][x] else 255,)

    def opaque(self, x, y):
        return not self.masked[y][x]


def parse_icon_file(data):
    """Returns (reserved, kind, [DirEntry]) of an .ico or .cur file."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    entries = []
    for i in range(count):
        w, h, colours, res, f1, f2, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        entries.append(DirEntry(w or 256, h or 256, colours, res, f1, f2, size, offset))
    return reserved, kind, entries


Segment = namedtuple("Segment", "marker offset body")


def parse_jpeg(data):
    """Splits a JPEG file into its marker segments up to and including the
    first SOS; the entropy-coded data after it is skipped, the markers that
    follow are scanned for further SOS and frame markers."""
    if data[:2] != b"\xff\xd8":
        raise ValueError("no SOI marker at the start")
    segments, pos = [], 2
    while pos < len(data):
        if data[pos] != 0xFF:
            raise ValueError("no marker at offset %d" % pos)
        marker = data[pos + 1]
        if marker == 0xFF:                                  # fill byte
            pos += 1
            continue
        if marker == 0xD9:
            segments.append(Segment(marker, pos, b""))
            break
        length = struct.unpack_from(">H", data, pos + 2)[0]
        body = data[pos + 4:pos + 2 + length]
        if len(body) != length - 2:
            raise ValueError("segment at offset %d runs past the end" % pos)
        segments.append(Segment(marker, pos, body))
        pos += 2 + length
        if marker == 0xDA:                                  # skip the scan data:
            while pos + 1 < len(data) and not (              # stuffed FF 00 and
                    data[pos] == 0xFF and data[pos + 1] != 0x00   # restarts belong to it
                    and not 0xD0 <= data[pos + 1] <= 0xD7):
                pos += 1
            if pos + 1 >= len(data):
                break
    return segments

# ---------------------------------------------------------------- checks ----


class Report:
    def __init__(self, what, quiet=False):
        self.what, self.quiet, self.failures = what, quiet, 0

    def check(self, ok, text):
        if not ok:
            self.failures += 1
        if not self.quiet:
            print("%-4s %s: %s" % ("ok" if ok else "FAIL", self.what, text))
        return ok

    def crash(self, error):
        self.check(False, "cannot be read (%s: %s)" % (type(error).__name__, error))


def near(colour, target, tolerance):
    return all(abs(c - t) <= tolerance for c, t in zip(colour, target))


def mean_difference(a, b):
    """Mean per-channel difference of two images over the pixels both show."""
    total = count = 0
    for y in range(a.height):
        for x in range(a.width):
            if a.opaque(x, y) and b.opaque(x, y):
                total += sum(abs(p - q) for p, q in zip(a.rgba[y][x][:3], b.rgba[y][x][:3]))
                count += 3
    return total / max(count, 1)


def check_artwork(report, label, dib):
    """The emblem: a rounded badge, the staircase in the lower right, the gold
    arrow in the upper left.  Catches blank, flipped or mirrored images."""
    e = dib.width
    corners = [(0, 0), (e - 1, 0), (0, e - 1), (e - 1, e - 1)]
    report.check(all(dib.masked[y][x] for x, y in corners) and dib.opaque(e // 2, e // 2),
                 "%s has clear corners and an opaque middle" % label)
    quarter = [dib.rgba[y][x] for y in range(e // 2, e) for x in range(e // 2, e) if dib.opaque(x, y)]
    whites = sum(near(p, WHITE, 24) for p in quarter)
    report.check(whites * 2 > len(quarter), "%s has the white steps in its lower right" % label)
    gold = (0xFF, 0xC8, 0x3A)
    upper_left = any(near(dib.rgba[y][x], gold, GOLD_TOLERANCE)
                     for y in range(e // 2) for x in range(e // 2) if dib.opaque(x, y))
    elsewhere = any(near(dib.rgba[y][x], gold, GOLD_TOLERANCE)
                    for y in range(e) for x in range(e)
                    if dib.opaque(x, y) and (x >= e // 2 or y >= e // 2) and x + y >= e)
    report.check(upper_left and not elsewhere, "%s has the gold arrow in its upper left" % label)


def check_icon(data, report):
    report.check(len(data) == ICON_BYTES, "file is %d bytes (want %d)" % (len(data), ICON_BYTES))
    reserved, kind, entries = parse_icon_file(data)
    report.check(reserved == 0 and kind == 1, "header says icon (reserved %d, type %d)" % (reserved, kind))
    report.check(len(entries) == len(ICON_IMAGES), "%d images (want %d)" % (len(entries), len(ICON_IMAGES)))
    found = [(e.width, e.height, e.field2) for e in entries]
    wanted = [(edge, edge, bpp) for edge, bpp in ICON_IMAGES]
    report.check(found == wanted, "directory sizes and depths in order: %s" %
                 " ".join("%dx%dx%d" % f for f in found))
    end = 6 + 16 * len(entries)
    dibs = {}
    for n, (entry, (edge, bpp)) in enumerate(zip(entries, ICON_IMAGES), 1):
        label = "image %d (%dx%d, %d bpp)" % (n, edge, edge, bpp)
        blob = data[entry.offset:entry.offset + entry.size]
        if not report.check(blob[:8] != PNG_SIGNATURE, "%s is a bitmap, not PNG" % label):
            continue
        report.check(entry.offset == end, "%s follows the previous one directly" % label)
        end = entry.offset + entry.size
        report.check(entry.colours == (1 << bpp if bpp < 8 else 0) and entry.reserved == 0
                     and entry.field1 == 1 and entry.field2 == bpp,
                     "%s directory entry: %d colours, %d plane, %d bpp" %
                     (label, entry.colours, entry.field1, entry.field2))
        dib = Dib(blob)
        if not report.check((dib.header_size, dib.width, dib.double_height, dib.planes, dib.bpp,
                             dib.compression) == (40, edge, 2 * edge, 1, bpp, 0),
                            "%s bitmap header: %dx%d/2, %d bpp, compression %d" %
                            (label, dib.width, dib.double_height, dib.bpp, dib.compression)):
            continue
        report.check(len(dib.palette) == (1 << bpp if bpp <= 8 else 0) and dib.length == entry.size,
                     "%s: %d palette entries, %d bytes of %d" %
                     (label, len(dib.palette), dib.length, entry.size))
        if bpp == 32:
            alphas = [dib.rgba[y][x][3] for y in range(edge) for x in range(edge)]
            agree = all(dib.masked[y][x] == (dib.rgba[y][x][3] < 128)
                        for y in range(edge) for x in range(edge))
            report.check(agree and any(0 < a < 255 for a in alphas),
                         "%s: mask follows the alpha channel, edges smoothed" % label)
        # where the mask is set the colour is XORed onto the screen: keep it black
        clear = [dib.rgba[y][x] for y in range(edge) for x in range(edge)
                 if dib.masked[y][x] and (bpp < 32 or dib.rgba[y][x][3] == 0)]
        report.check(all(p[:3] == BLACK for p in clear),
                     "%s is black where fully clear (no screen inversion)" % label)
        check_artwork(report, label, dib)
        dibs[(edge, bpp)] = dib
    report.check(end == len(data), "images end at the end of the file")
    for edge in (48, 32, 16):
        full = dibs.get((edge, 32))
        for bpp, tolerance in ((8, 6), (4, 24)):
            low = dibs.get((edge, bpp))
            if full is None or low is None:
                continue
            diff = mean_difference(full, low)
            report.check(full.masked == low.masked and diff <= tolerance,
                         "%d px at %d bpp matches 32 bpp (same mask, mean difference %.1f)" %
                         (edge, bpp, diff))


def check_cursor(data, report):
    report.check(len(data) == CURSOR_BYTES, "file is %d bytes (want %d)" % (len(data), CURSOR_BYTES))
    reserved, kind, entries = parse_icon_file(data)
    report.check(reserved == 0 and kind == 2 and len(entries) == 1,
                 "header says cursor with one image (type %d, %d images)" % (kind, len(entries)))
    entry = entries[0]
    report.check((entry.width, entry.height) == (CURSOR_EDGE, CURSOR_EDGE),
                 "image is %dx%d" % (entry.width, entry.height))
    report.check((entry.field1, entry.field2) == CURSOR_HOTSPOT,
                 "hot spot at (%d,%d) (want %d,%d)" % ((entry.field1, entry.field2) + CURSOR_HOTSPOT))
    blob = data[entry.offset:entry.offset + entry.size]
    report.check(entry.offset == 22 and entry.offset + entry.size == len(data),
                 "image fills the file after the directory")
    dib = Dib(blob)
    report.check((dib.header_size, dib.width, dib.double_height, dib.planes, dib.bpp, dib.compression)
                 == (40, 32, 64, 1, 1, 0) and dib.length == entry.size,
                 "bitmap header: %dx%d/2, %d bpp, compression %d" %
                 (dib.width, dib.double_height, dib.bpp, dib.compression))
    report.check(dib.palette == [BLACK, WHITE], "palette is black, white")
    e = CURSOR_EDGE
    pixels = [(x, y) for y in range(e) for x in range(e)]
    report.check(all(dib.index[y][x] == 0 for x, y in pixels if dib.masked[y][x]),
                 "clear pixels do not invert the screen")
    hx, hy = CURSOR_HOTSPOT
    report.check(dib.opaque(hx, hy) and dib.index[hy][hx] == 0
                 and dib.opaque(hx, hy + 1) and dib.index[hy + 1][hx] == 1,
                 "hot spot is the black tip of a white finger")
    top_row = [x for x in range(e) if dib.opaque(x, 0)]
    report.check(bool(top_row) and min(top_row) + max(top_row) == 2 * hx,
                 "fingertip in row 0 is centred on column %d" % hx)
    shape = {(x, y) for x, y in pixels if dib.opaque(x, y)}
    seen, todo = set(), [(hx, hy)]
    while todo:
        x, y = todo.pop()
        if (x, y) in shape and (x, y) not in seen:
            seen.add((x, y))
            todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    report.check(seen == shape, "the hand is one piece (%d pixels)" % len(shape))
    whites = [(x, y) for x, y in shape if dib.index[y][x] == 1]
    leaks = [(x, y) for x, y in whites
             if any((x + dx, y + dy) not in shape for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))]
    report.check(bool(whites) and not leaks, "black outline closes round the white (%d white)" % len(whites))


def check_picture(data, report):
    report.check(len(data) == PICTURE_BYTES, "file is %d bytes (want %d)" % (len(data), PICTURE_BYTES))
    segments = parse_jpeg(data)
    report.check(segments[-1].marker == 0xD9 and data.endswith(b"\xff\xd9"), "ends with EOI")
    frames = [s for s in segments if 0xC0 <= s.marker <= 0xCF and s.marker not in (0xC4, 0xC8, 0xCC)]
    report.check([s.marker for s in frames] == [0xC0],
                 "one frame, baseline SOF0 (found %s)" % ", ".join("%02X" % s.marker for s in frames))
    if frames:
        precision, height, width, ncomp = struct.unpack_from(">BHHB", frames[0].body, 0)
        comps = [tuple(frames[0].body[6 + 3 * i:9 + 3 * i]) for i in range(ncomp)]
        report.check((precision, width, height) == (8, PICTURE_EDGE, PICTURE_EDGE),
                     "%dx%d pixels, %d-bit samples" % (width, height, precision))
        report.check([c[0] for c in comps] == [1, 2, 3],
                     "three colour components Y, Cb, Cr (ids %s)" % [c[0] for c in comps])
    scans = [s for s in segments if s.marker == 0xDA]
    report.check(len(scans) == 1 and scans[0].body[0] == 3 and
                 tuple(scans[0].body[-3:]) == (0, 63, 0),
                 "a single sequential scan of all three components")
    tables_ok = all(s.body[i] >> 4 == 0 for s in segments if s.marker == 0xDB
                    for i in range(0, len(s.body), 65))
    hts, i = [], 0
    for s in (s for s in segments if s.marker == 0xC4):
        i = 0
        while i < len(s.body):
            hts.append(s.body[i])
            i += 17 + sum(s.body[i + 1:i + 17])
    report.check(tables_ok and all(t & 0x0F <= 1 for t in hts),
                 "8-bit quantisation tables, at most two Huffman tables a class")
    apps = [s for s in segments if 0xE0 <= s.marker <= 0xEF]
    report.check(len(apps) == 1 and segments[0].marker == 0xE0 and segments[0].body[:5] == b"JFIF\0",
                 "JFIF header first, no other metadata (%d APPn)" % len(apps))


CHECKS = {"icon": check_icon, "cursor": check_cursor, "picture": check_picture}


def run(kind, data, quiet=False):
    """Runs one file's checks; returns the number of failed checks."""
    report = Report(kind, quiet)
    try:
        CHECKS[kind](data, report)
    except (ValueError, IndexError, struct.error, TypeError) as error:
        report.crash(error)
    return report.failures

# ------------------------------------------------------------- self-test ----


def poke(data, offset, value):
    return data[:offset] + bytes([value]) + data[offset + 1:]


def icon_damage(data):
    _, _, entries = parse_icon_file(data)
    first, last = entries[0], entries[-1]
    swapped = data[:6] + data[22:38] + data[6:22] + data[38:]
    yield "a wrong depth in the directory", poke(data, 6 + 6, 8)
    yield "two images swapped", swapped
    yield "a PNG image", data[:first.offset] + PNG_SIGNATURE + data[first.offset + 8:]
    yield "a file one byte short", data[:-1]
    yield "an RLE-compressed bitmap", poke(data, first.offset + 16, 2)
    # 16x16 at 4 bpp: its bottom-left corner is clear; give it a bright colour
    small = entries[2]
    bright = next(i for i, c in enumerate(Dib(data[small.offset:small.offset + small.size]).palette)
                  if c != BLACK)
    pixels = small.offset + 40 + 4 * 16
    yield "an inverting clear pixel", poke(data, pixels, bright << 4 | data[pixels] & 0x0F)
    # 16x16 32bpp: bottom-left corner opaque in the mask and in alpha
    yield "an opaque corner", poke(poke(data, last.offset + 40 + 1024, 0x7F), last.offset + 43, 0xFF)
    row = last.offset + 40 + 4 * 16 * 15                  # top row of the 16x16 image
    yield "an upside-down image", data[:last.offset + 40] + b"".join(
        data[last.offset + 40 + 64 * r:last.offset + 104 + 64 * r] for r in range(15, -1, -1)) + data[row + 64:]
    dim = bytearray(data)
    for i in range(last.offset + 40, last.offset + 40 + 1024, 4):
        dim[i:i + 3] = bytes(c // 2 for c in dim[i:i + 3])
    yield "a darker 32 bpp image", bytes(dim)


def cursor_damage(data):
    yield "the hot spot moved to (5,0)", poke(data, 10, 5)
    yield "the hot spot moved to (6,1)", poke(data, 12, 1)
    yield "black and white swapped in the palette", data[:62] + data[66:70] + data[62:66] + data[70:]
    yield "a 4 bpp header", poke(data, 22 + 14, 4)
    xor = 22 + 40 + 8                                  # colour bits, bottom row first

    def bit(data, x, y):                               # set pixel (x, y) to palette index 1
        at = xor + 4 * (CURSOR_EDGE - 1 - y) + x // 8
        return poke(data, at, data[at] | 0x80 >> x % 8)
    yield "an inverting clear pixel", bit(data, 0, 31)
    yield "a hole in the outline", bit(data, 4, 3)      # left edge of the index finger
    yield "a file one byte long", data + b"\0"


def picture_damage(data):
    segments = parse_jpeg(data)
    sof = next(s for s in segments if s.marker == 0xC0)
    sos = next(s for s in segments if s.marker == 0xDA)
    yield "a progressive frame", poke(data, sof.offset + 1, 0xC2)
    yield "an extended-sequential frame", poke(data, sof.offset + 1, 0xC1)
    yield "a width of 127", poke(data, sof.offset + 8, 127)
    yield "12-bit samples", poke(data, sof.offset + 4, 12)
    yield "component ids 0, 1, 2", poke(poke(poke(data, sof.offset + 10, 0), sof.offset + 13, 1), sof.offset + 16, 2)
    yield "a spectral-selection scan", poke(data, sos.offset + 2 + len(sos.body) - 1, 5)
    exif = b"\xff\xe1\x00\x08Exif\0\0"
    at = segments[1].offset
    yield "an EXIF segment", data[:at] + exif + data[at:-len(exif) - 2] + b"\xff\xd9"
    yield "a missing EOI", data[:-2] + b"\0\0"


def selftest(directory):
    failures = 0
    for kind, name, damages in (("icon", "orvanta.ico", icon_damage),
                                ("cursor", "hand.cur", cursor_damage),
                                ("picture", "about.jpg", picture_damage)):
        with open("%s/%s" % (directory, name), "rb") as f:
            good = f.read()
        ok = run(kind, good, quiet=True) == 0
        print("%-4s selftest: %s passes every %s check" % ("ok" if ok else "FAIL", name, kind))
        failures += not ok
        for what, bad in damages(good):
            caught = run(kind, bad, quiet=True) > 0
            print("%-4s selftest: %s check rejects %s" % ("ok" if caught else "FAIL", kind, what))
            failures += not caught
    return failures


def main(argv):
    if len(argv) != 3 or argv[1] not in list(CHECKS) + ["selftest"]:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    if argv[1] == "selftest":
        return 1 if selftest(argv[2]) else 0
    with open(argv[2], "rb") as f:
        data = f.read()
    return 1 if run(argv[1], data) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

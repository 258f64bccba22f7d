#!/usr/bin/env python3
"""Format checks of Orvanta's binary resources, asked of the standard tools.

    resource_checks.py icon FILE      the application icon (orvanta.ico)
    resource_checks.py cursor FILE    the link cursor (hand.cur)
    resource_checks.py picture FILE   the About picture (about.jpg)
    resource_checks.py selftest DIR   makes wrong copies of the three files in
                                      DIR and expects each caught by its check

icotool (icoutils) lists the images of the icon and the cursor and writes
them anew; ImageMagick 6 (IM_CONVERT, default /usr/bin/convert) decodes
their pixels and reads the JPEG, tracing libjpeg's view of its markers.
Prints one line per check, "ok  ..." or "FAIL ...", and exits 1 if any failed.
"""

import os
import re
import subprocess
import sys
import tempfile

CONVERT = os.environ.get("IM_CONVERT", "/usr/bin/convert")

ICON_BYTES = 92854
# (edge in pixels, bits per pixel) of the icon's images, in directory order
ICON_IMAGES = [(48, 4), (32, 4), (16, 4), (48, 8), (32, 8), (16, 8),
               (128, 32), (48, 32), (32, 32), (16, 32)]
CURSOR_BYTES = 326
CURSOR_EDGE = 32
CURSOR_HOTSPOT = (6, 0)
PICTURE_BYTES = 6770
PICTURE_EDGE = 128

BLACK, WHITE = (0, 0, 0), (255, 255, 255)
GOLD, GOLD_TOLERANCE = (0xFF, 0xC8, 0x3A), 60

# ----------------------------------------------------------------- tools ----


def tool(*command):
    """Runs a tool; returns its output and its complaints (stderr, or the
    exit status if it failed silently)."""
    done = subprocess.run(command, capture_output=True, check=False)
    errors = done.stderr.decode(errors="replace").strip()
    if done.returncode and not errors:
        errors = "%s exits %d" % (command[0], done.returncode)
    return done.stdout, errors


def icotool_list(path):
    """icotool's directory of an .ico or .cur file, one dict an image:
    kind ("icon" or "cursor"), index, width, height, bit-depth,
    palette-size and, for a cursor, hotspot-x and hotspot-y."""
    out, errors = tool("icotool", "--list", path)
    images = []
    for line in out.decode().splitlines():       # --icon --index=1 --width=48 ...
        kind, *fields = line.split()
        image = {"kind": kind.lstrip("-")}
        image.update((k.lstrip("-"), int(v)) for k, v in (f.split("=") for f in fields))
        images.append(image)
    return images, errors


def icotool_rewrites(path, images):
    """Whether icotool, given the decoded images back at the same depths
    (and hot spot), writes the very same file."""
    with tempfile.TemporaryDirectory() as work:
        create = ["icotool", "--create", "--output=%s/again" % work]
        for image in images:
            png = "%s/%d.png" % (work, image["index"])
            tool("icotool", "--extract", "--index=%d" % image["index"], "--output=" + png, path)
            if image["kind"] == "cursor":
                create += ["--cursor", "--hotspot-x=%d" % image["hotspot-x"],
                           "--hotspot-y=%d" % image["hotspot-y"]]
            create += ["--bit-depth=%d" % image["bit-depth"], png]
        _, errors = tool(*create)
        if errors:
            return False
        with open(path, "rb") as f, open(work + "/again", "rb") as g:
            return f.read() == g.read()


class Pixels:
    """One image of an .ico or .cur file as ImageMagick decodes it, rows
    top-down, (r, g, b, a) a pixel; a paletted image takes its alpha from
    the AND mask."""

    def __init__(self, path, image):
        w, h = self.width, self.height = image["width"], image["height"]
        raw, errors = tool(CONVERT, "%s[%d]" % (path, image["index"] - 1), "-depth", "8", "RGBA:-")
        if len(raw) != 4 * w * h:
            raise ValueError("image %d decodes to %d bytes: %s" % (image["index"], len(raw), errors))
        self.rgba = [[tuple(raw[4 * (y * w + x):4 * (y * w + x) + 4]) for x in range(w)] for y in range(h)]

    def opaque(self, x, y):
        # icotool sets the AND mask where the alpha is below 128
        return self.rgba[y][x][3] >= 128

    def all(self):
        return [(x, y) for y in range(self.height) for x in range(self.width)]

# ---------------------------------------------------------------- checks ----


class Report:
    def __init__(self, what, quiet=False):
        self.what, self.quiet, self.failed = what, quiet, []

    def check(self, ok, name, detail=""):
        if not ok:
            self.failed.append(name)
        if not self.quiet:
            print("%-4s %s: %s%s" % ("ok" if ok else "FAIL", self.what, name,
                                     " (%s)" % detail if detail else ""))
        return ok


def check_file_size(report, path, want):
    size = os.path.getsize(path)
    report.check(size == want, "file size", "%d bytes, want %d" % (size, want))


def check_bitmaps(report, path, images, errors, kind):
    """What icotool and ImageMagick say of the encoding of every image."""
    report.check(not errors, "icotool reads every image (uncompressed bitmaps)", errors)
    # ImageMagick names each image's encoding: ICO or CUR for a bitmap, PNG
    formats = tool(CONVERT, path, "-format", "%m\n", "info:")[0].decode().split()
    report.check(formats == [kind] * len(images), "bitmaps, not PNG", " ".join(formats))
    report.check(icotool_rewrites(path, images), "icotool writes it anew byte for byte",
                 "bitmap headers and palettes, masks from the alpha, images back to back to the end")


def near(colour, target, tolerance):
    return all(abs(c - t) <= tolerance for c, t in zip(colour, target))


def mean_difference(a, b):
    """Mean per-channel difference of two images over the pixels both show."""
    shown = [(x, y) for x, y in a.all() if a.opaque(x, y) and b.opaque(x, y)]
    total = sum(abs(p - q) for x, y in shown for p, q in zip(a.rgba[y][x][:3], b.rgba[y][x][:3]))
    return total / max(3 * len(shown), 1)


def check_artwork(report, label, image):
    """The emblem: a rounded badge, the staircase in the lower right, the gold
    arrow in the upper left.  Catches blank, flipped or mirrored images."""
    e, rgba, opaque = image.width, image.rgba, image.opaque
    corners = [(0, 0), (e - 1, 0), (0, e - 1), (e - 1, e - 1)]
    report.check(not any(opaque(x, y) for x, y in corners) and opaque(e // 2, e // 2),
                 "%s has clear corners and an opaque middle" % label)
    quarter = [rgba[y][x] for y in range(e // 2, e) for x in range(e // 2, e) if opaque(x, y)]
    whites = sum(near(p, WHITE, 24) for p in quarter)
    report.check(whites * 2 > len(quarter), "%s has the white steps in its lower right" % label)
    gold = [(x, y) for x, y in image.all() if opaque(x, y) and near(rgba[y][x], GOLD, GOLD_TOLERANCE)]
    upper_left = any(x < e // 2 and y < e // 2 for x, y in gold)
    elsewhere = any((x >= e // 2 or y >= e // 2) and x + y >= e for x, y in gold)
    report.check(upper_left and not elsewhere, "%s has the gold arrow in its upper left" % label)


def check_icon(path, report):
    check_file_size(report, path, ICON_BYTES)
    images, errors = icotool_list(path)
    found = [(i["kind"], i["width"], i["height"], i["bit-depth"], i["palette-size"]) for i in images]
    wanted = [("icon", e, e, bpp, 1 << bpp if bpp <= 8 else 0) for e, bpp in ICON_IMAGES]
    report.check(found == wanted, "ten icon images in order, with their depths and palettes",
                 " ".join("%dx%dx%d" % f[1:4] for f in found))
    check_bitmaps(report, path, images, errors, "ICO")
    decoded = {}
    for image in images:
        edge, bpp = image["width"], image["bit-depth"]
        label = "image %d (%dx%d, %d bpp)" % (image["index"], edge, edge, bpp)
        pixels = Pixels(path, image)
        # where the mask is set the colour is XORed onto the screen: keep it black
        clear = [p for row in pixels.rgba for p in row if p[3] == 0]
        report.check(all(p[:3] == BLACK for p in clear),
                     "%s is black where clear (no screen inversion)" % label)
        if bpp == 32:
            report.check(any(0 < p[3] < 255 for row in pixels.rgba for p in row),
                         "%s has smoothed edges in its alpha" % label)
        check_artwork(report, label, pixels)
        decoded[(edge, bpp)] = pixels
    for edge in (48, 32, 16):
        full = decoded.get((edge, 32))
        for bpp, tolerance in ((8, 6), (4, 24)):
            low = decoded.get((edge, bpp))
            if full is None or low is None:
                continue
            same_mask = all(full.opaque(x, y) == low.opaque(x, y) for x, y in full.all())
            diff = mean_difference(full, low)
            report.check(same_mask and diff <= tolerance, "%d px at %d bpp matches 32 bpp" % (edge, bpp),
                         "same mask, mean difference %.1f" % diff)


def check_cursor(path, report):
    check_file_size(report, path, CURSOR_BYTES)
    images, errors = icotool_list(path)
    found = [(i["kind"], i["width"], i["height"], i["bit-depth"], i["palette-size"]) for i in images]
    wanted = [("cursor", CURSOR_EDGE, CURSOR_EDGE, 1, 2)]
    report.check(found == wanted, "one cursor image, 32x32 at 1 bpp, two colours",
                 " ".join("%s %dx%dx%d" % f[:4] for f in found))
    hotspots = [(i.get("hotspot-x"), i.get("hotspot-y")) for i in images]
    report.check(hotspots == [CURSOR_HOTSPOT], "hot spot at (%d,%d)" % CURSOR_HOTSPOT,
                 "found " + " ".join("(%s,%s)" % h for h in hotspots))
    check_bitmaps(report, path, images, errors, "CUR")
    if found != wanted:
        return
    hand = Pixels(path, images[0])
    colour = {(x, y): hand.rgba[y][x][:3] for x, y in hand.all()}
    shape = {(x, y) for x, y in hand.all() if hand.opaque(x, y)}
    report.check(all(colour[p] in (BLACK, WHITE) for p in shape), "black and white only")
    report.check(all(colour[p] == BLACK for p in colour if p not in shape),
                 "black where clear (no screen inversion)")
    hx, hy = CURSOR_HOTSPOT
    report.check((hx, hy) in shape and colour[(hx, hy)] == BLACK
                 and (hx, hy + 1) in shape and colour[(hx, hy + 1)] == WHITE,
                 "hot spot is the black tip of a white finger")
    top_row = [x for x, y in shape if y == 0]
    report.check(bool(top_row) and min(top_row) + max(top_row) == 2 * hx,
                 "fingertip in row 0 is centred on column %d" % hx)
    seen, todo = set(), [(hx, hy)]
    while todo:
        x, y = todo.pop()
        if (x, y) in shape and (x, y) not in seen:
            seen.add((x, y))
            todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    report.check(seen == shape, "the hand is one piece", "%d pixels" % len(shape))
    whites = [(x, y) for x, y in shape if colour[(x, y)] == WHITE]
    leaks = [(x, y) for x, y in whites
             if any((x + dx, y + dy) not in shape for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))]
    report.check(bool(whites) and not leaks, "black outline closes round the white",
                 "%d white, %d at the edge" % (len(whites), len(leaks)))


def jpeg_trace(path):
    """ImageMagick's log of reading a JPEG: libjpeg's trace of each marker,
    ImageMagick's own lines (precision, profiles) and any complaint."""
    _, log = tool(CONVERT, "-debug", "coder", "-log", "%e", path, "info:")
    return [re.sub(r'^\[.*\] JPEG Trace: "(.*)"$', r"\1", line) for line in log.splitlines()]


def check_picture(path, report):
    check_file_size(report, path, PICTURE_BYTES)
    trace = jpeg_trace(path)
    complaints = [line for line in trace if re.search(r"@ (warning|error)/", line)]
    report.check(not complaints, "libjpeg reads it to the end marker without a complaint",
                 "; ".join(complaints))
    markers = [line for line in trace if line and not line[0].isspace()]
    metadata = [m for m in markers if re.search(r"\bAPP\d+\b|^Profile: ", m)]
    report.check(len(metadata) == 1 and markers[:2] == ["Start of Image", metadata[0]]
                 and metadata[0].startswith("JFIF APP0 marker"),
                 "JFIF header first, no other metadata", "; ".join(metadata))
    frames = [(i, re.match(r"Start Of Frame (0x..): width=(\d+), height=(\d+)", line))
              for i, line in enumerate(trace) if line.startswith("Start Of Frame")]
    report.check([m.group(1) for _, m in frames] == ["0xc0"], "one frame, baseline (SOF0)",
                 " ".join(m.group(1) for _, m in frames))
    if frames:
        at, frame = frames[0]
        size = (int(frame.group(2)), int(frame.group(3)))
        report.check(size == (PICTURE_EDGE, PICTURE_EDGE) and "Data precision: 8" in trace,
                     "%dx%d pixels, 8-bit samples" % (PICTURE_EDGE, PICTURE_EDGE), "%dx%d" % size)
        ids = []
        for line in trace[at + 1:]:
            component = re.match(r"\s+Component (\d+): \d+hx\d+v", line)
            if not component:
                break
            ids.append(int(component.group(1)))
        report.check(ids == [1, 2, 3], "three colour components Y, Cb, Cr (ids 1, 2, 3)", "ids %s" % ids)
    scans = [line for line in trace if line.startswith("Start Of Scan")]
    steps = [line.strip() for line in trace if line.strip().startswith("Ss=")]
    report.check(scans == ["Start Of Scan: 3 components"] and steps == ["Ss=0, Se=63, Ah=0, Al=0"],
                 "a single sequential scan of all three components", "; ".join(scans + steps))
    quantisation = [m for m in markers if m.startswith("Define Quantization Table")]
    huffman = [m for m in markers if m.startswith("Define Huffman Table")]
    report.check(quantisation and all(m.endswith("precision 0") for m in quantisation)
                 and huffman and all(re.fullmatch(r"Define Huffman Table 0x[01][01]", m) for m in huffman),
                 "8-bit quantisation tables, at most two Huffman tables a class")


CHECKS = {"icon": check_icon, "cursor": check_cursor, "picture": check_picture}


def run(kind, path, quiet=False):
    """Runs one file's checks; returns the names of the failed ones."""
    report = Report(kind, quiet)
    try:
        CHECKS[kind](path, report)
    except (ValueError, KeyError, IndexError, OSError) as error:
        report.check(False, "cannot be read", "%s: %s" % (type(error).__name__, error))
    return report.failed

# ------------------------------------------------------------- self-test ----
# Each wrong copy is made with the tools that made the good one where they
# can make the fault; a fault they never make is poked into a copy's bytes.


def poke(data, offset, new):
    return data[:offset] + new + data[offset + len(new):]


class Damages:
    def __init__(self, good, work):
        self.good, self.work = good, work
        with open(good, "rb") as f:
            self.data = f.read()

    def path(self, name):
        return os.path.join(self.work, name)

    def bytes(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)
        return self.path(name)

    def extract(self, image):
        """The image with icotool's index as a PNG file."""
        png = self.path("%s-%d.png" % (os.path.basename(self.good), image))
        tool("icotool", "--extract", "--index=%d" % image, "--output=" + png, self.good)
        return png

    def convert(self, source, name, *operations):
        """A copy of an image changed by ImageMagick; PNGs keep their alpha."""
        tool(CONVERT, source, *operations, ("PNG32:" if name.endswith(".png") else "") + self.path(name))
        return self.path(name)

    def icotool(self, name, *arguments):
        tool("icotool", "--create", "--output=" + self.path(name), *arguments)
        return self.path(name)


def icon_damages(good, work):
    d = Damages(good, work)
    pngs = [d.extract(i) for i in range(1, len(ICON_IMAGES) + 1)]

    def icon(name, pngs, raw=None):
        arguments = []
        for i, ((_, bpp), png) in enumerate(zip(ICON_IMAGES, pngs)):
            arguments += ["--raw=" + png] if i == raw else ["--bit-depth=%d" % bpp, png]
        return d.icotool(name + ".ico", *arguments)

    def small_changed(name, *operations):              # the 16 px image at 32 bpp
        return icon(name, pngs[:-1] + [d.convert(pngs[-1], name + ".png", *operations)])
    yield "every image at 8 bpp", "in order", d.icotool("depth.ico", "--bit-depth=8", *pngs)
    yield "two images swapped", "in order", icon("swapped", [pngs[1], pngs[0]] + pngs[2:])
    yield "a missing image", "in order", icon("missing", pngs[:-1])
    yield "an image of a wrong size", "in order", small_changed("size", "-scale", "24x24")
    yield "a PNG image", "not PNG", icon("png", pngs, raw=6)
    yield "a file one byte short", "file size", d.bytes("short.ico", d.data[:-1])
    # the first image's biCompression, after the 6-byte header and 16 bytes a directory entry
    yield "an RLE-compressed bitmap", "icotool reads", d.bytes(
        "rle.ico", poke(d.data, 6 + 16 * len(ICON_IMAGES) + 16, b"\x02"))
    # the 16 px 32 bpp image ends the file: header, colours, AND mask of 4-byte rows
    last = len(d.data) - (40 + 16 * 16 * 4 + 16 * 4)
    yield "a colour under a clear pixel", "black where clear", d.bytes(
        "invert.ico", poke(d.data, last + 40, b"\xff\xff\xff\x00"))   # bottom left: white, fully clear
    yield "a mask that disagrees with the alpha", "anew byte for byte", d.bytes(
        "mask.ico", poke(d.data, last + 40 + 16 * 16 * 4, bytes(64)))
    yield "an opaque corner", "clear corners", small_changed(
        "corner", "-fill", "#2354c0", "-draw", "point 0,15")
    yield "an upside-down image", "white steps", small_changed("flipped", "-flip")
    yield "a darker 32 bpp image", "16 px at 8 bpp matches", small_changed(
        "dark", "-channel", "RGB", "-evaluate", "multiply", "0.5")


def cursor_damages(good, work):
    d = Damages(good, work)
    png = d.extract(1)

    def cursor(name, png=png, x=6, y=0, depth=1):
        return d.icotool(name + ".cur", "--cursor", "--hotspot-x=%d" % x, "--hotspot-y=%d" % y,
                         "--bit-depth=%d" % depth, png)

    def changed(name, *operations):
        return cursor(name, d.convert(png, name + ".png", *operations))
    yield "the hot spot moved to (5,0)", "hot spot at", cursor("x", x=5)
    yield "the hot spot moved to (6,1)", "hot spot at", cursor("y", y=1)
    yield "a 4 bpp image", "one cursor image", cursor("depth", depth=4)
    yield "a 48x48 image", "one cursor image", changed("size", "-scale", "48x48")
    yield "a hole in the outline", "outline closes", changed(          # left edge of the index finger
        "hole", "-fill", "white", "-draw", "point 4,3")
    palette = 6 + 16 + 40                  # after the header, the directory and the bitmap header
    yield "black and white swapped in the palette", "black where clear", d.bytes(
        "palette.cur", poke(d.data, palette, d.data[palette + 4:palette + 8] + d.data[palette:palette + 4]))
    # colour bits, bottom row first: pixel (0,31) gets the white entry under its set mask bit
    yield "an inverting clear pixel", "black where clear", d.bytes(
        "invert.cur", poke(d.data, palette + 8, bytes([d.data[palette + 8] | 0x80])))
    yield "a file one byte long", "file size", d.bytes("long.cur", d.data + b"\0")


def picture_damages(good, work):
    d = Damages(good, work)
    yield "a progressive JPEG", "baseline", d.convert(good, "progressive.jpg", "-interlace", "Plane")
    yield "a width of 127", "128x128", d.convert(good, "narrow.jpg", "-resize", "127x128!")
    data = d.data
    sof, sos = data.index(b"\xff\xc0"), data.index(b"\xff\xda")
    yield "an extended-sequential frame", "baseline", d.bytes("sof1.jpg", poke(data, sof + 1, b"\xc1"))
    yield "12-bit samples", "8-bit samples", d.bytes("12bit.jpg", poke(data, sof + 4, b"\x0c"))
    yield "component ids 0, 1, 2", "components", d.bytes(
        "ids.jpg", poke(poke(poke(data, sof + 10, b"\0"), sof + 13, b"\1"), sof + 16, b"\2"))
    se = sos + 2 + int.from_bytes(data[sos + 2:sos + 4], "big") - 2     # Ss, Se, Ah/Al end the header
    yield "a spectral-selection scan", "sequential scan", d.bytes("se.jpg", poke(data, se, b"\x05"))
    jfif_end = 4 + int.from_bytes(data[4:6], "big")
    yield "an EXIF segment", "metadata", d.bytes(
        "exif.jpg", data[:jfif_end] + b"\xff\xe1\x00\x08Exif\0\0" + data[jfif_end:])
    yield "a missing end marker", "end marker", d.bytes("noeoi.jpg", data[:-2] + b"\0\0")


def selftest(directory):
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        for kind, name, damages in (("icon", "orvanta.ico", icon_damages),
                                    ("cursor", "hand.cur", cursor_damages),
                                    ("picture", "about.jpg", picture_damages)):
            good = os.path.join(directory, name)
            ok = not run(kind, good, quiet=True)
            print("%-4s selftest: %s passes every %s check" % ("ok" if ok else "FAIL", name, kind))
            failures += not ok
            if not ok:                      # wrong copies of a wrong file prove nothing
                continue
            for what, check, bad in damages(good, work):
                failed = run(kind, bad, quiet=True)
                caught = any(check in f for f in failed)
                print("%-4s selftest: %s check \"...%s...\" rejects %s%s" % (
                    "ok" if caught else "FAIL", kind, check, what,
                    "" if caught else " (failed: %s)" % ("; ".join(failed) or "none")))
                failures += not caught
    return failures


def main(argv):
    if len(argv) != 3 or argv[1] not in list(CHECKS) + ["selftest"]:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    if argv[1] == "selftest":
        return 1 if selftest(argv[2]) else 0
    return 1 if run(argv[1], argv[2]) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

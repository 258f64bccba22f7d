#!/usr/bin/env bash
# Builds about.jpg, the picture of the About window: the emblem at 96 pixels
# with a soft shadow on a pale blue glow, 128 x 128 pixels, baseline JPEG,
# three 8-bit YCbCr components, exactly 6,770 bytes.
#
# The file is encoded at the highest quality that leaves room for a comment
# segment; the comment is then padded so that the file has its exact size.
#
# Usage: make_about_picture.sh [OUTPUT_DIR]   (default: the directory of this script)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=exact_output.sh
. "$here/exact_output.sh" "${1:-$here}"
expected_bytes=6770
comment="Orvanta"

# shellcheck source=emblem.sh
. "$here/emblem.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

draw_emblem 96 "$work/emblem.png"

"$IM_CONVERT" -size 128x128 'radial-gradient:#ffffff-#cfe0f7' \
    \( "$work/emblem.png" -background '#0b2a66' -shadow 45x3+0+3 \) \
    -gravity center -geometry +0+2 -compose Over -composite \
    "$work/emblem.png" -geometry +0+0 -compose Over -composite \
    -alpha off -strip -define png:exclude-chunks=date,time \
    "PNG24:$work/picture.png"

# encode QUALITY OUTPUT: baseline, no chroma subsampling, optimised Huffman
# tables, no metadata beyond the JFIF header.
encode() {
    "$IM_CONVERT" "$work/picture.png" -strip \
        -colorspace sRGB -type TrueColor \
        -units PixelsPerInch -density 96 \
        -interlace none -sampling-factor 1x1 \
        -define jpeg:optimize-coding=true \
        -quality "$1" "JPEG:$2"
}

# Room the comment segment needs at the least: marker, length, text.
min_comment=$(( 4 + ${#comment} ))
quality=100
while :; do
    encode "$quality" "$work/plain.jpg"
    size=$(wc -c < "$work/plain.jpg")
    (( size + min_comment <= expected_bytes )) && break
    quality=$(( quality - 1 ))
    if (( quality < 50 )); then
        echo "make_about_picture: cannot fit the picture into $expected_bytes bytes" >&2
        exit 1
    fi
done

# Insert a COM segment right after the JFIF header, its text padded with
# spaces to make up the exact size.
python3 - "$work/plain.jpg" "$work/about.jpg" "$expected_bytes" "$comment" <<'EOF'
import struct
import sys

src, dst, total, text = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
data = open(src, "rb").read()
if data[:2] != b"\xff\xd8":
    sys.exit("make_about_picture: encoder output does not start with SOI")
pos = 2
if data[2:4] == b"\xff\xe0":                   # keep APP0 (JFIF) first
    pos = 4 + struct.unpack(">H", data[4:6])[0]
pad = total - len(data) - 4 - len(text)
if pad < 0:
    sys.exit("make_about_picture: no room for the comment")
body = (text + " " * pad).encode("ascii")
segment = b"\xff\xfe" + struct.pack(">H", len(body) + 2) + body
open(dst, "wb").write(data[:pos] + segment + data[pos:])
EOF

install_exact "$work/about.jpg" "$expected_bytes" ", quality $quality"

#!/usr/bin/env bash
# Builds orvanta.ico, the application icon: ten uncompressed bitmap images,
#   48, 32, 16 pixels at 4 bits per pixel (16 colours),
#   48, 32, 16 pixels at 8 bits per pixel (256 colours),
#   128, 48, 32, 16 pixels at 32 bits per pixel with alpha.
# The 16- and 256-colour images are the true-colour artwork reduced to a
# palette; their transparency lives only in the AND mask.
#
# Usage: make_icon.sh [OUTPUT_DIR]     (default: the directory of this script)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=exact_output.sh
. "$here/exact_output.sh" "${1:-$here}"
expected_bytes=92854

# shellcheck source=emblem.sh
. "$here/emblem.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for size in 128 48 32 16; do
    draw_emblem "$size" "$work/rgba_$size.png"
done

# reduce_palette SIZE COLOURS DITHER OUTPUT
# Hard-edges the alpha (a palette image has a 1-bit mask), blackens the
# transparent pixels so they share one palette entry, and quantises.
reduce_palette() {
    local size=$1 colours=$2 dither=$3 dest=$4
    "$IM_CONVERT" "$work/rgba_$size.png" \
        -channel A -threshold 50% +channel \
        -background black -alpha background \
        $dither -colors "$colours" \
        -channel A -threshold 50% +channel \
        -define png:exclude-chunks=date,time \
        "PNG32:$dest"
    local found
    found=$("$IM_CONVERT" "$dest" -format %k info:)
    if (( found > colours )); then
        echo "make_icon: $size px image has $found colours, more than $colours" >&2
        exit 1
    fi
}

# At 16 colours the badge gradient bands visibly at 48 pixels, so that one
# image is error-diffused; the smaller ones look cleaner undithered.
reduce_palette 48 16 "-dither FloydSteinberg" "$work/pal4_48.png"
reduce_palette 32 16 "+dither" "$work/pal4_32.png"
reduce_palette 16 16 "+dither" "$work/pal4_16.png"
for size in 48 32 16; do
    reduce_palette "$size" 256 "+dither" "$work/pal8_$size.png"
done

icotool --create --output="$work/orvanta.ico" \
    --bit-depth=4 "$work/pal4_48.png" "$work/pal4_32.png" "$work/pal4_16.png" \
    --bit-depth=8 "$work/pal8_48.png" "$work/pal8_32.png" "$work/pal8_16.png" \
    --bit-depth=32 "$work/rgba_128.png" "$work/rgba_48.png" \
                   "$work/rgba_32.png" "$work/rgba_16.png"

install_exact "$work/orvanta.ico" "$expected_bytes"

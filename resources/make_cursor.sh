#!/usr/bin/env bash
# Builds hand.cur, the pointing-hand cursor of the About window's links:
# one 32 x 32 image at 1 bit per pixel with its AND mask, hot spot at the
# tip of the index finger, column 6, row 0.
#
# Usage: make_cursor.sh [OUTPUT_DIR]     (default: the directory of this script)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=exact_output.sh
. "$here/exact_output.sh" "${1:-$here}"
expected_bytes=326
hot_x=6
hot_y=0

IM_CONVERT=${IM_CONVERT:-/usr/bin/convert}
export MAGICK_THREAD_LIMIT=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The hand, one character per pixel:  # black outline,  - white,  . clear.
# The index finger points straight up; its tip is row 0, columns 5 to 7.
cat > "$work/hand.xpm" <<'EOF'
/* XPM */
static char *hand[] = {
"32 32 3 1",
"# c #000000",
"- c #FFFFFF",
". c None",
".....###........................",
"....#---#.......................",
"....#---#.......................",
"....#---#.......................",
"....#---#.......................",
"....#---#.......................",
"....#---####....................",
"....#---#---####................",
"....#---#---#---#...............",
"....#---#---#---###.............",
"....#---#---#---#--#............",
".##.#---#---#---#--#............",
"#--##---#---#---#--#............",
"#---#--------------#............",
"#------------------#............",
".#-----------------#............",
".#-----------------#............",
"..#----------------#............",
"..#---------------#.............",
"...#--------------#.............",
"....#-------------#.............",
"....#------------#..............",
".....#-----------#..............",
".....#############..............",
".....#-----------#..............",
".....#-----------#..............",
".....#############..............",
"................................",
"................................",
"................................",
"................................",
"................................"
};
EOF

"$IM_CONVERT" "$work/hand.xpm" -define png:exclude-chunks=date,time \
    "PNG32:$work/hand.png"

icotool --create --cursor --hotspot-x="$hot_x" --hotspot-y="$hot_y" \
    --bit-depth=1 --output="$work/hand.cur" "$work/hand.png"

install_exact "$work/hand.cur" "$expected_bytes"

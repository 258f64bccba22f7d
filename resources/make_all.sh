#!/usr/bin/env bash
# Rebuilds all binary resources: orvanta.ico, about.jpg and hand.cur.
#
# Usage: make_all.sh [OUTPUT_DIR]     (default: the directory of this script)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out_dir=${1:-$here}

"$here/make_icon.sh" "$out_dir"
"$here/make_about_picture.sh" "$out_dir"
"$here/make_cursor.sh" "$out_dir"

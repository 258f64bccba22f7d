#!/usr/bin/env bash
# Builds the page a second time, from a copy of the sources in a folder of
# another path length, and checks that every file of the site and the web
# zip are the same bytes as this build's: nothing of the build folder, the
# path or the time reaches them.
# Usage: check_page_reproducible.sh BUILD_DIR SOURCE_DIR
# Exits 77 (skipped) where SOURCE_DIR is no git work tree to copy from.
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
git -C "$source" rev-parse --is-inside-work-tree >/dev/null 2>&1 || { echo "not a git work tree: skipped"; exit 77; }

work=$(mktemp -d "${TMPDIR:-/tmp}/orvanta-page-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
copy="$work/a/second/source/folder/with/a/longer/path"
mkdir -p "$copy"
(cd "$source" && git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
  tar --null -T - -cf -) | tar -x -C "$copy"
# The libraries Emscripten builds once are this build's own, not built again.
export ORVANTA_EMSCRIPTEN_CACHE="$source/build/emscripten-cache"
(
  cd "$copy"
  cmake --preset web >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
  cmake --build --preset web --target orvanta >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
)
python3 "$source/scripts/release_zip.py" --web "$build" "$work/first" >/dev/null
python3 "$source/scripts/release_zip.py" --web "$copy/build/web" "$work/second" >/dev/null

status=0
for file in "$build"/page/*; do
  name=$(basename "$file")
  if cmp -s "$file" "$copy/build/web/page/$name"; then echo "ok   $name the same in both builds"
  else echo "FAIL $name differs"; status=1; fi
done
zip=$(cd "$work/first" && ls -- *.zip)
if cmp -s "$work/first/$zip" "$work/second/$zip"; then echo "ok   $zip the same in both builds ($(stat -c %s "$work/first/$zip") bytes)"
else echo "FAIL $zip differs"; status=1; fi
exit $status

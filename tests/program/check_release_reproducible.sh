#!/usr/bin/env bash
# Builds a release a second time, from a copy of the sources in a folder of
# another path length, and checks that what ships (the Windows program, or
# every file of the browser page) and its zip are the same bytes as this
# build's: nothing of the build folder, the path or the time reaches them.
# Usage: check_release_reproducible.sh PRESET BUILD_DIR SOURCE_DIR   (PRESET: win32 or web)
# Exits 77 (skipped) where SOURCE_DIR is no git work tree to copy from.
set -euo pipefail
preset=$1
build=$(cd "$2" && pwd)
source=$(cd "$3" && pwd)
git -C "$source" rev-parse --is-inside-work-tree >/dev/null 2>&1 || { echo "not a git work tree: skipped"; exit 77; }

work=$(mktemp -d "${TMPDIR:-/tmp}/orvanta-release-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
copy="$work/a/second/source/folder/with/a/longer/path"
mkdir -p "$copy"
# The sources as they are in the work tree: tracked files and new ones not ignored.
(cd "$source" && git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
  tar --null -T - -cf -) | tar -x -C "$copy"
# The libraries Emscripten builds once are this build's own, not built again.
export ORVANTA_EMSCRIPTEN_CACHE="$source/build/emscripten-cache"
(
  cd "$copy"
  cmake --preset "$preset" >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
  cmake --build --preset "$preset" --target orvanta >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
)
zip_for() { if [ "$preset" = web ]; then echo --web "$1"; else echo "$1"; fi; }
python3 "$source/scripts/release_zip.py" $(zip_for "$build") "$work/first" >/dev/null
python3 "$source/scripts/release_zip.py" $(zip_for "$copy/build/$preset") "$work/second" >/dev/null

status=0
same() {  # what, first file, second file
  if cmp -s "$2" "$3"; then echo "ok   $1 the same in both builds ($(stat -c %s "$2") bytes)"
  else echo "FAIL $1 differs: $(cmp "$2" "$3" 2>&1 | head -n 1)"; status=1; fi
}
if [ "$preset" = web ]; then
  for file in "$build"/page/*; do same "${file##*/}" "$file" "$copy/build/web/page/${file##*/}"; done
else
  same "program" "$build/orvanta.exe" "$copy/build/win32/orvanta.exe"
fi
zip=$(cd "$work/first" && ls -- *.zip)
same "$zip" "$work/first/$zip" "$work/second/$zip"
same "SHA256SUMS" "$work/first/SHA256SUMS" "$work/second/SHA256SUMS"
exit $status

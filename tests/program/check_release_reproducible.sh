#!/usr/bin/env bash
# Builds the release a second time, from a copy of the sources in a folder of
# another path length, and checks that the program and the zip are the same
# bytes as those of this build: nothing of the build folder, the path or the
# time reaches them.
# Usage: check_release_reproducible.sh BUILD_DIR SOURCE_DIR
# Exits 77 (skipped) where SOURCE_DIR is no git work tree to copy from.
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
git -C "$source" rev-parse --is-inside-work-tree >/dev/null 2>&1 || { echo "not a git work tree: skipped"; exit 77; }

work=$(mktemp -d "${TMPDIR:-/tmp}/orvanta-release-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
copy="$work/a/second/source/folder/with/a/longer/path"
mkdir -p "$copy"
# The sources as they are in the work tree: tracked files and new ones not ignored.
(cd "$source" && git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
  tar --null -T - -cf -) | tar -x -C "$copy"

python3 "$source/scripts/release_zip.py" "$build" "$work/first" >/dev/null
(
  cd "$copy"
  cmake --preset win32 >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
  cmake --build --preset win32 --target orvanta >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
)
python3 "$source/scripts/release_zip.py" "$copy/build/win32" "$work/second" >/dev/null

status=0
same() {  # what, first file, second file
  if cmp -s "$2" "$3"; then echo "ok   $1 the same in both builds ($(stat -c %s "$2") bytes)"
  else echo "FAIL $1 differs: $(cmp "$2" "$3" 2>&1 | head -n 1)"; status=1; fi
}
same "program" "$build/orvanta.exe" "$copy/build/win32/orvanta.exe"
zip=$(cd "$work/first" && ls -- *.zip)
same "$zip" "$work/first/$zip" "$work/second/$zip"
same "SHA256SUMS" "$work/first/SHA256SUMS" "$work/second/SHA256SUMS"
exit $status

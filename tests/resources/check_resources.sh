#!/usr/bin/env bash
# Checks the committed binary resources (orvanta.ico, about.jpg, hand.cur):
#  - they are rebuilt byte for byte by make_all.sh and, in a second run, by
#    the three make_*.sh scripts one by one (reproducible builds);
#  - their formats, as icotool and ImageMagick read them (resource_checks.py):
#    sizes, the icon's images, the cursor's hot spot and pixels, the JPEG frame;
#  - resource_checks.py rejects wrong copies of them made with the same tools.
# Prints one line per check.  Exit status: 0 all passed, 1 a check failed,
# 77 ImageMagick 6 or icotool is missing, so nothing could be checked.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
res=$(cd "$here/../../resources" && pwd)
checks="$here/resource_checks.py"
files=(orvanta.ico about.jpg hand.cur)
failed=0

result() {     # result OK TEXT
    if [[ $1 == 0 ]]; then
        echo "ok   $2"
    else
        echo "FAIL $2"
        failed=1
    fi
}

if ! command -v python3 > /dev/null; then
    echo "FAIL python3 is needed to check the resources"
    exit 1
fi

if [[ ! -x ${IM_CONVERT:-/usr/bin/convert} ]] || ! command -v icotool > /dev/null; then
    echo "skip: needs ${IM_CONVERT:-/usr/bin/convert} (ImageMagick 6) and icotool (icoutils)"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$res/make_all.sh" "$work/first" > "$work/first.log" 2>&1
result $? "rebuild: make_all.sh succeeds"
for script in make_icon.sh make_about_picture.sh make_cursor.sh; do
    "$res/$script" "$work/second" >> "$work/second.log" 2>&1
    result $? "rebuild: $script succeeds"
done
for f in "${files[@]}"; do
    cmp -s "$work/first/$f" "$work/second/$f"
    result $? "rebuild: $f is identical in two runs"
    cmp -s "$work/first/$f" "$res/$f"
    result $? "rebuild: committed $f equals the rebuilt one"
done
if (( failed )); then
    sed 's/^/     | /' "$work/first.log" "$work/second.log"
fi

python3 "$checks" icon "$res/orvanta.ico" || failed=1
python3 "$checks" cursor "$res/hand.cur" || failed=1
python3 "$checks" picture "$res/about.jpg" || failed=1
python3 "$checks" selftest "$res" || failed=1

if (( failed )); then
    echo "resources: FAILED"
    exit 1
fi
echo "resources: all checks passed"

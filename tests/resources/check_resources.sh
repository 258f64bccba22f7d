#!/usr/bin/env bash
# Checks the committed binary resources (orvanta.ico, about.jpg, hand.cur):
#  - they are rebuilt byte for byte by make_all.sh and, in a second run, by
#    the three make_*.sh scripts one by one (reproducible builds);
#  - their formats, parsed by resource_checks.py: sizes, the icon directory,
#    the cursor's hot spot and mask, the JPEG frame;
#  - resource_checks.py itself rejects damaged copies of them.
# Prints one line per check.  Exit status: 0 all passed, 1 a check failed,
# 77 the formats passed but the build tools (ImageMagick 6, icotool) are
# missing, so the rebuild was skipped.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
res=$(cd "$here/../../resources" && pwd)
checks="$here/resource_checks.py"
files=(orvanta.ico about.jpg hand.cur)
failed=0
skipped=0

result() {     # result OK TEXT
    if [[ $1 == 0 ]]; then
        echo "ok   $2"
    else
        echo "FAIL $2"
        failed=1
    fi
}

if ! command -v python3 > /dev/null; then
    echo "FAIL python3 is needed to parse the resources"
    exit 1
fi

if [[ -x ${IM_CONVERT:-/usr/bin/convert} ]] && command -v icotool > /dev/null; then
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
else
    echo "skip rebuild: needs ${IM_CONVERT:-/usr/bin/convert} (ImageMagick 6) and icotool"
    skipped=1
fi

python3 "$checks" icon "$res/orvanta.ico" || failed=1
python3 "$checks" cursor "$res/hand.cur" || failed=1
python3 "$checks" picture "$res/about.jpg" || failed=1
python3 "$checks" selftest "$res" || failed=1

if (( failed )); then
    echo "resources: FAILED"
    exit 1
fi
if (( skipped )); then
    echo "resources: formats passed, rebuild skipped"
    exit 77
fi
echo "resources: all checks passed"

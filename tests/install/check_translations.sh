#!/usr/bin/env bash
# check_translations.sh LUPDATE SOURCE_DIR TS...: brings a copy of each translation source up
# to date with the texts in SOURCE_DIR and fails on any unfinished entry, so a text added
# without a translation is caught even before anyone runs the update.
set -euo pipefail
lupdate="$1"
src="$2"
shift 2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$@"; do
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    "$lupdate" -silent -locations none "$src" -ts "$copy"
    unfinished="$(grep -c 'type="unfinished"' "$copy" || true)"
    if [ "$unfinished" -ne 0 ]; then
        echo "FAIL: $(basename "$ts"): $unfinished unfinished entries;" \
             "run the update_translations target and translate them:"
        grep -B3 'type="unfinished"' "$copy" | grep '<source>' | head -20
        status=1
    fi
done
exit "$status"

#!/usr/bin/env bash
# check_manpages.sh PROGRAM MANPAGE: every long option PROGRAM --help prints is described in
# MANPAGE. Exits 77 (skipped) when PROGRAM has no --help yet, i.e. prints no usage line within
# a few seconds (a GUI program without a command line would start its window instead).
set -euo pipefail
program="$1"
page="$2"
set +e
help="$(QT_QPA_PLATFORM=offscreen timeout 5 "$program" --help 2>&1)"
set -e
if ! grep -q '^Usage:' <<<"$help"; then
    echo "SKIP: $(basename "$program") --help prints no usage line yet"
    exit 77
fi
# Options as the help lists them ("  -h, --help", "  --name <name>"); in roff the dashes of the
# page are escaped ("\-\-name").
options="$(grep -oE '^ +(-[[:alnum:]], )?--[[:alnum:]-]+' <<<"$help" \
    | grep -oE -- '--[[:alnum:]-]+')"
[ -n "$options" ] || { echo "FAIL: no long option found in the --help text"; exit 1; }
text="$(sed 's/\\-/-/g' "$page")"
missing=0
for option in $options; do
    if ! grep -qE -- "(^|[^[:alnum:]-])$option([^[:alnum:]-]|$)" <<<"$text"; then
        echo "FAIL: $option is missing from $(basename "$page")"
        missing=1
    fi
done
exit "$missing"

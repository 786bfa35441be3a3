#!/bin/sh
# Extracts the translatable texts of the sources into the Linguist files.
#   tools/update-translations.sh            updates every translations/Vistrel_*.ts
#   tools/update-translations.sh FILE.ts... updates these files instead (any folder)
# Each file keeps its target language; texts that left the code are dropped, new ones come in
# unfinished, and translations of unchanged texts stay. The lupdate program is taken from
# LUPDATE when set, else from PATH.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-lupdate}

# Every folder whose sources hold translatable texts; tools/make-assets draws the words of the
# language-dependent images.
sources="app ui map playlist telemetry video media report tools/make-assets"

if [ $# -eq 0 ]; then
    set -- "$root"/translations/Vistrel_*.ts
    [ -e "$1" ] || { echo "update-translations: no translations/Vistrel_*.ts" >&2; exit 1; }
else
    # The file names are taken before the working folder changes.
    for ts; do
        case $ts in
        /*) shift; set -- "$@" "$ts" ;;
        *) shift; set -- "$@" "$PWD/$ts" ;;
        esac
    done
fi

cd "$root"
# shellcheck disable=SC2086 # the folder list splits on purpose
exec "$lupdate" -locations none -no-obsolete -source-language en_US $sources -ts "$@"

#!/bin/sh
# Brings the translation files in resources/translations/ up to date with
# the texts in ui/ and controls/: new texts appear unfinished, texts no
# longer in the code are marked vanished, finished translations stay.
# kiv_en.ts holds only the English singular and plural forms of the texts
# that count ("%n file(s)").
#
#     sh tools/update-translations.sh [OUTPUT_FOLDER]
#
# With OUTPUT_FOLDER, the files are copied there and updated there instead
# (the tests check a copy).
set -e
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-$(command -v lupdate6 || command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
folder=resources/translations
if [ -n "$1" ]; then
    mkdir -p "$1"
    cp $folder/*.ts "$1"/
    folder=$1
fi
sources=$(find ui controls -name '*.cpp' -o -name '*.h' | grep -v '/demo/' | sort)
for language in de fr es zh_CN; do
    "$LUPDATE" -silent -locations none -no-obsolete -target-language $language $sources \
        -ts "$folder/kiv_$language.ts"
done
"$LUPDATE" -silent -locations none -no-obsolete -pluralonly -target-language en $sources \
    -ts "$folder/kiv_en.ts"

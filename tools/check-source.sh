#!/bin/sh
# Formatting and layering checks run by CI.
set -e
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
# The engine, the formats table and the application shell build without Qt.
if grep -rn '#include <Q' formats app COMMON enc cli; then
    echo "Qt include found in formats/, app/, COMMON/, enc/ or cli/" >&2
    exit 1
fi
sh tools/check-layers.sh
echo "source checks passed"

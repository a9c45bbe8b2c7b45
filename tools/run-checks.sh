#!/usr/bin/env bash
# Checks that need no build: includes point down the layers
# (tools/check-layering.py) and every C++ source is formatted as the
# repository's .clang-format says. CI runs it before the tests; `make format`
# fixes the formatting.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0

echo "Checking the layering of includes..."
/usr/bin/python3 tools/check-layering.py || status=1

echo "Checking the formatting of C++ sources..."
unformatted=()
while IFS= read -r -d '' file; do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        unformatted+=("$file")
    fi
done < <(git ls-files -z '*.cpp' '*.h')

if [ ${#unformatted[@]} -gt 0 ]; then
    printf 'Not formatted (run make format): %s\n' "${unformatted[@]}"
    status=1
fi

exit $status

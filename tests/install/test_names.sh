#!/usr/bin/env bash
# Every test of the suite has a short, stable name that `ctest -R` can select: no printed
# parameter object in it.
#   test_names.sh BUILD_DIR
set -euo pipefail
names=$(ctest --test-dir "$1" -N | sed -n 's/^ *Test *#[0-9]*: //p')
[ -n "$names" ] || { echo "FAILED: ctest lists no tests" >&2; exit 1; }
bad=$(printf '%s\n' "$names" | grep -E 'GetParam|byte object|.{200}' || true)
if [ -n "$bad" ]; then
    echo "FAILED: test names that print their parameter or run past 200 characters:" >&2
    printf '%s\n' "$bad" | cut -c1-160 >&2
    exit 1
fi
echo "$(printf '%s\n' "$names" | wc -l) test names, none longer than 200 characters"

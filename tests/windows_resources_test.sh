#!/usr/bin/env bash
# Compiles the Windows resource script with windres and reads the result back: the
# version block and the file icon must be what Windows will show.
# Usage: windows_resources_test.sh WINDRES GENERATED_INCLUDE_DIR RC_FILE
set -euo pipefail
windres=$1 generated=$2 rc=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$(dirname "$rc")"
"$windres" --preprocessor=cpp -I "$generated" "$(basename "$rc")" -O res -o "$work/varnock.res"
"$windres" -i "$work/varnock.res" -O rc > "$work/back.rc"

failed=0
expect() {  # expect TEXT: the decompiled script holds the line
  if ! grep -qF -- "$1" "$work/back.rc"; then
    echo "missing: $1"
    failed=1
  fi
}
expect ' FILEVERSION 2, 0, 0, 0'
expect ' PRODUCTVERSION 2, 0, 0, 0'
expect 'VALUE "FileVersion", "2.0.0.0"'
expect 'VALUE "ProductVersion", "2,0,0,0_BETA"'
expect '128 14 /* RT_GROUP_ICON */'
expect '"\060\060\000\000", 1, 24,'  # 48 x 48, 24 bits
expect '"\020\020\000\000", 1, 24,'  # 16 x 16, 24 bits
[ "$failed" -eq 0 ] && echo "1 passed, 0 failed"
exit "$failed"

#!/usr/bin/env bash
# Reads the Windows programs back as Windows reads them: each imports the system's DLLs
# alone, and each carries its resources (the dialog program its icons, logo and manifest).
# Usage: windows_binaries_test.sh OBJDUMP WINDRES VARNOCK_EXE VARNOCK_CLI_EXE
set -euo pipefail
objdump=$1 windres=$2 dialog=$3 cli=$4
failed=0
expect() {  # expect FILE TEXT: the decompiled resources of FILE hold TEXT
  grep -qF -- "$2" <("$windres" -i "$1" -O rc) || { echo "$(basename "$1") lacks: $2"; failed=1; }
}
for exe in "$dialog" "$cli"; do
  for dll in $("$objdump" -p "$exe" | awk '/DLL Name:/ { print $3 }'); do
    if ! [[ $dll =~ ^(KERNEL32|USER32|GDI32|SHELL32|COMCTL32|msvcrt)\.dll$ ]]; then
      echo "$(basename "$exe") imports $dll"
      failed=1
    fi
  done
  expect "$exe" ' FILEVERSION 2, 0, 0, 0'
  expect "$exe" 'VALUE "ProductVersion", "2,0,0,0_BETA"'
  expect "$exe" 'VALUE "OriginalFilename", "'"$(basename "$exe")"'"'
  expect "$exe" '128 14 /* RT_GROUP_ICON */'                   # the file icon:
  expect "$exe" '"\060\060\000\000", 1, 24, 0x1ca8L, 1,'  # 48 x 48, 24 bits
  expect "$exe" '"\020\020\000\000", 1, 24, 0x368L, 2'    # 16 x 16, 24 bits
done
expect "$dialog" '172 14 /* RT_GROUP_ICON */'
expect "$dialog" '"\020\020\000\000", 1, 24, 0x368L, 3'  # the window's own, 16 x 16
expect "$dialog" '174 2 /* RT_BITMAP */'
expect "$dialog" '0x28L      , 0x64L      , 0x20L      , 0x180001L'  # 100 x 32, 24 bits
expect "$dialog" 'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""'
expect "$dialog" 'PerMonitorV2'
[ "$failed" -eq 0 ] && echo "2 programs checked"
exit "$failed"

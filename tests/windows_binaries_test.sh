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
    [[ $dll =~ ^(KERNEL32|USER32|GDI32|SHELL32|COMCTL32|ole32|msvcrt)\.dll$ ]] ||
      { echo "$(basename "$exe") imports $dll"; failed=1; }
  done
  expect "$exe" ' FILEVERSION 2, 0, 0, 0'
  expect "$exe" 'VALUE "ProductVersion", "2,0,0,0_BETA"'
  expect "$exe" 'VALUE "OriginalFilename", "'"$(basename "$exe")"'"'
  # The file icon at 16, 20, 24, 32, 40, 48 and 256 (0) pixels, each 32 bits.
  expect "$exe" '128 14 /* RT_GROUP_ICON */'
  expect "$exe" '0, 1, 7,'
  for size in 020 024 030 040 050 060 000; do
    expect "$exe" '"\'$size'\'$size'\000\000", 1, 32,'
  done
done
expect "$dialog" '172 14 /* RT_GROUP_ICON */'  # the window's own: 16 to 32 pixels
expect "$dialog" '0, 1, 4,'
# The logo, 256 colours: 100 x 32, and for 125%, 150% and 200%.
for logo in '174 0x64L      , 0x20L' '175 0x7dL      , 0x28L' '176 0x96L      , 0x30L' \
            '177 0xc8L      , 0x40L'; do
  expect "$dialog" "${logo%% *} 2 /* RT_BITMAP */"
  expect "$dialog" "0x28L      , ${logo#* }      , 0x80001L"
done
expect "$dialog" 'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""'
expect "$dialog" 'PerMonitorV2'
[ "$failed" -eq 0 ] && echo "2 programs checked"
exit "$failed"

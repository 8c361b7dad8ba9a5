#!/bin/sh
# The program must be a 32-bit Windows GUI executable that needs nothing but
# Windows' own libraries.
exe=$1
objdump=${2:-i686-w64-mingw32-objdump}
set -e
export LC_ALL=C  # objdump speaks the locale's language otherwise
headers=$("$objdump" -p "$exe")
echo "$headers" | grep -q 'file format pei-i386' || { echo "not a PE32 i386 file"; exit 1; }
echo "$headers" | grep -Eq 'Subsystem[[:space:]]+0+2[[:space:]]+\(Windows GUI\)' || { echo "not a GUI program"; exit 1; }
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|winmm|version|msvcrt|ole32|shlwapi|msimg32)\.dll$'
status=0
for dll in $(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
  lower=$(echo "$dll" | tr 'A-Z' 'a-z')
  if echo "$lower" | grep -Eq "$allowed"; then
    echo "imports $dll"
  else
    echo "imports a non-system library: $dll"
    status=1
  fi
done
exit $status

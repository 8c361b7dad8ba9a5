#!/bin/sh
# Checks one architecture's shipped install: ZantoPlay.exe is a Windows GUI
# program of that architecture and ZantoSkinCheck.exe a console one, both
# need nothing but Windows' own libraries, the player carries its application
# manifest, and the skins lie beside them.
# Usage: check_exe.sh i686|x86_64 INSTALL_FOLDER
arch=$1 out=$2
case $arch in
  i686) format=pei-i386 ;;
  x86_64) format=pei-x86-64 ;;
  *) echo "unknown architecture $arch"; exit 2 ;;
esac
objdump=$arch-w64-mingw32-objdump
export LC_ALL=C  # objdump speaks the locale's language otherwise
status=0
fail() { echo "FAIL: $*"; status=1; }

# check_program FILE SUBSYSTEM: format, subsystem and imports of one program.
check_program() {
  headers=$("$objdump" -p "$1") || { fail "$1 cannot be read"; return; }
  echo "$headers" | grep -q "file format $format\$" || fail "$1 is not a $format file"
  echo "$headers" | grep -Eq "^Subsystem[[:space:]]+[0-9a-f]+[[:space:]]+\\($2\\)" ||
    fail "$1 is not a $2 program"
  allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|winmm|version|msvcrt|ole32|shlwapi|msimg32)\.dll$'
  for dll in $(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    if echo "$lower" | grep -Eq "$allowed"; then
      echo "$(basename "$1") imports $dll"
    else
      fail "$(basename "$1") imports a non-system library: $dll"
    fi
  done
}

# The bytes of resource type 24 (manifest), id 1, read through objdump's
# listing of the resource directory and the .rsrc section's file offset.
manifest_of() {
  leaf=$("$objdump" -p "$1" | awk '
    # The indentation of an entry says its level: type, then name.
    / Entry: ID: / { depth = index($0, "Entry"); id = $4 }
    / Entry: ID: / && depth == 7 { type = id }
    / Entry: ID: / && depth == 9 { name = id }
    /Leaf: Addr:/ && type == "0x000018," && name == "0x000001," { print $4, $6; exit }')
  [ -n "$leaf" ] || return 1
  set -- "$1" $leaf
  section=$("$objdump" -h "$1" | awk '$2 == ".rsrc" { print $4, $6 }')
  set -- "$@" $section
  # $2 data RVA, $3 size; $4 section VMA, $5 its file offset.
  image_base=$("$objdump" -p "$1" | awk '$1 == "ImageBase" { print $2 }')
  offset=$(( ${2%,} - (0x$4 - 0x$image_base) + 0x$5 ))
  size=$(( ${3%,} ))
  tail -c +$((offset + 1)) "$1" | head -c "$size"
}

check_program "$out/ZantoPlay.exe" "Windows GUI"
check_program "$out/ZantoSkinCheck.exe" "Windows CUI"

manifest=$(manifest_of "$out/ZantoPlay.exe") || fail "ZantoPlay.exe has no manifest (type 24, id 1)"
if [ -n "$manifest" ]; then
  # Version 6 of the common controls for the program's own architecture, and
  # never elevated.
  echo "$manifest" | tr -d '\r\n' | grep -Eq 'name="Microsoft\.Windows\.Common-Controls"[[:space:]]+version="6\.0\.0\.0"[[:space:]]+processorArchitecture="\*"' ||
    fail "the manifest does not ask for Common-Controls 6.0.0.0 of any architecture"
  echo "$manifest" | grep -q 'requestedExecutionLevel level="asInvoker"' ||
    fail "the manifest does not run the program as its invoker"
  echo "ZantoPlay.exe has a manifest of $(printf %s "$manifest" | wc -c) bytes"
fi

for skin in ZantoPlay1.rc perch/Perch.rc; do
  [ -f "$out/$skin" ] || fail "$skin is missing from $out"
done
exit $status

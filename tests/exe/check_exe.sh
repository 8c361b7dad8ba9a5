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
  allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|winmm|version|msvcrt|ole32|shlwapi|msimg32|bcrypt|winhttp)\.dll$'
  for dll in $(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    if echo "$lower" | grep -Eq "$allowed"; then
      echo "$(basename "$1") imports $dll"
    else
      fail "$(basename "$1") imports a non-system library: $dll"
    fi
  done
}

# The manifest's text as it lies in the resource section. Its type and id
# come from the resource object the test programs link too, and the manifest
# test finds it there under type 24, id 1.
manifest=$(tr -d '\r\n\000' < "$out/ZantoPlay.exe" | grep -ao '<assembly .*</assembly>')
if [ -z "$manifest" ]; then
  fail "ZantoPlay.exe carries no manifest"
else
  # Version 6 of the common controls for the program's own architecture, and
  # never elevated.
  echo "$manifest" | grep -Eq 'name="Microsoft\.Windows\.Common-Controls"[[:space:]]+version="6\.0\.0\.0"[[:space:]]+processorArchitecture="\*"' ||
    fail "the manifest does not ask for Common-Controls 6.0.0.0 of any architecture"
  echo "$manifest" | grep -q 'requestedExecutionLevel level="asInvoker"' ||
    fail "the manifest does not run the program as its invoker"
  echo "ZantoPlay.exe has a manifest of ${#manifest} characters"
fi

check_program "$out/ZantoPlay.exe" "Windows GUI"
check_program "$out/ZantoSkinCheck.exe" "Windows CUI"

for skin in ZantoPlay1.rc perch/Perch.rc; do
  [ -f "$out/$skin" ] || fail "$skin is missing from $out"
done
exit $status

# Sourced by test.sh and run.sh: the Wine environment the program and its tests
# run in. Defines zanto_wine_start BUILD_DIR [PREFIX] and zanto_wine_stop.

zanto_xvfb_pid=""

# The Windows architecture this machine's Wine runs: i686 where the 32-bit
# loader starts, else x86_64 (kernels without 32-bit compatibility).
# ZANTO_ARCH=x86_64 in the environment forces the x86_64 path, to try what a
# machine without 32-bit support does.
zanto_arch() {
  if [ -n "${ZANTO_ARCH:-}" ]; then
    echo "$ZANTO_ARCH"
  elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo i686
  else
    echo x86_64
  fi
}

# The install folder of the architecture zanto_arch runs, in BUILD_DIR: out/
# holds the 32-bit program, out64/ the 64-bit one.
zanto_out_dir() {
  if [ "$(zanto_arch)" = i686 ]; then echo "$1/out"; else echo "$1/out64"; fi
}

# On an x86_64-only machine every "wine" of ours, ctest's and wineboot's
# included, must be the 64-bit loader: Debian's scripts pick the 32-bit one.
zanto_use_wine64() {
  local shim="$1/wine64-shim" name
  mkdir -p "$shim"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' >"$shim/$name"
    chmod +x "$shim/$name"
  done
  export PATH="$shim:$PATH"
}

zanto_start_xvfb() {
  # Xvfb picks a free display number itself and reports it on a file.
  local numberFile
  numberFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
  zanto_xvfb_pid=$!
  local i
  for i in $(seq 1 200); do
    [ -s "$numberFile" ] && break
    sleep 0.05
  done
  local n
  n=$(tr -dc '0-9' <"$numberFile")
  rm -f "$numberFile"
  [ -n "$n" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$n"
}

# Japanese face names the program asks for, drawn with the installed IPA font.
zanto_font_replacements() {
  local face
  for face in "ＭＳ Ｐゴシック" "ＭＳ ゴシック" "MS PGothic" "MS Gothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "IPAPGothic" /f >/dev/null 2>&1
  done
}

# Makes the virtual CD drive of BUILD_DIR the prefix's "cdaudio" device: Wine
# reads the MCI key, Windows the MCI32 key. Run at every start, as a Wine
# update of the prefix puts its own driver back.
zanto_register_virtual_cd() {
  local dll
  dll="$(cd "$1" && pwd)/tools/virtual-cd/virtual_cd.dll"
  local windowsPath="Z:${dll//\//\\\\}"
  local regFile
  regFile=$(mktemp --suffix=.reg)
  {
    echo 'REGEDIT4'
    echo
    echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\MCI]'
    echo "\"cdaudio\"=\"$windowsPath\""
    echo
    echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\MCI32]'
    echo "\"cdaudio\"=\"$windowsPath\""
  } >"$regFile"
  local status=0
  wine regedit /S "Z:${regFile//\//\\}" >/dev/null 2>&1 </dev/null || status=$?
  rm -f "$regFile"
  return $status
}

# D: and E: as CD-ROM drives, the two drives of the virtual CD drive. Wine's
# mount manager calls a letter a CD-ROM drive when HKLM\Software\Wine\Drives
# says "cdrom" for it and dosdevices has it (a link to any folder); it reads
# them only as the prefix starts, so a first mapping restarts the prefix. A
# letter the prefix already uses for something else is left alone.
zanto_map_cd_drives() {
  local letter link added=""
  for letter in d e; do
    link="$WINEPREFIX/dosdevices/$letter:"
    if [ -L "$link" ] || [ -e "$link" ]; then
      case "$(readlink "$link")" in ../virtual-cd/*) ;; *) continue ;; esac
    else
      mkdir -p "$WINEPREFIX/virtual-cd/$letter"
      ln -s "../virtual-cd/$letter" "$link"
      added=yes
    fi
    if ! grep -q "^\"$letter:\"=\"cdrom\"" "$WINEPREFIX/system.reg" 2>/dev/null; then
      wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d cdrom /f >/dev/null 2>&1 </dev/null
      added=yes
    fi
  done
  [ -n "$added" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p >/dev/null 2>&1 </dev/null || true
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

zanto_wine_start() {
  local build
  build=$(cd "$1" && pwd)
  export WINEPREFIX="${2:-$build/wineprefix}"
  if [ "$(zanto_arch)" = i686 ]; then
    export WINEARCH=win32
  else
    export WINEARCH=win64
    zanto_use_wine64 "$build"
  fi
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=ja_JP.UTF-8
  if [ -z "${DISPLAY:-}" ]; then
    zanto_start_xvfb
  fi
  # Wine's background processes inherit our standard streams: keep them off
  # any pipe the caller may be reading. The persistent server comes first so
  # the prefix's own start-up uses it too (it fails if one already runs here).
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 </dev/null || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 </dev/null
    zanto_font_replacements
    # Xvfb has no window manager: without this, closing a shown window waits
    # about two seconds for one.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  fi
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  zanto_map_cd_drives
  zanto_register_virtual_cd "$build"
}

zanto_wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$zanto_xvfb_pid" ]; then
    kill "$zanto_xvfb_pid" 2>/dev/null || true
    wait "$zanto_xvfb_pid" 2>/dev/null || true
    zanto_xvfb_pid=""
  fi
}

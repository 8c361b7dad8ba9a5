# Sourced after wine-env.sh's zanto_wine_start: the demo disc in the virtual
# drive and a copy of the install folder with the disc's track titles.
# zanto_demo_install BUILD_DIR DEMO_DIR [SPEED] sets zanto_demo_player (the
# folder holding ZantoPlay.exe) and zanto_demo_disc (the disc file);
# zanto_demo_image DIR makes the same disc as a disc image.

zanto_demo_install() {
  local build=$1 demo=$2 speed=${3:-1}
  mkdir -p "$demo"
  zanto_demo_disc="$demo/disc.txt"
  local identity=305419896 # 0x12345678
  cat >"$zanto_demo_disc" <<DISC
# The disc in the virtual drive. Set present = no to take it out, tray = open
# to open the tray; the player notices within half a second.
present = yes
tray = closed
identity = $identity
track = 04:12:30
track = 03:48:05
track = 05:01:60
track = 02:57:12
track = 04:30:00
track = 03:21:44
track = 06:05:18
track = 03:59:70
track = 04:44:02
track = 02:38:55
track = 05:17:33
track = 07:02:09
DISC

  local reg_file disc_windows
  reg_file=$(mktemp --suffix=.reg)
  disc_windows="Z:${zanto_demo_disc//\//\\}"
  {
    echo 'REGEDIT4'
    echo
    echo '[HKEY_CURRENT_USER\Software\Zanto\VirtualCD]'
    echo "\"DiscFile\"=\"${disc_windows//\\/\\\\}\""
    echo "\"Speed\"=\"$speed\""
    # Settle like a real drive: not ready, then the contents unreadable for a
    # while after a disc goes in, and a stop that reports a position a little off.
    echo '"NotReadyMs"="1500"'
    echo '"TocSettleMs"="1500"'
    echo '"StopDriftFrames"="30"'
    echo '"LogFile"=-'
  } >"$reg_file"
  wine regedit /S "Z:${reg_file//\//\\}" >/dev/null 2>&1 </dev/null
  rm -f "$reg_file"

  # A copy of the install folder, so the settings and disc memory the demo
  # writes never end up in build/out.
  zanto_demo_player="$demo/player"
  mkdir -p "$zanto_demo_player"
  cp -rf "$(zanto_out_dir "$build")/"* "$zanto_demo_player/"

  zanto_demo_titles "$identity"
}

# The demo disc's track titles beside the program, under the disc identity
# given (decimal), in the ANSI code page the player runs with. Added once;
# the player keeps its own entries there.
zanto_demo_titles() {
  local cd_ini="$zanto_demo_player/CD.ini" section
  section=$(printf '%X' "$1")
  if ! grep -qi "^\[$section\]" "$cd_ini" 2>/dev/null; then
    local titles=("朝の光" "Harbour Lights" "雨上がりの坂道" "Paper Planes" "夜行列車" "Slow Tide"
                  "風のうた" "Lanterns" "遠い記憶" "Morning Glass" "星降る丘" "Homeward")
    local i
    {
      printf '[%s]\r\n' "$section"
      for i in "${!titles[@]}"; do printf '%d=%s\r\n' "$i" "${titles[$i]}"; done
    } | iconv -f UTF-8 -t CP932 >>"$cd_ini"
  fi
}

# After zanto_demo_install: the demo disc as a disc image in DIR (made once,
# a tone per track), with the same titles. Sets zanto_demo_image to the
# Windows path of its CUE sheet.
zanto_demo_image() {
  local dir=$1 root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  if [ ! -s "$dir/demo.cue" ] || [ ! -s "$dir/identity" ]; then
    python3 "$root/make_demo_image.py" "$dir" >"$dir.identity.tmp" && mv "$dir.identity.tmp" "$dir/identity"
  fi
  zanto_demo_titles "$(cat "$dir/identity")"
  zanto_demo_image="Z:${dir//\//\\}\\demo.cue"
}

#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need: both cross
# compilers (the program ships as i686 and x86_64), Wine, Xvfb and the rest.
# Safe to run again: it only calls apt when a package is missing.
set -euo pipefail

packages=(
  cmake ninja-build make
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine32:i386 wine64
  xvfb xauth xdotool imagemagick
  pulseaudio pulseaudio-utils
  googletest libstb-dev nlohmann-json3-dev
  python3
  fonts-ipafont-gothic
  locales
)

need_i386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_i386=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if [ "$need_i386" -eq 1 ]; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
if [ "${#missing[@]}" -gt 0 ] || [ "$need_i386" -eq 1 ]; then
  echo "install-deps: installing ${missing[*]:-(i386 architecture)}"
  export DEBIAN_FRONTEND=noninteractive
  # A mirror caught mid-sync fails one index (seen: the i386 security one);
  # the others are still fresh enough to install from.
  "${sudo_cmd[@]}" apt-get update -qq || echo "install-deps: apt-get update reported errors; going on" >&2
  if ! "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    # With that index stale, amd64's newest library (from security) has no
    # i386 twin and wine32 cannot be resolved: take both from the release.
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    echo "install-deps: retrying from the ${release:-base} release alone" >&2
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends ${release:+-t "$release"} "${missing[@]}" >/dev/null
  fi
fi

# Wine needs a Japanese locale to run with the ANSI code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  echo "install-deps: generating ja_JP.UTF-8"
  if [ -f /etc/locale.gen ]; then
    "${sudo_cmd[@]}" sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null
  else
    "${sudo_cmd[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  fi
fi

#!/usr/bin/env bash
# Installs, on Debian as root, whatever building, testing and running Tavlin
# needs and the machine lacks; a machine that has it all is left untouched.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth fonts-ipafont-gothic fonts-liberation locales
  fonts-ipafont-mincho  # the vertical Mincho face of posters
  fonts-wine  # Marlett: the caption buttons of the frames Wine draws
  clang libclang-rt-14-dev imagemagick x11-utils
  e2fsprogs  # chattr: a folder that refuses new files under Wine
  python3  # the package measures the dictionary inside its zip
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null |
      grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  if ((EUID != 0)); then
    echo "install-deps: run as root to install: ${missing[*]}" >&2
    exit 1
  fi
  echo "install-deps: installing ${missing[*]}"
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
fi

# Wine takes code page 932 from the Japanese locale, which must be generated.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  if ((EUID != 0)); then
    echo "install-deps: run as root to generate the locale ja_JP.UTF-8" >&2
    exit 1
  fi
  if grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
    sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  elif ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  fi
  locale-gen
fi

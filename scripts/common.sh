# Shared by the scripts: where the trees are, how Wine and the display are
# set up. Sourced, not run.

TAVLIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TAVLIN_BUILD="${TAVLIN_BUILD:-$TAVLIN_ROOT/build}"
TAVLIN_NATIVE="$TAVLIN_BUILD/native"
TAVLIN_WINDOWS="$TAVLIN_BUILD/windows"
TAVLIN_SANITIZE="$TAVLIN_BUILD/sanitize"

export WINEPREFIX="$TAVLIN_WINDOWS/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8

configure_native() {
  cmake -S "$TAVLIN_ROOT" -B "$TAVLIN_NATIVE" -G Ninja "$@" >/dev/null
}

# The core tests once more, under AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the test that caused it.
configure_sanitize() {
  CC=clang CXX=clang++ cmake -S "$TAVLIN_ROOT" -B "$TAVLIN_SANITIZE" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
    "$@" >/dev/null
}

# Release, as it ships: the tests under Wine run the very Tavlin.exe that
# the package command puts in the zip.
configure_windows() {
  cmake -S "$TAVLIN_ROOT" -B "$TAVLIN_WINDOWS" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TAVLIN_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

# A prefix of the build tree's own, made once. Its user folders become plain
# folders, so that nothing the program writes there reaches the real home.
ensure_wine_prefix() {
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [[ -L "$link" ]]; then
      rm "$link"
      mkdir -p "$link"
    fi
  done
}

# Starts Xvfb on a free display when none is set; stop_display ends it.
TAVLIN_XVFB_PID=""
ensure_display() {
  [[ -n "${DISPLAY:-}" ]] && return 0
  local number=90
  while [[ -e "/tmp/.X$number-lock" || -e "/tmp/.X11-unix/X$number" ]]; do
    number=$((number + 1))
  done
  Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  TAVLIN_XVFB_PID=$!
  local waited=0
  until [[ -e "/tmp/.X11-unix/X$number" ]]; do
    if ((waited >= 100)) || ! kill -0 "$TAVLIN_XVFB_PID" 2>/dev/null; then
      echo "Xvfb did not start on :$number" >&2
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  export DISPLAY=":$number"
}

stop_display() {
  if [[ -n "$TAVLIN_XVFB_PID" ]]; then
    kill "$TAVLIN_XVFB_PID" 2>/dev/null || true
    wait "$TAVLIN_XVFB_PID" 2>/dev/null || true
    TAVLIN_XVFB_PID=""
  fi
}

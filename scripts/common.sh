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
    -DTAVLIN_MAKE_READING_DICTIONARY=OFF \
    "$@" >/dev/null
}

# Release, as it ships: the tests under Wine run the very Tavlin.exe that
# the package command puts in the zip.
configure_windows() {
  cmake -S "$TAVLIN_ROOT" -B "$TAVLIN_WINDOWS" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TAVLIN_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DTAVLIN_READING_DICTIONARY="$TAVLIN_NATIVE/読み辞書.dic" "$@" >/dev/null
}

# The reading dictionary (読み辞書.dic), made by the native tree from
# Debian's mecab-ipadic, with its licence notice beside it.
build_reading_dictionary() {
  configure_native "$@" && cmake --build "$TAVLIN_NATIVE" --target reading_dictionary
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
  # The frames Wine draws take their caption buttons from its Marlett,
  # which this Wine does not look for in fonts-wine's folder by itself.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [[ ! -f "$fonts/marlett.ttf" && -f /usr/share/wine/fonts/marlett.ttf ]]; then
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [[ -L "$link" ]]; then
      rm "$link"
      mkdir -p "$link"
    fi
  done
}

# Wine waits up to two seconds for a window manager to withdraw each
# top-level window it hides. On a display of our own no window manager runs,
# so every closing window would wait that long: there Wine manages its
# windows itself. On a display we were given, a window manager does.
# Needs the prefix (ensure_wine_prefix).
set_window_management() {
  local want="$1" unmanaged=false
  awk '/^\[/ { in_x11 = index($0, "[Software\\\\Wine\\\\X11 Driver]") == 1 }
       in_x11 && /^"Managed"="N"/ { found = 1 }
       END { exit !found }' "$WINEPREFIX/user.reg" 2>/dev/null && unmanaged=true
  if [[ $want == unmanaged && $unmanaged == false ]]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
      >/dev/null 2>&1 || true  # without it, only slower
  elif [[ $want == managed && $unmanaged == true ]]; then
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f \
      >/dev/null 2>&1 || true
  else
    return 0
  fi
  wineserver -w  # the registry reaches user.reg when the server ends
}

# Starts Xvfb on a free display when none is set; stop_display ends it.
TAVLIN_XVFB_PID=""
ensure_display() {
  if [[ -n "${DISPLAY:-}" ]]; then
    set_window_management managed
    return 0
  fi
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
  set_window_management unmanaged
}

stop_display() {
  if [[ -n "$TAVLIN_XVFB_PID" ]]; then
    kill "$TAVLIN_XVFB_PID" 2>/dev/null || true
    wait "$TAVLIN_XVFB_PID" 2>/dev/null || true
    TAVLIN_XVFB_PID=""
  fi
}

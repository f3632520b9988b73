# Shared steps of run.sh and test.sh: packages, libjpeg, the three builds, Wine prefix.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
WINE64=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

install_packages() {
  "$ROOT/scripts/install-deps.sh"
}

build_libjpeg() {
  "$ROOT/scripts/build-libjpeg.sh" x86_64 "$BUILD/deps/libjpeg-x86_64"
  "$ROOT/scripts/build-libjpeg.sh" i686 "$BUILD/deps/libjpeg-i686"
}

build_zlib() {
  "$ROOT/scripts/build-zlib.sh" x86_64 "$BUILD/deps/zlib-x86_64"
  "$ROOT/scripts/build-zlib.sh" i686 "$BUILD/deps/zlib-i686"
}

configure_and_build() {  # <dir> <extra cmake args...>
  local dir=$1; shift
  cmake -S "$ROOT" -B "$BUILD/$dir" -G Ninja -Wno-dev "$@" >/dev/null
  cmake --build "$BUILD/$dir" -j2
}

build_win64() {
  configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Debug \
    -DTIVORN_JPEG_DIR="$BUILD/deps/libjpeg-x86_64" -DTIVORN_ZLIB_DIR="$BUILD/deps/zlib-x86_64" -DTIVORN_WINEPREFIX="$BUILD/wineprefix"
}

build_win32() {
  configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DTIVORN_JPEG_DIR="$BUILD/deps/libjpeg-i686" -DTIVORN_ZLIB_DIR="$BUILD/deps/zlib-i686" -DTIVORN_WINEPREFIX="$BUILD/wineprefix"
}

# The core's libFuzzer targets, built with clang (tests/fuzz).
build_fuzz() {
  configure_and_build fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTIVORN_FUZZ=ON
}

build_native() {
  configure_and_build native -DCMAKE_BUILD_TYPE=Debug
}

# A project-local Wine prefix with the fonts a Windows user has.
prepare_wine_prefix() {
  export WINEPREFIX="$BUILD/wineprefix"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    xvfb-run -a "$WINE64" wineboot -i >/dev/null 2>&1 || true
    # Every window of the prefix lives in one virtual desktop: no X window manager
    # round trips (hiding a window would otherwise wait for one), and a taskbar
    # with the notification area as a Windows user has it.
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 || true
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1 || true
    "$ROOT/scripts/wait-wineserver.sh"
  fi
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/.tivorn-fonts" ]; then
    mkdir -p "$fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
    cp -n /usr/share/fonts/truetype/liberation/*.ttf "$fonts/" 2>/dev/null || true
    touch "$fonts/.tivorn-fonts"
  fi
  # Tahoma Bold drawn bold at small sizes, as on Windows (see the script).
  if [ -f /usr/share/wine/fonts/tahomabd.ttf ] && [ ! -f "$fonts/.tivorn-tahoma-bold" ]; then
    /usr/bin/python3 "$ROOT/scripts/tahoma-bold.py" /usr/share/wine/fonts/tahomabd.ttf "$fonts/tahomabd.ttf"
    touch "$fonts/.tivorn-tahoma-bold"
  fi
}

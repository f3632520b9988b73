# Shared steps of run.sh and test.sh: packages, libjpeg, the three builds, Wine prefix.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
WINE64=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

install_packages() {  # [run]: only what building and running the 64-bit program needs
  "$ROOT/scripts/install-deps.sh" "$@"
}

build_libjpeg() {
  "$ROOT/scripts/build-libjpeg.sh" x86_64 "$BUILD/deps/libjpeg-x86_64"
  "$ROOT/scripts/build-libjpeg.sh" i686 "$BUILD/deps/libjpeg-i686"
}

build_zlib() {
  "$ROOT/scripts/build-zlib.sh" x86_64 "$BUILD/deps/zlib-x86_64"
  "$ROOT/scripts/build-zlib.sh" i686 "$BUILD/deps/zlib-i686"
}

build_expat() {
  "$ROOT/scripts/build-expat.sh" x86_64 "$BUILD/deps/expat-x86_64"
  "$ROOT/scripts/build-expat.sh" i686 "$BUILD/deps/expat-i686"
}

configure_and_build() {  # <dir> <extra cmake args...>
  local dir=$1; shift
  cmake -S "$ROOT" -B "$BUILD/$dir" -G Ninja -Wno-dev "$@" >/dev/null
  cmake --build "$BUILD/$dir" -j2
}

build_win64() {
  configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Debug \
    -DTIVORN_JPEG_DIR="$BUILD/deps/libjpeg-x86_64" -DTIVORN_ZLIB_DIR="$BUILD/deps/zlib-x86_64" \
    -DTIVORN_EXPAT_DIR="$BUILD/deps/expat-x86_64" -DTIVORN_WINEPREFIX="$BUILD/wineprefix"
}

build_win32() {
  configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DTIVORN_JPEG_DIR="$BUILD/deps/libjpeg-i686" -DTIVORN_ZLIB_DIR="$BUILD/deps/zlib-i686" \
    -DTIVORN_EXPAT_DIR="$BUILD/deps/expat-i686" -DTIVORN_WINEPREFIX="$BUILD/wineprefix"
}

# The core's libFuzzer targets, built with clang (tests/fuzz).
build_fuzz() {
  configure_and_build fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTIVORN_FUZZ=ON
}

# The 64-bit program alone, with its installed folder (build/win64-release/Tivorn): what
# run.sh needs, without the tests. Optimised lightly (-O1): it compiles in about half the
# time of -O3, which a newcomer's first minutes notice and the program does not.
build_program() {
  cmake -S "$ROOT" -B "$BUILD/win64-release" -G Ninja -Wno-dev -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELEASE=-O1 -DNDEBUG" \
    -DTIVORN_TESTS=OFF \
    -DTIVORN_JPEG_DIR="$BUILD/deps/libjpeg-x86_64" -DTIVORN_ZLIB_DIR="$BUILD/deps/zlib-x86_64" \
    -DTIVORN_EXPAT_DIR="$BUILD/deps/expat-x86_64" >/dev/null
  cmake --build "$BUILD/win64-release" -j2 --target install_tree install_guide
}

build_native() {
  configure_and_build native -DCMAKE_BUILD_TYPE=Debug
}

# A project-local Wine prefix with the fonts a Windows user has.
#   prepare_wine_prefix        for the 64-bit programs (wine64)
#   prepare_wine_prefix 32     with the 32-bit half too (drive_c/windows/syswow64), which
#                              wine64's own wineboot cannot make on a kernel without 32-bit
#                              support: it is made through the 32-bit loader under qemu
prepare_wine_prefix() {
  export WINEPREFIX="$BUILD/wineprefix"
  local with32=${1:-}
  if [ -n "$with32" ] && [ -f "$WINEPREFIX/system.reg" ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    # A prefix that run.sh made for the 64-bit program: "wineboot -u" does not add the
    # 32-bit half to it (seen in a clean root), so it is made anew.
    echo "The Wine prefix $WINEPREFIX has no 32-bit half: making it anew." >&2
    "$ROOT/scripts/wait-wineserver.sh"
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    if [ -n "$with32" ]; then
      xvfb-run -a "$ROOT/scripts/run32.sh" wineboot -i >/dev/null 2>&1 || true
    else
      xvfb-run -a "$WINE64" wineboot -i >/dev/null 2>&1 || true
    fi
    # Every window of the prefix lives in one virtual desktop: no X window manager
    # round trips (hiding a window would otherwise wait for one), and a taskbar
    # with the notification area as a Windows user has it.
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 || true
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1 || true
    "$ROOT/scripts/wait-wineserver.sh"
  fi
  if [ -n "$with32" ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "The Wine prefix $WINEPREFIX has no 32-bit half (drive_c/windows/syswow64):" >&2
    echo "scripts/run32.sh wineboot did not make it. Check qemu-user (bookworm-backports) and wine32:i386." >&2
    return 1
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

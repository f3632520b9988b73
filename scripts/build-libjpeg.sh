#!/usr/bin/env bash
# Builds libjpeg-turbo from Debian's own source package as a static library for one
# MinGW target and caches it: scripts/build-libjpeg.sh <x86_64|i686> <install dir>
set -euo pipefail
arch=$1
prefix=$(realpath -m "$2")
[ -f "$prefix/lib/libjpeg.a" ] && exit 0

work=$(realpath -m "$prefix/../libjpeg-src")
mkdir -p "$work"
if ! ls -d "$work"/libjpeg-turbo-*/ >/dev/null 2>&1; then
  (cd "$work" && apt-get source --download-only libjpeg-turbo >/dev/null 2>&1 || apt-get source -d libjpeg-turbo)
  (cd "$work" && dpkg-source --no-check -x ./libjpeg-turbo_*.dsc >/dev/null)
fi
src=$(ls -d "$work"/libjpeg-turbo-*/ | head -n 1)

cat > "$work/toolchain-$arch.cmake" <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR $arch)
set(CMAKE_C_COMPILER $arch-w64-mingw32-gcc-posix)
set(CMAKE_RC_COMPILER $arch-w64-mingw32-windres)
TC
cmake -S "$src" -B "$work/build-$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF \
  -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
cmake --build "$work/build-$arch" --target jpeg-static -j2 >/dev/null
mkdir -p "$prefix/lib" "$prefix/include"
cp "$work/build-$arch/libjpeg.a" "$prefix/lib/"
cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$work/build-$arch/jconfig.h" "$prefix/include/"
echo "libjpeg ($arch) built into $prefix"

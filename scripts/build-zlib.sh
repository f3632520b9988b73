#!/usr/bin/env bash
# Builds zlib and its contrib/minizip from Debian's own zlib source package as static
# libraries for one MinGW target and caches them:
#   scripts/build-zlib.sh <x86_64|i686> <install dir>
# The result: <dir>/lib/libz.a, <dir>/lib/libminizip.a, <dir>/include/{zlib.h,zconf.h},
# <dir>/include/minizip/{zip.h,unzip.h,ioapi.h,iowin32.h} (the layout of Debian's
# zlib1g-dev and libminizip-dev, which serve the native build).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/debian-source.sh"
arch=$1
prefix=$(realpath -m "$2")
[ -f "$prefix/lib/libminizip.a" ] && [ -f "$prefix/lib/libz.a" ] && exit 0

work=$(realpath -m "$prefix/../zlib-src")
mkdir -p "$work"
if ! ls -d "$work"/zlib-*/contrib/minizip >/dev/null 2>&1; then
  fetch_debian_source zlib "$work"
fi
src=$(ls -d "$work"/zlib-*/ | sort -V | tail -n 1)
src=${src%/}

cc=$arch-w64-mingw32-gcc-posix
ar=$arch-w64-mingw32-ar
out="$work/build-$arch"
rm -rf "$out"
mkdir -p "$out/z" "$out/minizip" "$prefix/lib" "$prefix/include/minizip"
flags=(-O2 -DNDEBUG -D_LARGEFILE64_SOURCE=1 -w)

for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees \
         uncompr zutil; do
  "$cc" "${flags[@]}" -I"$src" -c "$src/$f.c" -o "$out/z/$f.o"
done
"$ar" rcs "$out/libz.a" "$out"/z/*.o

# minizip: zip and unzip with the Windows file layer (wide-character paths).
for f in ioapi iowin32 zip unzip; do
  "$cc" "${flags[@]}" -DUNICODE -D_UNICODE -I"$src" -c "$src/contrib/minizip/$f.c" -o "$out/minizip/$f.o"
done
"$ar" rcs "$out/libminizip.a" "$out"/minizip/*.o

cp "$out/libz.a" "$out/libminizip.a" "$prefix/lib/"
cp "$src/zlib.h" "$src/zconf.h" "$prefix/include/"
for h in zip.h unzip.h ioapi.h iowin32.h; do cp "$src/contrib/minizip/$h" "$prefix/include/minizip/"; done
echo "zlib and minizip ($arch) built into $prefix"

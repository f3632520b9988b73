#!/usr/bin/env bash
# The release: builds the 32-bit program twice from scratch, checks that both
# builds are byte for byte the same, and leaves under build/release/
#
#   Tivorn-2.3-telepito.exe    the installer (per user, no administrator rights)
#   Tivorn-2.3-hordozhato.zip  the same folder for use without installing
#   SHA256SUMS                 the SHA-256 of both
#
# Every date a tool writes is SOURCE_DATE_EPOCH: the time of the commit built.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
VERSION=2.3
OUT="$BUILD/release"
INSTALLER="Tivorn-$VERSION-telepito.exe"
PORTABLE="Tivorn-$VERSION-hordozhato.zip"

install_packages
"$ROOT/scripts/build-libjpeg.sh" i686 "$BUILD/deps/libjpeg-i686"
"$ROOT/scripts/build-zlib.sh" i686 "$BUILD/deps/zlib-i686"
"$ROOT/scripts/build-expat.sh" i686 "$BUILD/deps/expat-i686"

SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
commit=$(git -C "$ROOT" rev-parse --short HEAD)
if [ -n "$(git -C "$ROOT" status --porcelain --untracked-files=no)" ]; then
  echo "Note: the working tree has uncommitted changes; the release is not that of commit $commit alone." >&2
fi

# One build from scratch into build/release/<name>: the program, the guide, the
# installer and the portable zip.
release_build() {  # <name>
  local tree="$OUT/$1"
  rm -rf "$tree"
  cmake -S "$ROOT" -B "$tree" -G Ninja -Wno-dev -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTIVORN_JPEG_DIR="$BUILD/deps/libjpeg-i686" \
    -DTIVORN_ZLIB_DIR="$BUILD/deps/zlib-i686" -DTIVORN_EXPAT_DIR="$BUILD/deps/expat-i686" >/dev/null
  cmake --build "$tree" -j2 --target installer
  /usr/bin/python3 "$ROOT/scripts/portable-zip.py" "$tree/installer/Tivorn" "$tree/$PORTABLE"
}

echo "== Release $VERSION of commit $commit (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH), first build"
release_build build-1
echo "== Second build, from scratch"
release_build build-2

echo "== Reproducibility"
same=1
compare() {  # <what> <file in build-1> <file in build-2>
  if cmp -s "$2" "$3"; then
    echo "identical: $1 ($(sha256sum <"$2" | cut -c1-16)…)"
  else
    echo "DIFFERENT: $1 ($2, $3)" >&2
    same=0
  fi
}
for f in tivorn.exe Data/Névnapok.txt Data/Névnapok.rtf Data/Munkarend.txt Színek.txt tivorn.pdf mail.url ketrabo.url; do
  compare "$f" "$OUT/build-1/installer/Tivorn/$f" "$OUT/build-2/installer/Tivorn/$f"
done
compare "$INSTALLER" "$OUT/build-1/installer/$INSTALLER" "$OUT/build-2/installer/$INSTALLER"
compare "$PORTABLE" "$OUT/build-1/$PORTABLE" "$OUT/build-2/$PORTABLE"
# No link time in the program's header (COFF header: TimeDateStamp at PE offset + 8).
pe=$(od -An -tu4 -j60 -N4 "$OUT/build-1/installer/Tivorn/tivorn.exe" | tr -d ' ')
stamp=$(od -An -tu4 -j$((pe + 8)) -N4 "$OUT/build-1/installer/Tivorn/tivorn.exe" | tr -d ' ')
if [ "$stamp" = 0 ]; then echo "tivorn.exe carries no link time stamp"; else echo "tivorn.exe has a link time stamp: $stamp" >&2; same=0; fi
if [ $same -ne 1 ]; then
  echo "The two builds differ: no release." >&2
  exit 1
fi

cp "$OUT/build-1/installer/$INSTALLER" "$OUT/build-1/$PORTABLE" "$OUT/"
(cd "$OUT" && sha256sum "$INSTALLER" "$PORTABLE" >SHA256SUMS)
echo "== build/release"
(cd "$OUT" && for f in "$INSTALLER" "$PORTABLE"; do printf '%10d bytes  %s\n' "$(stat -c %s "$f")" "$f"; done && cat SHA256SUMS)

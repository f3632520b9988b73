#!/usr/bin/env bash
# Builds expat (the XML parser of the calendar sync) from Debian's own expat source package
# as a static library for one MinGW target and caches it:
#   scripts/build-expat.sh <x86_64|i686> <install dir>
# The result: <dir>/lib/libexpat.a, <dir>/include/{expat.h,expat_external.h} (the layout
# of Debian's libexpat1-dev, which serves the native build). Its users define XML_STATIC.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/debian-source.sh"
arch=$1
prefix=$(realpath -m "$2")
[ -f "$prefix/lib/libexpat.a" ] && [ -f "$prefix/include/expat.h" ] && exit 0

work=$(realpath -m "$prefix/../expat-src")
mkdir -p "$work"
# Debian's tree holds the library in expat/lib (upstream's repository layout); a plain
# release tarball in lib.
sources() { find "$work" -mindepth 2 -maxdepth 4 -path '*/lib/xmlparse.c' -printf '%h\n' | sort -V | tail -n 1; }
if [ -z "$(sources)" ]; then
  fetch_debian_source expat "$work"
fi
lib=$(sources)
[ -n "$lib" ] || { echo "no expat sources under $work" >&2; exit 1; }

cc=$arch-w64-mingw32-gcc-posix
ar=$arch-w64-mingw32-ar
out="$work/build-$arch"
rm -rf "$out"
mkdir -p "$out" "$prefix/lib" "$prefix/include"

# What expat's configure would find for a MinGW target. Namespaces (XML_NS) are what
# the sync parses with; XML_DTD as in Debian's own build (its guards against entity
# expansion come with it); the entropy of the hash salt comes from rand_s.
cat >"$out/expat_config.h" <<'EOF'
#ifndef EXPAT_CONFIG_H
#define EXPAT_CONFIG_H 1
#define BYTEORDER 1234
#define HAVE_FCNTL_H 1
#define HAVE_INTTYPES_H 1
#define HAVE_MEMORY_H 1
#define HAVE_STDINT_H 1
#define HAVE_STDLIB_H 1
#define HAVE_STRING_H 1
#define HAVE_SYS_STAT_H 1
#define HAVE_SYS_TYPES_H 1
#define STDC_HEADERS 1
#define PACKAGE "expat"
#define XML_CONTEXT_BYTES 1024
#define XML_DTD 1
#define XML_GE 1
#define XML_NS 1
#endif
EOF

flags=(-O2 -DNDEBUG -DXML_STATIC -w -I"$out" -I"$lib")
for f in xmlparse xmlrole xmltok; do
  "$cc" "${flags[@]}" -c "$lib/$f.c" -o "$out/$f.o"
done
"$ar" rcs "$out/libexpat.a" "$out"/xmlparse.o "$out"/xmlrole.o "$out"/xmltok.o

cp "$out/libexpat.a" "$prefix/lib/"
cp "$lib/expat.h" "$lib/expat_external.h" "$prefix/include/"
echo "expat ($arch) built into $prefix"

#!/usr/bin/env bash
# Installs what is missing, builds the native, 64-bit and 32-bit builds and runs
# every test through CTest (native tests, short fuzzing runs, the Windows tests and the
# fault scripts under wine64 + Xvfb).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build_libjpeg
build_zlib
build_expat
build_native
build_fuzz
build_win64
build_win32   # the 32-bit release build and its installer, warning-free
prepare_wine_prefix 32   # with its 32-bit half, for the 32-bit tests under qemu
# One CTest run over the test trees, so it ends with one summary line. Of the 32-bit
# tree it runs the tests under qemu-i386 that fit the time: the i686 core tests and
# the installed release (scripts/test32.sh runs its window tests too).
cat > "$BUILD/CTestTestfile.cmake" <<CT
subdirs("native")
subdirs("fuzz")
subdirs("win64")
subdirs("win32/release-tests")
CT
cd "$BUILD"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2 --timeout 600

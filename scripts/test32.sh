#!/usr/bin/env bash
# Runs every test of the 32-bit build under qemu-i386 (scripts/run32.sh),
# including the window tests built for i686, which take too long for
# scripts/test.sh (about 4-6 minutes). Arguments go to CTest (e.g. -R win_grid).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build_libjpeg
build_zlib
build_expat
build_win32
prepare_wine_prefix
cd "$BUILD"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir win32 --output-on-failure --timeout 900 "$@"

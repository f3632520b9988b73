#!/usr/bin/env bash
# Installs what is missing, builds Tivorn and starts it from an installed folder
# under Wine with Hungarian regional settings. Without a display it runs under
# Xvfb, saves a screenshot of the main window and says where.
# Only the 64-bit program is built (optimised, without the tests): the 32-bit
# release belongs to release.sh and test.sh.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages run
"$ROOT/scripts/build-libjpeg.sh" x86_64 "$BUILD/deps/libjpeg-x86_64"
"$ROOT/scripts/build-zlib.sh" x86_64 "$BUILD/deps/zlib-x86_64"
"$ROOT/scripts/build-expat.sh" x86_64 "$BUILD/deps/expat-x86_64"
build_program
prepare_wine_prefix
export LANG=hu_HU.UTF-8   # Hungarian regional settings: month names, code page 1250
INSTALLED="$BUILD/win64-release/Tivorn"
echo "Installed folder: $INSTALLED"
cd "$INSTALLED"
if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE64" explorer /desktop=tivorn,1024x768 ./tivorn.exe "$@"
fi
shot="$BUILD/screenshot-main.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
  '$WINE64' explorer /desktop=tivorn,1024x768 ./tivorn.exe $* 2>/dev/null &
  for i in \$(seq 1 60); do sleep 1; xdotool search --name 'Tivorn V2.3' >/dev/null 2>&1 && break; done
  sleep 3
  import -window root '$shot'
  '$ROOT/scripts/wait-wineserver.sh' & sleep 1; /usr/lib/wine/wineserver -k 2>/dev/null || true
"
echo "Screenshot of the main window: $shot"

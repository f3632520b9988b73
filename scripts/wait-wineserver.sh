#!/usr/bin/env bash
# Waits until the Wine server of $WINEPREFIX has written everything and ended.
if [ -x /usr/lib/wine/wineserver ]; then /usr/lib/wine/wineserver -w 2>/dev/null || true
elif command -v wineserver >/dev/null; then wineserver -w 2>/dev/null || true; fi

// The system's shared cursors, each loaded once: they are never freed, and under Wine
// every load is a round trip to the window server (the 42 day cells alone asked for
// the hand cursor 42 times at each start).
#pragma once

#include <windows.h>

HCURSOR ArrowCursor();
HCURSOR HandCursor();

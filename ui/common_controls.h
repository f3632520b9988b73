// The common controls library is loaded at the first window that needs it (a tip, a
// list view, an up-down, a date field), not at start: the month view needs none.
#pragma once

// Registers the common controls' window classes once per process; later calls return
// at once.
void EnsureCommonControls();

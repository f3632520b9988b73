// The print dialog, asked for the paper a layout is made for: the request goes to the
// dialog as its printer settings (DEVMODE), so the printer starts on that paper and
// the user can still change it there.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <utility>

#include "report/report_layout.h"
#include "ui/unique_handle.h"

struct FreeGlobal {
    void operator()(HGLOBAL h) const { GlobalFree(h); }
};
// Movable global memory (DEVMODE, DEVNAMES), freed once.
using GlobalBlock = UniqueHandle<HGLOBAL, FreeGlobal>;

struct DeleteDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
// A printer DC, deleted once.
using PrinterDc = UniqueHandle<HDC, DeleteDc>;

// The DEVMODE paper code of a paper size.
short DevModePaperSize(PaperSize size);

// Printer settings asking for `size` in `orientation`, one copy, one-sided, paper from
// the automatic bin: the default printer's own settings with these changed, or the
// bare request when there is no printer.
GlobalBlock PrinterSettingsFor(PaperSize size, PaperOrientation orientation);

// Runs the print dialog (`dialog`, PrintDlgW by default) with those settings; the
// chosen printer's DC, or none when the dialog was cancelled.
PrinterDc ChoosePrinter(HWND owner, PaperSize size, PaperOrientation orientation,
                        const std::function<bool(PRINTDLGW&)>& dialog = {});

// The print dialog, asked for the paper a layout is made for: the request goes to the
// dialog as its printer settings (DEVMODE), so the printer starts on that paper and
// the user can still change it there.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <utility>

#include "report/report_layout.h"

// Movable global memory (DEVMODE, DEVNAMES), freed once.
class GlobalBlock {
public:
    GlobalBlock() = default;
    explicit GlobalBlock(HGLOBAL h) : h_(h) {}
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    GlobalBlock(GlobalBlock&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GlobalBlock& operator=(GlobalBlock&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    ~GlobalBlock() { Reset(); }
    void Reset(HGLOBAL h = nullptr) {
        if (h_) GlobalFree(h_);
        h_ = h;
    }
    HGLOBAL Get() const { return h_; }
    HGLOBAL Release() { return std::exchange(h_, nullptr); }

private:
    HGLOBAL h_ = nullptr;
};

// A printer DC, deleted once.
class PrinterDc {
public:
    PrinterDc() = default;
    explicit PrinterDc(HDC dc) : dc_(dc) {}
    PrinterDc(const PrinterDc&) = delete;
    PrinterDc& operator=(const PrinterDc&) = delete;
    PrinterDc(PrinterDc&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
    ~PrinterDc() {
        if (dc_) DeleteDC(dc_);
    }
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
};

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

#include "report/printing.h"

#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

void AskFor(DEVMODEW& dm, PaperSize size, PaperOrientation orientation) {
    dm.dmFields |= DM_PAPERSIZE | DM_ORIENTATION | DM_COPIES | DM_DUPLEX | DM_DEFAULTSOURCE;
    dm.dmPaperSize = DevModePaperSize(size);
    dm.dmOrientation = orientation == PaperOrientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    dm.dmCopies = 1;
    dm.dmDuplex = DMDUP_SIMPLEX;
    dm.dmDefaultSource = DMBIN_AUTO;
    // Paper named by its code: no custom length or width.
    dm.dmFields &= ~static_cast<DWORD>(DM_PAPERLENGTH | DM_PAPERWIDTH | DM_FORMNAME);
}

// An open printer: ClosePrinter.
class OpenedPrinter {
public:
    explicit OpenedPrinter(std::wstring& name) {
        if (!OpenPrinterW(name.data(), &printer_, nullptr)) printer_ = nullptr;
    }
    OpenedPrinter(const OpenedPrinter&) = delete;
    OpenedPrinter& operator=(const OpenedPrinter&) = delete;
    ~OpenedPrinter() {
        if (printer_) ClosePrinter(printer_);
    }
    HANDLE Get() const { return printer_; }

private:
    HANDLE printer_ = nullptr;
};

// The print dialog's in- and output: the DEVMODE and DEVNAMES blocks and the DC it
// hands back are ours to free, whether it was cancelled, failed or threw.
class PrintDialogData {
public:
    PrintDialogData() { pd.lStructSize = sizeof(pd); }
    PrintDialogData(const PrintDialogData&) = delete;
    PrintDialogData& operator=(const PrintDialogData&) = delete;
    ~PrintDialogData() {
        GlobalBlock devMode(pd.hDevMode), devNames(pd.hDevNames);
        PrinterDc dc(pd.hDC);
    }
    PrinterDc TakeDc() { return PrinterDc(std::exchange(pd.hDC, nullptr)); }

    PRINTDLGW pd{};
};

GlobalBlock CopyToGlobal(const void* bytes, size_t size) {
    GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    if (void* p = block.Get() ? GlobalLock(block.Get()) : nullptr) {
        std::memcpy(p, bytes, size);
        GlobalUnlock(block.Get());
    }
    return block;
}

// The default printer's settings with the request merged in by its driver.
GlobalBlock DriverSettings(PaperSize size, PaperOrientation orientation) {
    DWORD length = 0;
    GetDefaultPrinterW(nullptr, &length);
    if (length == 0) return {};
    std::wstring name(length, L'\0');
    if (!GetDefaultPrinterW(name.data(), &length)) return {};
    name.resize(wcslen(name.c_str()));
    OpenedPrinter opened(name);
    HANDLE printer = opened.Get();
    if (!printer) return {};
    GlobalBlock result;
    const LONG bytes = DocumentPropertiesW(nullptr, printer, name.data(), nullptr, nullptr, 0);
    if (bytes >= static_cast<LONG>(sizeof(DEVMODEW))) {
        std::vector<BYTE> current(static_cast<size_t>(bytes)), merged(static_cast<size_t>(bytes));
        auto* dm = reinterpret_cast<DEVMODEW*>(current.data());
        if (DocumentPropertiesW(nullptr, printer, name.data(), dm, nullptr, DM_OUT_BUFFER) == IDOK) {
            AskFor(*dm, size, orientation);
            auto* out = reinterpret_cast<DEVMODEW*>(merged.data());
            if (DocumentPropertiesW(nullptr, printer, name.data(), out, dm, DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK) {
                AskFor(*out, size, orientation);  // a driver that ignored the request still hands it on
                result = CopyToGlobal(out, static_cast<size_t>(bytes));
            }
        }
    }
    return result;
}

}  // namespace

short DevModePaperSize(PaperSize size) {
    switch (size) {
        case PaperSize::A4: return DMPAPER_A4;
    }
    return DMPAPER_A4;
}

GlobalBlock PrinterSettingsFor(PaperSize size, PaperOrientation orientation) {
    if (GlobalBlock driver = DriverSettings(size, orientation); driver.Get()) return driver;
    DEVMODEW dm{};
    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmSize = sizeof(dm);
    AskFor(dm, size, orientation);
    return CopyToGlobal(&dm, sizeof(dm));
}

PrinterDc ChoosePrinter(HWND owner, PaperSize size, PaperOrientation orientation,
                        const std::function<bool(PRINTDLGW&)>& dialog) {
    PrintDialogData data;
    PRINTDLGW& pd = data.pd;
    pd.hwndOwner = owner;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    // The dialog may hand back other blocks than it got: whatever pd holds is freed.
    pd.hDevMode = PrinterSettingsFor(size, orientation).Release();
    const bool chosen = dialog ? dialog(pd) : PrintDlgW(&pd) != FALSE;
    if (!chosen) return {};
    return data.TakeDc();
}

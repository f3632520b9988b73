#include "ui/secondary_frame.h"

FormOptions SecondaryWindowOptions(const wchar_t* className, int clientWidth, int clientHeight) {
    FormOptions o;
    o.className = className;
    o.border = BorderStyle::ToolWindow;
    o.clientWidth = clientWidth;
    o.clientHeight = clientHeight;
    o.keyPreview = true;
    o.font = FontSpec{L"MS Sans Serif", 8};
    return o;
}

void CreateFramePanel(BevelPanel& panel, HWND parent, int x, int y, int w, int h, COLORREF colour) {
    panel.BevelInner = Bevel::Lowered;
    panel.SetDesignColor(colour);
    panel.Create(parent, x, y, w, h);
}

void CreateOuterPanel(BevelPanel& p, const Form& form) {
    CreateFramePanel(p, form.Handle(), 0, 0, form.Options().clientWidth, form.Options().clientHeight, 0x8080FF);
}

void CreateTitlePanel(BevelPanel& pCim, const BevelPanel& p, int width, const std::wstring& caption) {
    pCim.BevelInner = Bevel::Lowered;
    pCim.CaptionAlignment = Alignment::Left;
    pCim.FontColour = 0;
    pCim.SetFont(FontSpec{L"Tahoma", 0, 13, true, false, false, EASTEUROPE_CHARSET});
    pCim.SetDesignColor(0xC0C0C0);
    pCim.Create(p.Handle(), 40, 4, width, 26, caption);
}

#include "platform/About.h"

#include "resources/resource_ids.h"
#include "ui/secondary_frame.h"


void PicturePanel::Paint(Canvas& canvas) {
    RECT r = ClientRect();
    PaintFrame(canvas, r);
    canvas.Fill(r, colour_);
    if (!picture_.pixels) return;
    MemoryDc memory(canvas.Dc());
    HDC source = memory.Get();
    {
        SelectGuard select(source, picture_.pixels.Get());
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (w == picture_.width && h <= picture_.height) {
            BitBlt(canvas.Dc(), r.left, r.top, w, h, source, 0, 0, SRCCOPY);
        } else {  // a screen with another DPI: the picture fills the frame as designed
            SetStretchBltMode(canvas.Dc(), HALFTONE);
            StretchBlt(canvas.Dc(), r.left, r.top, w, h, source, 0, 0, picture_.width, picture_.height * 249 / 250,
                       SRCCOPY);
        }
    }
}

namespace {

FormOptions AboutOptions() {
    FormOptions o = SecondaryWindowOptions(L"TivornAboutWindow", 345, 285);
    o.caption = L"Névjegy";
    o.captionIsAppTitle = false;
    return o;
}

}  // namespace

Tfrm_About::Tfrm_About() : Form(AboutOptions()) {}


std::span<const ControlRow<Tfrm_About>> Tfrm_About::Controls() {
    using T = Tfrm_About;
    static const ControlRow<T> rows[] = {
        {.name = L"sbAboutBezar", .field = &T::sbAboutBezar, .parent = &T::pBezar, .x = 272, .y = 2, .w = 23, .h = 22,
         .text = L"Bezárás", .handler = &T::sbAboutBezarClick, .picture = IDI_SB_CLOSE},
    };
    return rows;
}

// The picture is decoded when the window is first shown.
// Everything is made at the first showing: a start makes only the window itself.
void Tfrm_About::ApplyScheme(const SchemeColours& colours) {
    pAbout.SetColor(ResolveColour(colours[1]));
    pBezar.SetColor(ResolveColour(colours[6]));
}

void Tfrm_About::CreateInsides() {
    CreateFramePanel(pAbout, Handle(), 0, 0, 345, 289, 0x8080FF);
    CreateTitlePanel(pBezar, pAbout, 301);
    BuildControls(*this, Controls());
    Panel6.BevelInner = Bevel::Lowered;
    Panel6.Create(pAbout.Handle(), 4, 32, 337, 253);
    Panel6.SetPicture(LoadJpegResource(IDR_ABOUT_JPEG));
}

bool Tfrm_About::FormKeyPress(wchar_t key) {
    if (key != L'\x1B') return false;
    sbAboutBezarClick();
    return true;
}

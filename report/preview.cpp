#include "report/preview.h"

#include "ui/dpi.h"

#include <algorithm>
#include <cmath>

#include "report/printing.h"
#include "resources/resource_ids.h"
#include "ui/application.h"

namespace {

constexpr int kToolHeight = 32;
constexpr int kClientWidth = 800, kClientHeight = 600;  // before it is maximised
constexpr int kDeskMargin = 16;  // grey around the paper
constexpr COLORREF kDesk = 0x808080;

FormOptions PreviewOptions(const std::wstring& title) {
    FormOptions o;
    o.className = L"TivornReportPreview";
    o.border = BorderStyle::Sizeable;
    o.clientWidth = kClientWidth;
    o.clientHeight = kClientHeight;
    o.caption = title;
    o.captionIsAppTitle = false;
    o.font = FontSpec{L"MS Sans Serif", 8};
    return o;
}

}  // namespace

ReportPreviewHooks& CurrentPreviewHooks() {
    static ReportPreviewHooks hooks;
    return hooks;
}

void PreviewReport(const ReportJob& job, HWND owner) {
    if (auto& run = CurrentPreviewHooks().Run) {
        ReferenceDevice reference;
        run(job.LayOut(reference.Get()));
        return;
    }
    TReportPreview preview(job);
    preview.Create(owner);
    preview.ShowModal();
}

// Page area

void ReportPageView::Create(HWND parent, int x, int y, int w, int h) {
    CreateOwnWindow(L"TivornReportPage", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL, L"", x, y,
                    w, h, parent);
}

double ReportPageView::Scale() const {
    if (!FitWidth || !Document) return Dpi() / 25.4;
    const RECT r = ClientRect();
    return std::max(0.5, (r.right - 2.0 * kDeskMargin) / Document->pageWidth);
}

void ReportPageView::Refresh() {
    UpdateBars();
    Invalidate();
}

void ReportPageView::UpdateBars() {
    if (!Handle() || !Document) return;
    const double scale = Scale();
    const RECT r = ClientRect();
    const int paperW = static_cast<int>(std::lround(Document->pageWidth * scale)) + 2 * kDeskMargin;
    const int paperH = static_cast<int>(std::lround(Document->pageHeight * scale)) + 2 * kDeskMargin;
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, paperW - static_cast<int>(r.right)));
    scrollY_ = std::clamp(scrollY_, 0, std::max(0, paperH - static_cast<int>(r.bottom)));
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = paperH - 1;
    si.nPage = static_cast<UINT>(r.bottom);
    si.nPos = scrollY_;
    SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
    si.nMax = paperW - 1;
    si.nPage = static_cast<UINT>(r.right);
    si.nPos = scrollX_;
    SetScrollInfo(Handle(), SB_HORZ, &si, TRUE);
}

void ReportPageView::Paint(Canvas& canvas) {
    const RECT r = ClientRect();
    HDC dc = canvas.Dc();
    canvas.Fill(r, kDesk);
    if (!Document || Document->pages.empty()) return;
    const double scale = Scale();
    const int x = kDeskMargin - scrollX_, y = kDeskMargin - scrollY_;
    const int w = static_cast<int>(std::lround(Document->pageWidth * scale));
    const int h = static_cast<int>(std::lround(Document->pageHeight * scale));
    canvas.Fill(RECT{x + 4, y + 4, x + w + 4, y + h + 4}, 0x404040);  // shadow
    canvas.Fill(RECT{x, y, x + w, y + h}, 0xFFFFFF);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, x, y, x + w, y + h);
    PaintReportPage(dc, Document->pages[static_cast<size_t>(std::clamp(Page, 0, static_cast<int>(Document->pages.size()) - 1))],
                    scale, x, y);
    RestoreDC(dc, saved);
}

void ReportPageView::Scroll(int bar, int code, int track) {
    int& pos = bar == SB_VERT ? scrollY_ : scrollX_;
    const RECT r = ClientRect();
    const int page = bar == SB_VERT ? r.bottom : r.right;
    switch (code) {
        case SB_LINEUP: pos -= 40; break;
        case SB_LINEDOWN: pos += 40; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = 1 << 20; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = track; break;
        default: break;
    }
    Refresh();
}

LRESULT ReportPageView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            Refresh();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_LBUTTONDOWN:
            SetFocus(Handle());
            return 0;
        case WM_KEYDOWN:
            switch (wp) {
                case VK_UP: Scroll(SB_VERT, SB_LINEUP, 0); break;
                case VK_DOWN: Scroll(SB_VERT, SB_LINEDOWN, 0); break;
                case VK_LEFT: Scroll(SB_HORZ, SB_LINEUP, 0); break;
                case VK_RIGHT: Scroll(SB_HORZ, SB_LINEDOWN, 0); break;
                default:
                    if (OnKey) OnKey(static_cast<UINT>(wp));
                    break;
            }
            return 0;
        case WM_MOUSEWHEEL:
            Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(wp) > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
            return 0;
        case WM_VSCROLL:
        case WM_HSCROLL: {
            const int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(Handle(), bar, &si);
            Scroll(bar, LOWORD(wp), si.nTrackPos);
            return 0;
        }
        default:
            break;
    }
    return Window::HandleMessage(msg, wp, lp);
}

// The window

TReportPreview::TReportPreview(const ReportJob& job) : Form(PreviewOptions(job.title)), job_(job) {
    ReferenceDevice reference;
    doc_ = job_.LayOut(reference.Get());
}

void TReportPreview::FormCreate() {
    pEszkoz.BevelOuter = Bevel::Raised;
    pOldal.BevelOuter = Bevel::None;
    BuildControls(*this, Controls());
    View.Document = &doc_;
    View.Create(Handle(), 0, kToolHeight, options_.clientWidth, options_.clientHeight - kToolHeight);
    View.OnKey = [this](UINT vk) { KeyDown(vk); };
    ShowPage(0);
}

std::span<const ControlRow<TReportPreview>> TReportPreview::Controls() {
    using T = TReportPreview;
    static const ControlRow<T> rows[] = {
        {.name = L"pEszkoz", .field = &T::pEszkoz, .x = 0, .y = 0, .w = kClientWidth, .h = kToolHeight},
        {.name = L"sbElozo", .field = &T::sbElozo, .parent = &T::pEszkoz, .x = 6, .y = 4, .w = 23, .h = 22,
         .text = L"Előző oldal (Page Up)", .handler = &T::sbElozoClick, .picture = IDI_SB_PREV, .tooltip = true},
        {.name = L"sbKovetkezo", .field = &T::sbKovetkezo, .parent = &T::pEszkoz, .x = 32, .y = 4, .w = 23, .h = 22,
         .text = L"Következő oldal (Page Down)", .handler = &T::sbKovetkezoClick, .picture = IDI_SB_NEXT,
         .tooltip = true},
        {.name = L"pOldal", .field = &T::pOldal, .parent = &T::pEszkoz, .x = 62, .y = 4, .w = 110, .h = 22},
        {.name = L"btnNagyitas", .field = &T::btnNagyitas, .parent = &T::pEszkoz, .x = 178, .y = 4, .w = 110,
         .h = 23, .text = L"100 %", .handler = &T::btnNagyitasClick, .style = BS_PUSHBUTTON},
        {.name = L"sbNyomtat", .field = &T::sbNyomtat, .parent = &T::pEszkoz, .x = 296, .y = 4, .w = 23, .h = 22,
         .text = L"Nyomtatás", .handler = &T::PrintClick, .picture = IDI_SB_PRINT, .tooltip = true},
        {.name = L"sbBezar", .field = &T::sbBezar, .parent = &T::pEszkoz, .x = 322, .y = 4, .w = 23, .h = 22,
         .text = L"Bezárás (Esc)", .handler = &T::sbBezarClick, .picture = IDI_SB_CLOSE, .tooltip = true},
    };
    return rows;
}

void TReportPreview::FormShow() {
    ShowWindow(Handle(), SW_MAXIMIZE);
    SetFocus(View.Handle());
}

void TReportPreview::OnSize(int w, int h) {
    pEszkoz.SetBounds(0, 0, w, Px(kToolHeight));
    View.SetBounds(0, Px(kToolHeight), w, h - Px(kToolHeight));
}

void TReportPreview::ShowPage(int index) {
    const int count = static_cast<int>(doc_.pages.size());
    View.Page = std::clamp(index, 0, std::max(0, count - 1));
    pOldal.SetCaption(std::to_wstring(View.Page + 1) + L". oldal / " + std::to_wstring(std::max(1, count)));
    sbElozo.SetEnabled(View.Page > 0);
    sbKovetkezo.SetEnabled(View.Page < count - 1);
    View.Refresh();
}

void TReportPreview::SetFitWidth(bool fit) {
    View.FitWidth = fit;
    btnNagyitas.SetText(fit ? L"100 %" : L"Teljes szélesség");
    View.Refresh();
    SetFocus(View.Handle());  // the page keys keep working after the click
}

void TReportPreview::KeyDown(UINT vk) {
    switch (vk) {
        case VK_PRIOR: ShowPage(PageIndex() - 1); break;
        case VK_NEXT: ShowPage(PageIndex() + 1); break;
        case VK_HOME: ShowPage(0); break;
        case VK_END: ShowPage(static_cast<int>(doc_.pages.size()) - 1); break;
        default: break;
    }
}

bool TReportPreview::FormKeyPress(wchar_t key) {
    if (key == L'\x1B') {
        sbBezarClick();
        return true;
    }
    return false;
}

void TReportPreview::PrintClick() {
    const PrinterDc printer = ChoosePrinter(Handle(), job_.paper, job_.orientation, CurrentPreviewHooks().PrintDialog);
    if (printer) PrintReport(printer.Get(), job_);  // a failed job throws: the error handler reports it
}

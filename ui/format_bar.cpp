#include "ui/format_bar.h"

#include <commctrl.h>

#include "ui/application.h"
#include "ui/canvas.h"
#include "ui/dpi.h"
#include "ui/form.h"

namespace {

constexpr int kButtonWidth = 25, kButtonHeight = 22;
constexpr int kComboWidth = 153, kComboItemHeight = 13, kComboVisibleItems = 10;
constexpr int kSizeEditWidth = 26, kUpDownWidth = 15, kSizeEditHeight = 21;
constexpr int kComboSlot = 0, kSizeSlot = 2;  // the placeholder separators below
constexpr int kFontPoints = 8;                // of the names in the list

// The slots of the hosted controls, before the owner's buttons.
const ToolButtonDef kSlots[] = {
    {nullptr, kComboWidth, nullptr},  // cbBetuTipus
    {nullptr, 8, nullptr},
    {nullptr, kSizeEditWidth + kUpDownWidth, nullptr},  // edtBetuMeret, UpDown1
    {nullptr, 17, nullptr},
};

RECT SlotRect(HWND bar, int index) {
    RECT r{};
    SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

// A hosted control sits in the place of a separator (real pixels).
void PlaceInSlot(const StandardControl& control, const RECT& slot) {
    SetWindowPos(control.Handle(), nullptr, slot.left, slot.top + 1, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CALLBACK CollectFontFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM data) {
    reinterpret_cast<std::vector<std::wstring>*>(data)->emplace_back(lf->lfFaceName);
    return 1;
}

}  // namespace

std::vector<std::wstring> InstalledFontFamilies() {
    std::vector<std::wstring> names;
    WindowDC screen(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen.Get(), &query, CollectFontFamily, reinterpret_cast<LPARAM>(&names), 0);
    return names;
}

int CompareFontNames(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) -
           CSTR_EQUAL;
}

FormatBar::~FormatBar() {
    if (Handle()) RemoveWindowSubclass(Handle(), HostProc, 1);
}

void FormatBar::CreateBar(Form& form, HWND parent, int x, int y, int w, int h, const FormatBarParts& parts) {
    images_ = ImageList(parts.firstPicture, parts.pictureCount);
    marker_ = IconHandle(parts.marker, 32);
    ToolBar::Create(form, parent, x, y, w, h, images_.Get(), kButtonWidth, kButtonHeight, 2);
    AddButtons(std::vector<ToolButtonDef>(std::begin(kSlots), std::end(kSlots)));
}

void FormatBar::CreateHostedControls(Form& form, const FormatBarParts& parts) {
    // The bar hosts the font list and the size box; their messages go on to the form.
    SetWindowSubclass(Handle(), HostProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, GetWindowLongPtrW(Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);

    const int comboId = form.NewControlId();
    form.OnMeasureItem(comboId, [](MEASUREITEMSTRUCT& m) { m.itemHeight = static_cast<UINT>(Px(kComboItemHeight)); });
    form.OnDrawItem(comboId, [this](DRAWITEMSTRUCT& item) { DrawFontItem(item); });
    form.OnCommand(comboId, [this] { if (OnFontChange) OnFontChange(); }, CBN_SELCHANGE);
    cbBetuTipus.Create(Handle(), 0, 0, kComboWidth, 21 + kComboItemHeight * kComboVisibleItems + 2, comboId,
                       form.FormFont(), CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    PlaceInSlot(cbBetuTipus, SlotRect(Handle(), kComboSlot));
    cbBetuTipus.SetItemHeight(0, kComboItemHeight);
    Application::Get().SetHint(cbBetuTipus.Handle(), parts.fontHint);

    const int editId = form.NewControlId();
    form.OnCommand(editId, [this] { if (OnSizeExit) OnSizeExit(); }, EN_KILLFOCUS);
    const RECT slot = SlotRect(Handle(), kSizeSlot);
    edtBetuMeret.Create(Handle(), 0, 0, kSizeEditWidth, kSizeEditHeight, editId, form.FormFont());
    edtBetuMeret.SetText(L"0");
    PlaceInSlot(edtBetuMeret, slot);
    Application::Get().SetHint(edtBetuMeret.Handle(), parts.sizeHint);
    UpDown1.Create(Handle(), 0, 0, kUpDownWidth, kSizeEditHeight, form.NewControlId(), UDS_NOTHOUSANDS);
    PlaceInSlot(UpDown1, RECT{slot.left + Px(kSizeEditWidth), slot.top, slot.right, slot.bottom});
    UpDown1.SetBuddy(edtBetuMeret);
    UpDown1.SetRange(parts.smallestSize, parts.largestSize);
    UpDown1.SetPosition(0);
    edtBetuMeret.SetText(L"0");
}

LRESULT CALLBACK FormatBar::HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<FormatBar*>(data);
    switch (msg) {
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            // From the hosted controls (the bar's own commands go to its parent).
            return RouteToForm(hwnd, msg, wp, lp);
        case WM_VSCROLL:
            if (reinterpret_cast<HWND>(lp) == self->UpDown1.Handle() && LOWORD(wp) == SB_THUMBPOSITION)
                Application::Get().Guard([self] {
                    if (self->OnArrowClick) self->OnArrowClick();
                });
            return 0;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void FormatBar::SetFontNames(std::vector<std::wstring> names) {
    fonts_ = std::move(names);
    for (const auto& name : fonts_) cbBetuTipus.Add(name);
}

int FormatBar::InsertFontName(const std::wstring& name,
                              int (*compare)(const std::wstring&, const std::wstring&)) {
    size_t at = 0;
    while (at < fonts_.size() && compare(fonts_[at], name) < 0) ++at;
    fonts_.insert(fonts_.begin() + static_cast<std::ptrdiff_t>(at), name);
    cbBetuTipus.Insert(static_cast<int>(at), name);
    return static_cast<int>(at);
}

int FormatBar::ChosenFontIndex() const {
    const int index = cbBetuTipus.SelectedIndex();
    return index >= 0 && static_cast<size_t>(index) < fonts_.size() ? index : -1;
}

void FormatBar::ShowSize(const std::wstring& text, int arrowPosition) const {
    edtBetuMeret.SetText(text);
    UpDown1.SetPosition(arrowPosition);
}

void FormatBar::DrawFontItem(DRAWITEMSTRUCT& item) const {
    Canvas canvas(item.hDC);
    const RECT r = item.rcItem;
    const bool selected = item.itemState & ODS_SELECTED;
    canvas.Fill(r, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= fonts_.size()) return;
    const std::wstring& name = fonts_[item.itemID];
    {
        // The marker's picture is 32x32 with the glyph in its corner: clipped to the item.
        const int saved = SaveDC(item.hDC);
        IntersectClipRect(item.hDC, r.left, r.top, r.right, r.bottom);
        DrawIconEx(item.hDC, r.left + 2, r.top + 1, marker_.Get(), 32, 32, 0, nullptr, DI_NORMAL);
        RestoreDC(item.hDC, saved);
    }
    // Each name in its own typeface, whatever character sets the typeface has.
    FontSpec fontSpec{name, kFontPoints};
    fontSpec.charset = DEFAULT_CHARSET;
    Font face = MakeFont(fontSpec);
    RECT text{r.left + Px(20), r.top, r.right, r.bottom};
    canvas.TextInRect(text, name, face.Get(), GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
}

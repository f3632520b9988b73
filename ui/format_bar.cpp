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
constexpr int kFontPoints = 8;  // of the names in the list

// A control stands one pixel below the top of its gap.
void PlaceInGap(const StandardControl& control, const RECT& gap) {
    SetWindowPos(control.Handle(), nullptr, gap.left, gap.top + 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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

void FormatBar::CreateBar(Form& form, BevelPanel& parent, int x, int y, int w, int h, const FormatBarParts& parts) {
    images_ = ImageList(parts.firstPicture, parts.pictureCount);
    marker_ = IconHandle(parts.marker, 32);
    PanelButtonBar::Create(parent, x, y, w, h, images_, kButtonWidth, kButtonHeight, 2);
    const HWND bar = Handle();

    // The font list, a separator, the size box with its arrows and a separator; their
    // messages go on from the bar's panel to the form.
    const int comboId = form.NewControlId();
    form.OnMeasureItem(comboId, [](MEASUREITEMSTRUCT& m) { m.itemHeight = static_cast<UINT>(Px(kComboItemHeight)); });
    form.OnDrawItem(comboId, [this](DRAWITEMSTRUCT& item) { DrawFontItem(item); });
    form.OnCommand(comboId, [this] { if (OnFontChange) OnFontChange(); }, CBN_SELCHANGE);
    cbBetuTipus.Create(bar, 0, 0, kComboWidth, 21 + kComboItemHeight * kComboVisibleItems + 2, comboId,
                       form.FormFont(), CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    PlaceInGap(cbBetuTipus, AddGap(kComboWidth));
    cbBetuTipus.SetItemHeight(0, kComboItemHeight);
    Application::Get().SetHint(cbBetuTipus.Handle(), parts.fontHint);
    AddSeparator(8);  // ToolButton4

    const int editId = form.NewControlId();
    form.OnCommand(editId, [this] { if (OnSizeExit) OnSizeExit(); }, EN_KILLFOCUS);
    const RECT gap = AddGap(kSizeEditWidth + kUpDownWidth);
    edtBetuMeret.Create(bar, 0, 0, kSizeEditWidth, kSizeEditHeight, editId, form.FormFont());
    PlaceInGap(edtBetuMeret, gap);
    Application::Get().SetHint(edtBetuMeret.Handle(), parts.sizeHint);
    const int arrowsId = form.NewControlId();
    form.OnScroll(arrowsId, [this](int code) {
        if (code == SB_THUMBPOSITION && OnArrowClick) OnArrowClick();
    });
    UpDown1.Create(bar, 0, 0, kUpDownWidth, kSizeEditHeight, arrowsId, UDS_NOTHOUSANDS);
    PlaceInGap(UpDown1, RECT{gap.left + Px(kSizeEditWidth), gap.top, gap.right, gap.bottom});
    UpDown1.SetBuddy(edtBetuMeret);
    UpDown1.SetRange(parts.smallestSize, parts.largestSize);
    UpDown1.SetPosition(0);
    edtBetuMeret.SetText(L"0");
    AddSeparator(17);  // ToolButton7
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

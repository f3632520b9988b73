// The day cell: faces drawn into a memory canvas, state colours driven by real
// window messages, keyboard use, hints and the popup menu's owner.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "appearance/JPanel.h"
#include "appearance/day_grid.h"
#include "ui/dpi.h"
#include "ui/application.h"
#include "ui/form.h"

namespace {

// Changes what a cell shows, as the grid's fill does.
void Show(TJPanel& cell, const std::function<void(CellContent&)>& change) {
    CellContent content = cell.Content();
    change(content);
    cell.SetContent(content);
}

constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kMagenta = 0xFF00FF;
constexpr COLORREF kGrey = 0x808080;
constexpr COLORREF kDarkRed = 0x000080;
constexpr COLORREF kNavy = 0x800000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kGridColour = 0x4040C0;

constexpr Date kOrdinaryDay{2026, 3, 11};  // a Wednesday
constexpr Date kSunday{2026, 3, 15};

struct Rendered {
    std::unique_ptr<MemoryCanvas> image;
    int Count(COLORREF colour, int x0, int y0, int x1, int y1) const {  // inclusive box
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (image->Pixel(x, y) == colour) ++n;
        return n;
    }
    int CountRows(COLORREF colour, int y0, int y1) const { return Count(colour, 0, y0, image->Width() - 1, y1); }
};

class DayCellTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Create();
        host.Create(form.Handle(), 0, 0, 400, 300);
        host.SetColor(kGridColour);
    }

    std::unique_ptr<TJPanel> MakeCell(int w = 100, int h = 100, int x = 10, int y = 10) {
        auto cell = std::make_unique<TJPanel>(L"cell");
        cell->Create(host, x, y, w, h);
        cell->SetColor(kWhite);
        return cell;
    }

    static Rendered Render(TJPanel& cell) {
        RECT r = cell.ClientRect();
        WindowDC screen(nullptr);
        Rendered out{std::make_unique<MemoryCanvas>(screen.Get(), r.right, r.bottom)};
        Canvas canvas(out.image->Dc());
        cell.Paint(canvas);
        return out;
    }

    Form form{FormOptions{.clientWidth = 400, .clientHeight = 300}};
    DayGrid host{L"host"};

    // Sends a mouse message to the grid at a point of a cell.
    static void Mouse(TJPanel& cell, UINT msg, int x, int y, WPARAM keys = 0) {
        SendMessageW(cell.Grid()->Handle(), msg, keys, MAKELPARAM(cell.Bounds().left + x, cell.Bounds().top + y));
    }
    void Leave() { SendMessageW(host.Handle(), WM_MOUSELEAVE, 0, 0); }
};

TEST_F(DayCellTest, StartsEmptyWithTheCellStyle) {
    TJPanel cell(L"fresh");
    EXPECT_EQ(cell.Nap(), 0);
    EXPECT_TRUE(cell.NevNap().empty() && cell.Txt1().empty() && cell.Txt2().empty());
    EXPECT_FALSE(cell.VanFile());
    EXPECT_EQ(cell.MSzin1(), 0u);
    EXPECT_EQ(cell.MSzin2(), 0u);
    EXPECT_EQ(cell.RepaintCount(), 0);
    EXPECT_EQ(cell.BevelOuter, Bevel::Raised);
    EXPECT_EQ(cell.BevelInner, Bevel::Lowered);
    EXPECT_FALSE(cell.Shown());

    cell.Create(host, 20, 30, 80, 60);
    EXPECT_TRUE(cell.Shown());
    EXPECT_EQ(cell.Grid(), &host);
    EXPECT_EQ(cell.Bounds().left, Px(20));
    EXPECT_EQ(cell.Bounds().bottom, Px(90));
    // The grid takes the focus for its cells: a tab stop, not a container the dialog
    // keys look into.
    LONG_PTR style = GetWindowLongPtrW(host.Handle(), GWL_STYLE);
    LONG_PTR ex = GetWindowLongPtrW(host.Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_FALSE(ex & WS_EX_CONTROLPARENT);
    // The hand over a shown cell, the arrow over the grid's background and a hidden cell.
    const POINT inside{Px(20) + 5, Px(30) + 5}, outside{5, 5};
    EXPECT_EQ(host.CursorAt(inside), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(host.CursorAt(outside), LoadCursorW(nullptr, IDC_ARROW));
    cell.SetShown(false);
    EXPECT_EQ(host.CursorAt(inside), LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(host.CellAt(inside), nullptr);
}

TEST_F(DayCellTest, DayNumberColours) {
    auto cell = MakeCell();
    Show(*cell, [&](CellContent& c) { c.day = 23; });
    const int x0 = 4, y0 = 4, x1 = 40, y1 = 23;

    Show(*cell, [&](CellContent& c) { c.date = Today(); });
    {
        Rendered img = Render(*cell);
        EXPECT_GT(img.Count(kMagenta, x0, y0, x1, y1), 10) << "today's number";
        EXPECT_GT(img.Count(kYellow, x0, y0, x1, y1), 0) << "today's shadow";
        EXPECT_EQ(img.Count(kDarkRed, x0, y0, x1, y1), 0);
        EXPECT_EQ(img.Count(kGrey, x0, y0, x1, y1), 0);
    }

    Show(*cell, [&](CellContent& c) { c.date = kSunday; });
    {
        Rendered img = Render(*cell);
        EXPECT_GT(img.Count(kYellow, x0, y0, x1, y1), 10) << "Sunday's number";
        EXPECT_GT(img.Count(kGrey, x0, y0, x1, y1), 0) << "shadow";
        EXPECT_EQ(img.Count(kMagenta, x0, y0, x1, y1), 0);
        EXPECT_EQ(img.Count(kDarkRed, x0, y0, x1, y1), 0);
    }

    Show(*cell, [&](CellContent& c) { c.date = Date{2026, 10, 23}; });  // a Friday
    {
        Rendered img = Render(*cell);
        EXPECT_GT(img.Count(kYellow, x0, y0, x1, y1), 10) << "23 October";
        EXPECT_EQ(img.Count(kDarkRed, x0, y0, x1, y1), 0);
    }

    Show(*cell, [&](CellContent& c) { c.date = kOrdinaryDay; });
    {
        Rendered img = Render(*cell);
        EXPECT_GT(img.Count(kDarkRed, x0, y0, x1, y1), 10) << "ordinary day";
        EXPECT_GT(img.Count(kGrey, x0, y0, x1, y1), 0);
        EXPECT_EQ(img.Count(kYellow, x0, y0, x1, y1), 0);
        EXPECT_EQ(img.Count(kMagenta, x0, y0, x1, y1), 0);
        // The shadow lies one pixel right and down: it shows past the number's right edge.
        int rightmostRed = -1, rightmostGrey = -1;
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) {
                if (img.image->Pixel(x, y) == kDarkRed) rightmostRed = x;
                if (img.image->Pixel(x, y) == kGrey) rightmostGrey = x;
            }
        EXPECT_EQ(rightmostGrey, rightmostRed + 1);
    }
}

TEST_F(DayCellTest, NameDayAndTitleWordsInTheirRows) {
    for (int height : {71, 100}) {
        SCOPED_TRACE(height);
        auto cell = MakeCell(100, height);
        const COLORREF green = 0x00A000, blue = 0xFF0000;
        Show(*cell, [&](CellContent& c) {
            c.date = kOrdinaryDay;
            c.day = 11;
            c.nameDay = L"Szilárd";
            c.colour1 = static_cast<int32_t>(green);
            c.colour2 = static_cast<int32_t>(blue);
            c.txt1 = L"MMMMM";
            c.txt2 = L"WWWWW";
        });
        Rendered img = Render(*cell);

        EXPECT_GT(img.CountRows(kNavy, 24, 37), 5);
        EXPECT_EQ(img.CountRows(kNavy, 0, 23) + img.CountRows(kNavy, 38, height - 1), 0);

        const int y1 = height < 72 ? 40 : height - 32;
        const int y2 = height < 72 ? 55 : height - 17;
        EXPECT_GT(img.CountRows(green, y1, y1 + 12), 5);
        EXPECT_EQ(img.CountRows(green, 0, y1 - 1) + img.CountRows(green, y1 + 13, height - 1), 0);
        EXPECT_GT(img.CountRows(blue, y2, y2 + 12), 5);
        EXPECT_EQ(img.CountRows(blue, 0, y2 - 1) + img.CountRows(blue, y2 + 13, height - 1), 0);
        // Single lines from x = 5.
        EXPECT_EQ(img.Count(green, 0, 0, 4, height - 1), 0);
    }
}

TEST_F(DayCellTest, NoteMarkerAndBevels) {
    const int w = 90, h = 80;
    auto cell = MakeCell(w, h);
    Show(*cell, [&](CellContent& c) { c.date = kOrdinaryDay; });

    Rendered empty = Render(*cell);
    EXPECT_EQ(empty.image->Pixel(w - 10, 10), 0xC0C0C0u);
    EXPECT_EQ(empty.image->Pixel(w - 10, 5), kGrey) << "outline at the top";
    EXPECT_EQ(empty.image->Pixel(w - 15, 10), kGrey) << "outline at the left";
    EXPECT_EQ(empty.image->Pixel(w - 10, 16), kWhite) << "below the marker";

    Show(*cell, [&](CellContent& c) { c.hasEntry = true; });
    Rendered withNote = Render(*cell);
    EXPECT_EQ(withNote.image->Pixel(w - 10, 10), 0x0000FFu);
    EXPECT_EQ(withNote.image->Pixel(w - 10, 5), kDarkRed);
    EXPECT_EQ(withNote.image->Pixel(w - 15, 10), kDarkRed);

    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    const MemoryCanvas& img = *withNote.image;
    EXPECT_EQ(img.Pixel(0, 0), light);
    EXPECT_EQ(img.Pixel(0, h - 2), light);
    EXPECT_EQ(img.Pixel(w - 1, h - 1), shadow);
    EXPECT_EQ(img.Pixel(w - 1, 0), shadow) << "the right edge owns the top-right corner";
    EXPECT_EQ(img.Pixel(1, 1), shadow) << "inner bevel is lowered";
    EXPECT_EQ(img.Pixel(w - 2, h - 2), light);
    EXPECT_EQ(img.Pixel(2, 2), kWhite);
    EXPECT_EQ(img.Pixel(w - 3, h - 3), kWhite);
}

TEST_F(DayCellTest, ContentRepaintsOnlyOnChange) {
    auto cell = MakeCell();
    int count = cell->RepaintCount();
    auto changed = [&](auto&& set) {
        set();
        bool first = cell->RepaintCount() == count + 1;
        count = cell->RepaintCount();
        set();
        bool second = cell->RepaintCount() == count;
        return first && second;
    };
    EXPECT_TRUE(changed([&] { Show(*cell, [&](CellContent& c) { c.day = 5; }); }));
    EXPECT_TRUE(changed([&] { Show(*cell, [&](CellContent& c) { c.nameDay = std::wstring(L"Ákos"); }); }));
    EXPECT_TRUE(changed([&] { Show(*cell, [&](CellContent& c) { c.txt1 = std::wstring(L"Szülinap"); }); }));
    EXPECT_TRUE(changed([&] { Show(*cell, [&](CellContent& c) { c.txt2 = std::wstring(L"Fogorvos"); }); }));
    EXPECT_TRUE(changed([&] { Show(*cell, [&](CellContent& c) { c.hasEntry = true; }); }));
    EXPECT_TRUE(changed([&] { Show(*cell, [&](CellContent& c) { c.date = Date{2026, 3, 5}; }); }));
    EXPECT_TRUE(changed([&] { Show(*cell, [&](CellContent& c) { c.colour1 = 0x123456; }); }));
    EXPECT_TRUE(changed([&] { Show(*cell, [&](CellContent& c) { c.colour2 = 0x654321; }); }));
    EXPECT_EQ(cell->Nap(), 5);
    EXPECT_EQ(cell->Txt2(), L"Fogorvos");
    EXPECT_EQ(cell->Datum(), (Date{2026, 3, 5}));

    // The state colours are stored only.
    const COLORREF before = cell->Color();
    cell->ColorOff = 0x111111;
    cell->ColorOn = 0x222222;
    cell->ColorClick = 0x333333;
    EXPECT_EQ(cell->Color(), before);
    EXPECT_EQ(cell->RepaintCount(), count);
}

TEST_F(DayCellTest, MouseStates) {
    auto cell = MakeCell();
    auto neighbour = MakeCell(100, 100, 150, 10);
    for (TJPanel* c : {cell.get(), neighbour.get()}) {
        c->ColorOff = 0x111111;
        c->ColorOn = 0x222222;
        c->ColorClick = 0x333333;
    }
    int moves = 0;
    cell->OnMouseMove = [&](TJPanel& c) {
        EXPECT_EQ(&c, cell.get());
        ++moves;
    };

    Mouse(*cell, WM_MOUSEMOVE, 20, 20);
    EXPECT_EQ(cell->Color(), 0x222222u);
    const int afterEnter = cell->RepaintCount();
    Mouse(*cell, WM_MOUSEMOVE, 21, 20);
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(cell->RepaintCount(), afterEnter) << "moving inside the cell is no new entry";

    Leave();
    EXPECT_EQ(cell->Color(), 0x111111u);

    Mouse(*cell, WM_MOUSEMOVE, 20, 20);
    EXPECT_EQ(cell->Color(), 0x222222u) << "entering again";
    for (auto [down, up] : {std::pair{WM_LBUTTONDOWN, WM_LBUTTONUP}, std::pair{WM_RBUTTONDOWN, WM_RBUTTONUP},
                            std::pair{WM_MBUTTONDOWN, WM_MBUTTONUP}}) {
        SCOPED_TRACE(down);
        Mouse(*cell, down, 20, 20);
        EXPECT_EQ(cell->Color(), 0x333333u);
        Mouse(*cell, up, 20, 20);
        EXPECT_EQ(cell->Color(), 0x222222u);
    }

    // From one cell straight into the next: the first is left, the second entered.
    Mouse(*neighbour, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(cell->Color(), 0x111111u);
    EXPECT_EQ(neighbour->Color(), 0x222222u);
    EXPECT_EQ(moves, 3) << "the neighbour's move is not the first cell's";
    // Onto the grid's background between the cells: none is under the mouse.
    SendMessageW(host.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(130, 50));
    EXPECT_EQ(neighbour->Color(), 0x111111u);
    EXPECT_FALSE(cell->Hovered() || neighbour->Hovered());

    // A hidden cell is not under the mouse; one hidden under it forgets the mouse.
    Mouse(*cell, WM_MOUSEMOVE, 20, 20);
    cell->SetShown(false);
    EXPECT_FALSE(cell->Hovered());
    EXPECT_EQ(cell->Color(), 0x111111u) << "shown again later, it is at rest";
    Mouse(*cell, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_NE(cell->Color(), 0x333333u);
    cell->SetShown(true);
    Mouse(*cell, WM_MOUSEMOVE, 20, 20);
    EXPECT_EQ(cell->Color(), 0x222222u);
    Leave();
    EXPECT_EQ(cell->Color(), 0x111111u);
}

TEST_F(DayCellTest, ClickRunsBeforeTheButtonUpColour) {
    auto cell = MakeCell();
    auto other = MakeCell(100, 100, 150, 10);
    cell->ColorOff = 0x111111;
    cell->ColorOn = 0x222222;
    cell->ColorClick = 0x333333;
    std::vector<COLORREF> seen;
    cell->OnClick = [&](TJPanel& c) { seen.push_back(c.Color()); };
    int otherClicks = 0;
    other->OnClick = [&](TJPanel&) { ++otherClicks; };

    Mouse(*cell, WM_MOUSEMOVE, 20, 20);
    Mouse(*cell, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Mouse(*cell, WM_LBUTTONUP, 20, 20);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], 0x333333u);
    EXPECT_EQ(cell->Color(), 0x222222u);

    // A release without a press in the cell, and the other buttons, are no click.
    Mouse(*cell, WM_LBUTTONUP, 20, 20);
    Mouse(*cell, WM_RBUTTONDOWN, 20, 20);
    Mouse(*cell, WM_RBUTTONUP, 20, 20);
    EXPECT_EQ(seen.size(), 1u);
    // Pressed on one cell and released on another: a click of neither.
    Mouse(*cell, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Mouse(*other, WM_LBUTTONUP, 20, 20);
    Mouse(*cell, WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(otherClicks, 0);
    // A press keeps the mouse until its release, which ends it wherever it comes: a
    // later press on the title strip released over the cell is no click, nor is a
    // press whose mouse another window took.
    Mouse(*cell, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), cell->Grid()->Handle());
    Mouse(*cell, WM_LBUTTONUP, -1000, -1000);
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(*cell, WM_LBUTTONUP, 20, 20);
    Mouse(*cell, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    SendMessageW(cell->Grid()->Handle(), WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(form.Handle()));
    Mouse(*cell, WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(seen.size(), 1u);

    // A window opened by the click covers the cell: the mouse has left it meanwhile.
    cell->OnClick = [&](TJPanel& c) {
        seen.push_back(c.Color());
        SendMessageW(c.Grid()->Handle(), WM_MOUSELEAVE, 0, 0);
    };
    Mouse(*cell, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Mouse(*cell, WM_LBUTTONUP, 20, 20);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], 0x333333u);
    EXPECT_EQ(cell->Color(), 0x111111u);
}

TEST_F(DayCellTest, KeyboardUse) {
    form.Show();
    auto first = MakeCell(80, 80, 0, 0);
    auto second = MakeCell(80, 80, 80, 0);
    auto third = MakeCell(80, 80, 160, 0);
    auto dialogKey = [&](WPARAM key) {
        MSG msg{host.Handle(), WM_KEYDOWN, key, 1};
        return IsDialogMessageW(form.Handle(), &msg) != FALSE;
    };

    int clicks = 0;
    first->OnClick = [&](TJPanel&) { ++clicks; };
    first->Focus();
    ASSERT_EQ(GetFocus(), host.Handle());
    EXPECT_TRUE(first->Focused());
    EXPECT_EQ(host.FocusedCell(), first.get());

    // Enter goes to the cell rather than to the form's default button; so does Space.
    for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_SPACE}}) EXPECT_TRUE(dialogKey(key));
    EXPECT_EQ(clicks, 2);
    // An auto-repeated key does not click again.
    SendMessageW(host.Handle(), WM_KEYDOWN, VK_RETURN, 1 | (1 << 30));
    EXPECT_EQ(clicks, 2);

    // Tab walks the shown cells in their order, passing a hidden one by.
    second->SetShown(false);
    EXPECT_TRUE(dialogKey(VK_TAB));
    EXPECT_TRUE(third->Focused());
    EXPECT_FALSE(first->Focused());
    // Past the last shown day it wraps round to the first; Shift+Tab back again.
    EXPECT_TRUE(dialogKey(VK_TAB));
    EXPECT_TRUE(first->Focused());
    BYTE keyboard[256]{};
    GetKeyboardState(keyboard);
    keyboard[VK_SHIFT] = 0x80;
    SetKeyboardState(keyboard);
    EXPECT_TRUE(dialogKey(VK_TAB));
    EXPECT_TRUE(third->Focused());
    keyboard[VK_SHIFT] = 0;
    SetKeyboardState(keyboard);
    second->SetShown(true);

    // The arrows go to the cell's navigation.
    std::vector<UINT> keys;
    third->OnKeyNavigate = [&](TJPanel& c, UINT key) {
        EXPECT_EQ(&c, third.get());
        keys.push_back(key);
    };
    for (WPARAM key : {WPARAM{VK_LEFT}, WPARAM{VK_NEXT}}) EXPECT_TRUE(dialogKey(key));
    EXPECT_EQ(keys, (std::vector<UINT>{VK_LEFT, VK_NEXT}));

    // A focused cell that gets hidden leaves the grid focused without a focused day; the
    // next arrow starts at the first shown cell.
    third->SetShown(false);
    EXPECT_EQ(GetFocus(), host.Handle());
    EXPECT_EQ(host.FocusedCell(), nullptr);
    EXPECT_TRUE(dialogKey(VK_RIGHT));
    EXPECT_TRUE(first->Focused());
    third->SetShown(true);

    // The focused cell shows a dotted rectangle inside the inner bevel.
    SendMessageW(host.Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    first->SetColor(0xE0E0E0);
    auto focusPixels = [&](TJPanel& cell) {  // inside the bevels, along row 3
        Rendered img = Render(cell);
        return 76 - img.Count(0xE0E0E0, 2, 3, 77, 3);
    };
    const int focused = focusPixels(*first);
    second->Focus();
    EXPECT_GT(focused, 10);
    EXPECT_EQ(focusPixels(*first), 0);
    // It goes with the grid's focus, and comes back to the same day.
    SetFocus(form.Handle());
    EXPECT_FALSE(second->Focused());
    SetFocus(host.Handle());
    EXPECT_TRUE(second->Focused());
}

TEST_F(DayCellTest, HintGoesToTheApplication) {
    Application& app = Application::Get();
    auto screen = [&](int x, int y) {
        POINT p{x, y};
        ClientToScreen(host.Handle(), &p);
        return p;
    };
    TJPanel early(L"early");
    early.SetHint(L"Kattintson a naphoz");
    early.Create(host, 0, 0, 50, 50);
    EXPECT_EQ(app.HintAt(host.Handle(), screen(5, 5)), L"Kattintson a naphoz");

    {
        auto cell = MakeCell(50, 50, 100, 100);
        cell->SetHint(L"Március 11.");
        EXPECT_EQ(cell->Hint(), L"Március 11.");
        const POINT inside = screen(cell->Bounds().left + 5, cell->Bounds().top + 5);
        EXPECT_EQ(app.HintAt(host.Handle(), inside), L"Március 11.");
        EXPECT_EQ(app.HintAt(host.Handle(), screen(Px(80), Px(80))), L"") << "between the cells";
        cell->SetShown(false);
        EXPECT_EQ(app.HintAt(host.Handle(), inside), L"") << "a hidden cell";
        cell->SetShown(true);
    }
    EXPECT_EQ(app.HintAt(host.Handle(), screen(Px(100) + 5, Px(100) + 5)), L"")
        << "a destroyed cell leaves no hint behind";
    EXPECT_EQ(app.HintAt(host.Handle(), screen(5, 5)), L"Kattintson a naphoz");
}

HWND g_menuOwner = nullptr;
WNDPROC g_formProc = nullptr;
LRESULT CALLBACK WatchMenu(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITMENUPOPUP) g_menuOwner = hwnd;
    return CallWindowProcW(g_formProc, hwnd, msg, wp, lp);
}

void CALLBACK CloseMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(DayCellTest, RightClickOpensTheMenuOwnedByTheForm) {
    form.Show();
    auto cell = MakeCell(80, 80, 30, 40);
    POINT at{-1, -1};
    cell->OnPopup = [&](TJPanel& c, int x, int y) {
        EXPECT_EQ(&c, cell.get());
        at = POINT{x, y};
    };
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 4711, L"Új bejegyzés");
    cell->PopupMenu = menu;
    g_formProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchMenu)));
    // The menu runs its own loop; a timer closes it.
    SetTimer(nullptr, 0, 200, CloseMenuSoon);

    Mouse(*cell, WM_RBUTTONDOWN, 12, 7);
    Mouse(*cell, WM_RBUTTONUP, 12, 7);
    SetWindowLongPtrW(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_formProc));
    POINT expected{Px(30) + 12, Px(40) + 7};
    ClientToScreen(host.Handle(), &expected);
    EXPECT_EQ(at.x, expected.x);
    EXPECT_EQ(at.y, expected.y);
    EXPECT_EQ(g_menuOwner, form.Handle());

    // From the keyboard (Shift+F10): at the focused cell, without the mouse's position.
    cell->PopupMenu = nullptr;
    at = POINT{-1, -1};
    SendMessageW(host.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(host.Handle()), MAKELPARAM(-1, -1));
    EXPECT_EQ(at.x, -1) << "no cell has the focus yet";
    cell->Focus();
    SendMessageW(host.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(host.Handle()), MAKELPARAM(-1, -1));
    RECT r = cell->Bounds();
    MapWindowPoints(host.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(PtInRect(&r, at));
    // On the grid's background no cell's menu opens.
    at = POINT{-1, -1};
    POINT background{5, 5};
    ClientToScreen(host.Handle(), &background);
    SendMessageW(host.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(host.Handle()),
                 MAKELPARAM(background.x, background.y));
    EXPECT_EQ(at.x, -1);
    DestroyMenu(menu);
}

}  // namespace

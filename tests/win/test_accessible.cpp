// What a screen reader finds in the main window through Active Accessibility: the
// month's days, the week-day headers, the tool bar, the month arrows and the status
// bar as children of their windows' objects, with names, roles, states and places;
// a day pressed through its default action; the focus events of the arrow keys.
#include <oleacc.h>

#include <array>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/main.h"
#include "editors/Reszlet.h"
#include "harness.h"
#include "platform/codec1250.h"
#include "store/entry_store.h"

namespace {

// A COM pointer released at the end of its scope.
template <class T>
struct Ref {
    T* p = nullptr;
    Ref() = default;
    explicit Ref(T* raw) : p(raw) {}
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
};

VARIANT Child(long id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring Name(IAccessible* acc, long id) {
    BSTR name = nullptr;
    acc->get_accName(Child(id), &name);
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
}

long Number(IAccessible* acc, long id, bool state) {
    VARIANT v;
    VariantInit(&v);
    if (state)
        acc->get_accState(Child(id), &v);
    else
        acc->get_accRole(Child(id), &v);
    return v.vt == VT_I4 ? v.lVal : -1;
}
long Role(IAccessible* acc, long id) { return Number(acc, id, false); }
long State(IAccessible* acc, long id) { return Number(acc, id, true); }

RECT Location(IAccessible* acc, long id) {
    long x = 0, y = 0, w = 0, h = 0;
    acc->accLocation(&x, &y, &w, &h, Child(id));
    return RECT{x, y, x + w, y + h};
}

// The children as AccessibleChildren gives them: ids of simple parts, or objects.
std::vector<VARIANT> Children(IAccessible* acc) {
    long count = 0;
    acc->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<size_t>(count));
    long got = 0;
    AccessibleChildren(acc, 0, count, children.data(), &got);
    children.resize(static_cast<size_t>(got));
    return children;
}

Ref<IAccessible> ObjectOf(HWND hwnd) {
    IAccessible* acc = nullptr;
    AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void**>(&acc));
    return Ref<IAccessible>(acc);
}

std::string RoleText(long role) {
    wchar_t text[64] = L"";
    GetRoleTextW(static_cast<DWORD>(role), text, 64);
    return WideToUtf8(text);
}

// The tree below `acc` as a screen reader's walk finds it, one line per object or part.
void Dump(IAccessible* acc, int depth, std::ostream& out) {
    auto line = [&](IAccessible* a, long id, int indent) {
        const RECT r = Location(a, id);
        out << std::string(static_cast<size_t>(indent) * 2, ' ') << RoleText(Role(a, id)) << " \""
            << WideToUtf8(Name(a, id)) << "\" " << r.left << "," << r.top << " " << r.right - r.left << "x"
            << r.bottom - r.top << " state 0x" << std::hex << State(a, id) << std::dec << "\n";
    };
    line(acc, CHILDID_SELF, depth);
    for (VARIANT& child : Children(acc)) {
        if (child.vt == VT_DISPATCH) {
            IAccessible* inner = nullptr;
            child.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&inner));
            child.pdispVal->Release();
            if (inner) Dump(inner, depth + 1, out);
            if (inner) inner->Release();
        } else if (child.vt == VT_I4) {
            line(acc, child.lVal, depth + 1);
        }
    }
}

std::vector<std::tuple<DWORD, HWND, LONG, LONG>>& SeenEvents() {
    static std::vector<std::tuple<DWORD, HWND, LONG, LONG>> seen;
    return seen;
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    SeenEvents().emplace_back(event, hwnd, object, child);
}

class AccessibleTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        CreateDirectoryW((Dir() + L"\\Data").c_str(), nullptr);
        WriteFile(L"Data\\index.txt",
                  SerializeIndexText({MakeDayEntry(Date{2026, 10, 14}, L"Fogorvos", L"10 óra", 0, 0)}));
        WriteFile(L"Data\\20261014.rtf", "{\\rtf1 x}");
        main = OpenMainWindow({}, false);
        editor = std::make_unique<Tfrm_Reszlet>();
        main->Others.reszlet = editor.get();
        editor->Create(main->Handle());
        // A month that never again holds today: no day of it is said to be today.
        main->ShowMonth(Date{2026, 10, 14});
        Pump();
    }
    void TearDown() override {
        editor.reset();
        main.reset();
        WinTest::TearDown();
    }
    // Child id of cell k (1..42) of the grid's object: after the seven headers.
    static long CellId(int k) { return 7 + k; }
    long DayId(int day) const { return CellId(main->FirstCell + day - 1); }

    std::unique_ptr<Tfrm_Main> main;
    std::unique_ptr<Tfrm_Reszlet> editor;
};

// The main window's object walks down to every drawn part; the month's 42 cells say
// what their days show, stand where they are drawn, and the other month's places are
// marked as such.
TEST_F(AccessibleTest, TheMainWindowsTreeHoldsTheMonthsDaysAsTheGridShowsThem) {
    Ref<IAccessible> root = ObjectOf(main->Handle());
    ASSERT_NE(root.p, nullptr);
    std::ostringstream tree;
    Dump(root.p, 0, tree);
    std::cout << tree.str();  // the tree a screen reader sees, for the record

    // From the main window to the grid, as a client walks: the grid is a child object.
    Ref<IAccessible> grid;
    for (VARIANT& child : Children(root.p)) {
        if (child.vt != VT_DISPATCH) continue;
        IAccessible* acc = nullptr;
        child.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&acc));
        child.pdispVal->Release();
        HWND hwnd = nullptr;
        WindowFromAccessibleObject(acc, &hwnd);
        if (hwnd == main->Panel.Handle() && !grid.p)
            grid.p = acc;
        else
            acc->Release();
    }
    ASSERT_NE(grid.p, nullptr);
    EXPECT_EQ(Role(grid.p, CHILDID_SELF), ROLE_SYSTEM_TABLE);
    long count = 0;
    grid->get_accChildCount(&count);
    ASSERT_EQ(count, 7 + 42);

    const wchar_t* weekdays[] = {L"hétfő", L"kedd", L"szerda", L"csütörtök", L"péntek", L"szombat", L"vasárnap"};
    const wchar_t* headers[] = {L"Hétfő", L"Kedd", L"Szerda", L"Csütörtök", L"Péntek", L"Szombat", L"Vasárnap"};
    for (long i = 1; i <= 7; ++i) {
        EXPECT_EQ(Role(grid.p, i), ROLE_SYSTEM_STATICTEXT);
        EXPECT_EQ(Name(grid.p, i), headers[i - 1]);
    }
    int shown = 0;
    for (int k = 1; k <= 42; ++k) {
        SCOPED_TRACE(k);
        const TJPanel& cell = *main->Cells[static_cast<size_t>(k - 1)];
        const long id = CellId(k);
        EXPECT_EQ(Role(grid.p, id), ROLE_SYSTEM_CELL);
        RECT expected = cell.Bounds();
        MapWindowPoints(main->Panel.Handle(), nullptr, reinterpret_cast<POINT*>(&expected), 2);
        const RECT at = Location(grid.p, id);
        EXPECT_EQ((std::array<long, 4>{at.left, at.top, at.right, at.bottom}),
                  (std::array<long, 4>{expected.left, expected.top, expected.right, expected.bottom}));
        const long state = State(grid.p, id);
        const int day = k - main->FirstCell + 1;
        if (day < 1 || day > 31) {  // October has 31 days
            EXPECT_EQ(Name(grid.p, id), L"");
            EXPECT_EQ(state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE),
                      STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE);
            continue;
        }
        ++shown;
        EXPECT_EQ(state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_FOCUSED), 0);
        EXPECT_NE(state & STATE_SYSTEM_FOCUSABLE, 0);
        const std::wstring nameDay = main->TheDiary().NameDay(Date{2026, 10, day});
        std::wstring name = L"2026. október " + std::to_wstring(day) + L"., " + weekdays[(k - 1) % 7];
        if (!nameDay.empty()) name += L", " + nameDay + L" névnapja";
        if (day == 14) name += L", Fogorvos 10 óra, van jegyzet";
        EXPECT_EQ(Name(grid.p, id), name);
    }
    EXPECT_EQ(shown, 31);
}

// A day pressed through its default action opens the editor on that day, after the
// client's call has returned (the editor is modal).
TEST_F(AccessibleTest, TheDefaultActionOfADayOpensTheEditorOnIt) {
    Ref<IAccessible> grid = ObjectOf(main->Panel.Handle());
    ASSERT_NE(grid.p, nullptr);
    BSTR action = nullptr;
    EXPECT_EQ(grid->get_accDefaultAction(Child(DayId(20)), &action), S_OK);
    EXPECT_STREQ(action, L"Megnyitás");
    SysFreeString(action);
    std::wstring caption;
    AnswerNextModal([&](Form& f) {
        caption = editor->pCim.Caption();
        f.Close(mrCancel);
    });
    EXPECT_EQ(grid->accDoDefaultAction(Child(DayId(20))), S_OK);
    EXPECT_EQ(modalCount, 0);  // not inside the call
    Pump();
    EXPECT_EQ(modalCount, 1);
    EXPECT_NE(caption.find(L"2026"), std::wstring::npos) << WideToUtf8(caption);
    EXPECT_NE(caption.find(L".20"), std::wstring::npos) << WideToUtf8(caption);
    // Another month's place has no action.
    EXPECT_EQ(grid->accDoDefaultAction(Child(CellId(42))), DISP_E_MEMBERNOTFOUND);
}

// The arrow keys move the focus between the days and say so; a month step says the
// focused day anew, in its new month.
TEST_F(AccessibleTest, TheArrowKeysRaiseTheFocusEventOfTheNewDay) {
    Ref<IAccessible> grid = ObjectOf(main->Panel.Handle());  // a client has asked
    ASSERT_NE(grid.p, nullptr);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    auto focusOf = [&](HWND hwnd) {
        std::vector<LONG> children;
        for (const auto& [event, window, object, child] : SeenEvents())
            if (event == EVENT_OBJECT_FOCUS && window == hwnd && object == OBJID_CLIENT && child != CHILDID_SELF)
                children.push_back(child);
        return children;
    };
    auto key = [&](WPARAM vk) {
        MSG msg{GetFocus(), WM_KEYDOWN, vk, 1, 0, {}};
        if (!IsDialogMessageW(main->Handle(), &msg)) DispatchMessageW(&msg);
        Pump();
    };
    const HWND gridWindow = main->Panel.Handle();
    main->Cells[static_cast<size_t>(main->FirstCell + 14 - 2)]->Focus();
    Pump();
    SeenEvents().clear();

    key(VK_RIGHT);
    EXPECT_EQ(focusOf(gridWindow), (std::vector<LONG>{DayId(15)}));
    VARIANT focus;
    grid->get_accFocus(&focus);
    EXPECT_EQ(focus.vt, VT_I4);
    EXPECT_EQ(focus.lVal, DayId(15));
    EXPECT_NE(State(grid.p, DayId(15)) & STATE_SYSTEM_FOCUSED, 0);

    key(VK_DOWN);
    EXPECT_EQ(focusOf(gridWindow).back(), DayId(22));

    // The mouse pressed on a day focuses it too (let go beside the cells: no click).
    const RECT third = main->Cells[static_cast<size_t>(main->FirstCell + 3 - 2)]->Bounds();
    SendMessageW(gridWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(third.left + 5, third.top + 5));
    SendMessageW(gridWindow, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    Pump();  // the hook's calls come through the message queue
    EXPECT_EQ(focusOf(gridWindow).back(), DayId(3));
    key(VK_DOWN);
    EXPECT_EQ(focusOf(gridWindow).back(), DayId(10));

    // Page Down: November, the same day; one event, for the cell that now shows it
    // (not for the cell the focus was in, which shows another day now).
    SeenEvents().clear();
    key(VK_NEXT);
    ASSERT_EQ(main->ShownMonth, 11);
    EXPECT_EQ(focusOf(gridWindow), (std::vector<LONG>{DayId(10)}));
    EXPECT_EQ(Name(grid.p, DayId(10)).substr(0, 19), L"2026. november 10.,");
    // A month step with the arrow button keeps the focus in its cell: it is told anew,
    // with the day the cell shows now.
    const long cell = DayId(10);
    SeenEvents().clear();
    main->tbEloreClick();
    Pump();
    EXPECT_EQ(focusOf(gridWindow), (std::vector<LONG>{cell}));
    EXPECT_EQ(Name(grid.p, cell).substr(0, 19), L"2026. december 15.,");
    UnhookWinEvent(hook);
}

// The title strip's tool bar and month arrows, and the status bar's texts: buttons
// named by their hints where they are drawn, the drop-down one as such; a button
// pressed through its default action does what its click does.
TEST_F(AccessibleTest, TheToolBarsButtonsAndTheStatusBarsTexts) {
    Ref<IAccessible> strip = ObjectOf(main->pFejlec.Handle());
    ASSERT_NE(strip.p, nullptr);
    std::vector<const SpeedButton*> buttons = main->ToolBar1.Buttons();
    buttons.push_back(&main->tbVissza);
    buttons.push_back(&main->tbElore);
    long count = 0;
    strip->get_accChildCount(&count);
    ASSERT_EQ(count, static_cast<long>(buttons.size()));
    for (long id = 1; id <= count; ++id) {
        const SpeedButton& button = *buttons[static_cast<size_t>(id - 1)];
        SCOPED_TRACE(WideToUtf8(button.Name));
        EXPECT_EQ(Name(strip.p, id), button.Hint());
        EXPECT_EQ(Role(strip.p, id), button.DropDown ? ROLE_SYSTEM_BUTTONDROPDOWN : ROLE_SYSTEM_PUSHBUTTON);
        const RECT expected = ScreenRectOf(button), at = Location(strip.p, id);
        EXPECT_TRUE(EqualRect(&expected, &at));
    }
    EXPECT_EQ(Role(strip.p, count - 2), ROLE_SYSTEM_BUTTONDROPDOWN);  // "Továbbiak", before the arrows
    EXPECT_NE(State(strip.p, count - 2) & STATE_SYSTEM_HASPOPUP, 0);
    EXPECT_EQ(Name(strip.p, count), L"Következő hónap");
    EXPECT_EQ(strip->accDoDefaultAction(Child(count)), S_OK);
    Pump();
    EXPECT_EQ(main->ShownMonth, 11);

    // The arrow pressed with the mouse shows pressed until the button is let go.
    const RECT arrow = main->tbVissza.Bounds();
    SendMessageW(main->pFejlec.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.left + 5, arrow.top + 5));
    EXPECT_NE(State(strip.p, count - 1) & STATE_SYSTEM_PRESSED, 0);
    SendMessageW(main->pFejlec.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(arrow.left + 5, arrow.top + 5));
    EXPECT_EQ(State(strip.p, count - 1) & STATE_SYSTEM_PRESSED, 0);
    EXPECT_EQ(main->ShownMonth, 10);

    Ref<IAccessible> status = ObjectOf(main->Panel2.Handle());
    ASSERT_NE(status.p, nullptr);
    EXPECT_EQ(Role(status.p, 1), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(Name(status.p, 1), Trim(main->pHint.Caption()));
    EXPECT_EQ(Name(status.p, 2), Trim(main->pIdo.Caption()));
}

}  // namespace

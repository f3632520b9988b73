// What the start-up makes and what it leaves for later: every long-lived window
// exists from the start, in the program's order, but its controls (and with them
// the rich-edit boxes and their library, the font list, the About picture) come at
// its first showing, in their tab order, in the colours of the scheme applied since.
// A process of its own: nothing else here has loaded the rich-edit library.
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/main.h"
#include "editors/Reszlet.h"
#include "editors/jegyzettomb.h"
#include "harness.h"
#include "lists/Lista.h"
#include "lists/NevnapKeres.h"
#include "platform/About.h"
#include "ui/application.h"

namespace {

// The children of `parent` in their order (the tab order of the window).
std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> out;
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) out.push_back(h);
    return out;
}

class StartupTest : public WinTest {};

}  // namespace

TEST_F(StartupTest, TheMonthViewStartsWithoutTheEditorsLibraryFontsOrPicturesWhichComeAtTheFirstShowing) {
    InstallDataFiles();
    auto main = OpenMainWindow();
    Tfrm_About about;
    Tfrm_Reszlet reszlet;
    Tfrm_Jegyzettomb notepad;
    Tfrm_NevnapKeres search;
    Tfrm_Lista lista;
    main->Others = {.about = &about, .reszlet = &reszlet, .jegyzettomb = &notepad, .nevnapKeres = &search, .lista = &lista};
    SchemeNotice& schemes = main->SchemeChanges();
    const auto followers = std::array{FollowScheme(schemes, about), FollowScheme(schemes, reszlet),
                                      FollowScheme(schemes, notepad), FollowScheme(schemes, search),
                                      FollowScheme(schemes, lista)};
    for (Form* form : std::vector<Form*>{&about, &reszlet, &notepad, &search, &lista})
        form->CreateOwnedFromFirstShowing(main->Handle());
    main->ApplyColours();

    EXPECT_EQ(GetModuleHandleW(L"Msftedit.dll"), nullptr) << "the month view needs no rich-edit box";
    for (Form* form : std::vector<Form*>{&about, &reszlet, &notepad, &search, &lista}) {
        EXPECT_NE(form->Handle(), nullptr);
        EXPECT_FALSE(form->HasInsides());
        EXPECT_TRUE(Children(form->Handle()).empty()) << "a start makes only the window itself";
        EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), nullptr) << "owned from the first showing on";
        EXPECT_NE(GetAncestor(form->Handle(), GA_PARENT), GetDesktopWindow()) << "a message-only window till then";
        EXPECT_FALSE(IsWindowVisible(form->Handle()));
    }
    EXPECT_EQ(reszlet.Megjegyzes.Handle(), nullptr);
    EXPECT_EQ(notepad.Megjegyzes.Handle(), nullptr);
    EXPECT_EQ(search.Megjegyzes.Handle(), nullptr);
    EXPECT_EQ(lista.reMegjegyzes.Handle(), nullptr);
    EXPECT_TRUE(reszlet.FontNames().empty()) << "no font enumeration at start";
    EXPECT_FALSE(about.Panel6.Picture().pixels) << "the picture is decoded when first shown";
    // A scheme applied before the first showing is what the frames show then, not
    // the colours the windows are designed with.
    main->Szin[1] = 0x0000C0;
    main->Szin[6] = 0x00C000;
    main->ApplyColours();
    RECT searchPlace{}, listaPlace{};
    GetWindowRect(search.Handle(), &searchPlace);
    GetWindowRect(lista.Handle(), &listaPlace);
    search.EnsureInsides();
    lista.EnsureInsides();
    for (Form* shown : std::vector<Form*>{&search, &lista}) {
        EXPECT_EQ(GetWindow(shown->Handle(), GW_OWNER), main->Handle());
        EXPECT_EQ(GetAncestor(shown->Handle(), GA_PARENT), GetDesktopWindow());
        EXPECT_FALSE(GetWindowLongW(shown->Handle(), GWL_STYLE) & WS_CHILD);
    }
    // In the middle of the screen, in the size it was made with.
    for (auto [form, made] : {std::pair<Form*, RECT>{&search, searchPlace}, std::pair<Form*, RECT>{&lista, listaPlace}}) {
        RECT now{};
        GetWindowRect(form->Handle(), &now);
        EXPECT_EQ(now.right - now.left, made.right - made.left);
        EXPECT_EQ(now.bottom - now.top, made.bottom - made.top);
        EXPECT_EQ(now.left, (GetSystemMetrics(SM_CXSCREEN) - (now.right - now.left)) / 2);
        EXPECT_EQ(now.top, (GetSystemMetrics(SM_CYSCREEN) - (now.bottom - now.top)) / 2);
    }
    EXPECT_EQ(search.p.Color(), 0x0000C0u);
    EXPECT_EQ(search.pCim.Color(), 0x00C000u);
    EXPECT_EQ(search.Panel2.Color(), 0x00C000u);
    EXPECT_EQ(lista.Panel1.Color(), 0x00C000u);

    // The first showing of the entry editor: a click on a day.
    std::vector<HWND> order;
    AnswerNextModal([&](Form& form) {
        EXPECT_EQ(&form, &reszlet);
        order = Children(reszlet.Panel1.Handle());
        form.Close(mrCancel);
    });
    main->n1Click(*main->Cells[static_cast<size_t>(main->FirstCell - 1)]);
    EXPECT_TRUE(errors.empty());
    EXPECT_NE(GetModuleHandleW(L"Msftedit.dll"), nullptr);
    EXPECT_EQ(GetWindow(reszlet.Handle(), GW_OWNER), main->Handle()) << "a modal window goes back to its owner";
    ASSERT_NE(reszlet.Megjegyzes.Handle(), nullptr);
    EXPECT_FALSE(reszlet.FontNames().empty());
    // Tab order as designed: tool bar, both titles, the note, the format bar.
    std::vector<HWND> expected{reszlet.ToolBar.Handle(), reszlet.Cimszo1.Handle(), reszlet.Cimszo2.Handle(),
                               reszlet.Megjegyzes.Handle(), reszlet.tbarFormaz.Handle()};
    std::vector<HWND> seen;
    for (HWND h : order)
        if (std::find(expected.begin(), expected.end(), h) != expected.end()) seen.push_back(h);
    EXPECT_EQ(seen, expected);
    // Other windows are still without theirs.
    EXPECT_EQ(notepad.Megjegyzes.Handle(), nullptr);
    EXPECT_FALSE(about.HasInsides());

    AnswerCancel();
    about.ShowModal();
    EXPECT_TRUE(about.Panel6.Picture().pixels);
    EXPECT_EQ(about.pAbout.Color(), 0x0000C0u);
    EXPECT_EQ(about.pBezar.Color(), 0x00C000u);
}

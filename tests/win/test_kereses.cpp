// "Keresés a naplóban": opened from the main window, its results, opening a day
// from them, and the window's size kept for the next run.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>

#include "app/main.h"
#include "editors/Reszlet.h"
#include "editors/jegyzettomb.h"
#include "harness.h"
#include "lists/Kereses.h"
#include "platform/codec1250.h"
#include "platform/errors.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace {

std::string Note(const std::wstring& text) {
    return "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}\\f0 " + EncodeCp1250(text) + "\\par}";
}

class KeresesTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        CreateDirectoryW((Dir() + L"\\Data").c_str(), nullptr);
        const std::wstring lines[] = {
            MakeDayEntry(Date{2024, 1, 5}, L"Születésnap", L"Gergő", 0x0000FF, 0xFF0000),
            MakeDayEntry(Date{2025, 3, 10}, L"Fogorvos", L"", 0x008000, 0),
            MakeDayEntry(Date{2023, 12, 24}, L"Karácsony", L"", 0, 0),
        };
        std::string index;
        for (const auto& line : lines) index += EncodeCp1250(line) + "\r\n";
        WriteFile(L"Data\\index.txt", index);
        WriteFile(L"Data\\20240105.rtf", Note(L"Közös vacsora Gergővel."));
        WriteFile(L"Data\\20250310.rtf", Note(L"Fogorvos, aztán vacsora."));
        WriteFile(L"Data\\20231224.rtf", Note(L"Szenteste, halászlé."));
        WriteFile(L"Data\\jegyzet.rtf", Note(L"Bevásárlás: ÖNTET, vacsorához."));
        main = OpenMainWindow();
        editor = std::make_unique<Tfrm_Reszlet>();
        main->Others.reszlet = editor.get();
        editor->Create(main->Handle());
    }
    void TearDown() override {
        editor.reset();
        main.reset();
        WinTest::TearDown();
    }

    // The search window shown without a modal loop, as tests need it.
    Tfrm_Kereses& OpenSearch() {
        main->SearchWindow().Show();
        Pump();
        return *main->Kereses;
    }
    void Search(Tfrm_Kereses& window, const wchar_t* words, bool exact = false) {
        SendMessageW(window.cbPontos.Handle(), BM_SETCHECK, exact ? BST_CHECKED : BST_UNCHECKED, 0);
        SetWindowTextW(window.edtKeres.Handle(), words);
        window.SearchNow();
    }
    std::vector<std::wstring> Dates(const Tfrm_Kereses& window) const {
        std::vector<std::wstring> out;
        for (size_t i = 0; i < window.Hits().size(); ++i) out.push_back(window.CellText(static_cast<int>(i), 0));
        return out;
    }

    std::unique_ptr<Tfrm_Main> main;
    std::unique_ptr<Tfrm_Reszlet> editor;
};

}  // namespace

TEST_F(KeresesTest, CtrlFAndTheMenuOpenTheSearchWindowMadeOnlyThen) {
    EXPECT_FALSE(main->Kereses) << "nothing of the search exists at start";
    int shown = 0;
    auto answer = [&](Form& form) {
        EXPECT_NE(dynamic_cast<Tfrm_Kereses*>(&form), nullptr);
        EXPECT_EQ(WindowText(form.Handle()), L"Tivorn V2.3");
        ++shown;
        form.Close(mrCancel);
    };
    AnswerNextModal(answer);
    SendMessageW(main->Handle(), WM_COMMAND, MAKEWPARAM(main->pmTovabbiak.IdOf(L"mniKereses"), 0), 0);
    // The shortcut: Ctrl+F through the message loop, with the focus on a day cell.
    AnswerNextModal(answer);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    main->Cells[10]->Focus();
    PressKey(main->Panel.Handle(), 'F');
    Pump();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(errors.empty());
}

TEST_F(KeresesTest, FindsDaysNewestFirstWithTitlesColoursSnippetAndCount) {
    Tfrm_Kereses& window = OpenSearch();
    EXPECT_EQ(window.pCim.Caption(), L"  Keresés a naplóban");
    Search(window, L"VACSORA");
    EXPECT_EQ(Dates(window), (std::vector<std::wstring>{L"2025.03.10.", L"2024.01.05.", L"Jegyzettömb"}));
    EXPECT_EQ(ListView_GetItemCount(window.lvTalalatok.Handle()), 3);
    EXPECT_EQ(window.CellText(1, 1), L"Születésnap");
    EXPECT_EQ(window.CellText(1, 2), L"Gergő");
    EXPECT_EQ(window.Hits()[1].colour1, 0x0000FF);
    EXPECT_EQ(window.CellText(1, 3), L"Közös vacsora Gergővel.");
    EXPECT_EQ(window.pDarab.Caption(), L"Talált napok: 2 (és a jegyzettömb)");

    // The list asks for its texts through its own notification, as when it paints.
    wchar_t text[64] = {};
    ListView_GetItemText(window.lvTalalatok.Handle(), 0, 0, text, 64);
    EXPECT_STREQ(text, L"2025.03.10.");

    Search(window, L"gergo kozos");
    EXPECT_EQ(Dates(window), std::vector<std::wstring>{L"2024.01.05."});
    Search(window, L"O");  // ő and Ö: the notepad's ÖNTET, Gergő, ...
    EXPECT_EQ(window.Hits().size(), 4u);
    Search(window, L"gergo", true);
    EXPECT_TRUE(window.Hits().empty());
    EXPECT_EQ(window.pDarab.Caption(), L"Nincs találat a napok között");
    Search(window, L"Gergő", true);
    EXPECT_EQ(Dates(window), std::vector<std::wstring>{L"2024.01.05."});

    // A change made elsewhere (a timer, another thread) brings the shown results up to date.
    main->TheDiary().Store(Date{2026, 1, 2}, DayEntry{L"Gergő"}, "");
    for (int waited = 0; waited < 3000 && window.Hits().size() < 2; waited += 20) {
        Sleep(20);
        Pump();
    }
    EXPECT_EQ(Dates(window), (std::vector<std::wstring>{L"2026.01.02.", L"2024.01.05."}));
    window.Close();
    EXPECT_TRUE(errors.empty());
}

TEST_F(KeresesTest, EnterOpensTheDayAsItsCellWouldAndTheResultsFollowTheEditor) {
    Tfrm_Kereses& window = OpenSearch();
    Search(window, L"halaszle");
    ASSERT_EQ(window.Hits().size(), 1u);
    int opened = 0;
    AnswerNextModal([&](Form& form) {
        ++opened;
        ASSERT_EQ(&form, editor.get());
        EXPECT_EQ(main->ShownYear, 2023);
        EXPECT_EQ(main->ShownMonth, 12);
        EXPECT_EQ(main->ShownDay, 24) << "the day's cell was clicked";
        EXPECT_EQ(main->CurrentDate, (Date{2023, 12, 24}));
        EXPECT_EQ(editor->Cimszo1.Text(), L"Karácsony");
        EXPECT_EQ(editor->pCim.Caption(), L"   " + FormatLongDate(Date{2023, 12, 24}, main->Months()));
        editor->Cimszo2.SetText(L"Halászlé");
        editor->sbMentBezar.Click();
    });
    // Enter with the focus in the box searches and moves to the list; Enter there opens.
    SetFocus(window.edtKeres.Handle());
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(GetFocus(), window.lvTalalatok.Handle());
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(opened, 1);
    ASSERT_EQ(window.Hits().size(), 1u);
    EXPECT_EQ(window.CellText(0, 2), L"Halászlé") << "the results were refreshed after the editor";
    EXPECT_EQ(main->pFejlec.Caption(), main->MonthCaption());

    // A double click on a row does the same.
    AnswerNextModal([&](Form& form) {
        ++opened;
        static_cast<Tfrm_Reszlet&>(form).sbBezar.Click();
    });
    NMITEMACTIVATE activate{};
    activate.hdr.hwndFrom = window.lvTalalatok.Handle();
    activate.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window.lvTalalatok.Handle()));
    activate.hdr.code = NM_DBLCLK;
    activate.iItem = 0;
    SendMessageW(window.Handle(), WM_NOTIFY, activate.hdr.idFrom, reinterpret_cast<LPARAM>(&activate));
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(errors.empty());
}

TEST_F(KeresesTest, EscapeClosesAndTheSizeIsKeptForTheNextRun) {
    Tfrm_Kereses& window = OpenSearch();
    SetWindowPos(window.Handle(), nullptr, 0, 0, 700, 520, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    RECT list{};
    GetWindowRect(window.lvTalalatok.Handle(), &list);
    EXPECT_GT(list.right - list.left, 600) << "the list grows with the window";
    SetFocus(window.edtKeres.Handle());
    PressKey(window.edtKeres.Handle(), VK_ESCAPE);
    Pump();
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(ReadKetraboValue(Tfrm_Kereses::kWidthValue), L"700");
    EXPECT_EQ(ReadKetraboValue(Tfrm_Kereses::kHeightValue), L"520");

    Tfrm_Kereses next(main->TheDiary());
    next.Create(main->Handle());
    RECT r{};
    GetWindowRect(next.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 700);
    EXPECT_EQ(r.bottom - r.top, 520);
    // A damaged value falls back to the designed size.
    WriteKetraboValue(Tfrm_Kereses::kWidthValue, L"széles");
    Tfrm_Kereses designed(main->TheDiary());
    designed.Create(main->Handle());
    GetWindowRect(designed.Handle(), &r);
    EXPECT_LT(r.right - r.left, 700);
}

TEST_F(KeresesTest, TheControlsSitAsDesignedAndTheBoxAndTheListGrowWithTheWindow) {
    Tfrm_Kereses& window = OpenSearch();
    ExpectControlsWhereTheTableSays(window, Tfrm_Kereses::Controls());
    const auto rows = Tfrm_Kereses::Controls();
    const auto box = [&rows](const wchar_t* name) {
        const auto& row = RowOf(rows, name);
        return std::array{row.x, row.y, row.w, row.h};
    };
    EXPECT_EQ(box(L"edtKeres"), (std::array{96, 8, 366, 21}));
    EXPECT_EQ(box(L"cbPontos"), (std::array{472, 10, 130, 17}));
    EXPECT_EQ(box(L"lvTalalatok"), (std::array{8, 36, 596, 336}));
    EXPECT_EQ(box(L"pDarab"), (std::array{8, 376, 596, 22}));
    EXPECT_STREQ(RowOf(rows, L"Label1").text, L"Keresett szavak");
    EXPECT_EQ(window.cbPontos.Text(), L"Pontos egyezés");
    EXPECT_EQ(Application::Get().HintAt(window.cbPontos.Handle(), POINT{2, 2}),
              L"Kis- és nagybetű, ékezetek is számítanak");
    // The tick searches again at once.
    Search(window, L"gergo");
    EXPECT_FALSE(window.Hits().empty());
    window.cbPontos.Click();
    EXPECT_TRUE(window.Hits().empty());
    window.Close();
}

// A window that edits a file is shown only over that file's text, whichever way it is
// opened: the notepad from its button and from a result of the search, a day from its
// cell and from a result. A notepad once came up empty from the search, and
// "Bezárás mentéssel" wrote the empty text over the real file.
TEST_F(KeresesTest, EveryWayOfOpeningTheNotepadAndADayShowsTheFilesText) {
    Tfrm_Jegyzettomb notepad;
    main->Others.jegyzettomb = &notepad;
    notepad.Create(main->Handle());
    Tfrm_Kereses& window = OpenSearch();
    struct Way {
        const char* name;
        Form* shown;
        std::wstring expected;
        std::function<void()> open;
    };
    const Way ways[] = {
        {"notepad button", &notepad, L"ÖNTET", [&] { main->ToolBar1.Click(L"tbJegyzettomb"); }},
        {"notepad result", &notepad, L"ÖNTET",
         [&] {
             Search(window, L"öntet");
             window.OpenResult(0);
         }},
        {"day cell", editor.get(), L"halászlé",
         [&] {
             main->ShowMonth(Date{2023, 12, 24});
             main->n1Click(*main->Cells[static_cast<size_t>(main->FirstCell + 24 - 2)]);
         }},
        {"day result", editor.get(), L"halászlé",
         [&] {
             Search(window, L"halaszle");
             window.OpenResult(0);
         }},
    };
    for (const Way& way : ways) {
        int shown = 0;
        AnswerNextModal([&](Form& form) {
            ++shown;
            EXPECT_EQ(&form, way.shown) << way.name;
            auto& note = static_cast<TRichNoteForm&>(form);
            EXPECT_NE(note.Megjegyzes.Text().find(way.expected), std::wstring::npos) << way.name;
            note.sbMentBezar.Click();
        });
        way.open();
        EXPECT_EQ(shown, 1) << way.name;
    }
    EXPECT_NE(ReadFile(L"Data\\jegyzet.rtf").find("NTET"), std::string::npos) << "the notepad kept its text";
    EXPECT_TRUE(errors.empty());
    main->Others.jegyzettomb = nullptr;
}

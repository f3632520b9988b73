// The name-day search under Wine: the installed document, first and next search,
// what the caret and the selection do, reopening, and a missing document.
#include <memory>
#include <string>
#include <vector>

#include "app/main.h"
#include "harness.h"
#include "lists/NevnapKeres.h"
#include "platform/errors.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace {

class NevnapKeresTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        main = OpenMainWindow();
        search = std::make_unique<Tfrm_NevnapKeres>();
        frm_NevnapKeres = search.get();
        search->Create(main->Handle());
        main->ApplyColours();
    }
    void TearDown() override {
        search.reset();
        main.reset();
        WinTest::TearDown();
    }

    // Opens the window from the main window's button; `inside` runs in it, then it is closed.
    void OpenSearch(const std::function<void()>& inside) {
        bool ran = false;
        AnswerNextModal([&](Form&) {
            ran = true;
            inside();
            if (search->Visible()) search->sbBezar.Click();
        });
        main->ToolBar1.Click(L"tbNevnapKeres");
        EXPECT_TRUE(ran);
        EXPECT_FALSE(search->Visible());
    }

    void Find(const std::wstring& text) {
        SetWindowTextW(search->edtKeres, text.c_str());
        search->sbKeres.Click();
    }
    void FindNext() { search->sbTovabbKeres.Click(); }
    CHARRANGE Selection() const { return search->Megjegyzes.Selection(); }
    int FirstVisibleLine() const {
        return static_cast<int>(SendMessageW(search->Megjegyzes.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
    }
    // Positions of every occurrence in the document's plain text.
    std::vector<int> Occurrences(const std::wstring& what) const {
        const std::wstring text = search->Megjegyzes.Text();
        std::vector<int> at;
        for (size_t k = text.find(what); k != std::wstring::npos; k = text.find(what, k + 1))
            at.push_back(static_cast<int>(k));
        return at;
    }

    std::unique_ptr<Tfrm_Main> main;
    std::unique_ptr<Tfrm_NevnapKeres> search;
};

}  // namespace

TEST_F(NevnapKeresTest, OpensOnTheWholeCalendarWithHungarianLetters) {
    OpenSearch([&] {
        EXPECT_EQ(WindowText(search->Handle()), Application::Get().Title);
        EXPECT_EQ(search->pCim.Caption(), L"  Névnapok");
        RECT client = search->ClientRect();
        EXPECT_EQ(client.right, 389);
        EXPECT_EQ(client.bottom, 413);
        const std::wstring text = search->Megjegyzes.Text();
        EXPECT_EQ(text.substr(0, 10), L"Névnapok\r\r");
        for (const wchar_t* part : {L"\rJanuár\r", L"\rjanuár 1.  Fruzsina\r", L"\rjanuár 12.  Ernő\r",
                                    L"\rfebruár 29.  Szökőnap\r", L"\rmárcius 1.  Albin\r", L"\rDecember\r",
                                    L"\rnovember 19.  Erzsébet", L"\rdecember 31.  Szilveszter"})
            EXPECT_NE(text.find(part), std::wstring::npos) << WideToUtf8(part);
        // One paragraph end is one character, so text positions are selection positions.
        EXPECT_EQ(search->DocumentLength(), static_cast<int32_t>(text.size()));
        EXPECT_EQ(Selection().cpMin, 0);
        EXPECT_EQ(Selection().cpMax, 0);
        EXPECT_EQ(GetFocus(), search->edtKeres);
        EXPECT_TRUE(GetWindowLongW(search->Megjegyzes.Handle(), GWL_STYLE) & ES_READONLY);
    });
    EXPECT_TRUE(errors.empty());
}

TEST_F(NevnapKeresTest, FirstSearchMatchesCaseAndFindsPartsOfNames) {
    OpenSearch([&] {
        Find(L"fruzsina");
        EXPECT_EQ(Selection().cpMin, 0) << "a lower-case text does not find the capitalised name";
        EXPECT_EQ(Selection().cpMax, 0);
        EXPECT_EQ(GetFocus(), search->edtKeres);

        const int at = Occurrences(L"Fruzsina").at(0);
        Find(L"Fruzsina");
        EXPECT_EQ(Selection().cpMin, at);
        EXPECT_EQ(Selection().cpMax, at + 8);
        EXPECT_EQ(GetFocus(), search->Megjegyzes.Handle());

        Find(L"zsébe");  // inside "Erzsébet", far down: scrolled into view
        EXPECT_EQ(Selection().cpMin, Occurrences(L"Erzsébet").at(0) + 2);
        EXPECT_GT(FirstVisibleLine(), 100);

        Find(L"Szilveszter");  // the document's last name
        EXPECT_EQ(Selection().cpMin, Occurrences(L"Szilveszter").back());
    });
}

TEST_F(NevnapKeresTest, NextWalksThroughTheMatchesAndStopsAtTheLast) {
    OpenSearch([&] {
        const std::vector<int> at = Occurrences(L"Mária");
        ASSERT_EQ(at.size(), 4u);
        SetWindowTextW(search->edtKeres, L"Mária");
        for (int k : at) {
            FindNext();  // the first one too: nothing selected yet
            EXPECT_EQ(Selection().cpMin, k);
            EXPECT_EQ(Selection().cpMax, k + 5);
        }
        FindNext();
        EXPECT_EQ(Selection().cpMin, at.back()) << "no wrap-around: the last match stays selected";
        EXPECT_EQ(Selection().cpMax, at.back() + 5);

        // A click into the document leaves an empty selection: next starts from the top.
        search->Megjegyzes.Select(at[2] + 2, at[2] + 2);
        FindNext();
        EXPECT_EQ(Selection().cpMin, at[0]);
        // A selection of anything else goes on after it.
        search->Megjegyzes.Select(at[1] - 20, at[1] + 1);
        FindNext();
        EXPECT_EQ(Selection().cpMin, at[2]);
        // First search always starts at the top.
        Find(L"Mária");
        EXPECT_EQ(Selection().cpMin, at[0]);
    });
}

TEST_F(NevnapKeresTest, EmptyTextAndEnterSearchNothing) {
    OpenSearch([&] {
        Find(L"");
        FindNext();
        EXPECT_EQ(Selection().cpMin, 0);
        EXPECT_EQ(Selection().cpMax, 0);
        EXPECT_EQ(GetFocus(), search->edtKeres);

        SetWindowTextW(search->edtKeres, L"Ábel");
        PressKey(search->edtKeres, VK_RETURN);
        Pump();
        EXPECT_EQ(search->GetModalResult(), mrNone) << "Enter does not close either";
        EXPECT_EQ(Selection().cpMax, 0);
        EXPECT_EQ(GetFocus(), search->edtKeres);

        PressKey(search->edtKeres, VK_ESCAPE);
        Pump();
        EXPECT_EQ(search->GetModalResult(), mrCancel) << "Escape closes";
    });
}

TEST_F(NevnapKeresTest, ReopeningShowsAnEmptyBoxAndTheDocumentFromTheTop) {
    OpenSearch([&] {
        Find(L"Szilveszter");
        ASSERT_GT(FirstVisibleLine(), 0);
    });
    OpenSearch([&] {
        EXPECT_EQ(WindowText(search->edtKeres), L"");
        EXPECT_EQ(Selection().cpMin, 0);
        EXPECT_EQ(Selection().cpMax, 0);
        EXPECT_EQ(FirstVisibleLine(), 0);
        EXPECT_EQ(GetFocus(), search->edtKeres);
    });
}

TEST_F(NevnapKeresTest, AMissingDocumentIsReportedAndTheWindowKeepsWhatItHeld) {
    OpenSearch([] {});
    const std::wstring path = Dir() + L"\\Data\\Névnapok.rtf";
    ASSERT_TRUE(DeleteFileW(path.c_str()));
    OpenSearch([&] {
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], L"Cannot open file " + path);
        EXPECT_NE(search->Megjegyzes.Text().find(L"Fruzsina"), std::wstring::npos);
        Find(L"Ábel");
        EXPECT_EQ(Selection().cpMin, Occurrences(L"Ábel").at(0));
    });
}

TEST_F(NevnapKeresTest, PanelsAndTheDocumentFollowTheColourScheme) {
    main->Szin[1] = 0x00FF00;
    main->Szin[6] = 0x123456;
    main->ApplyColours();
    EXPECT_EQ(search->p.Color(), 0x00FF00u);
    for (Panel* panel : {&search->pCim, &search->Panel1, &search->Panel2})
        EXPECT_EQ(panel->Color(), 0x123456u) << WideToUtf8(panel->Name);
    // Setting the background answers the previous one.
    EXPECT_EQ(SendMessageW(search->Megjegyzes.Handle(), EM_SETBKGNDCOLOR, 0, 0x123456), 0x123456);
}

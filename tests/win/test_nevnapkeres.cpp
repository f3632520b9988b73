// The name-day search under Wine: the installed document, first and next search,
// reopening, and a missing document.
#include <array>
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
        main->Others.nevnapKeres = search.get();
        search->Create(main->Handle());
        search->EnsureInsides();
    }
    void TearDown() override {
        search.reset();
        main.reset();
        WinTest::TearDown();
    }

    // Opens the window from the main window's button; `inside` runs in it, then it is closed.
    void OpenSearch(const std::function<void()>& inside) {
        AnswerNextModal([&](Form&) {
            inside();
            search->sbBezar.Click();
        });
        main->ToolBar1.Click(L"tbNevnapKeres");
        EXPECT_FALSE(search->Visible());
    }
    void Find(const std::wstring& text) {
        search->edtKeres.SetText(text.c_str());
        search->sbKeres.Click();
    }
    LONG SelStart() const { return search->Megjegyzes.Selection().cpMin; }
    LONG SelEnd() const { return search->Megjegyzes.Selection().cpMax; }
    LRESULT FirstVisibleLine() const { return SendMessageW(search->Megjegyzes.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0); }
    std::vector<LONG> Occurrences(const std::wstring& what) const {
        const std::wstring text = search->Megjegyzes.Text();
        std::vector<LONG> at;
        for (size_t k = text.find(what); k != std::wstring::npos; k = text.find(what, k + 1))
            at.push_back(static_cast<LONG>(k));
        return at;
    }

    std::unique_ptr<Tfrm_Main> main;
    std::unique_ptr<Tfrm_NevnapKeres> search;
};

}  // namespace

TEST_F(NevnapKeresTest, OpensOnTheCalendarFromTheTopWithAnEmptyBoxEveryTime) {
    for (int round = 0; round < 2; ++round) {
        OpenSearch([&] {
            EXPECT_EQ(WindowText(search->Handle()), Application::Get().Title);
            EXPECT_EQ(search->edtKeres.Text(), L"");
            EXPECT_EQ(GetFocus(), search->edtKeres.Handle());
            EXPECT_EQ(SelEnd(), 0);
            EXPECT_EQ(FirstVisibleLine(), 0);
            const std::wstring text = search->Megjegyzes.Text();
            EXPECT_EQ(text.substr(0, 17), L"Névnapok\r\rJanuár\r");
            for (const wchar_t* part : {L"\rjanuár 1.  Fruzsina\r", L"\rjanuár 12.  Ernő\r",
                                        L"\rfebruár 29.  Szökőnap\r", L"\rmárcius 1.  Albin\r",
                                        L"\rnovember 19.  Erzsébet\r", L"\rdecember 31.  Szilveszter"})
                EXPECT_NE(text.find(part), std::wstring::npos) << WideToUtf8(part);
            // A paragraph end is one character, so text positions are selection positions.
            EXPECT_EQ(search->DocumentLength(), static_cast<int32_t>(text.size()));
            Find(L"Szilveszter");  // the last name of the document
            EXPECT_EQ(SelStart(), Occurrences(L"Szilveszter").back());
            EXPECT_GT(FirstVisibleLine(), 300);
        });
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(NevnapKeresTest, FirstSearchMatchesCaseFindsPartsAndIgnoresEmptyTextAndEnter) {
    OpenSearch([&] {
        Find(L"fruzsina");
        Find(L"");
        EXPECT_EQ(SelEnd(), 0) << "nothing found, nothing selected";
        EXPECT_EQ(GetFocus(), search->edtKeres.Handle());
        search->edtKeres.SetText(L"Ábel");
        PressKey(search->edtKeres.Handle(), VK_RETURN);
        Pump();
        EXPECT_EQ(SelEnd(), 0);
        EXPECT_EQ(search->GetModalResult(), mrNone);

        Find(L"zsébe");
        EXPECT_EQ(SelStart(), Occurrences(L"Erzsébet").at(0) + 2);
        EXPECT_EQ(SelEnd(), SelStart() + 5);
        EXPECT_EQ(GetFocus(), search->Megjegyzes.Handle());
        PressKey(search->Megjegyzes.Handle(), VK_ESCAPE);
        Pump();
        EXPECT_EQ(search->GetModalResult(), mrCancel) << "Escape closes";
    });
}

TEST_F(NevnapKeresTest, NextWalksThroughTheMatchesStopsAtTheLastAndRestartsAfterAClick) {
    OpenSearch([&] {
        const std::vector<LONG> at = Occurrences(L"Mária");
        ASSERT_EQ(at.size(), 4u);
        search->edtKeres.SetText(L"Mária");
        for (LONG k : at) {
            search->sbTovabbKeres.Click();  // the first time with nothing selected yet
            EXPECT_EQ(SelStart(), k);
            EXPECT_EQ(SelEnd(), k + 5);
        }
        search->sbTovabbKeres.Click();
        EXPECT_EQ(SelStart(), at.back()) << "no wrap-around: the last match stays selected";
        search->Megjegyzes.Select(at[2] + 2, at[2] + 2);  // a click into the document
        search->sbTovabbKeres.Click();
        EXPECT_EQ(SelStart(), at[0]);
        search->Megjegyzes.Select(at[1] - 20, at[1] + 1);
        search->sbTovabbKeres.Click();
        EXPECT_EQ(SelStart(), at[2]);
    });
}

TEST_F(NevnapKeresTest, AMissingDocumentIsReportedAndTheWindowKeepsWhatItHeld) {
    OpenSearch([] {});
    const std::wstring path = Dir() + L"\\Data\\Névnapok.rtf";
    ASSERT_TRUE(DeleteFileW(path.c_str()));
    bool ran = false;
    OpenSearch([&] {
        ran = true;
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], L"Cannot open file " + path);
        Find(L"Ábel");
        EXPECT_EQ(SelStart(), Occurrences(L"Ábel").at(0));
    });
    EXPECT_TRUE(ran);
}

TEST_F(NevnapKeresTest, TheSearchBoxUsesTheEastEuropeanCharacterSet) {
    search->EnsureInsides();
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(search->edtKeres.Handle(), WM_GETFONT, 0, 0)), sizeof(lf), &lf));
    EXPECT_EQ(lf.lfCharSet, EASTEUROPE_CHARSET);
    search->edtKeres.SetText(L"Őrs Ödön Ű");
    EXPECT_EQ(search->edtKeres.Text(), L"Őrs Ödön Ű");
}

TEST_F(NevnapKeresTest, TheControlsSitAsDesigned) {
    ExpectControlsWhereTheTableSays(*search, Tfrm_NevnapKeres::Controls());
    const auto rows = Tfrm_NevnapKeres::Controls();
    const auto& box = RowOf(rows, L"edtKeres");
    EXPECT_EQ(BoundsOf(box), (std::array{100, 8, 205, 21}));
    const auto& next = RowOf(rows, L"sbTovabbKeres");
    EXPECT_EQ(BoundsOf(next), (std::array{340, 8, 30, 22}));
    EXPECT_STREQ(RowOf(rows, L"sbKeres").text, L"Első keresése");
    EXPECT_STREQ(RowOf(rows, L"Label1").text, L"Keresendő névnap");
    EXPECT_THROW(RowOf(rows, L"edtNincs"), std::out_of_range);
}

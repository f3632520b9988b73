// The printed month calendar (its paper page read by pixels) and the iCalendar
// exports through the main window's commands.
#include <gtest/gtest.h>

#include <array>

#include "app/main.h"
#include "harness.h"
#include "lists/calendar_page.h"
#include "report/preview.h"
#include "store/entry_store.h"
#include "ui/canvas.h"

namespace {

constexpr const char* kNote =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Vigyem: \\'fatlev\\'e9l, k\\'e1rtya;\\par "
    "m\\'e1sodik sor\\par}";

class MonthCalendarTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        CreateDirectoryW((Dir() + L"\\Data").c_str(), nullptr);
        WriteFile(L"Data\\index.txt",
                  SerializeIndexText({
                      MakeDayEntry(Date{2026, 12, 8}, L"Fogorvos", L"10 óra", 0x0000FF, 0x008000),
                      MakeDayEntry(Date{2026, 12, 24}, L"Szenteste", L"", 0x800080, 0),
                      MakeDayEntry(Date{2026, 12, 31}, L"Szilveszter", L"buli, tánc", 0, 0xFF0000),
                      MakeDayEntry(Date{2026, 11, 30}, L"Más hónap", L"", 0, 0),
                      MakeDayEntry(Date{2025, 5, 1}, L"Más év", L"", 0, 0),
                  }));
        WriteFile(L"Data\\20261208.rtf", kNote);
        WriteFile(L"Data\\20261224.rtf", "{\\rtf1\\ansi Csal\\'e1d}");
        WriteFile(L"Data\\20261231.rtf", "{\\rtf1\\ansi }");
        main = OpenMainWindow();
        main->ShowMonth(Date{2026, 12, 8});
    }
    void TearDown() override {
        CurrentPreviewHooks() = {};
        CurrentExportDialogs() = savedDialogs_;
        main.reset();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        WinTest::TearDown();
    }

    ReportDocument PreviewedCalendar() {
        ReportDocument shown;
        int previews = 0;
        CurrentPreviewHooks().Run = [&](const ReportDocument& doc) {
            shown = doc;
            ++previews;
        };
        main->mniHaviNaptarClick();
        EXPECT_EQ(previews, 1);
        return shown;
    }

    // The save dialog answers with `file` in the test folder.
    void SaveAs(const std::wstring& file, std::wstring* offered = nullptr) {
        CurrentExportDialogs().Save = [this, file, offered](OPENFILENAMEW& ofn) {
            EXPECT_STREQ(ofn.lpstrDefExt, L"ics");
            EXPECT_TRUE(ofn.Flags & OFN_OVERWRITEPROMPT);
            if (offered) *offered = ofn.lpstrFile;
            lstrcpynW(ofn.lpstrFile, (Dir() + L"\\" + file).c_str(), static_cast<int>(ofn.nMaxFile));
            return true;
        };
    }

    std::unique_ptr<Tfrm_Main> main;

private:
    ExportDialogs savedDialogs_ = CurrentExportDialogs();
};

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

TEST_F(MonthCalendarTest, ThePrinterIsAskedForA4Landscape) {
    bool seen = false;
    AnswerNextModal([&](Form& form) {
        auto* preview = dynamic_cast<TReportPreview*>(&form);
        ASSERT_NE(preview, nullptr);
        seen = true;
        int asked = 0;
        CurrentPreviewHooks().PrintDialog = [&](PRINTDLGW& pd) {
            ++asked;
            ExpectPrinterSettings(pd.hDevMode, DMPAPER_A4, DMORIENT_LANDSCAPE);
            return false;
        };
        preview->sbNyomtat.Click();
        EXPECT_EQ(asked, 1);
        CurrentPreviewHooks().PrintDialog = nullptr;
        PressKey(preview->View.Handle(), VK_ESCAPE);
        Pump();
    });
    main->mniHaviNaptarClick();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(errors.empty());
}

}  // namespace

// The page is made for paper: white, thin lines, no scheme colours; red-letter days
// in red (with the working calendar its rest days too), the other months' cells blank.
TEST_F(MonthCalendarTest, ThePageIsMadeForPaperAndFollowsTheWorkingCalendar) {
    const CalendarPageLayout layout = MonthCalendarPage();
    constexpr double scale = 4.0;  // pixels per millimetre
    constexpr COLORREF kRed = 0x0000CC;
    struct Paper {
        std::unique_ptr<MemoryCanvas> canvas;
        // Red pixels where the day number of cell k stands.
        int RedInNumber(const CalendarPageLayout& l, int k) const {
            const DeviceBox box = ToDevice(l.cells[static_cast<size_t>(k - 1)], scale, scale);
            int red = 0;
            for (int y = box.top; y < box.top + static_cast<int>(7 * scale); ++y)
                for (int x = box.left; x < box.left + static_cast<int>(12 * scale); ++x) red += canvas->Pixel(x, y) == kRed;
            return red;
        }
    };
    WindowDC screen(nullptr);
    auto print = [&](const ReportDocument& doc) {
        Paper paper{std::make_unique<MemoryCanvas>(screen.Get(), static_cast<int>(layout.pageWidth * scale) + 1,
                                                   static_cast<int>(layout.pageHeight * scale) + 1)};
        Canvas(paper.canvas->Dc()).Fill(RECT{0, 0, paper.canvas->Width(), paper.canvas->Height()}, 0xFFFFFF);
        PaintReportPage(paper.canvas->Dc(), doc.pages.at(0), scale);
        return paper;
    };

    const ReportDocument doc = PreviewedCalendar();
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.title, L"Havi naptár");
    EXPECT_DOUBLE_EQ(doc.pageWidth, 297.0);
    EXPECT_DOUBLE_EQ(doc.pageHeight, 210.0);
    const ReportPage& page = doc.pages[0];
    ASSERT_EQ(page.texts.size(), 1u);
    EXPECT_EQ(page.texts[0].text, L"2026. december");
    EXPECT_EQ(page.drawings.size(), 7u + 31u);  // headers and the month's days only

    const Paper plain = print(doc);
    int schemeOrYellow = 0, white = 0;
    const COLORREF cellColour = ResolveColour(main->Szin[2]), headerColour = ResolveColour(main->Szin[5]);
    for (int y = 0; y < plain.canvas->Height(); ++y)
        for (int x = 0; x < plain.canvas->Width(); ++x) {
            const COLORREF c = plain.canvas->Pixel(x, y);
            schemeOrYellow += c == cellColour || c == headerColour || c == 0x00FFFF;
            white += c == 0xFFFFFF;
        }
    EXPECT_EQ(schemeOrYellow, 0) << "no grey cells, no yellow numbers";
    EXPECT_GT(white, plain.canvas->Width() * plain.canvas->Height() * 9 / 10) << "a white page";
    const int first = main->FirstCell;  // December 2026 starts on a Tuesday
    for (int k = 1; k <= kGridCells; ++k) {
        if (main->Cells[static_cast<size_t>(k - 1)]->Shown()) continue;
        const DeviceBox box = ToDevice(layout.cells[static_cast<size_t>(k - 1)], scale, scale);
        int nonWhite = 0;
        for (int y = 0; y < box.height; ++y)
            for (int x = 0; x < box.width; ++x) nonWhite += plain.canvas->Pixel(box.left + x, box.top + y) != 0xFFFFFF;
        EXPECT_EQ(nonWhite, 0) << "cell n" << k << " of another month is blank";
    }
    auto cellOf = [&](int day) { return first + day - 1; };
    EXPECT_GT(plain.RedInNumber(layout, cellOf(6)), 20) << "a Sunday in red";
    EXPECT_GT(plain.RedInNumber(layout, cellOf(25)), 20) << "Christmas in red";
    EXPECT_EQ(plain.RedInNumber(layout, cellOf(8)), 0) << "a Tuesday in dark ink";
    EXPECT_EQ(plain.RedInNumber(layout, cellOf(24)), 0) << "24 December is no fixed holiday";

    // With the working calendar: the rest day of 24 December is red, the Saturday worked
    // for it (12 December) is not.
    main->WorkDays.Set(true, Tfrm_Main::kRegistryKey);
    const Paper working = print(PreviewedCalendar());
    EXPECT_GT(working.RedInNumber(layout, cellOf(24)), 20);
    EXPECT_EQ(working.RedInNumber(layout, cellOf(12)), 0);
    EXPECT_GT(working.RedInNumber(layout, cellOf(13)), 20);
}

TEST_F(MonthCalendarTest, CtrlPPrintsTheShownMonthAndAWhilePreviewDoesNothingTwice) {
    main->ShowMonth(Date{2027, 2, 1});  // 28 days from a Monday: four rows
    ReportDocument doc;
    CurrentPreviewHooks().Run = [&](const ReportDocument& shown) { doc = shown; };
    main->Cells[10]->Focus();
    PressWithControl(main->Panel.Handle(), 'P');
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.pages[0].texts[0].text, L"2027. február");
    EXPECT_EQ(doc.pages[0].drawings.size(), 7u + 28u);

    int nested = 0;
    CurrentPreviewHooks().Run = [&](const ReportDocument&) {
        ++nested;
        main->mniHaviNaptarClick();  // a second request while the preview is open
    };
    main->mniHaviNaptarClick();
    EXPECT_EQ(nested, 1);
}

TEST_F(MonthCalendarTest, ExportsTheChosenRangeWithNotesAsPlainText) {
    std::wstring offered;
    SaveAs(L"napló.ics", &offered);
    AnswerNextModal([](Form& form) {
        auto& window = dynamic_cast<Tfrm_Exportalas&>(form);
        EXPECT_EQ(window.Scope(), ExportScope::Month);  // the first choice offered
        window.SetScope(ExportScope::Year);
        window.btnExportClick();
    });
    PressWithControl(main->Panel.Handle(), 'E');
    EXPECT_EQ(offered, L"Tivorn 2026.ics");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"4 bejegyzés került a fájlba.");  // November 30 is in the year too
    const std::string file = ReadFile(L"napló.ics");
    EXPECT_EQ(file.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_EQ(Count(file, "BEGIN:VEVENT"), 4u);
    EXPECT_NE(file.find("SUMMARY:Fogorvos 10 \xC3\xB3ra\r\n"), std::string::npos);
    EXPECT_NE(file.find("SUMMARY:Szilveszter buli\\, t\xC3\xA1nc\r\n"), std::string::npos);
    EXPECT_NE(file.find("DESCRIPTION:Vigyem: \xC3\xBAtlev\xC3\xA9l\\, k\xC3\xA1rtya\\;\\nm\xC3\xA1sodik sor\r\n"),
              std::string::npos);
    EXPECT_NE(file.find("DESCRIPTION:Csal\xC3\xA1" "d\r\n"), std::string::npos);
    EXPECT_EQ(Count(file, "DESCRIPTION:"), 2u) << "an empty note gives no description";
    EXPECT_NE(file.find("DTSTART;VALUE=DATE:20261231\r\nDTEND;VALUE=DATE:20270101\r\n"), std::string::npos);

    // The choice is remembered; cancelling the window or the dialog writes nothing.
    AnswerNextModal([](Form& form) {
        auto& window = dynamic_cast<Tfrm_Exportalas&>(form);
        EXPECT_EQ(window.Scope(), ExportScope::Year);
        EXPECT_EQ(GetFocus(), window.rbEv.Handle()) << "the focus on the chosen range";
        PressKey(window.rbEv.Handle(), VK_ESCAPE);  // Escape closes the window
    });
    SaveAs(L"nem.ics");
    main->mniIcalExportClick();
    CurrentExportDialogs().Save = [](OPENFILENAMEW&) { return false; };
    main->mniIcalExportClick();
    EXPECT_FALSE(Exists(L"nem.ics"));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MonthCalendarTest, CtrlShiftEExportsTheNameDaysAsAYearlySeries) {
    std::wstring offered;
    SaveAs(L"nevnapok.ics", &offered);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    PressWithControl(main->Panel.Handle(), 'E');
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(offered, L"Névnapok.ics");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].substr(0, 19), L"365 névnap került a");
    const std::string file = ReadFile(L"nevnapok.ics");
    EXPECT_EQ(Count(file, "BEGIN:VEVENT"), 365u);
    EXPECT_EQ(Count(file, "RRULE:FREQ=YEARLY\r\n"), 365u);
    EXPECT_EQ(file.find("Sz\xC3\xB6k\xC5\x91nap"), std::string::npos);
    EXPECT_NE(file.find("SUMMARY:Fruzsina napja\r\n"), std::string::npos);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MonthCalendarTest, TheExportWindowsControlsSitAsDesignedAndNameTheShownMonth) {
    Tfrm_Exportalas window(L"2026. december", L"2026", 0x8080FF, 0x00C000);
    window.Create(main->Handle());
    ExpectControlsWhereTheTableSays(window, Tfrm_Exportalas::Controls());
    const auto rows = Tfrm_Exportalas::Controls();
    const auto box = [&rows](const wchar_t* name) {
        const auto& row = RowOf(rows, name);
        return std::array{row.x, row.y, row.w, row.h};
    };
    EXPECT_EQ(box(L"rbHonap"), (std::array{20, 30, 290, 18}));
    EXPECT_EQ(box(L"btnExport"), (std::array{140, 98, 90, 25}));
    EXPECT_EQ(box(L"btnMegsem"), (std::array{234, 98, 80, 25}));
    EXPECT_EQ(window.rbHonap.Text(), L"A látott hónap bejegyzéseit (2026. december)");
    EXPECT_EQ(window.rbEv.Text(), L"A látott év bejegyzéseit (2026)");
    EXPECT_EQ(window.rbMind.Text(), L"A teljes naplót");
    EXPECT_EQ(window.btnExport.Id(), IDOK) << "Enter exports";
    EXPECT_EQ(window.btnMegsem.Id(), IDCANCEL) << "Escape cancels";
    // One choice at a time, as the radio buttons show it.
    window.SetScope(ExportScope::All);
    EXPECT_TRUE(window.rbMind.Checked());
    EXPECT_FALSE(window.rbHonap.Checked());
    EXPECT_EQ(window.Scope(), ExportScope::All);
    EXPECT_EQ(window.Panel1.Color(), 0x00C000u) << "the working panel in the scheme colour";
}

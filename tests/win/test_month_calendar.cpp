// The printed month calendar (its page compared by pixels with the month view's
// own cells) and the iCalendar exports through the main window's commands.
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

TEST_F(MonthCalendarTest, PageCellsAreThePixelsOfTheMonthViewsCells) {
    const ReportDocument doc = PreviewedCalendar();
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.title, L"Havi naptár");
    EXPECT_DOUBLE_EQ(doc.pageWidth, 297.0);
    EXPECT_DOUBLE_EQ(doc.pageHeight, 210.0);
    const ReportPage& page = doc.pages[0];
    ASSERT_EQ(page.texts.size(), 1u);
    EXPECT_EQ(page.texts[0].text, L"2026. december");
    EXPECT_EQ(page.drawings.size(), 7u + 31u);  // headers and the month's days only

    // At this resolution a designed pixel of the face is one device pixel, as on the
    // screen at 96 DPI.
    const CalendarPageLayout layout = MonthCalendarPage();
    const double scale = 1.0 / layout.faceMmPerPixel;
    WindowDC screen(nullptr);
    MemoryCanvas paper(screen.Get(), static_cast<int>(layout.pageWidth * scale) + 1,
                       static_cast<int>(layout.pageHeight * scale) + 1);
    Canvas(paper.Dc()).Fill(RECT{0, 0, paper.Width(), paper.Height()}, 0xFFFFFF);
    PaintReportPage(paper.Dc(), page, scale);

    SetFocus(main->Handle());  // no cell shows a focus frame
    int compared = 0, withMarker = 0;
    for (int k = 1; k <= kGridCells; ++k) {
        const DeviceBox box = ToDevice(layout.cells[static_cast<size_t>(k - 1)], scale, scale);
        TJPanel& cell = *main->Cells[static_cast<size_t>(k - 1)];
        int differing = 0, nonWhite = 0;
        if (!cell.Shown()) {
            for (int y = 0; y < box.height; ++y)
                for (int x = 0; x < box.width; ++x) nonWhite += paper.Pixel(box.left + x, box.top + y) != 0xFFFFFF;
            EXPECT_EQ(nonWhite, 0) << "cell n" << k << " of another month is blank";
            continue;
        }
        ASSERT_EQ(box.width, kDesignedCellWidth);
        cell.SetBounds(0, 0, box.width, box.height);
        cell.SetColor(cell.ColorOff);
        MemoryCanvas face(screen.Get(), box.width, box.height);
        Canvas canvas(face.Dc());
        cell.Paint(canvas);
        for (int y = 0; y < box.height; ++y)
            for (int x = 0; x < box.width; ++x) {
                differing += paper.Pixel(box.left + x, box.top + y) != face.Pixel(x, y);
                withMarker += face.Pixel(x, y) == 0x0000FF;
            }
        EXPECT_EQ(differing, 0) << "day " << cell.Nap() << " in n" << k;
        ++compared;
    }
    EXPECT_EQ(compared, 31);
    EXPECT_GT(withMarker, 3 * 40) << "the three days with entries show the red note marker";

    // The headers in the scheme's header colour, Saturday's and Sunday's names yellow.
    const COLORREF header = ResolveColour(main->Szin[5]);
    const DeviceBox monday = ToDevice(layout.headers[0], scale, scale);
    EXPECT_EQ(paper.Pixel(monday.left + 4, monday.top + monday.height / 2), header);
    int yellow = 0;
    const DeviceBox sunday = ToDevice(layout.headers[6], scale, scale);
    for (int y = sunday.top; y < sunday.top + sunday.height; ++y)
        for (int x = sunday.left; x < sunday.left + sunday.width; ++x) yellow += paper.Pixel(x, y) == 0x00FFFF;
    EXPECT_GT(yellow, 10);
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

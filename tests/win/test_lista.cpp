// The monthly task list and its printed form under Wine: the list from the index,
// the grid's drawing and movement, the note pane, the current row between openings,
// the printed pages and the preview window.
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/main.h"
#include "harness.h"
#include "lists/Lista.h"
#include "lists/ListaNyom.h"
#include "store/task_lines.h"
#include "platform/errors.h"
#include "report/preview.h"
#include "ui/application.h"

namespace {

std::wstring Entry(const Date& d, const std::wstring& t1, const std::wstring& t2, const std::wstring& c1,
                   const std::wstring& c2) {
    return DateKey(d) + PadText(t1, 20) + PadText(t2, 20) + PadText(c1, 8) + PadText(c2, 8);
}

int CountPixels(const MemoryCanvas& c, COLORREF colour) {
    int n = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.Pixel(x, y) == colour) ++n;
    return n;
}

class ListaTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        main = OpenMainWindow();
        report = std::make_unique<TqrLista>();
        main->Others.printedList = report.get();
        report->Create(main->Handle());
        lista = std::make_unique<Tfrm_Lista>();
        main->Others.lista = lista.get();
        lista->Create(main->Handle());
        lista->EnsureInsides();
        CurrentPreviewHooks().Run = [this](const ReportDocument& doc) { previews.push_back(doc); };
    }
    void TearDown() override {
        CurrentPreviewHooks() = {};
        lista.reset();
        report.reset();
        main.reset();
        WinTest::TearDown();
    }

    // Puts the month's entries into the index and shows the month of `month`.
    void SetMonth(const Date& month, std::vector<std::wstring> lines) {
        ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines = std::move(lines); });
        main->CurrentDate = month;
    }
    void WriteNote(const Date& d, const std::string& text) {
        WriteFile(L"Data\\" + DateKey(d) + L".rtf", "{\\rtf1\\ansi " + text + "\\par}");
    }
    // Opens the list; `inside` runs in the open window, which is closed with Esc after it.
    void OpenList(std::function<void()> inside) {
        AnswerNextModal([this, inside = std::move(inside)](Form&) {
            Pump();
            inside();
            PressKey(lista->sgLista.Handle(), VK_ESCAPE);
            Pump();
        });
        main->tbListaClick();
    }
    // Twelve entries on the 1st .. 12th of December 2026, each with a note.
    void TwelveDays() {
        std::vector<std::wstring> lines;
        for (int d = 12; d >= 1; --d) {
            lines.push_back(Entry(Date{2026, 12, d}, L"Nap " + std::to_wstring(d), L"", L"$0", L"$0"));
            WriteNote(Date{2026, 12, d}, "nap" + std::to_string(d));
        }
        SetMonth(Date{2026, 12, 1}, lines);
    }
    // The pane's text without its closing paragraph mark.
    std::wstring Note() const {
        std::wstring t = lista->reMegjegyzes.Text();
        while (!t.empty() && (t.back() == L'\r' || t.back() == L'\n')) t.pop_back();
        return t;
    }

    // One cell as the window draws it, on an 82 x 16 bitmap.
    std::unique_ptr<MemoryCanvas> DrawCell(int col, int row) {
        WindowDC screen(nullptr);
        auto canvas = std::make_unique<MemoryCanvas>(screen.Get(), lista->sgLista.ColumnWidth(col), 16);
        lista->sgListaDrawCell(canvas->Dc(), col, row, RECT{0, 0, canvas->Width(), 16}, GridCellState{});
        return canvas;
    }

    std::unique_ptr<Tfrm_Main> main;
    std::unique_ptr<TqrLista> report;
    std::unique_ptr<Tfrm_Lista> lista;
    std::vector<ReportDocument> previews;
};

}  // namespace

// The list

TEST_F(ListaTest, MessyIndexIsListedInDateOrderWithShortLinesAndBlankColours) {
    SetMonth(Date{2026, 12, 1}, {
                                    Entry(Date{2026, 12, 24}, L"Szenteste", L"Család", L"$FF", L"$FF0000"),
                                    Entry(Date{2026, 11, 30}, L"Novemberi", L"", L"$0", L"$0"),
                                    L"20261203rövid sor",
                                    Entry(Date{2026, 12, 1}, L"Első", L"", L"", L""),
                                    Entry(Date{2026, 12, 15}, L"Kávé", L"", L"piros", L"$0"),
                                });
    for (int d : {1, 3, 15, 24}) WriteNote(Date{2026, 12, d}, "x");
    OpenList([&] {
        auto& g = lista->sgLista;
        ASSERT_EQ(g.RowCount(), 5);
        EXPECT_EQ(g.Cell(0, 0), L"Dátum");
        EXPECT_EQ(g.Cell(1, 0), L"Címszó I.");
        EXPECT_EQ(g.Cell(2, 0), L"Címszó II.");
        EXPECT_EQ(g.Cell(0, 1), L"2026.12.01.");
        EXPECT_EQ(g.Cell(1, 1), PadText(L"Első", 20));  // trailing blanks kept
        EXPECT_EQ(g.Cell(0, 2), L"2026.12.03.");
        EXPECT_EQ(g.Cell(1, 2), L"rövid sor");
        EXPECT_EQ(g.Cell(2, 2), L"");
        EXPECT_EQ(g.Cell(0, 3), L"2026.12.15.");
        EXPECT_EQ(g.Cell(0, 4), L"2026.12.24.");
        EXPECT_EQ(lista->pCim.Caption(), L"   " + FormatYearMonth(Date{2026, 12, 1}, main->Months()));
        EXPECT_EQ(GetWindowTextLengthW(lista->Handle()) > 0, true);

        // Titles in the entries' colours: blank, missing and unreadable colours are black.
        g.SetRow(1);
        auto red = DrawCell(1, 4);
        auto blue = DrawCell(2, 4);
        EXPECT_GT(CountPixels(*red, 0x0000FF), 0);
        EXPECT_GT(CountPixels(*blue, 0xFF0000), 0);
        for (auto [col, row] : {std::pair{1, 2}, std::pair{2, 2}, std::pair{1, 3}, std::pair{2, 3}}) {
            auto cell = DrawCell(col, row);
            EXPECT_EQ(cell->Pixel(cell->Width() - 2, 8), 0xFFFFFFu) << col << "," << row;
            if (!Trim(g.Cell(col, row)).empty()) {
                EXPECT_GT(CountPixels(*cell, 0x000000), 0) << col << "," << row;
            }
        }
    });
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(lista->slLista.empty());  // the list lives while the window is open
}

TEST_F(ListaTest, TodayIsBoldRedUnlessItIsTheSelectedRowWhichTakesTheHighlight) {
    // Today and another day of the month with the same digit count, plus a third row to select.
    const Date today = Today();
    const Date other{today.year, today.month, today.day <= 14 ? today.day + 11 : today.day - 11};
    const Date third{today.year, today.month, today.day <= 14 ? today.day + 12 : today.day - 12};
    SetMonth(today, {Entry(today, L"Ma", L"", L"$0", L"$0"), Entry(other, L"Máskor", L"", L"$0", L"$0"),
                     Entry(third, L"Harmadik", L"", L"$0", L"$0")});
    for (const Date& d : {today, other, third}) WriteNote(d, "x");
    OpenList([&] {
        auto& g = lista->sgLista;
        auto rowOf = [&](const Date& d) {
            for (int r = 1; r < g.RowCount(); ++r)
                if (g.Cell(0, r) == FormatDottedDate(d)) return r;
            return -1;
        };
        const int todayRow = rowOf(today), otherRow = rowOf(other), thirdRow = rowOf(third);
        g.SetRow(thirdRow);
        auto todayCell = DrawCell(0, todayRow);
        auto otherCell = DrawCell(0, otherRow);
        // Today: red on white, and bold: more ink than the regular black date beside it.
        EXPECT_EQ(todayCell->Pixel(todayCell->Width() - 2, 8), 0xFFFFFFu);
        EXPECT_GT(CountPixels(*todayCell, 0x0000FF), 0);
        EXPECT_EQ(CountPixels(*todayCell, 0x000000), 0);
        EXPECT_EQ(CountPixels(*otherCell, 0x0000FF), 0);
        EXPECT_GT(CountPixels(*otherCell, 0x000000), 0);
        const int white = todayCell->Width() * todayCell->Height();
        EXPECT_GT(white - CountPixels(*todayCell, 0xFFFFFF), white - CountPixels(*otherCell, 0xFFFFFF));
        // The title row is painted in Panel1's colour.
        auto title = DrawCell(0, 0);
        EXPECT_EQ(title->Pixel(title->Width() - 2, 8), lista->Panel1.Color());

        // The selected row takes the highlight colours, even on today's date, regular weight.
        const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        g.SetRow(todayRow);
        auto selectedToday = DrawCell(0, todayRow);
        EXPECT_EQ(selectedToday->Pixel(selectedToday->Width() - 2, 8), highlight);
        EXPECT_EQ(CountPixels(*selectedToday, 0x0000FF), 0);
        EXPECT_GT(CountPixels(*selectedToday, highlightText), 0);
        const int all = selectedToday->Width() * selectedToday->Height();
        EXPECT_LT(all - CountPixels(*selectedToday, highlight), white - CountPixels(*todayCell, 0xFFFFFF));
        // Today's cell, no longer selected, is red again.
        g.SetRow(otherRow);
        EXPECT_GT(CountPixels(*DrawCell(0, todayRow), 0x0000FF), 0);
    });
    EXPECT_TRUE(errors.empty());
}

TEST_F(ListaTest, EmptyMonthShowsOnlyTheTitleRowWithoutError) {
    TwelveDays();
    OpenList([&] { EXPECT_EQ(Note(), L"nap1"); });
    main->CurrentDate = Date{2027, 2, 1};
    OpenList([&] {
        EXPECT_EQ(lista->sgLista.RowCount(), 1);
        EXPECT_EQ(lista->sgLista.Row(), -1);
        EXPECT_EQ(lista->sgLista.Selection().top, -1);
        EXPECT_EQ(Note(), L"");
        EXPECT_TRUE(lista->Visible());
    });
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(modalCount, 2);
}

TEST_F(ListaTest, CurrentRowAndNoteCarryOverBetweenOpenings) {
    TwelveDays();
    OpenList([&] {
        EXPECT_EQ(lista->sgLista.Row(), 1);  // first opening: the first entry
        EXPECT_EQ(Note(), L"nap1");
        // Keys move the row and every move loads that row's note.
        PressKey(lista->sgLista.Handle(), VK_END);
        Pump();
        EXPECT_EQ(lista->sgLista.Row(), 12);
        EXPECT_EQ(Note(), L"nap12");
        PressKey(lista->sgLista.Handle(), VK_UP);
        PressKey(lista->sgLista.Handle(), VK_UP);
        Pump();
        EXPECT_EQ(lista->sgLista.Row(), 10);
        EXPECT_EQ(Note(), L"nap10");
    });
    OpenList([&] {
        EXPECT_EQ(lista->sgLista.Row(), 10);
        EXPECT_EQ(Note(), L"nap10");
    });
    // A shorter month: its last row.
    std::vector<std::wstring> five;
    for (int d = 1; d <= 5; ++d) five.push_back(Entry(Date{2026, 12, d}, L"x", L"", L"$0", L"$0"));
    ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines = five; });
    OpenList([&] {
        EXPECT_EQ(lista->sgLista.RowCount(), 6);
        EXPECT_EQ(lista->sgLista.Row(), 5);
        EXPECT_EQ(Note(), L"nap5");
    });
    EXPECT_TRUE(errors.empty());
}

TEST_F(ListaTest, RangeSelectionByDraggingLoadsTheNoteOfTheRowLastMovedTo) {
    TwelveDays();
    OpenList([&] {
        auto& g = lista->sgLista;
        const auto y = [&](int row) { return (g.CellRect(0, row).top + g.CellRect(0, row).bottom) / 2; };
        SendMessageW(g.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y(2)));
        SendMessageW(g.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, y(3)));
        SendMessageW(g.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, y(5)));
        SendMessageW(g.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, y(5)));
        EXPECT_EQ(g.Selection().top, 2);
        EXPECT_EQ(g.Selection().bottom, 5);
        EXPECT_EQ(g.Row(), 5);
        EXPECT_EQ(Note(), L"nap5");
        // Only the first row of the range is highlighted.
        EXPECT_EQ(DrawCell(1, 2)->Pixel(120, 8), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(DrawCell(1, 4)->Pixel(120, 8), 0xFFFFFFu);
        // Clicking the title row changes nothing; the wheel moves the row.
        SendMessageW(g.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
        SendMessageW(g.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
        EXPECT_EQ(g.Row(), 5);
        SendMessageW(g.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0);
        EXPECT_EQ(g.Row(), 7);
        EXPECT_EQ(g.Selection().top, 7);
        // Page Down past the visible rows scrolls so the current row stays shown.
        PressKey(g.Handle(), VK_NEXT);
        Pump();
        EXPECT_EQ(g.Row(), 12);
        EXPECT_GT(g.CellRect(0, 12).bottom, 0);
    });
}

TEST_F(ListaTest, AMissingNoteIsAnEmptyNoteAndAnUnreadableOneIsReportedWithAnEmptyPane) {
    TwelveDays();
    DeleteFileW((Dir() + L"\\Data\\20261203.rtf").c_str());
    const std::wstring locked = Dir() + L"\\Data\\20261205.rtf";
    OpenList([&] {
        lista->sgLista.SetRow(2);
        EXPECT_EQ(Note(), L"nap2");
        // The 3rd has no note file: an empty note, no message, every time the row is current.
        for (int visit = 0; visit < 2; ++visit) {
            PressKey(lista->sgLista.Handle(), VK_DOWN);
            Pump();
            EXPECT_EQ(lista->sgLista.Row(), 3);
            EXPECT_EQ(Note(), L"") << "never the previous row's note";
            PressKey(lista->sgLista.Handle(), VK_UP);
            Pump();
            EXPECT_EQ(Note(), L"nap2");
        }
        EXPECT_TRUE(errors.empty());
        // The 5th's note exists but another program holds it: the error, and an empty pane.
        HANDLE lock = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        lista->sgLista.SetRow(4);
        EXPECT_EQ(Note(), L"nap4");
        PressKey(lista->sgLista.Handle(), VK_DOWN);
        Pump();
        CloseHandle(lock);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], L"Cannot open file " + locked);
        EXPECT_EQ(lista->sgLista.Row(), 5);
        EXPECT_EQ(Note(), L"");
        PressKey(lista->sgLista.Handle(), VK_DOWN);
        Pump();
        EXPECT_EQ(Note(), L"nap6");
        EXPECT_TRUE(lista->Visible());
    });
    EXPECT_FALSE(lista->Visible());  // Esc closed it
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(ListaTest, SchemeColoursReachTheListWindow) {
    const auto following = FollowScheme(main->SchemeChanges(), *lista);
    main->Szin[1] = 0x123456;
    main->Szin[6] = 0x654321;
    main->ApplyColours();
    EXPECT_EQ(lista->p.Color(), 0x123456u);
    EXPECT_EQ(lista->Panel1.Color(), 0x654321u);
    EXPECT_EQ(lista->pCim.Color(), 0x654321u);
}

// The grid's cells and the note pane's own font (the window's).
TEST_F(ListaTest, GridCellsAndTheNotePaneUseTheEastEuropeanCharacterSet) {
    lista->EnsureInsides();
    for (HFONT font : {lista->CellFont(false), lista->CellFont(true), lista->FormFont()}) {
        LOGFONTW lf{};
        ASSERT_TRUE(GetObjectW(font, sizeof(lf), &lf));
        EXPECT_EQ(lf.lfCharSet, EASTEUROPE_CHARSET);
    }
}

// Printing

TEST_F(ListaTest, PrintingFromTheListAndFromTheMainWindowGivesTheSameLines) {
    TwelveDays();
    ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines.push_back(L"20261207rövid"); });
    main->tbListaNyomtatClick();
    OpenList([&] { lista->sbNyomtat.Click(); });
    ASSERT_EQ(previews.size(), 2u);
    ASSERT_EQ(previews[0].pages.size(), 1u);
    ASSERT_EQ(previews[1].pages.size(), 1u);
    EXPECT_EQ(previews[0].pages[0].rows, previews[1].pages[0].rows);
    ASSERT_EQ(previews[0].pages[0].rows.size(), 13u);
    const auto& rows = previews[0].pages[0].rows;
    EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"2026.12.01.", PadText(L"Nap 1", 20), PadText(L"", 20)}));
    EXPECT_EQ(rows[6], (std::vector<std::wstring>{L"2026.12.07.", L"Nap 7" + std::wstring(15, L' '), PadText(L"", 20)}));
    EXPECT_EQ(rows[7], (std::vector<std::wstring>{L"2026.12.07.", L"rövid", L""}));
    EXPECT_EQ(report->qrlHonap, FormatYearMonth(Date{2026, 12, 1}, main->Months()));
    EXPECT_EQ(previews[0].title, L"Események");
}

TEST_F(ListaTest, EveryPrintedPageHasHeaderAndFooter) {
    std::vector<std::wstring> lines;
    for (int i = 0; i < 100; ++i) lines.push_back(Entry(Date{2026, 12, 1 + i % 28}, L"Feladat", L"", L"$0", L"$0"));
    SetMonth(Date{2026, 12, 1}, lines);
    main->tbListaNyomtatClick();
    ASSERT_EQ(previews.size(), 1u);
    const auto& pages = previews[0].pages;
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].rows.size() + pages[1].rows.size() + pages[2].rows.size(), 100u);
    for (const auto& page : pages) {
        auto text = [&](const std::wstring& name) {
            for (const auto& t : page.texts)
                if (t.name == name) return t.text;
            return std::wstring(L"(none)");
        };
        EXPECT_EQ(text(L"qrlCim"), L"Havi feladatok");
        EXPECT_EQ(text(L"qrlHonap"), FormatYearMonth(Date{2026, 12, 1}, main->Months()));
        EXPECT_EQ(text(L"QRLabel5"), L"Tivorn V1.0");
        EXPECT_EQ(text(L"QRLabel1"), L"Tivorn V1.0 - www.ketrabo.example");
        EXPECT_EQ(text(L"QRSysData2"), L"Oldal: " + std::to_wstring(page.number));
        EXPECT_FALSE(text(L"QRSysData1").empty());
    }
}

TEST_F(ListaTest, AFurtherPrintRequestWhileThePreviewIsOpenDoesNothing) {
    TwelveDays();
    int nested = 0;
    CurrentPreviewHooks().Run = [&](const ReportDocument& doc) {
        previews.push_back(doc);
        ++nested;
        main->tbListaNyomtatClick();  // the preview is still open
    };
    main->tbListaNyomtatClick();
    EXPECT_EQ(nested, 1);
    EXPECT_FALSE(report->Busy());
    main->tbListaNyomtatClick();
    EXPECT_EQ(nested, 2);
}

TEST_F(ListaTest, PreviewWindowPagesAndPaintsTheSamePainterOutput) {
    std::vector<std::wstring> lines;
    for (int i = 0; i < 60; ++i) lines.push_back(Entry(Date{2026, 12, 1 + i % 28}, L"Feladat", L"", L"$0", L"$0"));
    SetMonth(Date{2026, 12, 1}, lines);
    CurrentPreviewHooks().Run = nullptr;
    bool seen = false;
    AnswerNextModal([&](Form& form) {
        auto* preview = dynamic_cast<TReportPreview*>(&form);
        ASSERT_NE(preview, nullptr);
        seen = true;
        Pump();
        wchar_t caption[64];
        GetWindowTextW(preview->Handle(), caption, 64);
        EXPECT_STREQ(caption, L"Események");
        EXPECT_TRUE(IsZoomed(preview->Handle()));
        EXPECT_EQ(preview->PageIndex(), 0);
        PressKey(preview->View.Handle(), VK_NEXT);
        Pump();
        EXPECT_EQ(preview->PageIndex(), 1);
        PressKey(preview->View.Handle(), VK_NEXT);  // no third page
        Pump();
        EXPECT_EQ(preview->PageIndex(), 1);
        PressKey(preview->View.Handle(), VK_PRIOR);
        Pump();
        EXPECT_EQ(preview->PageIndex(), 0);
        // Printing with the dialog cancelled prints nothing and keeps the preview.
        int asked = 0;
        CurrentPreviewHooks().PrintDialog = [&](PRINTDLGW& pd) {
            ++asked;
            ExpectPrinterSettings(pd.hDevMode, DMPAPER_A4, DMORIENT_PORTRAIT);
            return false;
        };
        preview->sbNyomtat.Click();
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(preview->Visible());
        EXPECT_TRUE(errors.empty());
        // A printer that refuses the job: the general error handler says so.
        CurrentPreviewHooks().PrintDialog = [&](PRINTDLGW& pd) {
            pd.hDC = CreateCompatibleDC(nullptr);
            return true;
        };
        ClickSpeedButton(preview->sbNyomtat);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], L"Cannot print Események");
        EXPECT_TRUE(preview->Visible());
        CurrentPreviewHooks().PrintDialog = nullptr;
        PressKey(preview->View.Handle(), VK_ESCAPE);
        Pump();
    });
    main->tbListaNyomtatClick();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(report->Busy());
}

TEST_F(ListaTest, PreviewFromTheListBelongsToTheListWindowAndGivesItTheFocusBack) {
    TwelveDays();
    CurrentPreviewHooks().Run = nullptr;
    HWND previewOwner = nullptr, activeAfter = nullptr;
    OpenList([&] {
        AnswerNextModal([&](Form& preview) {
            previewOwner = GetWindow(preview.Handle(), GW_OWNER);
            preview.Close(mrCancel);
        });
        lista->sbNyomtat.Click();
        activeAfter = GetActiveWindow();
        EXPECT_TRUE(lista->Visible());
    });
    EXPECT_EQ(previewOwner, lista->Handle());
    EXPECT_EQ(activeAfter, lista->Handle());
    EXPECT_TRUE(errors.empty());
}

TEST(ReportPainter, PageDrawsRulesBandsAndTextsAtTheGivenScale) {
    TqrLista r;
    r.qrlHonap = L"2026.december";
    r.Lines = {L"2026.12.01.Első                Második             "};
    ReferenceDevice reference;
    const ReportDocument doc = r.Build(L"2026. 12. 01. 10:00", reference.Get());
    EXPECT_EQ(doc.paper, PaperSize::A4);
    EXPECT_EQ(doc.orientation, PaperOrientation::Portrait);
    ASSERT_EQ(doc.pages.size(), 1u);
    WindowDC screen(nullptr);
    const double scale = 2.0;  // 2 pixels per millimetre
    MemoryCanvas c(screen.Get(), 420, 594);
    Canvas(c.Dc()).Fill(RECT{0, 0, 420, 594}, 0x00FF00);
    PaintReportPage(c.Dc(), doc.pages[0], scale);
    // Margins stay unpainted, bands are white.
    EXPECT_EQ(c.Pixel(5, 5), 0x00FF00u);
    EXPECT_EQ(c.Pixel(405, 300), 0x00FF00u);
    EXPECT_EQ(c.Pixel(25, 82), 0xFFFFFFu);  // 12.5 mm, 41 mm: the detail row
    // QRShape2's top edge: band top 10 mm + 22.2 mm, from 10 + 12.7 mm for 160.1 mm.
    EXPECT_EQ(c.Pixel(static_cast<int>((10 + 100) * scale), static_cast<int>(std::lround((10 + 22.2) * scale))), 0u);
    // The dimmed program name and some black text in the first detail row.
    EXPECT_GT(CountPixels(c, 0xDADADA), 0);
    int dark = 0;
    for (int y = static_cast<int>(39.4 * scale); y < static_cast<int>(44.4 * scale); ++y)
        for (int x = static_cast<int>(60 * scale); x < static_cast<int>(120 * scale); ++x)
            if (c.Pixel(x, y) == 0u) ++dark;
    EXPECT_GT(dark, 0);
}

namespace {

// Dark pixels (any channel below 0x80) in a rectangle of the canvas.
int DarkPixels(const MemoryCanvas& c, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = std::max(0, top); y < std::min(c.Height(), bottom); ++y)
        for (int x = std::max(0, left); x < std::min(c.Width(), right); ++x) {
            const COLORREF p = c.Pixel(x, y);
            if (GetRValue(p) < 0x80 && GetGValue(p) < 0x80 && GetBValue(p) < 0x80) ++n;
        }
    return n;
}

}  // namespace

// A printer whose resolutions differ across and down (here 3 and 6 pixels per
// millimetre): every position follows its own axis, and a title longer than its
// column is wrapped and broken on that device and stays inside the column.
TEST(ReportPainter, PagesFollowBothResolutionsAndLongWordsStayInTheirColumn) {
    TqrLista r;
    r.qrlHonap = L"2026.december";
    r.Lines = {L"2026.12.01.WWWWWWWWWWWWWWWWWWWWMásodik             ",
               L"2026.12.02.Rövid               Rövid               "};
    const ReportScale scale{3.0, 6.0};
    const int width = 630, height = 1782;  // 210 x 297 mm
    WindowDC screen(nullptr);
    MemoryCanvas c(screen.Get(), width, height);
    const ReportDevice device{c.Dc(), scale};
    const ReportDocument doc = r.Build(L"2026. 12. 01. 10:00", device);
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].rows.size(), 2u);

    // The long title takes more than one line on this device, so its row grows.
    const auto lines = WrapReportText(device, L"WWWWWWWWWWWWWWWWWWWW", {L"Garamond", 11, false}, 59.5);
    ASSERT_GE(lines.size(), 2u);
    for (const auto& line : lines) EXPECT_LE(line.size(), 19u);
    const double secondRowTop = 39.4 + 5.0 + 4.5 * static_cast<double>(lines.size() - 1);

    Canvas(c.Dc()).Fill(RECT{0, 0, width, height}, 0x00FF00);
    PaintReportPage(c.Dc(), doc.pages[0], scale);
    auto x = [&](double mm) { return static_cast<int>(std::lround(mm * scale.x)); };
    auto y = [&](double mm) { return static_cast<int>(std::lround(mm * scale.y)); };
    // Bands: white from the margin, 190 mm across; green margins.
    EXPECT_EQ(c.Pixel(x(5), y(100)), 0x00FF00u);
    EXPECT_EQ(c.Pixel(x(12), y(41)), 0xFFFFFFu);
    EXPECT_EQ(c.Pixel(x(199), y(41)), 0xFFFFFFu);
    EXPECT_EQ(c.Pixel(x(201), y(41)), 0x00FF00u);
    // QRShape2's lines: 10 + 22.2 mm and 10 + 28.8 mm down, on the vertical scale.
    EXPECT_EQ(c.Pixel(x(175), y(32.2)), 0u);
    EXPECT_EQ(c.Pixel(x(175), y(38.8)), 0u);
    EXPECT_EQ(c.Pixel(x(175), y(35.5)), 0xFFFFFFu);
    // The long title's ink stays left of the second column (10 + 111.1 mm) ...
    const int rowTop = y(39.4), rowBottom = y(secondRowTop);
    EXPECT_GT(DarkPixels(c, x(10 + 50.8), rowTop, x(10 + 110.3), rowBottom), 0);
    EXPECT_EQ(DarkPixels(c, x(10 + 110.4), rowTop, x(10 + 111.1), rowBottom), 0);
    // ... and reaches its second line, below the first 5 mm of the row.
    EXPECT_GT(DarkPixels(c, x(10 + 50.8), y(39.4 + 5.0), x(10 + 110.3), rowBottom), 0);
    // The second row starts below the grown first one.
    EXPECT_GT(DarkPixels(c, x(10 + 50.8), y(secondRowTop), x(10 + 110.3), y(secondRowTop + 5.0)), 0);
}

TEST_F(ListaTest, TheListAndThePreviewSitAsDesigned) {
    ExpectControlsWhereTheTableSays(*lista, Tfrm_Lista::Controls());
    const auto rows = Tfrm_Lista::Controls();
    const auto box = [&rows](const wchar_t* name) {
        const auto& row = RowOf(rows, name);
        return std::array{row.x, row.y, row.w, row.h};
    };
    EXPECT_EQ(box(L"sbNyomtat"), (std::array{592, 2, 23, 22}));
    EXPECT_EQ(box(L"sbBezar"), (std::array{620, 2, 23, 22}));
    EXPECT_EQ(box(L"Panel1"), (std::array{4, 32, 685, 313}));
    EXPECT_STREQ(RowOf(rows, L"sbNyomtat").text, L"Nyomtatás");
    EXPECT_STREQ(RowOf(rows, L"sbBezar").text, L"Bezárás");

    // The preview's tool strip, made without showing the window.
    ReportJob job;
    job.title = L"Események";
    job.layout = [](const ReportDevice&) { return ReportDocument{}; };
    TReportPreview preview(job);
    preview.Create(main->Handle());
    ExpectControlsWhereTheTableSays(preview, TReportPreview::Controls());
    const auto strip = TReportPreview::Controls();
    EXPECT_STREQ(RowOf(strip, L"btnNagyitas").text, L"100 %");
    EXPECT_STREQ(RowOf(strip, L"sbKovetkezo").text, L"Következő oldal (Page Down)");
    // The zoom button names the other view; its click switches.
    EXPECT_EQ(preview.btnNagyitas.Text(), L"100 %");
    preview.btnNagyitas.Click();
    EXPECT_FALSE(preview.View.FitWidth);
    EXPECT_EQ(preview.btnNagyitas.Text(), L"Teljes szélesség");
}

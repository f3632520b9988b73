// The month grid in the main window: navigation, filling, deletion, layout and the
// shell links of the tool bar.
#include <gtest/gtest.h>

#include "app/main.h"
#include "harness.h"
#include "platform/codec1250.h"
#include "platform/emil.h"
#include "platform/errors.h"
#include "ui/canvas.h"

namespace {

class GridTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        CreateDirectoryW((Dir() + L"\\Data").c_str(), nullptr);
    }
    void TearDown() override {
        CurrentShellOpener() = savedOpener_;
        main.reset();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        WinTest::TearDown();
    }
    void WriteIndex(const std::vector<std::wstring>& lines) {
        WriteFile(L"Data\\index.txt", SerializeIndexText(lines));
    }
    TJPanel& CellOfDay(int day) { return *main->Cells[static_cast<size_t>(main->FirstCell + day - 2)]; }
    RECT CellRect(int k) { return main->Cells[static_cast<size_t>(k - 1)]->Bounds(); }
    // A key as the message loop hands it over: through the form's dialog keys.
    void Key(WPARAM key) {
        MSG msg{GetFocus(), WM_KEYDOWN, key, 1};
        if (!IsDialogMessageW(main->Handle(), &msg)) DispatchMessageW(&msg);
    }

    std::unique_ptr<Tfrm_Main> main;

private:
    ShellOpener savedOpener_ = CurrentShellOpener();
};

// The grid area as it is on the screen, and as a paint from scratch would draw it.
std::unique_ptr<MemoryCanvas> GridOnScreen(Tfrm_Main& m) {
    RedrawWindow(m.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    RECT r = m.Panel.ClientRect();
    HDC window = GetDC(m.Panel.Handle());
    auto canvas = std::make_unique<MemoryCanvas>(window, r.right, r.bottom);
    BitBlt(canvas->Dc(), 0, 0, r.right, r.bottom, window, 0, 0, SRCCOPY);
    ReleaseDC(m.Panel.Handle(), window);
    return canvas;
}

std::unique_ptr<MemoryCanvas> GridPaintedAfresh(Tfrm_Main& m) {
    RECT r = m.Panel.ClientRect();
    HDC screen = GetDC(nullptr);
    auto canvas = std::make_unique<MemoryCanvas>(screen, r.right, r.bottom);
    ReleaseDC(nullptr, screen);
    Canvas c(canvas->Dc());
    m.Panel.Paint(c);
    return canvas;
}

// The first pixel in `area` where the two differ, as "x,y", or "" when they are alike.
std::string FirstDifference(const MemoryCanvas& a, const MemoryCanvas& b, const RECT& area) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return std::to_string(x) + "," + std::to_string(y);
    return {};
}

int VisibleCells(Tfrm_Main& m) {
    int n = 0;
    for (auto& c : m.Cells) n += c->Shown() ? 1 : 0;
    return n;
}

}  // namespace

TEST_F(GridTest, MonthStepsKeepTheDayClampAtTheMonthEndAndCrossYears) {
    main = OpenMainWindow();
    main->ShowMonth(Date{2025, 1, 31});
    main->tbEloreClick();
    EXPECT_EQ(main->ShownMonth, 2);
    EXPECT_EQ(main->ShownDay, 28);
    EXPECT_EQ(main->pFejlec.Caption(), L"2025.február  ");
    main->tbEloreClick();
    EXPECT_EQ(main->CurrentDate, (Date{2025, 3, 28}));

    main->ShowMonth(Date{2024, 3, 31});
    main->tbVisszaClick();
    EXPECT_EQ(main->CurrentDate, (Date{2024, 2, 29}));
    EXPECT_EQ(VisibleCells(*main), 29);

    main->ShowMonth(Date{2026, 12, 15});
    main->tbEloreClick();
    EXPECT_EQ(main->CurrentDate, (Date{2027, 1, 15}));
    main->tbVisszaClick();
    main->tbVisszaClick();
    EXPECT_EQ(main->CurrentDate, (Date{2026, 11, 15}));
    // November 2026 starts on a Sunday: n1..n6 hidden, the 30th in n36.
    EXPECT_EQ(main->FirstCell, 7);
    EXPECT_FALSE(main->Cells[5]->Shown());
    EXPECT_TRUE(main->Cells[35]->Shown());
    EXPECT_EQ(main->Cells[35]->Nap(), 30);
    EXPECT_EQ(main->Cells[5]->Hint(), L"");
}

TEST_F(GridTest, AMonthStepLeavesNoCellAsTheMonthBeforeHadIt) {
    // Months of 28, 29, 30 and 31 days, starting on different weekdays, forward and
    // back: the same cell comes back with the same face after being hidden between.
    WriteIndex({MakeDayEntry(Date{2024, 2, 29}, L"Szökő", L"nap", 0xFF, 0x00FF00),
                MakeDayEntry(Date{2026, 1, 31}, L"Január", L"vége", 0xFF0000, 0),
                MakeDayEntry(Date{2026, 2, 1}, L"Vasárnap", L"", 0x0000FF, 0),
                MakeDayEntry(Date{2026, 3, 31}, L"Március", L"", 0, 0),
                MakeDayEntry(Date{2026, 11, 30}, L"", L"", 0, 0)});
    main = OpenMainWindow();
    // The cells' part of the grid.
    const RECT first = CellRect(1), last = CellRect(kGridCells);
    RECT cells{};
    UnionRect(&cells, &first, &last);
    const Date starts[] = {Date{2026, 1, 31}, Date{2024, 2, 29}, Date{2026, 11, 30}};
    const int moves[] = {1, 1, -1, -1, -1, 1};
    for (const Date& start : starts) {
        main->ShowMonth(start);
        for (int move : moves) {
            if (move > 0) {
                main->tbEloreClick();
            } else {
                main->tbVisszaClick();
            }
            SCOPED_TRACE(std::to_string(main->ShownYear) + "." + std::to_string(main->ShownMonth));
            const int days = DaysInMonth(main->ShownYear, main->ShownMonth);
            EXPECT_EQ(VisibleCells(*main), days);
            for (int day = 1; day <= days; ++day) {
                EXPECT_TRUE(CellOfDay(day).Shown()) << day;
                EXPECT_EQ(CellOfDay(day).Nap(), day);
            }
            EXPECT_EQ(FirstDifference(*GridOnScreen(*main), *GridPaintedAfresh(*main), cells), "");
        }
    }

    // A focused cell that the next month hides leaves the focus in the grid area,
    // on no day.
    main->ShowMonth(Date{2026, 3, 31});
    TJPanel& lastDay = CellOfDay(31);
    lastDay.Focus();
    main->tbEloreClick();  // April has 30 days and starts earlier in the week
    EXPECT_FALSE(lastDay.Shown());
    EXPECT_EQ(GetFocus(), main->Panel.Handle());
    EXPECT_EQ(main->Panel.FocusedCell(), nullptr);
}

TEST_F(GridTest, CellsAreFilledFromAMessyIndex) {
    WriteIndex({MakeDayEntry(Date{2024, 2, 10}, L"első", L"", 0xFF, 0), L"", L"kézzel írt sor",
                L"20240211rövid", MakeDayEntry(Date{2024, 2, 10}, L"Őszi", L"Űr", 0x00FF00, 0xFF0000),
                L"20240212" + std::wstring(56, L' ')});
    main = OpenMainWindow();
    main->ShowMonth(Date{2024, 2, 1});
    TJPanel& tenth = CellOfDay(10);
    EXPECT_EQ(tenth.Txt1(), L"Őszi                ");
    EXPECT_EQ(tenth.MSzin1(), 0x00FF00u);
    EXPECT_EQ(tenth.MSzin2(), 0xFF0000u);
    EXPECT_TRUE(tenth.VanFile());
    EXPECT_EQ(tenth.Hint(), L"2024.február.10. " + tenth.NevNap() + L" napja");
    EXPECT_EQ(CellOfDay(11).Txt1(), L"rövid");
    EXPECT_EQ(CellOfDay(11).Txt2(), L"");
    EXPECT_TRUE(CellOfDay(12).VanFile());  // empty titles still mark the day
    EXPECT_EQ(CellOfDay(12).MSzin1(), 0u);
    EXPECT_FALSE(CellOfDay(13).VanFile());
    EXPECT_EQ(CellOfDay(29).NevNap(), L"Szökőnap");
    EXPECT_EQ(CellOfDay(1).NevNap(), L"Ignác");
}

TEST_F(GridTest, DeletionAsksFirstThenRemovesNoteLineAndMarkerAtOnce) {
    WriteIndex({MakeDayEntry(Date{2026, 3, 5}, L"Fogorvos", L"", 0xFF, 0),
                MakeDayEntry(Date{2026, 3, 6}, L"Mozi", L"", 0, 0)});
    WriteFile(L"Data\\20260305.rtf", "{\\rtf1 x}");
    main = OpenMainWindow();
    main->ShowMonth(Date{2026, 3, 1});
    main->HoverDay = 5;

    AnswerCancel();
    main->mniBejegyzTorolClick();
    EXPECT_TRUE(Exists(L"Data\\20260305.rtf"));
    EXPECT_EQ(Entries(*main).Lines.size(), 2u);
    EXPECT_TRUE(CellOfDay(5).VanFile());

    AnswerOk();
    main->mniBejegyzTorolClick();
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"Valóban töröljem a bejegyzést?",
                                                   L"Valóban töröljem a bejegyzést?"}));
    EXPECT_FALSE(Exists(L"Data\\20260305.rtf"));
    EXPECT_EQ(Entries(*main).FindEntryLine(L"20260305"), -1);
    EXPECT_FALSE(CellOfDay(5).VanFile());
    EXPECT_EQ(CellOfDay(5).Txt1(), L"");
    // The deletion is in the file at once.
    EXPECT_EQ(ReadFile(L"Data\\index.txt"),
              EncodeCp1250(MakeDayEntry(Date{2026, 3, 6}, L"Mozi", L"", 0, 0)) + "\r\n");

    // A day without an entry: the question, then nothing.
    main->HoverDay = 20;
    AnswerOk();
    main->mniBejegyzTorolClick();
    EXPECT_EQ(Entries(*main).Lines.size(), 1u);
    EXPECT_TRUE(errors.empty());
}

TEST_F(GridTest, LayoutFollowsTheGridArea) {
    main = OpenMainWindow();
    RECT grid = main->Panel.ClientRect();
    EXPECT_EQ(grid.right, 786);
    EXPECT_EQ(grid.bottom, 493);
    RECT n1 = CellRect(1), n9 = CellRect(9), n42 = CellRect(42);
    EXPECT_EQ(n1.left, 4);
    EXPECT_EQ(n1.top, 36);
    EXPECT_EQ(n1.right - n1.left, 105);
    EXPECT_EQ(n1.bottom - n1.top, 72);
    EXPECT_EQ(n9.left, 116);
    EXPECT_EQ(n9.top, 112);
    EXPECT_EQ(n42.left, 676);
    EXPECT_EQ(n42.top, 416);

    // A bigger window: the formulas with the new grid size.
    RECT window;
    GetWindowRect(main->Handle(), &window);
    SetWindowPos(main->Handle(), nullptr, 0, 0, window.right - window.left + 214, window.bottom - window.top + 107,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    grid = main->Panel.ClientRect();
    int cw = (grid.right - 50) / 7, ch = (grid.bottom - 60) / 6;
    n9 = CellRect(9);
    EXPECT_EQ(n9.left, cw + 7 + 4);
    EXPECT_EQ(n9.top, ch + 4 + 36);
    EXPECT_EQ(n9.right - n9.left, cw);
    const RECT header = main->Headers[6]->Bounds();
    EXPECT_EQ(header.left, 6 * ((grid.right - 16) / 7 + 2) + 2);

    // Smaller than the frame of the layout: no negative sizes, nothing breaks.
    main->PanelResize(30, 40);
    RECT tiny = CellRect(42);
    EXPECT_EQ(tiny.right - tiny.left, 0);
    EXPECT_EQ(tiny.bottom - tiny.top, 0);
}

TEST_F(GridTest, LinkButtonsOpenTheirShortcutsOrSayWhatIsMissing) {
    std::vector<std::pair<std::wstring, std::wstring>> opened;
    CurrentShellOpener() = [&](const std::wstring& file, const std::wstring& folder) {
        opened.emplace_back(file, folder);
    };
    main = OpenMainWindow();
    ASSERT_TRUE(Exists(L"mail.lnk"));
    main->tbLevelClick();
    main->tbHonlapClick();
    main->tbHlpClick();
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], std::make_pair(Dir() + L"\\mail.lnk", Dir()));
    EXPECT_EQ(opened[1], std::make_pair(Dir() + L"\\ketrabo.lnk", Dir()));
    EXPECT_EQ(opened[2], std::make_pair(Dir() + L"\\doc.lnk", std::wstring()));
    EXPECT_TRUE(messages.empty());

    DeleteFileW((Dir() + L"\\mail.lnk").c_str());
    DeleteFileW((Dir() + L"\\ketrabo.lnk").c_str());
    DeleteFileW((Dir() + L"\\doc.lnk").c_str());
    main->tbLevelClick();
    main->tbHonlapClick();
    main->tbHlpClick();
    OpenFileWithShell(std::nullopt);
    EXPECT_EQ(opened.size(), 3u);
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"Nem találom a mail.url file-t.", L"Nem találom a ketrabo.url file-t.",
                                                   L"Nem találom a " + Dir() + L"\\doc.lnk file-t.",
                                                   L"Érvénytelen filenév"}));
    // The next show makes the links again.
    main->Hide();
    main->Show();
    EXPECT_TRUE(Exists(L"mail.lnk"));
}

TEST_F(GridTest, KeyboardMovesBetweenDaysAndMonths) {
    main = OpenMainWindow();
    main->ShowMonth(Date{2026, 1, 31});
    CellOfDay(31).Focus();
    ASSERT_EQ(GetFocus(), main->Panel.Handle());
    Key(VK_RIGHT);  // past the last day: stays on it
    EXPECT_TRUE(CellOfDay(31).Focused());
    Key(VK_UP);
    EXPECT_TRUE(CellOfDay(24).Focused());
    Key(VK_LEFT);
    EXPECT_TRUE(CellOfDay(23).Focused());
    CellOfDay(31).Focus();
    Key(VK_NEXT);  // February has no 31st
    EXPECT_EQ(main->ShownMonth, 2);
    EXPECT_TRUE(CellOfDay(28).Focused());
    Key(VK_PRIOR);
    EXPECT_EQ(main->ShownMonth, 1);
    EXPECT_TRUE(CellOfDay(28).Focused());
    EXPECT_EQ(main->HoverDay, 28);  // the menu key deletes the focused day
}

TEST_F(GridTest, TheGridAreaDrawsEveryCellsFaceInItsOwnState) {
    main = OpenMainWindow();
    main->ShowMonth(Date{2026, 11, 1});  // starts on a Sunday: n1..n6 hidden
    auto render = [&] {
        RECT r = main->Panel.ClientRect();
        HDC screen = GetDC(nullptr);
        auto canvas = std::make_unique<MemoryCanvas>(screen, r.right, r.bottom);
        ReleaseDC(nullptr, screen);
        Canvas c(canvas->Dc());
        main->Panel.Paint(c);
        return canvas;
    };
    RECT n1 = CellRect(1), n10 = CellRect(10);
    auto before = render();
    EXPECT_EQ(before->Pixel(n1.left + 50, n1.top + 60), 0x8080FFu);   // a hidden cell: the grid's colour
    EXPECT_EQ(before->Pixel(n10.left + 50, n10.top + 60), 0xC0C0C0u); // a day at rest
    EXPECT_EQ(before->Pixel(n10.right - 10, n10.top + 10), 0xC0C0C0u);  // its grey note marker

    SendMessageW(main->Panel.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(n10.left + 5, n10.top + 5));
    auto hovered = render();
    EXPECT_EQ(hovered->Pixel(n10.left + 50, n10.top + 60), 0xE9E9E9u);  // under the mouse
    EXPECT_EQ(hovered->Pixel(CellRect(11).left + 50, n10.top + 60), 0xC0C0C0u);
}

// The notepad: its first opening without a file, saving and cancelling, a file it
// cannot write, and how it differs from the entry editor (a file it cannot read:
// test_data_safety.cpp).
#include <array>
#include <memory>
#include <string>

#include "app/main.h"
#include "editors/Reszlet.h"
#include "editors/jegyzettomb.h"
#include "harness.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace {

constexpr const wchar_t* kNotepadFile = L"Data\\jegyzet.rtf";

std::wstring WithoutFinalBreaks(std::wstring text) {
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
    return text;
}

class NotepadTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        main = OpenMainWindow();
        notepad = std::make_unique<Tfrm_Jegyzettomb>();
        main->Others.jegyzettomb = notepad.get();
        notepad->Create(main->Handle());
        notepad->EnsureInsides();
    }
    void TearDown() override {
        notepad.reset();
        main.reset();
        WinTest::TearDown();
    }

    // Opens the notepad from the main window's button; `inside` runs in it and must close it.
    void OpenNotepad(std::function<void()> inside) {
        AnswerNextModal([inside = std::move(inside)](Form&) { inside(); });
        main->ToolBar1.Click(L"tbJegyzettomb");
    }

    std::unique_ptr<Tfrm_Main> main;
    std::unique_ptr<Tfrm_Jegyzettomb> notepad;
};

TEST_F(NotepadTest, FirstOpeningWithoutAFileIsEmptyAndQuiet) {
    ASSERT_FALSE(Exists(kNotepadFile));
    bool ran = false;
    OpenNotepad([&] {
        ran = true;
        EXPECT_EQ(notepad->Megjegyzes.Text(), L"");
        EXPECT_EQ(WindowText(notepad->Handle()), Application::Get().Title);
        EXPECT_EQ(notepad->pCim.Caption(), L"  Jegyzettömb");
        EXPECT_EQ(notepad->SizeText(), L"8");
        EXPECT_EQ(GetFocus(), notepad->Megjegyzes.Handle());
        ClickSpeedButton(notepad->sbBezar);
    });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(notepad->Visible());
    EXPECT_FALSE(Exists(kNotepadFile)) << "closing without saving writes nothing";
}

TEST_F(NotepadTest, SavedNoteComesBackAndCancelKeepsTheFile) {
    const std::wstring text = L"Bevásárlás: tűzőgép, őszibarack";
    OpenNotepad([&] {
        notepad->Megjegyzes.SetText(text);
        notepad->Megjegyzes.Select(0, 10);
        notepad->tbarFormaz.Click(L"tbDolt");
        ClickSpeedButton(notepad->sbMentBezar);
    });
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(notepad->Visible());
    const std::string saved = ReadFile(kNotepadFile);
    ASSERT_EQ(saved.substr(0, 5), "{\\rtf");

    // Changes left with the close button, Escape or the close box are not written.
    int round = 0;
    for (auto leave : {std::function<void()>([&] { ClickSpeedButton(notepad->sbBezar); }),
                       std::function<void()>([&] { PressKey(notepad->Megjegyzes.Handle(), VK_ESCAPE); }),
                       std::function<void()>([&] { PostMessageW(notepad->Handle(), WM_CLOSE, 0, 0); })}) {
        SCOPED_TRACE(round++);
        OpenNotepad([&] {
            EXPECT_EQ(WithoutFinalBreaks(notepad->Megjegyzes.Text()), text);
            notepad->Megjegyzes.Select(0, 10);
            EXPECT_TRUE(notepad->Megjegyzes.SelectionFormat().dwEffects & CFE_ITALIC);
            notepad->Megjegyzes.SetText(L"eldobott változás");
            leave();
        });
        EXPECT_FALSE(notepad->Visible());
        EXPECT_EQ(ReadFile(kNotepadFile), saved);
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(NotepadTest, FailedSaveIsReportedAndTheWindowStaysOpen) {
    WriteFile(kNotepadFile, "{\\rtf1\\ansi r\\'e9gi\\par}");
    const std::string before = ReadFile(kNotepadFile);
    const std::wstring path = Dir() + L"\\" + kNotepadFile;
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    OpenNotepad([&] {
        EXPECT_EQ(WithoutFinalBreaks(notepad->Megjegyzes.Text()), L"régi");
        notepad->Megjegyzes.SetText(L"új");
        ClickSpeedButton(notepad->sbMentBezar);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], L"Cannot create file " + path);
        EXPECT_TRUE(notepad->Visible());
        EXPECT_EQ(notepad->GetModalResult(), mrNone);
        EXPECT_EQ(notepad->Megjegyzes.Text(), L"új") << "nothing typed is lost";
        ClickSpeedButton(notepad->sbBezar);
    });
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFile(kNotepadFile), before);
}

TEST_F(NotepadTest, NoColourButtonAndTheClipboardAlwaysUsesTheNote) {
    Tfrm_Reszlet editor;
    editor.Create(main->Handle());
    editor.EnsureInsides();
    EXPECT_EQ(notepad->ToolBar.Find(L"tbSzinek"), nullptr);
    EXPECT_NE(editor.ToolBar.Find(L"tbSzinek"), nullptr);
    EXPECT_EQ(editor.ToolBar.ButtonRect(L"tbFont").left - notepad->ToolBar.ButtonRect(L"tbFont").left, 56);
    EXPECT_EQ(editor.ToolBar.ButtonRect(L"tbMent").left, notepad->ToolBar.ButtonRect(L"tbMent").left);
    EXPECT_FALSE(notepad->ToolBar.Enabled(L"tbVisszatolt"));
    RECT client = notepad->ClientRect();
    EXPECT_EQ(client.right, 589);
    EXPECT_EQ(client.bottom, 412);

    notepad->Show();
    Pump();
    notepad->Megjegyzes.SetText(L"vágólap");
    notepad->Megjegyzes.Select(0, 4);
    notepad->ToolBar.Click(L"tbKivag");
    EXPECT_EQ(notepad->Megjegyzes.Text(), L"lap");
    notepad->Megjegyzes.Select(3, 3);
    notepad->ToolBar.Click(L"tbBeilleszt");
    EXPECT_EQ(notepad->Megjegyzes.Text(), L"lapvágó");
    notepad->Hide();
}

TEST_F(NotepadTest, TheControlsSitAsDesigned) {
    ExpectControlsWhereTheTableSays(*notepad, Tfrm_Jegyzettomb::Controls());
    const auto rows = Tfrm_Jegyzettomb::Controls();
    const auto& note = RowOf(rows, L"Megjegyzes");
    EXPECT_EQ(BoundsOf(note), (std::array{8, 60, 565, 309}));
    EXPECT_FALSE(GetWindowLongW(notepad->Megjegyzes.Handle(), GWL_STYLE) & ES_NOHIDESEL);
    const auto& panel = RowOf(rows, L"Panel1");
    EXPECT_EQ(BoundsOf(panel), (std::array{4, 32, 581, 377}));
    EXPECT_EQ((std::array{RowOf(rows, L"sbMentBezar").x, RowOf(rows, L"sbBezar").x}), (std::array{492, 516}));
    EXPECT_STREQ(RowOf(rows, L"sbBezar").text, L"Bezárás");
    EXPECT_EQ(notepad->pCim.Caption(), L"  Jegyzettömb");
    // Tab order: the file bar, the note, the format bar.
    std::vector<HWND> order;
    for (HWND h = GetWindow(notepad->Panel1.Handle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) order.push_back(h);
    EXPECT_EQ(order, (std::vector<HWND>{notepad->ToolBar.Handle(), notepad->Megjegyzes.Handle(),
                                        notepad->tbarFormaz.Handle()}));
}

TEST_F(NotepadTest, AFailedPrintJobIsReportedAndTheNoteStays) {
    CurrentEditorDialogs().Print = [](PRINTDLGW& pd) {
        ExpectPrinterSettings(pd.hDevMode, DMPAPER_A4, DMORIENT_PORTRAIT);
        pd.hDC = CreateCompatibleDC(nullptr);  // no printer behind it: the job fails
        return true;
    };
    OpenNotepad([&] {
        notepad->Megjegyzes.SetText(L"nyomtatandó");
        notepad->ToolBar.Click(L"tbNyomtat");
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], L"Cannot print Tivorn program");
        EXPECT_EQ(notepad->Megjegyzes.Text(), L"nyomtatandó");
        ClickSpeedButton(notepad->sbBezar);
    });
    CurrentEditorDialogs().Print = [](PRINTDLGW& pd) { return PrintDlgW(&pd) != FALSE; };
}

}  // namespace

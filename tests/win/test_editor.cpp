// The day entry editor and the rich-text equipment it shares with the notepad:
// the helpers without a window, the bars following the caret, the format handlers,
// the colour menu, the day's whole life from the month grid, and the file paths.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/main.h"
#include "editors/Reszlet.h"
#include "harness.h"
#include "platform/emil.h"
#include "platform/errors.h"
#include "store/rtf_text.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/dpi.h"

namespace {

// Helpers

void ClickAt(HWND hwnd, int x, int y) {
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A real mouse click on a tool bar button (check buttons change state as for a user).
void ClickButton(ButtonBar& bar, const wchar_t* name) {
    RECT r = bar.ButtonRect(name);
    ClickAt(bar.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void ClickUpDown(HWND updown, bool up) {
    RECT r{};
    GetClientRect(updown, &r);
    ClickAt(updown, r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
}

std::string ToUtf8(const std::wstring& s) { return WideToUtf8(s); }

// A note with three paragraphs: left, centred and right, in two faces and sizes.
constexpr const char* kFormattedNote =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
    "\\pard\\ql\\f0\\fs24 plain \\b bold\\b0  \\i it\\i0  \\ul un\\ulnone\\par"
    "\\pard\\qc\\f1\\fs40 centre\\par"
    "\\pard\\qr\\f0\\fs20 right\\par}";

class EditorTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        main = OpenMainWindow();
        editor = std::make_unique<Tfrm_Reszlet>();
        main->Others.reszlet = editor.get();
        editor->Create(main->Handle());
        editor->EnsureInsides();
        editor->SetProgramDir(Dir());  // shown without a day too (ShowEditor)
        savedOpener = CurrentShellOpener();
        CurrentShellOpener() = [this](const std::wstring& file, const std::wstring&) { opened.push_back(file); };
        savedDialogs = CurrentEditorDialogs();
    }
    void TearDown() override {
        CurrentShellOpener() = savedOpener;
        CurrentEditorDialogs() = savedDialogs;
        editor.reset();
        main.reset();
        WinTest::TearDown();
    }

    TJPanel& CellOf(int day) { return *main->Cells[static_cast<size_t>(day + main->FirstCell - 2)]; }
    Date DayOf(int day) const { return Date{main->ShownYear, main->ShownMonth, day}; }
    std::wstring NoteRelative(int day) const { return L"Data\\" + DateKey(DayOf(day)) + L".rtf"; }

    // Opens the editor on a day from the grid; `inside` runs in the modal window and must close it.
    void OpenDay(int day, std::function<void()> inside) {
        AnswerNextModal([inside = std::move(inside)](Form&) { inside(); });
        main->n1Click(CellOf(day));
    }

    // Stores a day through the editor: titles, colours and a plain note.
    void StoreDay(int day, const std::wstring& t1, const std::wstring& t2, const std::wstring& note) {
        OpenDay(day, [&] {
            editor->Cimszo1.SetText(t1);
            editor->Cimszo2.SetText(t2);
            editor->Megjegyzes.SetText(note);
            ClickSpeedButton(editor->sbMentBezar);
        });
    }

    void ShowEditor() {
        editor->Show();
        Pump();
    }

    std::unique_ptr<Tfrm_Main> main;
    std::unique_ptr<Tfrm_Reszlet> editor;
    std::vector<std::wstring> opened;
    ShellOpener savedOpener;
    EditorDialogs savedDialogs;
};

// Pieces without a window

TEST(EditorPieces, TheSystemsFontNameOrderIgnoresCase) {
    EXPECT_EQ(CompareFontNames(L"ARIAL", L"arial"), 0);
    EXPECT_LT(CompareFontNames(L"arial", L"Courier New"), 0);
    EXPECT_GT(CompareFontNames(L"Tahoma", L"courier new"), 0);
    const auto names = SortedFontNames({L"Tahoma", L"arial", L"@MS Gothic", L"Arial", L"Courier New"}, CompareFontNames);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"arial", L"Courier New", L"Tahoma"}));
    EXPECT_EQ(FontIndexOf(names, L"COURIER NEW", CompareFontNames), 1);
}

TEST(EditorPieces, FontDialogValuesGoBothWays) {
    CHARFORMAT2W cf = MakeCharFormat(0);
    cf.yHeight = 14 * 20;
    cf.dwEffects = CFE_BOLD | CFE_UNDERLINE;
    cf.bCharSet = EASTEUROPE_CHARSET;
    lstrcpynW(cf.szFaceName, L"Courier New", LF_FACESIZE);
    const LOGFONTW lf = LogFontOfCharFormat(cf, 96);
    EXPECT_EQ(lf.lfHeight, -MulDiv(14, 96, 72));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_FALSE(lf.lfItalic);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_EQ(lf.lfCharSet, EASTEUROPE_CHARSET);

    const CHARFORMAT2W back = CharFormatOfLogFont(lf, 140, 0x0000FF, 96);
    EXPECT_EQ(back.yHeight, 280);
    EXPECT_EQ(back.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT), DWORD(CFE_BOLD | CFE_UNDERLINE));
    EXPECT_EQ(back.crTextColor, 0x0000FFu);
    EXPECT_EQ(back.bCharSet, EASTEUROPE_CHARSET);
    EXPECT_EQ(FaceOfCharFormat(back), L"Courier New");
    EXPECT_TRUE(back.dwMask & CFM_COLOR) << "a colour chosen in the dialog must reach the text";
    // Without the dialog's size the font height gives it.
    EXPECT_EQ(CharFormatOfLogFont(lf, 0, 0, 96).yHeight, static_cast<LONG>(MulDiv(MulDiv(14, 96, 72), 1440, 96)));
}

TEST(EditorPieces, ColourItemBackgroundCaptionAndSwatch) {
    WindowDC screen(nullptr);
    MemoryCanvas image(screen.Get(), 140, 20);
    Font font = MakeFont(FontSpec{L"Tahoma", 0, 13});
    const COLORREF green = 0x00FF00, navy = 0x800000;
    for (bool highlighted : {false, true}) {
        SCOPED_TRACE(highlighted);
        DrawColorItem(image.Dc(), RECT{0, 0, 140, 20}, L"Zöld", green, highlighted, font.Get());
        GdiFlush();
        const COLORREF back = highlighted ? navy : GetSysColor(COLOR_BTNFACE);
        EXPECT_EQ(image.Pixel(1, 10), back) << "left of the swatch";
        EXPECT_EQ(image.Pixel(3, 10), 0u) << "swatch outline";
        EXPECT_EQ(image.Pixel(22, 10), 0u) << "swatch outline";
        EXPECT_EQ(image.Pixel(12, 0), back) << "above the swatch";
        EXPECT_EQ(image.Pixel(12, 1), 0u);
        EXPECT_EQ(image.Pixel(12, 18), 0u);
        EXPECT_EQ(image.Pixel(12, 19), back);
        EXPECT_EQ(image.Pixel(12, 10), green) << "swatch face";
        EXPECT_EQ(image.Pixel(25, 10), back) << "gap before the caption";
        int captionPixels = 0, elsewhere = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 24; x < 140; ++x)
                if (image.Pixel(x, y) == green) (x >= 27 ? captionPixels : elsewhere)++;
        EXPECT_GT(captionPixels, 10) << "caption in its own colour";
        EXPECT_EQ(elsewhere, 0) << "caption starts at x = 27";
    }
}

// The window as built

TEST_F(EditorTest, OpensWithTheBoxFontInTheBarsAndTheFirstTitleFocused) {
    ShowEditor();
    EXPECT_EQ(WindowText(editor->Handle()), Application::Get().Title);
    EXPECT_EQ(editor->FontComboText(), L"MS Sans Serif") << "the box's font, listed by the system or not";
    EXPECT_EQ(editor->SizeText(), L"8");
    EXPECT_EQ(GetFocus(), editor->Cimszo1.Handle());
    EXPECT_EQ(editor->FEditTarget, 1);
    EXPECT_FALSE(editor->ToolBar.Enabled(L"tbVisszatolt"));
    EXPECT_TRUE(editor->tbarFormaz.Checked(L"tbBalra"));
    RECT client = editor->ClientRect();
    EXPECT_EQ(client.right, 458);
    EXPECT_EQ(client.bottom, 414);

    const auto& fonts = editor->FontNames();
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(SortedFontNames(fonts, CompareFontNames), fonts) << "sorted and unique";
    EXPECT_EQ(static_cast<size_t>(editor->tbarFormaz.cbBetuTipus.Count()), fonts.size());
    int lo = -1, hi = -1;
    SendMessageW(editor->tbarFormaz.UpDown1.Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo),
                 reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 100);
    editor->Hide();
}

TEST_F(EditorTest, TheControlsSitAsDesigned) {
    ExpectControlsWhereTheTableSays(*editor, Tfrm_Reszlet::Controls());
    const auto rows = Tfrm_Reszlet::Controls();
    const auto& title2 = RowOf(rows, L"Cimszo2");
    EXPECT_EQ(BoundsOf(title2), (std::array{272, 64, 167, 21}));
    const auto& note = RowOf(rows, L"Megjegyzes");
    EXPECT_EQ(BoundsOf(note), (std::array{8, 92, 433, 277}));
    EXPECT_EQ(RowOf(rows, L"sbMentBezar").x, 360);
    EXPECT_STREQ(RowOf(rows, L"sbBezar").text, L"Bezárás mentés nélkül");
    EXPECT_STREQ(RowOf(rows, L"Label1").text, L"Címszavak");
    EXPECT_TRUE(GetWindowLongW(editor->Megjegyzes.Handle(), GWL_STYLE) & ES_NOHIDESEL);

    // The two bars in Panel1, and the font list and the size box in the format bar's slots.
    auto placed = [](HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
        return std::array{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
                          static_cast<int>(r.bottom - r.top)};
    };
    EXPECT_EQ(placed(editor->ToolBar.Handle()), (std::array{Px(2), Px(2), Px(445), Px(29)}));
    EXPECT_EQ(placed(editor->tbarFormaz.Handle()), (std::array{Px(2), Px(31), Px(445), Px(30)}));
    const auto fontList = placed(editor->tbarFormaz.cbBetuTipus.Handle());
    const auto sizeBox = placed(editor->tbarFormaz.edtBetuMeret.Handle());
    const auto arrows = placed(editor->tbarFormaz.UpDown1.Handle());
    EXPECT_EQ(fontList[2], Px(153));
    EXPECT_EQ(sizeBox[0], fontList[0] + Px(153 + 8));
    EXPECT_EQ(sizeBox[2], Px(26));
    EXPECT_EQ(arrows[0], sizeBox[0] + sizeBox[2]);
    EXPECT_EQ(editor->tbarFormaz.ButtonRect(L"tbFelkover").left, sizeBox[0] + Px(26 + 15 + 17));

    // The colour menu: the items in order, each drawn in the colour its handler gives.
    const auto menu = Tfrm_Reszlet::ColourMenu();
    ASSERT_EQ(menu.size(), kTitleColours.size());
    for (size_t i = 0; i < menu.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(menu[i].name, kTitleColours[i].item);
        EXPECT_EQ(GetMenuItemID(editor->pmSzinek.Handle(), static_cast<int>(i)),
                  static_cast<UINT>(editor->pmSzinek.IdOf(menu[i].name)));
        editor->FEditTarget = 1;
        (editor.get()->*menu[i].handler)();
        EXPECT_EQ(static_cast<uint32_t>(editor->TitleColour(1)), kTitleColours[i].colour);
    }
    EXPECT_STREQ(menu[9].caption, L"Sötét türkisz");
}

TEST_F(EditorTest, BarsFollowTheCaret) {
    ShowEditor();
    editor->Megjegyzes.LoadRtf(kFormattedNote);
    const std::wstring text = editor->Megjegyzes.Text();
    auto at = [&](const std::wstring& word) { return static_cast<int>(text.find(word)); };
    ASSERT_GE(at(L"right"), 0);
    struct Expect {
        const wchar_t* word;
        bool bold, italic, underline;
        const wchar_t* size;
        const wchar_t* face;
        const wchar_t* align;
    };
    for (const Expect& e : {Expect{L"plain", false, false, false, L"12", L"Arial", L"tbBalra"},
                            Expect{L"bold", true, false, false, L"12", L"Arial", L"tbBalra"},
                            Expect{L"it", false, true, false, L"12", L"Arial", L"tbBalra"},
                            Expect{L"un", false, false, true, L"12", L"Arial", L"tbBalra"},
                            Expect{L"centre", false, false, false, L"20", L"Courier New", L"tbKozepre"},
                            Expect{L"right", false, false, false, L"10", L"Arial", L"tbJobbra"},
                            Expect{L"plain", false, false, false, L"12", L"Arial", L"tbBalra"}}) {
        SCOPED_TRACE(ToUtf8(e.word));
        editor->Megjegyzes.Select(at(e.word) + 1, at(e.word) + 2);
        EXPECT_EQ(editor->tbarFormaz.Checked(L"tbFelkover"), e.bold);
        EXPECT_EQ(editor->tbarFormaz.Checked(L"tbDolt"), e.italic);
        EXPECT_EQ(editor->tbarFormaz.Checked(L"tbAlahuzott"), e.underline);
        EXPECT_EQ(editor->SizeText(), e.size);
        EXPECT_EQ(editor->FontComboText(), e.face);
        for (const wchar_t* name : {L"tbBalra", L"tbKozepre", L"tbJobbra"})
            EXPECT_EQ(editor->tbarFormaz.Checked(name), std::wstring(name) == e.align) << ToUtf8(name);
    }

    // Bullets follow the paragraph.
    editor->Megjegyzes.Select(at(L"centre"), at(L"centre"));
    PARAFORMAT2 pf = MakeParaFormat(PFM_NUMBERING);
    pf.wNumbering = PFN_BULLET;
    editor->Megjegyzes.SetParagraphFormat(pf);
    editor->Megjegyzes.Select(at(L"plain"), at(L"plain"));
    EXPECT_FALSE(editor->tbarFormaz.Checked(L"tbFelsorolas"));
    editor->Megjegyzes.Select(at(L"centre") + 2, at(L"centre") + 2);
    EXPECT_TRUE(editor->tbarFormaz.Checked(L"tbFelsorolas"));
    editor->Hide();
}

TEST_F(EditorTest, StyleButtonsAddAndRemoveWithoutMovingTheFocus) {
    ShowEditor();
    editor->Megjegyzes.SetText(L"egy kettő három");
    editor->Megjegyzes.Select(4, 9);  // "kettő"
    editor->Cimszo2.Focus();
    auto effects = [&](int from, int to) {
        editor->Megjegyzes.Select(from, to);
        return editor->Megjegyzes.SelectionFormat().dwEffects;
    };
    struct Style {
        const wchar_t* button;
        DWORD effect;
    };
    for (const Style& s : {Style{L"tbFelkover", CFE_BOLD}, Style{L"tbDolt", CFE_ITALIC},
                           Style{L"tbAlahuzott", CFE_UNDERLINE}}) {
        SCOPED_TRACE(ToUtf8(s.button));
        editor->Megjegyzes.Select(4, 9);
        ClickButton(editor->tbarFormaz, s.button);
        EXPECT_TRUE(editor->tbarFormaz.Checked(s.button));
        EXPECT_EQ(GetFocus(), editor->Cimszo2.Handle());
        EXPECT_TRUE(effects(4, 9) & s.effect);
        EXPECT_FALSE(effects(0, 3) & s.effect) << "only the selection";
        EXPECT_FALSE(effects(10, 15) & s.effect);
        editor->Megjegyzes.Select(4, 9);
        ClickButton(editor->tbarFormaz, s.button);
        EXPECT_FALSE(editor->tbarFormaz.Checked(s.button));
        EXPECT_FALSE(effects(4, 9) & s.effect);
    }
    editor->Hide();
}

TEST_F(EditorTest, AlignmentGroupKeepsExactlyOneDown) {
    ShowEditor();
    editor->Megjegyzes.SetText(L"sor");
    auto down = [&] {
        std::wstring out;
        for (const wchar_t* name : {L"tbBalra", L"tbKozepre", L"tbJobbra"})
            if (editor->tbarFormaz.Checked(name)) out += name;
        return out;
    };
    auto alignment = [&] { return editor->Megjegyzes.ParagraphFormat().wAlignment; };
    ClickButton(editor->tbarFormaz, L"tbKozepre");
    EXPECT_EQ(down(), L"tbKozepre");
    EXPECT_EQ(alignment(), PFA_CENTER);
    EXPECT_EQ(GetFocus(), editor->Megjegyzes.Handle());
    ClickButton(editor->tbarFormaz, L"tbKozepre");
    EXPECT_EQ(down(), L"tbKozepre") << "the one down stays down";
    EXPECT_EQ(alignment(), PFA_CENTER);
    ClickButton(editor->tbarFormaz, L"tbJobbra");
    EXPECT_EQ(down(), L"tbJobbra");
    EXPECT_EQ(alignment(), PFA_RIGHT);
    ClickButton(editor->tbarFormaz, L"tbBalra");
    EXPECT_EQ(down(), L"tbBalra");
    EXPECT_EQ(alignment(), PFA_LEFT);

    ClickButton(editor->tbarFormaz, L"tbFelsorolas");
    EXPECT_EQ(editor->Megjegyzes.ParagraphFormat().wNumbering, PFN_BULLET);
    ClickButton(editor->tbarFormaz, L"tbFelsorolas");
    EXPECT_EQ(editor->Megjegyzes.ParagraphFormat().wNumbering, 0);
    editor->Hide();
}

TEST_F(EditorTest, SizeBoxAppliesAWholeNumberAndRejectsText) {
    ShowEditor();
    editor->Megjegyzes.SetText(L"szöveg");
    auto sizeOf = [&](int from, int to) {
        editor->Megjegyzes.Select(from, to);
        return PointsOfCharFormat(editor->Megjegyzes.SelectionFormat());
    };
    const int before = sizeOf(0, 6);
    editor->Megjegyzes.Select(0, 3);
    editor->tbarFormaz.edtBetuMeret.Focus();
    editor->tbarFormaz.edtBetuMeret.SetText(L"12");
    editor->Cimszo1.Focus();  // leaving the box applies it
    EXPECT_EQ(GetFocus(), editor->Megjegyzes.Handle());
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(sizeOf(0, 3), 12);
    EXPECT_EQ(sizeOf(3, 6), before);

    editor->Megjegyzes.Select(3, 6);
    editor->tbarFormaz.edtBetuMeret.Focus();
    editor->tbarFormaz.edtBetuMeret.SetText(L"abc");
    editor->Cimszo1.Focus();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"'abc' is not a valid integer value");
    EXPECT_EQ(sizeOf(0, 3), 12);
    EXPECT_EQ(sizeOf(3, 6), before);
    editor->Hide();
}

TEST_F(EditorTest, UpDownStepsWithinNoughtToAHundred) {
    ShowEditor();
    editor->Megjegyzes.SetText(L"szöveg");
    editor->Megjegyzes.Select(0, 6);
    auto size = [&] { return PointsOfCharFormat(editor->Megjegyzes.SelectionFormat()); };

    editor->tbarFormaz.edtBetuMeret.SetText(L"99");
    ClickUpDown(editor->tbarFormaz.UpDown1.Handle(), true);
    EXPECT_EQ(editor->SizeText(), L"100");
    editor->Megjegyzes.Select(0, 6);
    EXPECT_EQ(size(), 100);
    ClickUpDown(editor->tbarFormaz.UpDown1.Handle(), true);
    EXPECT_EQ(editor->SizeText(), L"100") << "no wrap at the top";

    editor->tbarFormaz.edtBetuMeret.SetText(L"11");
    ClickUpDown(editor->tbarFormaz.UpDown1.Handle(), false);
    EXPECT_EQ(editor->SizeText(), L"10");
    editor->Megjegyzes.Select(0, 6);
    EXPECT_EQ(size(), 10);
    EXPECT_EQ(GetFocus(), editor->Megjegyzes.Handle());

    editor->tbarFormaz.edtBetuMeret.SetText(L"2");
    ClickUpDown(editor->tbarFormaz.UpDown1.Handle(), false);
    EXPECT_EQ(editor->SizeText(), L"1");
    ClickUpDown(editor->tbarFormaz.UpDown1.Handle(), false);
    ClickUpDown(editor->tbarFormaz.UpDown1.Handle(), false);
    EXPECT_EQ(editor->SizeText(), L"0") << "no wrap at the bottom";
    editor->Megjegyzes.Select(0, 6);
    EXPECT_EQ(size(), 1) << "a size of nothing is not applied";
    EXPECT_TRUE(errors.empty());
    editor->Hide();
}

TEST_F(EditorTest, FontComboAndFontDialogChangeTheSelection) {
    ShowEditor();
    editor->Megjegyzes.SetText(L"Árvíztűrő tükörfúrógép");
    const int index = editor->FontIndexOf(L"Courier New") >= 0
                          ? editor->FontIndexOf(L"Courier New")
                          : static_cast<int>(editor->FontNames().size()) - 1;
    const std::wstring chosen = editor->FontNames()[static_cast<size_t>(index)];
    editor->Megjegyzes.Select(0, 9);
    editor->Cimszo1.Focus();
    editor->tbarFormaz.cbBetuTipus.SetSelectedIndex(index);
    SendMessageW(editor->tbarFormaz.Handle(), WM_COMMAND, MAKEWPARAM(editor->tbarFormaz.cbBetuTipus.Id(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(editor->tbarFormaz.cbBetuTipus.Handle()));
    EXPECT_EQ(GetFocus(), editor->Megjegyzes.Handle());
    EXPECT_EQ(FaceOfCharFormat(editor->Megjegyzes.SelectionFormat()), chosen);
    editor->Megjegyzes.Select(10, 12);
    EXPECT_NE(FaceOfCharFormat(editor->Megjegyzes.SelectionFormat()), chosen);

    // The font dialog starts from the selection and, on OK, applies everything.
    editor->Megjegyzes.Select(0, 9);
    LOGFONTW seen{};
    int calls = 0;
    CurrentEditorDialogs().Font = [&](CHOOSEFONTW& cf) {
        ++calls;
        seen = *cf.lpLogFont;
        EXPECT_TRUE(cf.Flags & CF_EFFECTS);
        lstrcpynW(cf.lpLogFont->lfFaceName, L"Tahoma", LF_FACESIZE);
        cf.lpLogFont->lfWeight = FW_BOLD;
        cf.lpLogFont->lfItalic = TRUE;
        cf.iPointSize = 180;
        cf.rgbColors = 0x0000FF;
        return true;
    };
    editor->ToolBar.Click(L"tbFont");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(std::wstring(seen.lfFaceName), chosen);
    CHARFORMAT2W cf = editor->Megjegyzes.SelectionFormat();
    EXPECT_EQ(FaceOfCharFormat(cf), L"Tahoma");
    EXPECT_EQ(PointsOfCharFormat(cf), 18);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    EXPECT_TRUE(cf.dwEffects & CFE_ITALIC);
    EXPECT_EQ(cf.crTextColor, 0x0000FFu);
    EXPECT_TRUE(editor->tbarFormaz.Checked(L"tbFelkover"));
    EXPECT_EQ(editor->SizeText(), L"18");

    // Cancel changes nothing.
    CurrentEditorDialogs().Font = [](CHOOSEFONTW& c) {
        lstrcpynW(c.lpLogFont->lfFaceName, L"Arial", LF_FACESIZE);
        return false;
    };
    editor->ToolBar.Click(L"tbFont");
    EXPECT_EQ(FaceOfCharFormat(editor->Megjegyzes.SelectionFormat()), L"Tahoma");
    editor->Hide();
}

// Colours

TEST_F(EditorTest, ColourMenuActsOnTheFieldPressedOrEnteredLast) {
    ShowEditor();
    std::vector<POINT> popups;
    std::wstring pick = L"Zld1";
    editor->PopupColourMenu = [&](POINT at) {
        popups.push_back(at);
        SendMessageW(editor->Handle(), WM_COMMAND, MAKEWPARAM(editor->pmSzinek.IdOf(pick), 0), 0);
    };
    editor->Cimszo1.Focus();
    EXPECT_EQ(editor->FEditTarget, 1);

    // A right click on the second title: it takes the focus first, then the menu opens.
    SendMessageW(editor->Cimszo2.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 5));
    SendMessageW(editor->Cimszo2.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(10, 5));
    if (popups.empty()) {  // the control did not turn the release into a context menu request
        RECT r{};
        GetWindowRect(editor->Cimszo2.Handle(), &r);
        SendMessageW(editor->Cimszo2.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor->Cimszo2.Handle()),
                     MAKELPARAM(r.left + 10, r.top + 5));
    }
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(GetFocus(), editor->Cimszo2.Handle());
    EXPECT_EQ(editor->FEditTarget, 2);
    EXPECT_EQ(editor->TitleColour(2), 0x00FF00);
    EXPECT_EQ(editor->TitleColour(1), 0);

    // The note: the selection's text colour.
    editor->Megjegyzes.SetText(L"piros szó");
    editor->Megjegyzes.Select(0, 5);
    pick = L"Piros1";
    SendMessageW(editor->Megjegyzes.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor->Megjegyzes.Handle()),
                 static_cast<LPARAM>(-1));
    EXPECT_EQ(editor->FEditTarget, 3);
    EXPECT_EQ(editor->Megjegyzes.SelectionFormat().crTextColor, 0x0000FFu);
    editor->Megjegyzes.Select(6, 9);
    EXPECT_NE(editor->Megjegyzes.SelectionFormat().crTextColor, 0x0000FFu);
    EXPECT_EQ(editor->TitleColour(2), 0x00FF00) << "the titles keep theirs";

    // The colour button's arrow opens the same menu below the button.
    RECT button = editor->ToolBar.ButtonRect(L"tbSzinek");
    ClickAt(editor->ToolBar.Handle(), button.left + 3, button.top + 3);
    EXPECT_EQ(popups.size(), 2u) << "the face does nothing";
    ClickAt(editor->ToolBar.Handle(), button.right - 3, button.top + 3);
    ASSERT_EQ(popups.size(), 3u);
    MapWindowPoints(editor->ToolBar.Handle(), nullptr, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(popups[2].x, button.left);
    EXPECT_EQ(popups[2].y, button.bottom);
    editor->Hide();
}

TEST_F(EditorTest, AltShortcutsColourTheFocusedFieldOnly) {
    ShowEditor();
    auto altKey = [](HWND target, UINT vk) {
        PostMessageW(target, WM_SYSKEYDOWN, vk, (1 << 29) | 1);
        PostMessageW(target, WM_SYSKEYUP, vk, (1 << 29) | 0xC0000001);
        Pump();
    };
    editor->Cimszo1.Focus();
    altKey(editor->Cimszo1.Handle(), 'K');
    EXPECT_EQ(editor->TitleColour(1), 0xFF0000);
    EXPECT_EQ(editor->TitleColour(2), 0);

    editor->Cimszo2.Focus();
    altKey(editor->Cimszo2.Handle(), 'I');
    EXPECT_EQ(editor->TitleColour(2), 0x808000);
    EXPECT_EQ(editor->TitleColour(1), 0xFF0000);

    // Outside the three fields the letters do nothing.
    editor->tbarFormaz.edtBetuMeret.Focus();
    altKey(editor->tbarFormaz.edtBetuMeret.Handle(), 'F');
    EXPECT_EQ(editor->TitleColour(2), 0x808000);

    // The title is drawn in its colour.
    editor->Cimszo1.SetText(L"WWWW");
    WindowDC screen(nullptr);
    RECT r{};
    GetClientRect(editor->Cimszo1.Handle(), &r);
    MemoryCanvas image(screen.Get(), r.right, r.bottom);
    SendMessageW(editor->Cimszo1.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Dc()), PRF_CLIENT);
    GdiFlush();
    int blue = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            if (image.Pixel(x, y) == 0xFF0000u) ++blue;
    EXPECT_GT(blue, 5);
    editor->Hide();
}

// Clipboard

TEST_F(EditorTest, CutCopyPasteWorkOnTheFieldEnteredLast) {
    ShowEditor();
    editor->Cimszo2.SetText(L"kivágandó");
    editor->Cimszo2.Focus();
    editor->Cimszo2.SelectAll();
    editor->ToolBar.Click(L"tbKivag");
    EXPECT_EQ(editor->Cimszo2.Text(), L"");
    editor->Megjegyzes.SetText(L"");
    SetFocus(editor->Megjegyzes.Handle());
    editor->ToolBar.Click(L"tbBeilleszt");
    EXPECT_EQ(editor->Megjegyzes.Text(), L"kivágandó");
    editor->Megjegyzes.Select(0, 3);
    editor->ToolBar.Click(L"tbMasol");
    editor->Cimszo1.Focus();
    editor->Cimszo1.SetText(L"");
    editor->ToolBar.Click(L"tbBeilleszt");
    EXPECT_EQ(editor->Cimszo1.Text(), L"kiv");
    editor->Hide();

    // Before any field was entered, the buttons do nothing.
    Tfrm_Reszlet fresh;
    fresh.Create(main->Handle());
    fresh.EnsureInsides();
    EXPECT_EQ(fresh.FEditTarget, 0);
    fresh.Megjegyzes.SetText(L"marad");
    fresh.Megjegyzes.Select(0, 5);
    fresh.tbKivagClick();
    EXPECT_EQ(fresh.Megjegyzes.Text(), L"marad");
}

// A day's life from the month grid

TEST_F(EditorTest, HungarianBoldNoteSurvivesSaveAndReopen) {
    const std::wstring text = L"Őszi szél fúj, ő és ű, Ű";
    OpenDay(10, [&] {
        EXPECT_EQ(editor->pCim.Caption(), L"   " + FormatLongDate(DayOf(10), main->Months()));
        EXPECT_EQ(editor->Cimszo1.Text(), L"");
        editor->Cimszo1.SetText(L"Őszi");
        editor->Cimszo2.SetText(L"Űrhajó");
        editor->Megjegyzes.SetText(text);
        editor->Megjegyzes.Select(0, 4);  // "Őszi"
        ClickButton(editor->tbarFormaz, L"tbFelkover");
        ClickSpeedButton(editor->sbMentBezar);
    });
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(editor->Visible());
    ASSERT_TRUE(Exists(NoteRelative(10)));
    EXPECT_EQ(ReadFile(NoteRelative(10)).substr(0, 5), "{\\rtf");
    const int line = Entries(*main).FindEntryLine(DateKey(DayOf(10)));
    ASSERT_GE(line, 0);
    EXPECT_EQ(Entries(*main).Lines[static_cast<size_t>(line)],
              MakeDayEntry(DayOf(10), L"Őszi", L"Űrhajó", 0, 0));
    EXPECT_NE(ReadFile(L"Data\\index.txt").find(ToUtf8(DateKey(DayOf(10)))), std::string::npos) << "index saved at once";
    EXPECT_EQ(CellOf(10).Txt1(), PadText(L"Őszi", 20));
    EXPECT_EQ(CellOf(10).Txt2(), PadText(L"Űrhajó", 20));
    EXPECT_TRUE(CellOf(10).VanFile());

    // Another day in between, so nothing is left over in the box.
    OpenDay(11, [&] {
        EXPECT_EQ(editor->Megjegyzes.Text(), L"");
        ClickSpeedButton(editor->sbBezar);
    });

    OpenDay(10, [&] {
        EXPECT_EQ(editor->Cimszo1.Text(), L"Őszi");
        EXPECT_EQ(editor->Cimszo2.Text(), L"Űrhajó");
        std::wstring shown = editor->Megjegyzes.Text();
        while (!shown.empty() && (shown.back() == L'\r' || shown.back() == L'\n')) shown.pop_back();
        EXPECT_EQ(shown, text);
        editor->Megjegyzes.Select(0, 4);
        EXPECT_TRUE(editor->Megjegyzes.SelectionFormat().dwEffects & CFE_BOLD);
        EXPECT_TRUE(editor->tbarFormaz.Checked(L"tbFelkover"));
        editor->Megjegyzes.Select(5, 9);
        EXPECT_FALSE(editor->Megjegyzes.SelectionFormat().dwEffects & CFE_BOLD);
        ClickSpeedButton(editor->sbBezar);
    });
    EXPECT_EQ(Entries(*main).FindEntryLine(DateKey(DayOf(10))), line) << "leaving a stored day keeps it";
}

// The search reads the notes the editor writes without a rich-edit control.
TEST_F(EditorTest, NotesTheEditorWritesReadBackAsPlainText) {
    OpenDay(12, [&] {
        editor->Megjegyzes.SetText(L"Gergő születésnapja\r€20 és ű\tvége\rtétel");
        editor->Megjegyzes.Select(0, 6);
        ClickButton(editor->tbarFormaz, L"tbFelkover");
        editor->Megjegyzes.Select(34, 39);  // "tétel"
        ClickButton(editor->tbarFormaz, L"tbFelsorolas");
        ClickSpeedButton(editor->sbMentBezar);
    });
    const std::string rtf = ReadFile(NoteRelative(12));
    std::wstring text = RtfToPlainText(rtf);
    while (!text.empty() && text.back() == L'\n') text.pop_back();
    EXPECT_EQ(text, L"Gergő születésnapja\n€20 és ű\tvége\ntétel") << rtf;
}

TEST_F(EditorTest, EmptyDayLeftEveryWayLeavesNoLine) {
    StoreDay(3, L"meglévő", L"", L"jegyzet");
    const std::vector<std::wstring> before = Entries(*main).Lines.ToVector();
    ASSERT_EQ(before.size(), 1u);

    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"sbBezar", [&] { ClickSpeedButton(editor->sbBezar); }},
        {"Escape", [&] { PressKey(editor->Cimszo1.Handle(), VK_ESCAPE); }},
        {"close box", [&] { PostMessageW(editor->Handle(), WM_CLOSE, 0, 0); }},
    };
    for (const auto& [name, leave] : ways) {
        SCOPED_TRACE(name);
        const int shownBefore = modalCount;
        OpenDay(12, [&] {
            EXPECT_EQ(Entries(*main).Lines.size(), before.size()) << "no placeholder line while editing";
            EXPECT_TRUE(editor->Megjegyzes.Text().empty());
            const CHARFORMAT2W cf = editor->Megjegyzes.SelectionFormat();
            EXPECT_EQ(FaceOfCharFormat(cf), L"MS Sans Serif");
            EXPECT_EQ(PointsOfCharFormat(cf), 8);
            EXPECT_EQ(cf.crTextColor, 0u);
            EXPECT_FALSE(cf.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE));
            leave();
        });
        EXPECT_EQ(modalCount, shownBefore + 1);
        EXPECT_FALSE(editor->Visible());
        EXPECT_EQ(Entries(*main).Lines, before);
        EXPECT_FALSE(Exists(NoteRelative(12)));
    }
}

TEST_F(EditorTest, TitlesAreCutToTwentyKeepingLeadingBlanks) {
    const std::wstring long1 = L"  Születésnapi meglepetés", long2 = L"Rövid";
    OpenDay(5, [&] {
        editor->Cimszo1.SetText(long1);
        editor->Cimszo2.SetText(long2);
        editor->Cimszo1.Focus();
        PostMessageW(editor->Cimszo1.Handle(), WM_SYSKEYDOWN, 'P', (1 << 29) | 1);
        Pump();
        ClickSpeedButton(editor->sbMentBezar);
    });
    const int line = Entries(*main).FindEntryLine(DateKey(DayOf(5)));
    ASSERT_GE(line, 0);
    const std::wstring stored = Entries(*main).Lines[static_cast<size_t>(line)];
    EXPECT_EQ(EntryTitle1(stored), long1.substr(0, 20));
    EXPECT_EQ(EntryTitle2(stored), PadText(long2, 20));
    EXPECT_EQ(EntryColour1(stored), 0x0000FF);
    EXPECT_EQ(CellOf(5).Txt1(), long1.substr(0, 20));
    EXPECT_EQ(CellOf(5).MSzin1(), 0x0000FFu);

    OpenDay(5, [&] {
        EXPECT_EQ(editor->Cimszo1.Text(), Trim(long1.substr(0, 20)));
        EXPECT_EQ(editor->Cimszo2.Text(), long2);
        EXPECT_EQ(editor->TitleColour(1), 0x0000FF);
        EXPECT_EQ(editor->TitleColour(2), 0);
        ClickSpeedButton(editor->sbBezar);
    });
}

TEST_F(EditorTest, FailedNoteSaveChangesNothingAndStaysOpen) {
    StoreDay(7, L"régi", L"cím", L"régi jegyzet");
    const std::vector<std::wstring> lines = Entries(*main).Lines.ToVector();
    const std::string oldNote = ReadFile(NoteRelative(7));
    const std::string oldIndex = ReadFile(L"Data\\index.txt");
    const std::wstring notePath = Dir() + L"\\" + NoteRelative(7);
    ASSERT_TRUE(SetFileAttributesW(notePath.c_str(), FILE_ATTRIBUTE_READONLY));

    OpenDay(7, [&] {
        editor->Cimszo1.SetText(L"új");
        editor->Megjegyzes.SetText(L"új jegyzet");
        ClickSpeedButton(editor->sbMentBezar);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], L"Cannot create file " + notePath);
        EXPECT_TRUE(editor->Visible());
        EXPECT_EQ(editor->GetModalResult(), mrNone);
        ClickSpeedButton(editor->sbBezar);
    });
    SetFileAttributesW(notePath.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Entries(*main).Lines, lines);
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), oldIndex);
    EXPECT_EQ(ReadFile(NoteRelative(7)), oldNote);
    EXPECT_EQ(CellOf(7).Txt1(), PadText(L"régi", 20));
}

TEST_F(EditorTest, MissingNoteOpensEmptyAndUnreadableNoteDoesNotOpen) {
    StoreDay(8, L"cím", L"", L"elveszett");
    const std::wstring notePath = Dir() + L"\\" + NoteRelative(8);
    ASSERT_TRUE(DeleteFileW(notePath.c_str()));
    OpenDay(8, [&] {
        EXPECT_EQ(editor->Cimszo1.Text(), L"cím");
        EXPECT_EQ(editor->Megjegyzes.Text(), L"");
        editor->Megjegyzes.SetText(L"újra");
        ClickSpeedButton(editor->sbMentBezar);
    });
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(Exists(NoteRelative(8))) << "saving writes the note again";

    const std::vector<std::wstring> lines = Entries(*main).Lines.ToVector();
    HANDLE lock = CreateFileW(notePath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const int shown = modalCount;
    main->n1Click(CellOf(8));
    CloseHandle(lock);
    EXPECT_EQ(modalCount, shown) << "the editor stays closed";
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"Cannot open file " + notePath);
    EXPECT_EQ(Entries(*main).Lines, lines);
}

// Files

TEST_F(EditorTest, WordHandOverWritesTheCopyAndALinkAndReloadsIt) {
    ShowEditor();
    editor->Megjegyzes.SetText(L"átadott szöveg");
    editor->ToolBar.Click(L"tbOpenWord");
    EXPECT_TRUE(errors.empty());
    ASSERT_TRUE(Exists(L"doctmp.rtf"));
    EXPECT_EQ(ReadFile(L"doctmp.rtf"), editor->Megjegyzes.SaveRtf());
    const std::string link = ReadFile(L"tmp.lnk");
    ASSERT_GE(link.size(), 4u);
    EXPECT_EQ(link.substr(0, 4), std::string("\x4C\0\0\0", 4)) << "a shell link";
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], Dir() + L"\\tmp.lnk");
    EXPECT_TRUE(editor->ToolBar.Enabled(L"tbVisszatolt"));

    // The word processor changed the copy.
    WriteFile(L"doctmp.rtf", "{\\rtf1\\ansi\\ansicpg1250 Word-b\\'f5l vissza\\par}");
    editor->ToolBar.Click(L"tbVisszatolt");
    EXPECT_FALSE(editor->ToolBar.Enabled(L"tbVisszatolt"));
    EXPECT_EQ(editor->Megjegyzes.Text().substr(0, 15), L"Word-ből vissza");

    // A copy that has gone: the error, and the note keeps what it had.
    DeleteFileW((Dir() + L"\\doctmp.rtf").c_str());
    editor->ToolBar.SetEnabled(L"tbVisszatolt", true);
    editor->ToolBar.Click(L"tbVisszatolt");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"Cannot open file " + Dir() + L"\\doctmp.rtf");
    EXPECT_EQ(editor->Megjegyzes.Text().substr(0, 15), L"Word-ből vissza");
    editor->Hide();
}

TEST_F(EditorTest, OpenAndSaveDialogsRememberAndReadBothKinds) {
    ShowEditor();
    WriteFile(L"level1250.txt", std::string("T\xFBz \xF5r", 6));  // "Tűz őr" in Windows-1250
    WriteFile(L"formazott.rtf", kFormattedNote);

    std::vector<std::wstring> offered;
    std::wstring answer;
    CurrentEditorDialogs().Open = [&](OPENFILENAMEW& ofn) {
        EXPECT_STREQ(ofn.lpstrTitle, L"File megnyitása");
        EXPECT_EQ(std::wstring(ofn.lpstrFilter, 52),
                  std::wstring(L"Rich text file-ok (*.rtf)\0*.rtf\0Text file-ok\0*.txt\0\0", 52));
        EXPECT_STREQ(ofn.lpstrDefExt, L"rtf");
        EXPECT_TRUE(ofn.Flags & OFN_HIDEREADONLY);
        EXPECT_TRUE(ofn.Flags & OFN_ENABLESIZING);
        offered.emplace_back(ofn.lpstrFile);
        lstrcpynW(ofn.lpstrFile, answer.c_str(), static_cast<int>(ofn.nMaxFile));
        return true;
    };
    answer = Dir() + L"\\formazott.rtf";
    editor->ToolBar.Click(L"tbMegnyit");
    const std::wstring text = editor->Megjegyzes.Text();
    ASSERT_NE(text.find(L"centre"), std::wstring::npos);
    editor->Megjegyzes.Select(static_cast<int>(text.find(L"bold")), static_cast<int>(text.find(L"bold")) + 4);
    EXPECT_TRUE(editor->Megjegyzes.SelectionFormat().dwEffects & CFE_BOLD) << "RTF keeps its formatting";

    // Plain text is Hungarian whatever the system's code page: UTF-8 when it is valid
    // UTF-8 (with or without its mark), else Windows-1250.
    WriteFile(L"levelutf8jel.txt", "\xEF\xBB\xBFT\xC5\xB1z \xC5\x91r");
    WriteFile(L"levelutf8.txt", "T\xC5\xB1z \xC5\x91r");
    for (const wchar_t* file : {L"levelutf8.txt", L"levelutf8jel.txt", L"level1250.txt"}) {
        answer = Dir() + L"\\" + file;
        editor->ToolBar.Click(L"tbMegnyit");
        EXPECT_EQ(editor->Megjegyzes.Text().substr(0, 6), L"Tűz őr") << ToUtf8(file);
    }
    ASSERT_EQ(offered.size(), 4u);
    EXPECT_EQ(offered[0], L"");
    EXPECT_EQ(offered[1], Dir() + L"\\formazott.rtf") << "the last name is remembered";

    answer = Dir() + L"\\nincs.rtf";
    editor->ToolBar.Click(L"tbMegnyit");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"Cannot open file " + Dir() + L"\\nincs.rtf");
    EXPECT_EQ(editor->Megjegyzes.Text().substr(0, 6), L"Tűz őr") << "a failed open keeps the note";

    std::vector<std::wstring> saveOffered;
    CurrentEditorDialogs().Save = [&](OPENFILENAMEW& ofn) {
        EXPECT_STREQ(ofn.lpstrTitle, L"File mentése másként");
        EXPECT_EQ(std::wstring(ofn.lpstrFilter, 33), std::wstring(L"Rich Text file-ok (*.rtf)\0*.rtf\0\0", 33));
        EXPECT_STREQ(ofn.lpstrDefExt, L"rtf");
        EXPECT_STREQ(ofn.lpstrInitialDir, L"c:\\Dokumentumok");
        EXPECT_TRUE(ofn.Flags & OFN_NOCHANGEDIR);
        EXPECT_TRUE(ofn.Flags & OFN_OVERWRITEPROMPT);
        saveOffered.emplace_back(ofn.lpstrFile);
        lstrcpynW(ofn.lpstrFile, (Dir() + L"\\mentett.rtf").c_str(), static_cast<int>(ofn.nMaxFile));
        return true;
    };
    editor->ToolBar.Click(L"tbMent");
    editor->ToolBar.Click(L"tbMent");
    ASSERT_EQ(saveOffered.size(), 2u);
    EXPECT_EQ(saveOffered[1], Dir() + L"\\mentett.rtf");
    EXPECT_EQ(ReadFile(L"mentett.rtf"), editor->Megjegyzes.SaveRtf());
    EXPECT_EQ(ReadFile(L"mentett.rtf").substr(0, 5), "{\\rtf") << "always RTF, even for a text file";

    // Cancelled dialogs change nothing.
    CurrentEditorDialogs().Open = [](OPENFILENAMEW&) { return false; };
    editor->ToolBar.Click(L"tbMegnyit");
    EXPECT_EQ(editor->Megjegyzes.Text().substr(0, 6), L"Tűz őr");

    editor->ToolBar.Click(L"tbUres");
    EXPECT_EQ(editor->Megjegyzes.Text(), L"");
    editor->Hide();
}

TEST_F(EditorTest, PrintingAsksForA4PortraitCancelPrintsNothingAndAFailedJobIsReported) {
    ShowEditor();
    int asked = 0;
    CurrentEditorDialogs().Print = [&](PRINTDLGW& pd) {
        ++asked;
        EXPECT_TRUE(pd.Flags & PD_RETURNDC);
        ExpectPrinterSettings(pd.hDevMode, DMPAPER_A4, DMORIENT_PORTRAIT);
        return false;
    };
    editor->ToolBar.Click(L"tbNyomtat");
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(errors.empty());

    // A device that refuses the job (a memory DC has no printer behind it).
    CurrentEditorDialogs().Print = [&](PRINTDLGW& pd) {
        pd.hDC = CreateCompatibleDC(nullptr);
        return true;
    };
    editor->ToolBar.Click(L"tbNyomtat");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"Cannot print Tivorn program");
    EXPECT_TRUE(editor->Visible());
    editor->Hide();
}

}  // namespace

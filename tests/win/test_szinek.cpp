// The colour window under Wine: swatches and the colour dialog, schemes, defaults,
// and that only OK stores anything while every other way out undoes the changes.
#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/main.h"
#include "appearance/szinek.h"
#include "harness.h"
#include "lists/NevnapKeres.h"
#include "ui/controls.h"

namespace {

const wchar_t* const kDefaultTexts[] = {L"$8080FF", L"$C0C0C0", L"$E9E9E9", L"$A8A8A8", L"$808080",
                                        L"$C0C0C0", L"$0",      L"$0",      L"$0",      L"$0"};

class SzinekTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
    }
    void TearDown() override {
        szinek.reset();
        search.reset();
        main.reset();
        WinTest::TearDown();
    }

    // The main window with the name-day search and the colour window, the latter shown.
    void Start() {
        main = OpenMainWindow();
        search = std::make_unique<Tfrm_NevnapKeres>();
        main->Others.nevnapKeres = search.get();
        searchFollowsScheme = FollowScheme(main->SchemeChanges(), *search);
        search->Create(main->Handle());
        szinek = std::make_unique<Tfrm_szinek>();
        main->Others.szinek = szinek.get();
        szinek->Create(main->Handle());
        main->ApplyColours();
        szinek->ChooseColour = [this](CHOOSECOLORW& cd) {
            dialogStart.push_back(cd.rgbResult);
            if (dialogAnswer == CLR_INVALID) return false;
            cd.rgbResult = dialogAnswer;
            return true;
        };
        main->ToolBar1.Click(L"tbSzinek");
    }
    void ChooseScheme(int index) {
        szinek->cbSzinsema.SetSelectedIndex(index);
        SendMessageW(szinek->Handle(), WM_COMMAND, MAKEWPARAM(szinek->cbSzinsema.Id(), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(szinek->cbSzinsema.Handle()));
    }
    static void Press(const Button& button) { button.Click(); }
    void ClickSwatch(int slot) { ClickSpeedButton(*szinek->SpeedButtons[static_cast<size_t>(slot - 1)]); }
    static std::wstring Stored(int slot) { return ReadKetraboValue(L"Szin" + std::to_wstring(slot)); }
    // The colours of every window that shows the scheme.
    std::vector<COLORREF> PanelColours() const {
        return {main->Panel.Color(), main->pFejlec.Color(), main->Cells[10]->ColorOff, main->Headers[0]->Color(),
                search->p.Color(),   search->Panel1.Color(), search->Panel2.Color(),   search->pCim.Color()};
    }

    std::unique_ptr<Tfrm_Main> main;
    std::unique_ptr<Tfrm_NevnapKeres> search;
    std::unique_ptr<Tfrm_szinek> szinek;
    SchemeNotice::Following searchFollowsScheme;
    COLORREF dialogAnswer = CLR_INVALID;  // the dialog is cancelled
    std::vector<COLORREF> dialogStart;
};

// Windows' answers while a black high-contrast theme is on. Wine 8 keeps high contrast
// off (SPI_SETHIGHCONTRAST fails with error 1439), so the test gives the program the
// answers Windows would: its imports of SystemParametersInfoW and GetSysColor are
// pointed here, and everything else goes on to Wine.
class HighContrastAnswers {
public:
    static constexpr COLORREF kWindow = 0x000000, kText = 0xFFFFFF, kHighlight = 0xFFEB1A, kGray = 0x3FF23F;
    HighContrastAnswers() { self_ = this; }
    ~HighContrastAnswers() { self_ = nullptr; }
    bool Installed() const { return parameters_.Installed() && colours_.Installed(); }
    bool on = false;

private:
    static BOOL WINAPI Parameters(UINT action, UINT value, void* data, UINT flags) {
        if (action == SPI_GETHIGHCONTRAST && data) {
            auto& hc = *static_cast<HIGHCONTRASTW*>(data);
            hc.dwFlags = HCF_AVAILABLE | (self_->on ? HCF_HIGHCONTRASTON : 0);
            hc.lpszDefaultScheme = nullptr;
            return TRUE;
        }
        return reinterpret_cast<decltype(&SystemParametersInfoW)>(self_->parameters_.Original())(action, value, data, flags);
    }
    static DWORD WINAPI Colour(int index) {
        if (self_->on) {
            switch (index) {
                case COLOR_WINDOW: case COLOR_BTNFACE: case COLOR_HIGHLIGHTTEXT: return kWindow;
                case COLOR_WINDOWTEXT: case COLOR_BTNTEXT: return kText;
                case COLOR_HIGHLIGHT: return kHighlight;
                case COLOR_GRAYTEXT: return kGray;
            }
        }
        return reinterpret_cast<decltype(&GetSysColor)>(self_->colours_.Original())(index);
    }
    static inline HighContrastAnswers* self_ = nullptr;
    ImportOverride parameters_{"user32.dll", "SystemParametersInfoW", reinterpret_cast<void*>(&Parameters)};
    ImportOverride colours_{"user32.dll", "GetSysColor", reinterpret_cast<void*>(&Colour)};
};

}  // namespace

TEST_F(SzinekTest, HighContrastDrawsTheMonthInTheSystemColoursWhileItIsOn) {
    HighContrastAnswers windows;
    ASSERT_TRUE(windows.Installed());
    main = OpenMainWindow();
    const RECT cell = main->Cells[10]->Bounds();
    const int cellArea = (cell.right - cell.left) * (cell.bottom - cell.top);
    auto pixels = [&](HWND window, COLORREF colour, const RECT& box) {
        RedrawWindow(main->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        return Count(*OnScreen(window), colour, box);
    };
    auto switchTo = [&](bool on) {
        windows.on = on;
        SendMessageW(main->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    };
    const RECT strip = main->pFejlec.ClientRect();
    const int stripArea = strip.right * strip.bottom;
    const COLORREF schemeStrip = main->pFejlec.Color();
    EXPECT_GT(pixels(main->Panel.Handle(), 0xC0C0C0, cell), cellArea / 2) << "the scheme's cell";

    switchTo(true);
    EXPECT_GT(pixels(main->Panel.Handle(), HighContrastAnswers::kWindow, cell), cellArea / 2);
    EXPECT_GT(pixels(main->Panel.Handle(), HighContrastAnswers::kText, cell), 10) << "the day number";
    EXPECT_GT(pixels(main->pFejlec.Handle(), HighContrastAnswers::kWindow, strip), stripArea / 2) << "the title strip";
    EXPECT_GT(pixels(main->pFejlec.Handle(), HighContrastAnswers::kText, strip), 10) << "the month and the pictures' frames";
    if (const char* hold = std::getenv("TIVORN_TEST_HOLD_MS"))  // for a look at the screen
        for (const DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(hold)); GetTickCount() < end; Sleep(50)) Pump();

    switchTo(false);
    EXPECT_GT(pixels(main->Panel.Handle(), 0xC0C0C0, cell), cellArea / 2) << "back to the scheme";
    EXPECT_GT(pixels(main->pFejlec.Handle(), schemeStrip, strip), stripArea / 2);
}

TEST_F(SzinekTest, ASwatchChangesOnlyItsSlotAndOkStoresIt) {
    Start();
    EXPECT_TRUE(szinek->Visible());
    EXPECT_EQ(modalCount, 0) << "not modal";
    EXPECT_EQ(WindowText(szinek->Handle()), L"Színek beállítása");
    EXPECT_EQ(szinek->cbSzinsema.Count(), 9) << "the eight first schemes and Éjszaka";
    EXPECT_EQ(szinek->cbSzinsema.SelectedIndex(), CB_ERR);
    const auto panels = PanelColours();
    ClickSwatch(7);
    EXPECT_EQ(main->Szin[7], 0) << "a cancelled dialog changes nothing";
    dialogAnswer = 0x123456;
    ClickSwatch(7);
    EXPECT_EQ(main->Szin[7], 0x123456);
    EXPECT_EQ(szinek->SwatchColour(7), 0x123456u);
    EXPECT_EQ(szinek->SwatchColour(6), 0xC0C0C0u);
    EXPECT_EQ(PanelColours(), panels) << "slot 7 colours no panel";
    EXPECT_EQ(Stored(7), L"$0") << "nothing stored before OK";
    dialogAnswer = 0x00FF00;
    ClickSwatch(1);
    EXPECT_EQ(search->p.Color(), 0x00FF00u) << "a change shows at once";
    EXPECT_EQ(dialogStart, (std::vector<COLORREF>{0, 0, 0x123456})) << "the dialog starts where it was left";

    Press(szinek->BitBtn1);
    EXPECT_FALSE(szinek->Visible());
    EXPECT_EQ(Stored(7), L"$123456");
    EXPECT_EQ(Stored(1), L"$FF00");
    EXPECT_EQ(main->Panel.Color(), 0x00FF00u);
}

TEST_F(SzinekTest, EveryWayOutButOkPutsTheColoursBack) {
    Start();
    const auto panels = PanelColours();
    int round = 0;
    for (auto leave : {std::function<void()>([&] { Press(szinek->BitBtn2); }),
                       std::function<void()>([&] { SendMessageW(szinek->Handle(), WM_CLOSE, 0, 0); }),
                       std::function<void()>([&] {
                           PressKey(szinek->cbSzinsema.Handle(), VK_ESCAPE);
                           Pump();
                       })}) {
        SCOPED_TRACE(round++);
        if (!szinek->Visible()) main->ToolBar1.Click(L"tbSzinek");
        ChooseScheme(1);  // Tavasz
        EXPECT_EQ(main->Panel.Color(), 0x80C080u);
        EXPECT_EQ(search->Panel1.Color(), 0xC0E0C0u);
        leave();
        EXPECT_FALSE(szinek->Visible());
        EXPECT_EQ(main->Szin, Tfrm_Main::DefaultSzin);
        EXPECT_EQ(PanelColours(), panels);
        for (int n = 1; n <= 10; ++n) EXPECT_EQ(Stored(n), kDefaultTexts[n - 1]) << n;
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(SzinekTest, DefaultsShowAtOnceAndAreStoredOnlyByOk) {
    WriteKetraboValue(L"Szin1", L"$FF");
    Start();
    EXPECT_EQ(szinek->SwatchColour(1), 0xFFu);
    Press(szinek->BitBtn3);
    EXPECT_EQ(szinek->SwatchColour(1), 0x8080FFu);
    EXPECT_EQ(main->Panel.Color(), 0x8080FFu);
    EXPECT_EQ(Stored(1), L"$FF");
    Press(szinek->BitBtn1);
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(Stored(n), kDefaultTexts[n - 1]) << n;
}

TEST_F(SzinekTest, ADamagedSchemeLineIsReportedAndChangesNothing) {
    // A full 113-character line, the same ending before column 105, one with a bad first field.
    const std::string full = "Teljes          $80C080   $D8F0D8   $F0FFF0   $A0D0A0   $508050   $C0E0C0        $0"
                             "        $0        $0       $FF";
    std::string badFirst = full;
    badFirst.replace(14, 9, "    pi$ro");
    WriteFile(L"Színek.txt", full + "\r\n" + full.substr(0, 103) + "\r\n" + badFirst + "\r\n");
    Start();
    ChooseScheme(0);
    EXPECT_EQ(main->Szin[10], 0xFF) << "the last field is read to the line's end";
    EXPECT_EQ(szinek->SwatchColour(10), 0xFFu);
    const SchemeColours chosen = main->Szin;
    ChooseScheme(1);
    ChooseScheme(2);
    EXPECT_EQ(errors, (std::vector<std::wstring>{L"'' is not a valid integer value",
                                                 L"'pi$ro' is not a valid integer value"}));
    EXPECT_EQ(main->Szin, chosen);
    EXPECT_EQ(szinek->SwatchColour(1), 0x80C080u);

    // The list draws each scheme in its first colour; a line without one in black.
    for (UINT item : {0u, 2u}) {
        MemoryCanvas canvas(nullptr, 133, 16);
        DRAWITEMSTRUCT draw{ODT_COMBOBOX, 0, item, ODA_DRAWENTIRE, 0, nullptr, canvas.Dc(), RECT{0, 0, 133, 16}, 0};
        szinek->cbSzinsemaDrawItem(draw);
        EXPECT_EQ(canvas.Pixel(7, 8), item == 0 ? 0x80C080u : 0u) << item;
        EXPECT_EQ(canvas.Pixel(17, 8), GetSysColor(COLOR_WINDOW));
    }
}

TEST_F(SzinekTest, WithoutTheSchemeFileTheWindowStillWorks) {
    ASSERT_TRUE(DeleteFileW((Dir() + L"\\Színek.txt").c_str()));
    Start();
    EXPECT_EQ(errors, std::vector<std::wstring>{L"Cannot open file " + Dir() + L"\\Színek.txt"});
    EXPECT_EQ(szinek->cbSzinsema.Count(), 0);
    dialogAnswer = 0xABCDEF;
    ClickSwatch(2);
    EXPECT_EQ(main->Cells[10]->ColorOff, 0xABCDEFu);
}

// Windows' app setting, as its settings page writes it (0: dark, 1: light).
static void SetAppsLight(DWORD light) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                    L"AppsUseLightTheme", REG_DWORD, &light, sizeof light);
}

// The option shows the night scheme while Windows' apps are dark, the chosen one while
// they are light, follows a change of the setting, and is stored by OK alone.
TEST_F(SzinekTest, FollowingWindowsShowsTheNightSchemeWhileItsAppsAreDark) {
    SetAppsLight(0);
    Start();
    const COLORREF night = static_cast<COLORREF>(kNightScheme[2]);
    EXPECT_FALSE(szinek->cbWindowsTema.Checked());
    EXPECT_EQ(main->Cells[10]->ColorOff, 0xC0C0C0u);
    Press(szinek->cbWindowsTema);
    EXPECT_EQ(main->Cells[10]->ColorOff, night);
    EXPECT_EQ(main->Cells[10]->Face(), main->Drawn().face);
    EXPECT_TRUE(main->Drawn().dark);
    EXPECT_EQ(search->Panel1.Color(), static_cast<COLORREF>(kNightScheme[6])) << "the other windows follow";
    EXPECT_EQ(main->Szin, Tfrm_Main::DefaultSzin) << "the chosen scheme stays";
    Press(szinek->BitBtn2);
    EXPECT_FALSE(main->FollowWindowsTheme);
    EXPECT_EQ(main->Cells[10]->ColorOff, 0xC0C0C0u);
    EXPECT_EQ(Stored(1), L"$8080FF");

    main->ToolBar1.Click(L"tbSzinek");
    Press(szinek->cbWindowsTema);
    Press(szinek->BitBtn1);
    EXPECT_EQ(ReadKetraboValue(L"WindowsTema"), L"1");
    SetAppsLight(1);
    SendMessageW(main->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_EQ(main->Cells[10]->ColorOff, 0xC0C0C0u);
    EXPECT_EQ(main->Cells[10]->Face(), kDesignedFace);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                       L"AppsUseLightTheme");
}

TEST_F(SzinekTest, TheControlsSitAsDesigned) {
    Start();
    ExpectControlsWhereTheTableSays(*szinek, Tfrm_szinek::Controls());
    const auto rows = Tfrm_szinek::Controls();
    // Two columns of five frames, rows 40 apart; each swatch at the left of its frame.
    for (int n = 1; n <= Tfrm_szinek::kSlots; ++n) {
        SCOPED_TRACE(n);
        const auto& bevel = RowOf(rows, L"Bevel" + std::to_wstring(n));
        EXPECT_EQ(BoundsOf(bevel),
                  (std::array{n <= 5 ? 8 : 246, 8 + 40 * ((n - 1) % 5), 233, 37}));
        const auto& swatch = RowOf(rows, L"Panel" + std::to_wstring(n));
        EXPECT_EQ((std::array{swatch.w, swatch.h}), (std::array{73, 29}));
        EXPECT_EQ(GetParent(szinek->Panels[static_cast<size_t>(n - 1)]->Handle()),
                  szinek->Bevels[static_cast<size_t>(n - 1)]->Handle());
    }
    EXPECT_STREQ(RowOf(rows, L"Label1").text, L"Háttérszín");
    EXPECT_STREQ(RowOf(rows, L"Label6").text, L"További panelek színei");
    EXPECT_STREQ(RowOf(rows, L"Label11").text, L"Színsémák");
    EXPECT_EQ(RowOf(rows, L"cbSzinsema").w, 133);
    EXPECT_EQ(szinek->BitBtn1.Text(), L"OK");
    EXPECT_EQ(szinek->BitBtn2.Text(), L"Mégsem");
    EXPECT_EQ(szinek->BitBtn3.Text(), L"Alapérték");
    EXPECT_EQ(GetWindowLongW(szinek->BitBtn1.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(szinek->BitBtn1.Id(), IDOK);
    EXPECT_EQ(szinek->BitBtn2.Id(), IDCANCEL);
    // The tab order: Alapérték, the scheme list, OK, Mégsem.
    EXPECT_EQ(GetNextDlgTabItem(szinek->Handle(), szinek->BitBtn3.Handle(), FALSE), szinek->cbSzinsema.Handle());
    EXPECT_EQ(GetNextDlgTabItem(szinek->Handle(), szinek->cbSzinsema.Handle(), FALSE), szinek->BitBtn1.Handle());
    EXPECT_EQ(GetNextDlgTabItem(szinek->Handle(), szinek->BitBtn1.Handle(), FALSE), szinek->BitBtn2.Handle());
    EXPECT_EQ(GetNextDlgTabItem(szinek->Handle(), szinek->BitBtn2.Handle(), FALSE), szinek->cbWindowsTema.Handle());
}

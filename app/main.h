// The main window: the shown month, the colour scheme, the month grid, the tool bar,
// the status bar with hint and clock, and the save points. The data is the diary's
// (store/diary.h), which the window receives at its making.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/month_model.h"
#include "app/other_windows.h"
#include "app/tovabbiak.h"
#include "app/work_days.h"
#include "appearance/JPanel.h"
#include "appearance/day_grid.h"
#include "appearance/draw_colours.h"
#include "appearance/szinek.h"
#include "lists/Exportalas.h"
#include "lists/HaviNaptar.h"
#include "platform/eljaras.h"
#include "platform/eljaras_win.h"
#include "platform/TrayIcon.h"
#include "store/diary.h"
#include "store/zip_archive.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/panel.h"
#include "ui/popup_menu.h"
#include "ui/scheme_colours.h"
#include "ui/speed_button.h"
#include "ui/timer.h"
#include "ui/button_bar.h"

class HttpTransport;
class SyncService;
class Tfrm_Emlekeztetok;
class Tfrm_Kereses;
class Tfrm_Mentesek;

class Tfrm_Main : public Form {
public:
    explicit Tfrm_Main(Diary& diary);
    ~Tfrm_Main() override;

    static constexpr const wchar_t* kRegistryKey = kProgramRegistryKey;
    static constexpr const wchar_t* kFollowWindowsValue = L"WindowsTema";  // "1": follow Windows' light/dark
    static constexpr const wchar_t* kMakerAddress = L"www.ketrabo.example";
    static constexpr SchemeColours DefaultSzin = kDesignedScheme;

    // The diary this window shows and changes.
    Diary& TheDiary() const { return diary_; }
    const std::wstring ProgramDir;  // the diary's program folder
    MonthNames Months() const { return diary_.Months(); }

    // What the window shows
    Date CurrentDate{};
    int ShownYear = 0, ShownMonth = 0, ShownDay = 0;
    int FirstCell = 1;
    int HoverDay = 0;
    SchemeColours Szin{};
    // The night scheme while Windows' apps are dark, else Szin (stored as "WindowsTema").
    bool FollowWindowsTheme = false;
    // What the month view is drawn in now: the scheme in force, or high contrast's colours.
    const DrawColours& Drawn() const { return drawn_; }
    bool FirstTickDone = false;
    // Command-line parameters after the program name.
    std::vector<std::wstring> Parameters;

    // Operations other windows use
    void ShowMonth(const Date& date);
    void FillMonthCells();
    void ApplyColours();
    void SaveColours();
    void SaveIndex();  // the save points' common step: Diary::Save
    std::wstring MonthCaption() const;

    // Controls
    // The title strip's and the status bar's controls, in tab order (main_controls.cpp);
    // the grid area below the strip is laid out by the grid's own arithmetic.
    static std::span<const ControlRow<Tfrm_Main>> Controls();
    static std::span<const ToolButtonRow<Tfrm_Main>> ToolButtons();
    BevelPanel pFejlec{L"pFejlec"};
    ButtonBar ToolBar1;  // drawn on pFejlec
    SpeedButton tbVissza{L"tbVissza"};
    SpeedButton tbElore{L"tbElore"};
    BevelPanel Panel2{L"Panel2"};
    DrawnPanel pHint{L"pHint"};  // drawn on Panel2's face
    DrawnPanel pIdo{L"pIdo"};
    DayGrid Panel{L"Panel"};  // the grid area; it holds the day cells
    std::array<std::unique_ptr<DrawnPanel>, 7> Headers;  // p1..p7
    std::array<std::unique_ptr<TJPanel>, 42> Cells;        // n1..n42
    ImageList ImageListMain;
    Timer timer;
    PopupMenu pm;
    PopupMenu pmTovabbiak;         // the "Továbbiak" button's menu (tovabbiak.cpp)
    AcceleratorTable Shortcuts;    // its items' keyboard shortcuts

    // Handlers
    void TimerTimer();
    void ShowApplicationHint(const std::wstring& hint);
    void LoadSettings();
    void tbListaClick();
    void tbListaNyomtatClick();
    void tbListaMentClick();
    void tbJegyzettombClick();
    void tbNevnapKeresClick();
    void tbSzinekClick();
    void tbHlpClick();
    void tbAboutClick();
    void tbLevelClick();
    void tbHonlapClick();
    void tbTrayClick();
    void tbKilepClick();
    void tbTovabbiakClick();
    // The "Továbbiak" menu's features (made at their first use)
    void mniKeresesClick();
    void mniMentesekClick();
    std::unique_ptr<Tfrm_Kereses> Kereses;
    Tfrm_Kereses& SearchWindow();  // made at its first use
    // The windows this one opens (wWinMain's, or a test's).
    OtherWindows Others;
    // Told whenever the scheme is shown (ApplyColours); the other windows follow it.
    SchemeNotice& SchemeChanges() { return schemeChanges_; }
    std::unique_ptr<Tfrm_Mentesek> Mentesek;
    // The Hungarian working calendar (main_workdays.cpp)
    WorkDaysOption WorkDays;
    void mniMunkaszunetClick();      // the option's window
    void mniHosszuHetvegekClick();   // the shown year's long weekends
    const WorkCalendar* ActiveWorkCalendar();  // null while the option is off
    void tbEloreClick();
    void tbVisszaClick();
    void n1Click(TJPanel& cell);
    // Opens the day in the entry editor and stores what it gives back (main_editor.cpp).
    void EditDay(const Date& day);
    // Shows the day's month and opens the day as a click on its cell does (search results).
    void OpenDayFromSearch(const Date& day);
    void n1MouseMove(TJPanel& cell);
    void CellKeyNavigate(TJPanel& cell, UINT key);
    void mniBejegyzTorolClick();
    void PanelResize(int w, int h);
    // Close: save the index and the position. False when saving failed (the window stays).
    bool FormClose();
    // Asked after a failed save at closing; "Mégsem" (the default) keeps the program open.
    static constexpr const wchar_t* kCloseWithoutSavingQuestion =
        L"A bejegyzések mentése nem sikerült. Kilépjek mentés nélkül? A nem mentett változások elvesznek.";

    // The month calendar print and the calendar files (main_calendar.cpp)
    TqrNaptar qrNaptar;
    void mniHaviNaptarClick();  // the shown month as an A4 landscape page, through the preview
    void mniIcalExportClick();   // the shown month's, year's or the whole diary's entries
    void mniNevnapIcalClick();   // the name days as yearly series
    void mniIcalImportClick();   // a calendar file's events as days, after a preview

    // Reminders (main_reminders.cpp)
    std::unique_ptr<Tfrm_Emlekeztetok> Emlekeztetok;
    Tfrm_Emlekeztetok& RemindersWindow();  // made at the first due item
    // The clock's check: what came due goes into the reminders' window, and a balloon
    // over the notification-area icon tells of it unless the reminders are muted.
    void CheckReminders();
    bool RemindersMuted = false;  // the tray menu's "Emlékeztetők némítása"
    void mniNemitasClick();
    void mniEmlekeztetoClick();   // the day's reminders (the cells' popup menu)
    void mniEmlekeztetokClick();  // every coming reminder ("Továbbiak")
    void mniIsmerosokClick();     // the people whose name days are remembered
    static constexpr const wchar_t* kMutedValue = L"EmlekeztetokNemitva";

    // The calendar server sync (main_sync.cpp)
    std::unique_ptr<SyncService> Sync;  // made at the first clock tick when the account is on
    void mniSzinkronizalasClick();      // the account window
    void mniSzinkronMostClick();        // a run now
    void mniSzinkronKerdesekClick();    // the questions the sync left for the user
    void StartSync();                   // the account read; a first run when it is on
    void SyncStatusChanged();           // the worker posted a change of its status
    static UINT SyncStatusMessage();
    // The HTTP transport of a user and password (the system's WinHTTP; tests may give another).
    std::function<std::unique_ptr<HttpTransport>(const std::wstring& user, const std::string& password)> MakeTransport;

    // Notification-area mode (main_tray.cpp)
    void FirstTick();    // the "/tray" start hides the window at the first clock tick
    void ClosingTray();  // the window is about to be destroyed
    void BringBack();    // a second copy of the program asked this one to come to the front
    // Registered message a second copy sends to the running one.
    static UINT ActivateMessage();

    // Notification-area mode
    TTrayIcon trIcon;  // inactive while the window is shown
    PopupMenu pmTray;  // the icon's right-click menu
    void CreateTrayParts();  // end of FormCreate: icon, menu, the "/tray" start
    void trIconDblClick();   // back from the notification area
    void trIconRightClick(int x, int y);
    bool StartsInTray() const;  // the first parameter is "/tray"

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormCloseQuery() override;
    bool FormKeyPress(wchar_t key) override;
    void OnSize(int w, int h) override;
    void OnTimer(UINT_PTR id) override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateToolBar();
    void CreateTovabbiak();
    void CreateGrid();
    void MakeProgramLinks();
    void MakeOneTimeLinks();
    // A whole number in the key; none when missing, damaged or of the wrong type.
    std::optional<int32_t> ReadIntegerValue(const RegistryValues& values, const std::wstring& name);
    int ReadPositionValue(const RegistryValues& values, const wchar_t* name);
    bool OneTimeLinksDue(const RegistryValues& values);
    void SavePosition();
    bool hiddenSaveDone_ = false;
    ExportScope lastExportScope_ = ExportScope::Month;
    SchemeNotice schemeChanges_;
    DrawColours drawn_;
    bool darkFrames_ = false;  // the frames asked for last
    SchemeNotice::Following searchFollowsScheme_;
    SchemeNotice::Following remindersFollowScheme_;
    Diary& diary_;
    Diary::Subscription changes_;  // the month follows the diary's changes
    void DiaryChanged(const DiaryChange& change);
    std::wstring syncText_;        // the status bar's idle text while the sync is on
    unsigned syncErrorsTold_ = 0;  // the sync's errors are told once each
    static UINT DiaryChangedMessage();  // a change made on another thread
    void StartSnapshotInSlices();
    void SnapshotSlice();
    // The search's cache file brought up to date while the window waits after start,
    // when the first search would otherwise read many notes; let go when written.
    std::unique_ptr<DiarySearch> searchReadAhead_;
    void StartSearchReading();
    void SearchReadingSlice();
    bool SnapshotSliceDone();
};

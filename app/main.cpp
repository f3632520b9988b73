#include "app/main.h"

#include <chrono>
#include "ui/dpi.h"

#include "editors/Reszlet.h"
#include "editors/jegyzettomb.h"
#include "app/Emlekeztetok.h"
#include "app/Mentesek.h"
#include "app/sync_service.h"
#include "lists/Kereses.h"
#include "lists/Lista.h"
#include "lists/NevnapKeres.h"
#include "platform/About.h"
#include "platform/eljaras_win.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/kerdes.h"
#include "platform/uzenet.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/system_look.h"

#include <optional>


namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT_PTR kSnapshotTimer = 2;  // the day's snapshot, a slice at a time
constexpr UINT_PTR kSearchTimer = 3;    // the notes' texts for the search, a slice at a time
constexpr int kTitleBarHeight = 33;
constexpr int kStatusHeight = 25;

FormOptions MainOptions() {
    FormOptions o;
    o.className = L"TivornMainWindow";
    o.border = BorderStyle::Sizeable;
    // Client area of the designed 794 x 578 window: the grid area is then 786 x 493.
    o.clientWidth = 786;
    o.clientHeight = kTitleBarHeight + 493 + kStatusHeight;
    o.centred = false;
    o.left = 6;
    o.top = 7;
    o.font = FontSpec{L"MS Sans Serif", 0, 11};
    return o;
}

}  // namespace

Tfrm_Main::Tfrm_Main(Diary& diary) : Form(MainOptions()), ProgramDir(diary.ProgramDir()), diary_(diary) {
    Szin = DefaultSzin;
}

Tfrm_Main::~Tfrm_Main() = default;

void Tfrm_Main::FormCreate() {
    auto& app = Application::Get();
    app.OnHint = [this](const std::wstring& hint) { ShowApplicationHint(hint); };
    app.HintColour = 0xB5DAFF;
    // A change may come from another thread: the month is refilled on the window's own.
    changes_ = diary_.Subscribe([this, hwnd = Handle()](const DiaryChange& change) {
        if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId())
            DiaryChanged(change);
        else
            PostMessageW(hwnd, DiaryChangedMessage(), 0, 0);
    });
    ImageListMain = ImageList(IDI_MAIN_FIRST, IDI_MAIN_COUNT);

    pFejlec.BevelInner = Bevel::Lowered;
    pFejlec.CaptionAlignment = Alignment::Right;
    pFejlec.FontColour = 0x000080;  // maroon
    pFejlec.SetFont(FontSpec{L"Tahoma", 0, 19});
    pHint.CaptionAlignment = Alignment::Left;
    pIdo.CaptionAlignment = Alignment::Right;
    BuildControls(*this, Controls());

    Panel.OnResize = [this](int w, int h) { PanelResize(w, h); };
    Panel.Create(Handle(), 0, kTitleBarHeight, 786, 493);
    CreateGrid();

    RECT client = ClientRect();
    OnSize(client.right, client.bottom);
    timer.Start(Handle(), kClockTimer, 1000);
    ShowApplicationHint({});
    CreateTrayParts();
}

void Tfrm_Main::OnSize(int w, int h) {
    if (!pFejlec.Handle()) return;
    const int title = Px(kTitleBarHeight), status = Px(kStatusHeight), hint = Px(291);
    pFejlec.SetBounds(0, 0, w, title);
    Panel2.SetBounds(0, h - status, w, status);
    pIdo.SetBounds(hint, 0, w - hint, status);
    Panel.SetBounds(0, title, w, h - title - status);
}

// The show sequence: at start and after every return from the notification area.

void Tfrm_Main::FormShow() {
    auto& app = Application::Get();
    // Each step reports its own failure and the next one still runs: whatever went
    // wrong, the window shows today's month in its colours.
    auto& trace = app.Trace;
    trace.Mark(L"window shown");
    app.Guard([this] {
        if (!SetCurrentDirectoryW(ProgramDir.c_str())) throw AppError(L"I/O error: " + ProgramDir);
    });
    app.Guard([this] { diary_.Load(); });  // the index, then the name days
    trace.Mark(L"index loaded");
    if (!app.Guard([this] { LoadSettings(); })) ApplyColours();
    trace.Mark(L"settings and colours");
    WorkDays.Reload();
    if (diary_.NameDaysMissing()) app.ShowErrorBox(TNevnapok::kMissingFileMessage);
    trace.Mark(L"name days loaded");
    ShowMonth(Today());
    trace.Mark(L"month filled");
    SetWindowTextW(Handle(), app.Title.c_str());
}

void Tfrm_Main::MakeProgramLinks() {
    const std::pair<const wchar_t*, const wchar_t*> links[] = {
        {L"\\doc.lnk", L"\\tivorn.pdf"}, {L"\\mail.lnk", L"\\mail.url"}, {L"\\ketrabo.lnk", L"\\ketrabo.url"}};
    for (const auto& [link, target] : links) {
        if (FileExists(ProgramDir + link)) continue;
        try {
            CreateShortcut(ProgramDir + target, ProgramDir, L"", ProgramDir + link);
        } catch (const AppError&) {
            // A link that cannot be made is simply missing.
        }
    }
}

void Tfrm_Main::MakeOneTimeLinks() {
    const std::wstring desktop = GetDesktopFolder(), programs = GetProgramsFolder();
    const std::pair<std::wstring, const wchar_t*> links[] = {
        {desktop + L"\\Ketrabo honlapja.lnk", L"\\ketrabo.url"},
        {programs + L"\\Ketrabo\\Tivorn\\Program ismertető.lnk", L"\\Tivorn.pdf"},
        {programs + L"\\Ketrabo\\Tivorn\\Ketrabo honlapja.lnk", L"\\ketrabo.url"},
        {programs + L"\\Ketrabo\\Tivorn\\Levélküldés.lnk", L"\\mail.url"},
    };
    for (const auto& [link, target] : links) {
        try {
            CreateShortcut(ProgramDir + target, ProgramDir, L"", link);
        } catch (const AppError&) {
        }
    }
}

std::optional<int32_t> Tfrm_Main::ReadIntegerValue(const RegistryValues& values, const std::wstring& name) {
    try {
        const std::wstring text = values.ReadString(name);
        if (!text.empty()) return TextToInt(text);
    } catch (const AppError&) {
        // Not a whole number, or not a text at all (a number value put there by hand or
        // by another program): treated like a missing value, and rewritten.
    }
    return std::nullopt;
}

int Tfrm_Main::ReadPositionValue(const RegistryValues& values, const wchar_t* name) {
    if (const auto value = ReadIntegerValue(values, name)) return *value;
    WriteRegString(HKEY_CURRENT_USER, kRegistryKey, name, L"-1");
    return -1;
}

bool Tfrm_Main::OneTimeLinksDue(const RegistryValues& values) {
    try {
        return values.ReadString(L"Ikonok").empty();
    } catch (const AppError&) {
        return true;  // a value of the wrong type is no "OK"
    }
}

void Tfrm_Main::LoadSettings() {
    EnsureRegKey(HKEY_CURRENT_USER, L"\\Software\\Ketrabo\\");
    EnsureRegKey(HKEY_CURRENT_USER, kRegistryKey);
    MakeProgramLinks();

    RECT window{};
    GetWindowRect(Handle(), &window);
    const RegistryValues values(HKEY_CURRENT_USER, kRegistryKey);
    int left = ReadPositionValue(values, L"Left"), top = ReadPositionValue(values, L"Top");
    int x = left != -1 ? left : window.left, y = top != -1 ? top : window.top;
    RECT moved{x, y, x + window.right - window.left, y + window.bottom - window.top};
    // A position on no monitor (a screen removed since) falls back to the designed one.
    if (!MonitorFromRect(&moved, MONITOR_DEFAULTTONULL)) {
        x = options_.left;
        y = options_.top;
    }
    // Already there (as at most starts): no move, which would only ask the server.
    if (x != window.left || y != window.top)
        SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (OneTimeLinksDue(values)) {
        // "OK" first: a link that fails is not tried again at a later start.
        WriteRegString(HKEY_CURRENT_USER, kRegistryKey, L"Ikonok", L"OK");
        MakeOneTimeLinks();
    }

    for (int n = 1; n <= 10; ++n) {
        const std::wstring name = L"Szin" + std::to_wstring(n);
        const auto slot = static_cast<size_t>(n);
        if (const auto value = ReadIntegerValue(values, name)) {
            Szin[slot] = *value;
        } else {
            Szin[slot] = DefaultSzin[slot];
            WriteRegString(HKEY_CURRENT_USER, kRegistryKey, name, ColorToHexText(DefaultSzin[slot]));
        }
    }
    // Missing (as before the option was there) means off; written only by OK.
    FollowWindowsTheme = ReadIntegerValue(values, kFollowWindowsValue).value_or(0) != 0;
    WorkDays.Read(values);
    ApplyColours();
}

void Tfrm_Main::ApplyColours() {
    // Asked anew each time: Windows may have changed its mind since (WM_SETTINGCHANGE).
    const SchemeColours& inForce = FollowWindowsTheme && WindowsAppsDark() ? kNightScheme : Szin;
    drawn_ = ColoursToDraw(inForce, HighContrastOn(), CurrentSystemColours());
    auto colour = [this](int n) { return ResolveColour(drawn_.slots[static_cast<size_t>(n)]); };
    // A text colour alone repaints only where it changed (at start none does): the
    // panel that draws it is told once.
    auto text = [](PanelLook& panel, COLORREF colour, BevelPanel& drawnOn) {
        if (panel.FontColour == colour) return;
        panel.FontColour = colour;
        if (drawnOn.Handle()) drawnOn.Invalidate();
    };
    Panel.SetColor(colour(1));
    Panel.BeginUpdate();  // one repaint request for all the cells and headers
    for (auto& cell : Cells) {
        if (!cell) continue;
        cell->ColorOff = colour(2);
        cell->ColorOn = colour(3);
        cell->ColorClick = colour(4);
        cell->SetColor(colour(2));
        cell->SetFace(drawn_.face);
    }
    for (size_t tag = 0; tag < Headers.size(); ++tag) {
        if (!Headers[tag]) continue;
        text(*Headers[tag], tag >= 5 ? drawn_.weekendHeaderText : drawn_.headerText, Panel);
        Headers[tag]->SetColor(colour(5));
    }
    Panel.EndUpdate();
    text(pFejlec, drawn_.monthTitle, pFejlec);
    text(pHint, drawn_.stripText, Panel2);
    text(pIdo, drawn_.stripText, Panel2);
    pFejlec.SetColor(colour(6));
    pHint.SetColor(colour(6));
    pIdo.SetColor(colour(6));
    // The tool bar and the arrow squares show the strip through: they repaint with it.
    if (pFejlec.Handle()) RedrawWindow(pFejlec.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    const bool darkFrames = drawn_.dark && !drawn_.highContrast;
    if (Handle() && darkFrames != darkFrames_) SetDarkFrames(Handle(), darkFrames_ = darkFrames);
    // The other windows take the scheme in force; high contrast is the month view's.
    schemeChanges_.Tell(inForce);
}

void Tfrm_Main::SaveColours() {
    for (int n = 1; n <= 10; ++n)
        WriteRegString(HKEY_CURRENT_USER, kRegistryKey, L"Szin" + std::to_wstring(n),
                       ColorToHexText(Szin[static_cast<size_t>(n)]));
    WriteRegString(HKEY_CURRENT_USER, kRegistryKey, kFollowWindowsValue, FollowWindowsTheme ? L"1" : L"0");
}

// Clock and hints

void Tfrm_Main::OnTimer(UINT_PTR id) {
    if (id == kClockTimer) TimerTimer();
    if (id == kSnapshotTimer) SnapshotSlice();
    if (id == kSearchTimer) SearchReadingSlice();
}

void Tfrm_Main::TimerTimer() {
    const MonthNames months = Months();
    pIdo.SetCaption(FormatClock(Now(), months[0].empty() ? RegionalMonthNames() : months) + L"   ");
    if (!FirstTickDone) {
        StartSnapshotInSlices();
        StartSync();
    }
    FirstTick();
    CheckReminders();
}

void Tfrm_Main::ShowApplicationHint(const std::wstring& hint) {
    if (hint.empty() && !syncText_.empty())
        pHint.SetCaption(L"   " + syncText_);
    else if (hint.empty())
        pHint.SetCaption(L"   " + Application::Get().Title + L" " + kMakerAddress);
    else
        pHint.SetCaption(L"   " + hint);
}

// The day's snapshot is made in slices from the first clock tick on: a timer message
// comes only when the window has nothing else to do, and each slice is short.
// The slices begin at the first timer message after the tick; a failure stops them:
// the first change of the day tries again and reports.
void Tfrm_Main::StartSnapshotInSlices() { SetTimer(Handle(), kSnapshotTimer, 1, nullptr); }

void Tfrm_Main::SnapshotSlice() {
    if (!SnapshotSliceDone()) return;
    KillTimer(Handle(), kSnapshotTimer);
    StartSearchReading();
}

bool Tfrm_Main::SnapshotSliceDone() {
    return diary_.SnapshotWork(std::chrono::steady_clock::now() + std::chrono::milliseconds(8));
}

// After the snapshot, the notes that the search's cache file lacks are read the same
// way, so the first search reads the cache instead of years of notes. The texts
// themselves are let go once the cache is written: the search window reads them from
// it, and a program that is never searched keeps no copy of the diary in memory.
void Tfrm_Main::StartSearchReading() {
    const std::wstring dataDir = diary_.DataDir();
    try {
        if (!SearchCacheWorthRenewing(ListFolder(dataDir))) return;
        searchReadAhead_ = std::make_unique<DiarySearch>();
        searchReadAhead_->Plan(dataDir);
    } catch (const std::exception&) {
        searchReadAhead_.reset();  // the search window reads what it needs itself
        return;
    }
    SetTimer(Handle(), kSearchTimer, 1, nullptr);
}

void Tfrm_Main::SearchReadingSlice() {
    bool done = true;
    try {
        if (searchReadAhead_)
            done = searchReadAhead_->Work(std::chrono::steady_clock::now() + std::chrono::milliseconds(8));
    } catch (const std::exception&) {
        // A cache file that cannot be written is only a help missed; the search reads again.
    }
    if (!done) return;
    KillTimer(Handle(), kSearchTimer);
    searchReadAhead_.reset();
}

// Save points and closing

// An index that could not be read before is read first; the month follows from the
// change notice.
void Tfrm_Main::SaveIndex() { diary_.Save(); }

void Tfrm_Main::SavePosition() {
    WINDOWPLACEMENT placement{sizeof(placement)};
    GetWindowPlacement(Handle(), &placement);
    RECT r{};
    GetWindowRect(Handle(), &r);
    if (IsIconic(Handle()) || IsZoomed(Handle())) r = placement.rcNormalPosition;
    WriteRegString(HKEY_CURRENT_USER, kRegistryKey, L"Left", std::to_wstring(r.left));
    WriteRegString(HKEY_CURRENT_USER, kRegistryKey, L"Top", std::to_wstring(r.top));
}

bool Tfrm_Main::FormClose() {
    // A failed save loses nothing when nothing was changed since the index was last
    // read or saved: there is no question to ask then.
    if (!Application::Get().Guard([this] { SaveIndex(); }) && diary_.ChangedSinceSaved()) return false;
    SavePosition();
    return true;
}

void Tfrm_Main::FormCloseQuery() {
    // A failed save keeps the program open, so the entries in memory are not lost,
    // unless the user, told so, decides to leave without them.
    if (!FormClose()) {
        if (!ShowQuestionWindow(kCloseWithoutSavingQuestion, QuestionDefault::No)) return;
        SavePosition();
    }
    ClosingTray();
    DestroyWindow(Handle());
}

void Tfrm_Main::tbKilepClick() { FormCloseQuery(); }

LRESULT Tfrm_Main::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // Log-off and shut-down are save points like closing the window.
            if (wp) FormClose();
            return 0;
        case WM_SETTINGCHANGE:
            if (ChangesTheLook(wp, lp)) ApplyColours();
            break;
        case WM_SYSCOLORCHANGE:
            ApplyColours();
            break;
        case WM_DESTROY:
            if (darkFrames_) ForgetDarkFrames(Handle());
            timer.Stop();
            PostQuitMessage(0);
            return 0;
        default:
            if (msg == DiaryChangedMessage()) {
                FillMonthCells();
                return 0;
            }
            if (msg == SyncStatusMessage()) {
                SyncStatusChanged();
                return 0;
            }
            if (msg == ActivateMessage()) {
                BringBack();
                return 0;
            }
            break;
    }
    return Form::HandleMessage(msg, wp, lp);
}

UINT Tfrm_Main::DiaryChangedMessage() { return WM_APP + 1; }

void Tfrm_Main::DiaryChanged(const DiaryChange& change) {
    // A change made here is sent when the burst of changes is over (the sync's own come
    // from its thread, posted, and ask for no run).
    if (Sync && (change.all || !change.days.empty() || change.reminders)) Sync->Request(std::chrono::seconds(3));
    if (ShownYear == 0 || (!change.all && change.days.empty())) return;  // no month yet, or the notepad
    FillMonthCells();
}

UINT Tfrm_Main::ActivateMessage() {
    static const UINT message = RegisterWindowMessageW(L"Ketrabo.Tivorn.Activate");
    return message;
}

// Tool bar buttons whose windows live elsewhere

void Tfrm_Main::tbAboutClick() {
    if (Others.about) Others.about->ShowModal();
}

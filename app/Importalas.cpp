#include "app/Importalas.h"

#include <algorithm>
#include <utility>

#include <commctrl.h>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/list_texts.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"

namespace {

constexpr int kWidth = 620, kHeight = 540;
constexpr int kPanelH = kHeight - 36, kInnerW = kWidth - 8;
constexpr int kListX = 8, kListW = kInnerW - 20;
constexpr int kMaxDaysLimit = 100000;

struct ColumnDef {
    const wchar_t* caption;
    int width;
};
// "Egyéb": what the day brings besides its entry (a yearly mark, reminders).
constexpr ColumnDef kDayColumns[] = {
    {L"Dátum", 84}, {L"Címszó I.", 116}, {L"Címszó II.", 116}, {L"Jegyzet", 130}, {L"Egyéb", 124}};
// A day with an entry shows what it holds now beside what would replace it.
constexpr ColumnDef kConflictColumns[] = {
    {L"Dátum", 84}, {L"Címszó I.", 120}, {L"Címszó II.", 120}, {L"Jegyzet", 110}, {L"Most a naplóban", 136}};
constexpr ColumnDef kSkipColumns[] = {{L"Esemény", 200}, {L"Dátum", 84}, {L"Ok", 286}};

// The note's first line, for a list cell.
std::wstring FirstLine(const std::wstring& text) { return text.substr(0, text.find(L'\n')); }

std::wstring DayCell(const ImportedDay& day, int column) {
    switch (column) {
        case 0:
            return FormatDottedDate(day.date);
        case 1:
            return day.title1;
        case 2:
            return day.title2;
        case 3:
            return FirstLine(day.noteText);
        case 4: {
            std::wstring marks = day.yearly ? L"évente" : L"";
            if (!day.reminders.empty()) marks += (marks.empty() ? L"" : L", ") + std::wstring(L"emlékeztető");
            return marks;
        }
        default:
            return {};
    }
}

}  // namespace

Tfrm_Importalas::Tfrm_Importalas(Diary& diary, IcsComponent calendar, std::wstring fileName, const Date& today,
                                 COLORREF outer, COLORREF inner)
    : Form(SecondaryWindowOptions(L"TivornImportalasWindow", kWidth, kHeight)),
      diary_(diary),
      calendar_(std::move(calendar)),
      fileName_(std::move(fileName)),
      today_(today),
      outer_(outer),
      inner_(inner) {}

std::span<const ControlRow<Tfrm_Importalas>> Tfrm_Importalas::Controls() {
    using T = Tfrm_Importalas;
    constexpr int buttonsY = kPanelH - 34;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 44, &T::sbBezarClick, L"Bezárás (Esc)", true),
        WorkingPanelRow<T>(kInnerW, kPanelH),
        {.name = L"lblFajl", .field = &T::lblFajl, .parent = &T::Panel1, .x = kListX, .y = 6, .w = kListW, .h = 16},
        {.name = L"lblIdoszak", .parent = &T::Panel1, .x = kListX, .y = 32, .text = L"Idő&szak:"},
        {.name = L"dtpTol", .field = &T::dtpTol, .parent = &T::Panel1, .x = 58, .y = 28, .w = 96, .h = 21,
         .style = WS_GROUP, .hint = L"Az ismétlődő események eddig a naptól kerülnek be"},
        {.name = L"lblKotojel", .parent = &T::Panel1, .x = 159, .y = 32, .text = L"–"},
        {.name = L"dtpIg", .field = &T::dtpIg, .parent = &T::Panel1, .x = 170, .y = 28, .w = 96, .h = 21,
         .hint = L"és eddig a napig"},
        {.name = L"lblLegfeljebb", .parent = &T::Panel1, .x = 284, .y = 32, .text = L"&Legfeljebb"},
        {.name = L"edtKorlat", .field = &T::edtKorlat, .parent = &T::Panel1, .x = 340, .y = 28, .w = 56, .h = 21,
         .style = ES_NUMBER | WS_GROUP, .hint = L"Egy importálás legfeljebb ennyi napot tölt ki"},
        {.name = L"udKorlat", .field = &T::udKorlat, .parent = &T::Panel1, .x = 396, .y = 28, .w = 15, .h = 21,
         .style = UDS_NOTHOUSANDS},
        {.name = L"lblNap", .parent = &T::Panel1, .x = 416, .y = 32, .text = L"nap"},
        {.name = L"btnUjra", .field = &T::btnUjra, .parent = &T::Panel1, .x = kListX + kListW - 110, .y = 26,
         .w = 110, .h = 25, .text = L"Ú&jraszámolás", .handler = &T::btnUjraClick,
         .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, .hint = L"Az előnézet a megadott időszakra és korlátra"},
        {.name = L"lblUj", .parent = &T::Panel1, .x = kListX, .y = 60, .text = L"Új &napok:"},
        {.name = L"lvUj", .field = &T::lvUj, .parent = &T::Panel1, .x = kListX, .y = 76, .w = kListW, .h = 118,
         .style = WS_GROUP, .hint = L"Ezek a napok még üresek: az importálás kitölti őket"},
        {.name = L"lblUtkozo", .parent = &T::Panel1, .x = kListX, .y = 202, .text = L"Már van &bejegyzésük:"},
        {.name = L"clUtkozo", .field = &T::clUtkozo, .parent = &T::Panel1, .x = kListX, .y = 218, .w = kListW,
         .h = 100, .style = WS_GROUP,
         .hint = L"Csak a bejelölt napok bejegyzése íródik felül (Szóköz: jelölés)"},
        {.name = L"lblKimarad", .parent = &T::Panel1, .x = kListX, .y = 326, .text = L"&Kimarad:"},
        {.name = L"lvKimarad", .field = &T::lvKimarad, .parent = &T::Panel1, .x = kListX, .y = 342, .w = kListW,
         .h = 118, .style = WS_GROUP, .hint = L"Ezek az elemek nem kerülnek a naplóba"},
        {.name = L"lblOsszeg", .field = &T::lblOsszeg, .parent = &T::Panel1, .x = kListX, .y = buttonsY + 4,
         .w = kListW - 200, .h = 16},
        {.name = L"btnImportalas", .field = &T::btnImportalas, .parent = &T::Panel1, .x = kListX + kListW - 190,
         .y = buttonsY, .w = 100, .h = 25, .text = L"&Importálás", .handler = &T::btnImportalasClick,
         .style = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, .id = IDOK,
         .hint = L"Az új és a bejelölt napok a naplóba kerülnek (egyetlen, visszavonható mentéssel)"},
        {.name = L"btnMegse", .field = &T::btnMegse, .parent = &T::Panel1, .x = kListX + kListW - 84, .y = buttonsY,
         .w = 84, .h = 25, .text = L"Mégse", .style = BS_PUSHBUTTON | WS_TABSTOP, .id = IDCANCEL},
    };
    return rows;
}

void Tfrm_Importalas::FormCreate() {
    CreateOuterPanel(p, *this);
    p.SetColor(outer_);
    CreateTitlePanel(pCim, p, kWidth - 44, L"  Importálás iCalendar fájlból");
    pCim.SetColor(inner_);
    for (DrawnPanel* label : {&lblFajl, &lblOsszeg}) {
        label->BevelOuter = Bevel::None;
        label->CaptionAlignment = Alignment::Left;
    }
    BuildControls(*this, Controls());
    Panel1.SetColor(inner_);
    for (DrawnPanel* label : {&lblFajl, &lblOsszeg}) label->SetColor(inner_);
    lblFajl.SetCaption(L"Fájl: " + fileName_);

    dtpTol.SetValue(Date{today_.year, 1, 1});
    dtpIg.SetValue(Date{today_.year + 1, 12, 31});
    udKorlat.SetBuddy(edtKorlat);
    udKorlat.SetRange(1, kMaxDaysLimit);
    udKorlat.SetPosition(static_cast<int>(ImportOptions{}.maxDays));

    for (const ColumnDef& column : kDayColumns) lvUj.AddColumn(column.caption, column.width);
    for (const ColumnDef& column : kConflictColumns) clUtkozo.AddColumn(column.caption, column.width);
    for (const ColumnDef& column : kSkipColumns) lvKimarad.AddColumn(column.caption, column.width);
    ServeCellTexts(*this, lvUj, [this](int row, int column) { return NewDayText(row, column); });
    ServeCellTexts(*this, lvKimarad, [this](int row, int column) { return SkippedText(row, column); });
    OnNotify(clUtkozo.Id(), LVN_ITEMCHANGED, [this](NMHDR* hdr) -> LRESULT {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(hdr);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK))
            ShowChoice();
        return 0;
    });
    OnCommand(IDCANCEL, [this] { sbBezarClick(); });
    Recalculate();
}

void Tfrm_Importalas::FormShow() { (lvUj.ItemCount() > 0 ? lvUj : clUtkozo.ItemCount() > 0 ? clUtkozo : lvKimarad).Focus(); }

void Tfrm_Importalas::SetLabel(const wchar_t* name, const std::wstring& text) {
    if (DrawnLabel* label = Panel1.Drawn().Label(name)) label->text = text;
    InvalidateRect(Panel1.Handle(), nullptr, FALSE);
}

void Tfrm_Importalas::btnUjraClick() { Recalculate(); }

void Tfrm_Importalas::Recalculate() {
    ImportOptions options;
    options.first = dtpTol.Value();
    options.last = dtpIg.Value();
    if (SerialOf(options.last) < SerialOf(options.first)) std::swap(options.first, options.last);
    const std::wstring limit = edtKorlat.Text();
    const int32_t maxDays = TextToInt(limit);  // "'x' is not a valid integer value" for the error handler
    if (maxDays < 1) throw ConvertError(limit);
    options.maxDays = static_cast<size_t>(std::min(maxDays, kMaxDaysLimit));
    options.allDayMinute = diary_.AllDayMinute();
    const std::set<std::wstring> imported = diary_.ImportedKeys();
    plan_ = diary_.WithEntries(
        [&](const EntryStore& entries) { return PlanImport(calendar_, entries, imported, options); });
    ShowPlan();
}

void Tfrm_Importalas::ShowPlan() {
    SetLabel(L"lblUj", L"Új &napok: " + std::to_wstring(plan_.additions.size()));
    SetLabel(L"lblUtkozo", L"Már van &bejegyzésük: " + std::to_wstring(plan_.conflicts.size()) +
                               L" – csak a bejelöltek íródnak felül");
    SetLabel(L"lblKimarad", L"&Kimarad: " + std::to_wstring(plan_.skipped.size()));
    lvUj.SetItemCount(static_cast<int>(plan_.additions.size()));
    lvKimarad.SetItemCount(static_cast<int>(plan_.skipped.size()));
    lvUj.Redraw();
    lvKimarad.Redraw();
    // A day that has an entry is never overwritten unless the user checks it; a day
    // checked before "Újraszámolás" stays checked.
    std::set<int64_t> checked;
    for (int row = 0; row < clUtkozo.ItemCount(); ++row)
        if (clUtkozo.Checked(row)) checked.insert(SerialOf(conflictDates_[static_cast<size_t>(row)]));
    conflictDates_.clear();
    clUtkozo.Clear();
    const std::vector<std::wstring> present = diary_.WithEntries([&](const EntryStore& entries) {
        std::vector<std::wstring> titles;
        for (const ImportedDay& day : plan_.conflicts) {
            const int at = entries.FindEntryLine(DateKey(day.date));
            const std::wstring line = at >= 0 ? entries.Lines[static_cast<size_t>(at)] : std::wstring();
            titles.push_back(Trim(Trim(EntryTitle1(line)) + L" " + Trim(EntryTitle2(line))));
        }
        return titles;
    });
    for (size_t i = 0; i < plan_.conflicts.size(); ++i) {
        const ImportedDay& day = plan_.conflicts[i];
        conflictDates_.push_back(day.date);
        clUtkozo.AddRow({DayCell(day, 0), DayCell(day, 1), DayCell(day, 2), DayCell(day, 3), present[i]},
                        checked.count(SerialOf(day.date)) > 0);
    }
    if (!plan_.additions.empty()) lvUj.Select(0);
    if (!plan_.conflicts.empty()) clUtkozo.Select(0);
    if (!plan_.skipped.empty()) lvKimarad.Select(0);
    ShowChoice();
}

void Tfrm_Importalas::ShowChoice() {
    const size_t chosen = Chosen().size();
    lblOsszeg.SetCaption(chosen == 0 ? L"Nincs importálandó nap."
                                     : L"Importálandó: " + std::to_wstring(chosen) + L" nap.");
    btnImportalas.SetEnabled(chosen > 0);
}

std::wstring Tfrm_Importalas::NewDayText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= plan_.additions.size()) return {};
    return DayCell(plan_.additions[static_cast<size_t>(row)], column);
}

std::wstring Tfrm_Importalas::SkippedText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= plan_.skipped.size()) return {};
    const SkippedEvent& skipped = plan_.skipped[static_cast<size_t>(row)];
    switch (column) {
        case 0:
            return skipped.summary.empty() ? L"(névtelen)" : skipped.summary;
        case 1:
            return skipped.date ? FormatDottedDate(*skipped.date) : L"";
        case 2:
            return skipped.times > 1 ? skipped.reason + L" (" + std::to_wstring(skipped.times) + L" alkalom)"
                                     : skipped.reason;
        default:
            return {};
    }
}

std::vector<const ImportedDay*> Tfrm_Importalas::Chosen() const {
    std::vector<const ImportedDay*> days;
    for (const ImportedDay& day : plan_.additions) days.push_back(&day);
    for (size_t i = 0; i < plan_.conflicts.size(); ++i)
        if (clUtkozo && static_cast<int>(i) < clUtkozo.ItemCount() && clUtkozo.Checked(static_cast<int>(i)))
            days.push_back(&plan_.conflicts[i]);
    return days;
}

void Tfrm_Importalas::btnImportalasClick() {
    const std::vector<const ImportedDay*> chosen = Chosen();
    if (chosen.empty()) return;
    std::vector<DayToStore> days;
    std::vector<std::wstring> keys;
    for (const ImportedDay* day : chosen) {
        days.push_back({day->date, DayEntry{day->title1, day->title2, day->colour1, day->colour2}, day->noteRtf,
                        day->yearly, day->reminders});
        keys.insert(keys.end(), day->uids.begin(), day->uids.end());
    }
    diary_.StoreMany(days, keys);  // all or nothing; the month follows from the change notice
    imported_ = days.size();
    Close(mrOk);
}

void Tfrm_Importalas::sbBezarClick() { Close(mrCancel); }

bool Tfrm_Importalas::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}

// The labels' underlined keys: Alt and the key moves the focus to the control the
// label names (the buttons' own keys are the dialog keys').
bool Tfrm_Importalas::FormSysKey(UINT vk) {
    const std::pair<UINT, const StandardControl*> keys[] = {
        {'S', &dtpTol}, {'L', &edtKorlat}, {'N', &lvUj}, {'B', &clUtkozo}, {'K', &lvKimarad}};
    for (const auto& [key, target] : keys) {
        if (key != vk) continue;
        target->Focus();
        if (target == &edtKorlat) edtKorlat.SelectAll();
        // The system sees the key as well, so the Alt let go after it does not open
        // the window menu as a lone Alt would.
        DefWindowProcW(Handle(), WM_SYSKEYDOWN, vk, static_cast<LPARAM>(KF_ALTDOWN) << 16);
        return true;
    }
    return false;
}

ImportDialogs& CurrentImportDialogs() {
    static ImportDialogs dialogs{[](OPENFILENAMEW& ofn) {
        Application::Get().EnsureCom();  // the explorer-style dialog runs on COM
        return GetOpenFileNameW(&ofn) != FALSE;
    }};
    return dialogs;
}

std::wstring AskIcsFileToOpen(HWND owner) {
    std::vector<wchar_t> name(32768, L'\0');
    static const wchar_t kFilter[] = L"iCalendar fájlok (*.ics)\0*.ics\0Minden fájl (*.*)\0*.*\0\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = L"Importálás iCalendar fájlból";
    ofn.lpstrDefExt = L"ics";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING |
                OFN_EXPLORER;
    if (!CurrentImportDialogs().Open(ofn)) return {};
    return name.data();
}

IcsComponent ReadCalendarFile(const std::wstring& path) {
    const IcsLimits limits;
    // A huge file is refused before it is read into memory.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) throw FileOpenError(path);
    const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    CheckIcsSize(size, limits);
    return ReadIcs(ReadWholeFile(path), limits);
}

std::wstring ImportedText(size_t days) { return std::to_wstring(days) + L" nap importálva."; }

// "Importálás iCalendar fájlból": what importing a calendar file would do, shown
// before anything is written. The days it would add, the days that already have an
// entry (each overwritten only when the user checks it), and what it passes over and
// why; the period that series are expanded over and the most days one import takes,
// worked out again on "Újraszámolás". A new day's "Egyéb" column tells whether it
// is a yearly entry and has reminders. "Importálás" stores the chosen days through
// the diary in one all-or-nothing change, with their yearly marks, reminders and
// import keys, so the same file imported again adds nothing. House style: outer panel, title strip with its close
// button, Escape closes. Made at each use.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "store/diary.h"
#include "store/ics_import.h"
#include "store/ics_reader.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

class Tfrm_Importalas : public Form {
public:
    // `calendar` is the file's content, `fileName` its name for the window; `today`
    // gives the default period (its year and the next); `outer` and `inner` are the
    // scheme's panel colours (slots 1 and 6).
    Tfrm_Importalas(Diary& diary, IcsComponent calendar, std::wstring fileName, const Date& today, COLORREF outer,
                    COLORREF inner);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    DrawnPanel lblFajl{L"lblFajl"};
    DatePicker dtpTol;       // the period's first day
    DatePicker dtpIg;        // and its last
    Edit edtKorlat;          // "Legfeljebb [1000] nap"
    UpDown udKorlat;
    Button btnUjra;          // "Újraszámolás"
    ListView lvUj;           // the days it adds
    CheckList clUtkozo;      // the days that have an entry: checked ones are overwritten
    ListView lvKimarad;      // what it passes over, and why
    DrawnPanel lblOsszeg{L"lblOsszeg"};
    Button btnImportalas;
    Button btnMegse;

    // The window's controls below its title strip, in tab order.
    static std::span<const ControlRow<Tfrm_Importalas>> Controls();

    const ImportPlan& Plan() const { return plan_; }
    // Cell texts of the new days' and the skipped events' lists.
    std::wstring NewDayText(int row, int column) const;
    std::wstring SkippedText(int row, int column) const;
    // The days "Importálás" stores: the new ones and the checked conflicts.
    std::vector<const ImportedDay*> Chosen() const;
    // How many days the last "Importálás" stored.
    size_t Imported() const { return imported_; }

    void btnUjraClick();
    void btnImportalasClick();
    void sbBezarClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    bool FormKeyPress(wchar_t key) override;
    bool FormSysKey(UINT vk) override;

private:
    void Recalculate();
    void ShowPlan();
    void ShowChoice();
    void SetLabel(const wchar_t* name, const std::wstring& text);

    Diary& diary_;
    IcsComponent calendar_;
    std::wstring fileName_;
    Date today_;
    COLORREF outer_, inner_;
    ImportPlan plan_;
    std::vector<Date> conflictDates_;  // the days of the check list's rows
    size_t imported_ = 0;
};

// The open dialog of the .ics files; tests replace it.
struct ImportDialogs {
    std::function<bool(OPENFILENAMEW&)> Open;
};
ImportDialogs& CurrentImportDialogs();

// Asks for a .ics file to read; "" when the user cancels.
std::wstring AskIcsFileToOpen(HWND owner);

// The calendar of the file at `path`. Throws IcsError for a file over the reader's
// size limit (before reading it) or not a calendar, FileOpenError when unreadable.
IcsComponent ReadCalendarFile(const std::wstring& path);

// "N nap importálva." and what was left for the user to see.
std::wstring ImportedText(size_t days);

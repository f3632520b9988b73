// Snapshots of the data folder: the one taken before the first change of each
// day, the "Biztonsági mentések" window, and restoring.
#include "app/Mentesek.h"
#include "app/main.h"
#include "platform/errors.h"
#include "platform/kerdes.h"
#include "platform/uzenet.h"
#include "store/snapshot_days.h"
#include "store/snapshots.h"
#include "ui/application.h"

// Before anything of the day is replaced. A snapshot that fails is reported once a
// day and never stops what comes after it: the save itself matters more.
void Tfrm_Main::TakeSnapshotOfTheDay() {
    const Date today = Today();
    if (ProgramDir.empty() || snapshotFailedOn_ == today) return;
    try {
        // What the slices have not packed yet is packed now, before anything changes.
        if (snapshotSlices_.Active() && snapshotSlices_.Day() == today)
            snapshotSlices_.Finish();
        else
            TakeDailySnapshot(ProgramDir, today);
    } catch (const std::exception& e) {
        snapshotFailedOn_ = today;
        const auto* error = dynamic_cast<const AppError*>(&e);
        Application::Get().ShowErrorBox(L"A napi biztonsági mentés nem sikerült; az adatok mentése ettől még "
                                        L"megtörténik.\n" +
                                        (error ? error->Text() : Utf8ToWide(e.what())));
    }
}

void Tfrm_Main::mniMentesekClick() {
    if (!Mentesek) {
        Mentesek = std::make_unique<Tfrm_Mentesek>();
        Mentesek->Create(Handle());
    }
    Mentesek->ShowModal();
}

bool Tfrm_Main::RestoreFromSnapshot(const std::wstring& name, const std::wstring& when) {
    if (!ShowQuestionWindow(L"Visszaállítsam a " + when + L" mentést? A mostani állapotról előbb új mentés készül."))
        return false;
    // The chosen snapshot is read and checked first: the snapshot of the present state
    // may make the rule of keeping remove it.
    const std::vector<ZipEntry> files = ReadSnapshot(ProgramDir, name);
    // The day's snapshot being made in slices holds the files from before the restore.
    if (snapshotSlices_.Active()) TakeSnapshotOfTheDay();
    const std::string index = EntryIndex.Lines.FileText();
    WriteSnapshot(ProgramDir, ExtraSnapshotName(Now()), Today(), &index);
    RestoreDataFiles(ProgramDir, files);
    EntryIndex.Load(ProgramDir);
    ShowMonth(CurrentDate);
    ShowMessageWindow(L"A " + when + L" mentés visszaállítása megtörtént.");
    return true;
}

bool Tfrm_Main::RestoreDayFromSnapshot(const std::vector<ZipEntry>& files, const std::wstring& dateKey,
                                       const std::wstring& dayText, const std::wstring& when) {
    const std::wstring what = dateKey.empty() ? L"a jegyzettömböt" : L"a(z) " + dayText + L" napot";
    if (!ShowQuestionWindow(L"Visszaállítsam " + what + L" a " + when +
                            L" mentésből? Más nem változik."))
        return false;
    TakeSnapshotOfTheDay();  // a first change of the day, like any other
    RestoreOneDay(ProgramDir, EntryIndex, files, dateKey, ExtraSnapshotName(Now()), Today());
    FillMonthCells();
    ShowMessageWindow((dateKey.empty() ? L"A jegyzettömb" : L"A(z) " + dayText + L" nap") +
                      L" visszaállítása megtörtént.");
    return true;
}

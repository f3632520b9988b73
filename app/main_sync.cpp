// The calendar server sync's place in the main window: its three items of the
// "Továbbiak" menu, its worker, and its status in the status bar's idle text.
#include "app/SzinkronKerdesek.h"
#include "app/Szinkronizalas.h"
#include "app/main.h"
#include "app/sync_service.h"
#include "platform/protected_secret.h"
#include "platform/winhttp_transport.h"
#include "platform/uzenet.h"
#include "sync/sync_questions.h"
#include "ui/application.h"

namespace {

std::unique_ptr<HttpTransport> SystemTransport(const std::wstring& user, const std::string& password) {
    return std::make_unique<WinHttpTransport>(WideToUtf8(user), password);
}

}  // namespace

UINT Tfrm_Main::SyncStatusMessage() { return WM_APP + 2; }

void Tfrm_Main::StartSync() {
    const SyncAccount account = ReadSyncAccount(HKEY_CURRENT_USER, kRegistryKey);
    if (!account.Usable()) return;
    if (!MakeTransport) MakeTransport = SystemTransport;
    if (!Sync) {
        Sync = std::make_unique<SyncService>(diary_, Handle(), SyncStatusMessage(), [this](const SyncAccount& a) {
            return MakeTransport(a.user, UnprotectSecret(a.protectedPassword));
        });
    }
    Sync->SetAccount(account);  // and a run at once
}

void Tfrm_Main::SyncStatusChanged() {
    if (!Sync) return;
    const SyncStatus status = Sync->Status();
    syncText_ = status.running ? status.progress : status.lastResult;
    if (Application::Get().CurrentHint().empty()) ShowApplicationHint(L"");
    // Each new error once, in the general error handler's box; the worker tries again.
    if (!status.running && !status.error.empty() && status.errorNumber != syncErrorsTold_) {
        syncErrorsTold_ = status.errorNumber;
        Application::Get().ShowErrorBox(L"A szinkronizálás nem sikerült: " + status.error +
                                        L"\nA program később újra megpróbálja.");
    }
}

void Tfrm_Main::mniSzinkronizalasClick() {
    if (!MakeTransport) MakeTransport = SystemTransport;
    const SyncAccount stored = ReadSyncAccount(HKEY_CURRENT_USER, kRegistryKey);
    Tfrm_Szinkronizalas window(
        stored,
        [this, stored](const std::wstring& user, const std::optional<std::string>& typed) {
            std::string password = typed ? *typed : std::string();
            if (!typed && !stored.protectedPassword.empty()) password = UnprotectSecret(stored.protectedPassword);
            return MakeTransport(user, password);
        },
        [](const std::string& password) { return ProtectSecret(password); }, ResolveColour(Szin[1]),
        ResolveColour(Szin[6]));
    window.Create(Handle());
    if (window.ShowModal() != mrOk) return;
    const SyncAccount account = window.Account();
    WriteSyncAccount(HKEY_CURRENT_USER, kRegistryKey, account);
    if (account.Usable()) {
        StartSync();
    } else if (Sync) {
        Sync.reset();  // waits for a run under way to reach its next request
        syncText_.clear();
        ShowApplicationHint(L"");
    }
}

void Tfrm_Main::mniSzinkronMostClick() {
    if (!Sync) {
        StartSync();
        if (!Sync) ShowMessageWindow(L"A szinkronizálás nincs beállítva: Továbbiak / Szinkronizálás…");
        return;
    }
    Sync->Request();
}

void Tfrm_Main::mniSzinkronKerdesekClick() {
    std::vector<QuestionView> questions = ViewQuestions(LoadSyncState(ProgramDir), diary_);
    if (!questions.empty() && !Sync) {
        ShowMessageWindow(L"A kérdések megválaszolásához kapcsolja be a szinkronizálást: Továbbiak / Szinkronizálás…");
        return;
    }
    if (questions.empty()) {
        ShowMessageWindow(L"Nincs megválaszolatlan szinkronizálási kérdés.");
        return;
    }
    Tfrm_SzinkronKerdesek window(
        std::move(questions), Months(),
        [this](const Date& date, bool takeServer) {
            if (Sync) Sync->Answer(date, takeServer);
        },
        ResolveColour(Szin[1]), ResolveColour(Szin[6]));
    window.Create(Handle());
    window.ShowModal();
}

#include "app/sync_service.h"

#include "platform/eljaras_win.h"
#include "store/diary.h"

namespace {

constexpr const wchar_t* kOn = L"Szinkron";
constexpr const wchar_t* kCalendar = L"SzinkronNaptar";
constexpr const wchar_t* kAddress = L"SzinkronCim";
constexpr const wchar_t* kUser = L"SzinkronFelhasznalo";
constexpr const wchar_t* kPassword = L"SzinkronJelszo";

std::wstring ClockText() {
    const DateTime now = Now();
    wchar_t text[8];
    swprintf(text, 8, L"%02d:%02d", now.hour, now.minute);
    return text;
}

}  // namespace

SyncAccount ReadSyncAccount(HKEY root, const std::wstring& key) {
    SyncAccount account;
    try {
        const RegistryValues values(root, key);
        account.on = values.ReadString(kOn) == L"1";
        account.calendarUrl = WideToUtf8(values.ReadString(kCalendar));
        account.address = values.ReadString(kAddress);
        account.user = values.ReadString(kUser);
        account.protectedPassword = WideToUtf8(values.ReadString(kPassword));
    } catch (const AppError&) {
        return {};  // a damaged value: no sync until the account is set again
    }
    return account;
}

void WriteSyncAccount(HKEY root, const std::wstring& key, const SyncAccount& account) {
    EnsureRegKey(root, key);
    WriteRegString(root, key, kOn, account.on ? L"1" : L"0");
    WriteRegString(root, key, kCalendar, Utf8ToWide(account.calendarUrl));
    WriteRegString(root, key, kAddress, account.address);
    WriteRegString(root, key, kUser, account.user);
    WriteRegString(root, key, kPassword, Utf8ToWide(account.protectedPassword));
}

SyncService::SyncService(Diary& diary, HWND window, UINT message, Transport transport)
    : diary_(diary), window_(window), message_(message), transport_(std::move(transport)), localDays_(diary) {
    worker_ = std::thread([this] { Work(); });
}

SyncService::~SyncService() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void SyncService::SetAccount(const SyncAccount& account) {
    {
        std::lock_guard lock(mutex_);
        account_ = account;
        status_.error.clear();
        retry_ = std::chrono::seconds(30);
    }
    Request();
}

void SyncService::Request(std::chrono::milliseconds delay) {
    {
        std::lock_guard lock(mutex_);
        if (!account_.Usable()) return;
        const auto at = std::chrono::steady_clock::now() + delay;
        if (!due_ || at < *due_ || delay.count() > 0) due_ = at;
    }
    wake_.notify_all();
}

void SyncService::Answer(const Date& date, bool takeServer) {
    {
        std::lock_guard lock(mutex_);
        answers_.emplace_back(date, takeServer);
        due_ = std::chrono::steady_clock::now();
    }
    wake_.notify_all();
}

SyncStatus SyncService::Status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

void SyncService::Post() const {
    if (window_) PostMessageW(window_, message_, 0, 0);
}

void SyncService::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (stopping_) return;
        if (!due_) {
            wake_.wait(lock);
            continue;
        }
        if (std::chrono::steady_clock::now() < *due_) {
            wake_.wait_until(lock, *due_);
            continue;
        }
        due_.reset();
        const SyncAccount account = account_;
        auto answers = std::move(answers_);
        answers_.clear();
        if (!account.Usable()) continue;
        status_.running = true;
        status_.progress = L"Szinkronizálás…";
        lock.unlock();
        Post();
        RunOnce(account, std::move(answers));
        lock.lock();
        status_.running = false;
        status_.progress.clear();
        // The next run: the normal period after a success, sooner after a failure.
        const auto next = std::chrono::steady_clock::now() +
                          (status_.error.empty() ? std::chrono::duration_cast<std::chrono::seconds>(kPeriod) : retry_);
        if (!due_ || next < *due_) due_ = next;
        lock.unlock();
        Post();
        lock.lock();
    }
}

void SyncService::RunOnce(const SyncAccount& account, std::vector<std::pair<Date, bool>> answers) {
    std::wstring error;
    SyncSummary summary;
    try {
        const std::unique_ptr<HttpTransport> http = transport_(account);
        CalDavSync sync(*http, diary_, account.calendarUrl, [this](const std::wstring& progress) {
            {
                std::lock_guard lock(mutex_);
                status_.progress = progress;
            }
            Post();
        }, &localDays_);
        for (const auto& [date, takeServer] : answers) sync.Answer(date, takeServer);
        summary = sync.Run();
    } catch (const AppError& e) {
        error = e.Text();
    } catch (const std::exception& e) {
        error = Utf8ToWide(e.what());
    }
    std::lock_guard lock(mutex_);
    if (error.empty()) {
        status_.lastResult = SyncStatusLine(ClockText(), summary);
        status_.questions = summary.questions;
        status_.error.clear();
        retry_ = std::chrono::seconds(30);
    } else {
        // Told once: the same error again is not a new one.
        if (error != status_.error) ++status_.errorNumber;
        status_.error = error;
        status_.lastResult = SyncFailedLine(ClockText());
        retry_ = std::min<std::chrono::seconds>(retry_ * 2, std::chrono::duration_cast<std::chrono::seconds>(kPeriod));
    }
}

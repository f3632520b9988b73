// The calendar sync's account and its worker thread. The account (the calendar's URL,
// the user name, the password protected for the current user) is kept in the
// program's registry key. The worker runs the sync when asked (at start, after
// changes, every few minutes, from the menu) and never blocks the window: it posts
// `message` to the window whenever its status changes, and the window reads Status().
// A failed run is tried again later, each time a little later, up to the normal period.
#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/eljaras.h"
#include "sync/caldav_sync.h"
#include "sync/local_days.h"

class Diary;

struct SyncAccount {
    bool on = false;
    std::string calendarUrl;       // the chosen calendar collection
    std::wstring address;          // what the user typed (shown again in the window)
    std::wstring user;
    std::string protectedPassword;  // ProtectSecret's text; never the password itself
    bool Usable() const { return on && !calendarUrl.empty(); }
};

SyncAccount ReadSyncAccount(HKEY root, const std::wstring& key);
void WriteSyncAccount(HKEY root, const std::wstring& key, const SyncAccount& account);

struct SyncStatus {
    bool running = false;
    std::wstring progress;    // while running
    std::wstring lastResult;  // the status bar's line of the last run (SyncStatusLine)
    std::wstring error;       // of the last run; "" when it went well
    unsigned errorNumber = 0;  // grows with each new error, so the window tells each once
    int questions = 0;
};

class SyncService {
public:
    using Transport = std::function<std::unique_ptr<HttpTransport>(const SyncAccount&)>;
    // `transport` makes the HTTP transport of an account (the system's WinHTTP in the program).
    SyncService(Diary& diary, HWND window, UINT message, Transport transport);
    ~SyncService();  // waits for a running sync to stop at its next request
    SyncService(const SyncService&) = delete;
    SyncService& operator=(const SyncService&) = delete;

    void SetAccount(const SyncAccount& account);
    // A run after `delay` (changes come in bursts: one run after the last of them).
    void Request(std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    // The user's answer to a question (run on the worker, then a sync).
    void Answer(const Date& date, bool takeServer);
    SyncStatus Status() const;
    static constexpr std::chrono::minutes kPeriod{5};

private:
    void Work();
    void RunOnce(const SyncAccount& account, std::vector<std::pair<Date, bool>> answers);
    void Post() const;

    Diary& diary_;
    const HWND window_;
    const UINT message_;
    const Transport transport_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    SyncAccount account_;
    std::optional<std::chrono::steady_clock::time_point> due_;
    std::vector<std::pair<Date, bool>> answers_;
    SyncStatus status_;
    std::chrono::seconds retry_{30};
    bool stopping_ = false;
    LocalDays localDays_;  // the diary's days between runs
    std::thread worker_;
};

// Two-way sync of the diary's days with one calendar collection of a CalDAV server.
//
// One run: the server's changes since the last run (the collection's sync token,
// RFC 6578; without one, or when the server refuses it, a full listing compared by
// ETag), the changed events fetched and applied to the diary, then the diary's own
// changes sent (PUT with If-Match / If-None-Match, so nothing is overwritten unseen
// and nothing is made twice). A day changed on both sides, or a note whose text the
// server changed, becomes a question for the user; the day waits until it is answered.
// Deletions cross over only once a full run has matched the two sides.
//
// The state is saved as the run goes, so a run cut off (the server stopped, the
// program closed) goes on where it stopped; the next run repeats nothing that
// reached the other side.
#pragma once

#include <functional>
#include <string>

#include "platform/errors.h"
#include "sync/http.h"
#include "sync/sync_log.h"
#include "sync/sync_state.h"

class Diary;
class LocalDays;

// A failure the user must hear of: a wrong password, a server that answers nonsense.
class SyncError : public AppError {
public:
    explicit SyncError(std::wstring text) : AppError(std::move(text)) {}
};

// What a 401 answer tells the user.
inline SyncError WrongPasswordError() {
    return SyncError(L"A kiszolgáló nem fogadta el a felhasználónevet vagy a jelszót (401).");
}

struct SyncSummary {
    int received = 0, sent = 0, deletedHere = 0, deletedThere = 0, passedOver = 0;
    int questions = 0;  // waiting for the user after the run
    bool full = false;  // the run compared everything
};

// "3 érkezett, 1 elküldve, 1 kérdés vár" and so on: the status bar's last result.
std::wstring SummaryText(const SyncSummary& summary);

// The status bar's line after a run at `clock` ("20:15"), short enough for its panel:
// "Szinkronizálva 20:15: 1 érkezett, 2 elküldve"; a waiting question comes first,
// with the key of its window.
std::wstring SyncStatusLine(const std::wstring& clock, const SyncSummary& summary);
// After a failed run.
std::wstring SyncFailedLine(const std::wstring& clock);

using SyncProgress = std::function<void(const std::wstring&)>;

class CalDavSync {
public:
    // `calendarUrl`: the collection's absolute URL (a trailing slash is added).
    // `localDays`, when given, keeps the diary's days between runs (else each run reads them all).
    CalDavSync(HttpTransport& http, Diary& diary, std::string calendarUrl, SyncProgress progress = {},
               LocalDays* localDays = nullptr);

    // Throws SyncError, HttpError or a file error; what was done until then is kept.
    SyncSummary Run();

    // The user's answer to the question on `date`: the server's version, or the diary's
    // (sent at the next run over the server's). Throws a file error.
    void Answer(const Date& date, bool takeServer);

private:
    struct Run_;
    HttpTransport& http_;
    Diary& diary_;
    std::string calendar_;
    SyncProgress progress_;
    LocalDays* localDays_;
};

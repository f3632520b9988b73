// What the calendar sync remembers between runs ("Data\Szinkron.txt"): the calendar's
// sync token, whether a first full sync has matched the two sides, one record per
// event it links to a day, and the questions waiting for the user. Without it every
// run would be a first one; with a damaged one the next run is a full comparison
// that merges (it never deletes), so losing it loses nothing.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/eljaras.h"

inline constexpr const wchar_t* kSyncStateFile = L"Szinkron.txt";

// A server event linked to a day of the diary.
struct SyncRecord {
    std::string href;   // absolute URL of the event resource
    std::string etag;   // as the server last gave it ("" when unknown)
    std::wstring uid;   // the event's UID, kept when Tivorn writes it back
    Date date;
    uint64_t localHash = 0;  // the day as it was sent or received last (DayResourceHash)
    friend bool operator==(const SyncRecord&, const SyncRecord&) = default;
};

// A server change the sync will not apply on its own.
struct SyncQuestion {
    enum class Kind {
        BothChanged,  // the day changed here and on the server since the last sync
        NoteText,     // only the server's description differs from the note: replace it?
    };
    Kind kind = Kind::BothChanged;
    Date date;
    std::string href, etag;
    std::string remote;  // the server's resource (iCalendar text)
    friend bool operator==(const SyncQuestion&, const SyncQuestion&) = default;
};

struct SyncState {
    std::string calendar;   // the calendar collection's URL the records belong to
    std::string syncToken;  // "" before the first run, or when the server has none
    bool matched = false;   // a full sync has matched both sides: deletions may now cross over
    std::vector<SyncRecord> records;
    std::vector<SyncQuestion> questions;
    // Hrefs of server events the diary cannot hold (series, multi-day events) with the
    // ETag they were passed over at, so they are not fetched again until they change.
    std::map<std::string, std::string> passedOver;
    friend bool operator==(const SyncState&, const SyncState&) = default;

    SyncRecord* ByHref(std::string_view href);
    SyncRecord* ByDate(const Date& date);
    const SyncQuestion* QuestionOn(const Date& date) const;
    void DropRecord(std::string_view href);
};

// The file's text (UTF-8, one item a line, tab-separated, CR LF) and back. Lines that
// cannot be read are left out; a file of another calendar or version gives a fresh state.
std::string SyncStateText(const SyncState& state);
SyncState ParseSyncState(std::string_view text);

std::wstring SyncStatePath(const std::wstring& programDir);
// A missing or unreadable file gives a fresh state.
SyncState LoadSyncState(const std::wstring& programDir);
// Replaced atomically; throws FileCreateError.
void SaveSyncState(const std::wstring& programDir, const SyncState& state);

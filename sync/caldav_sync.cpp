#include "sync/caldav_sync.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "store/diary.h"
#include "store/rtf_text.h"
#include "sync/dav_url.h"
#include "sync/dav_xml.h"
#include "sync/day_resource.h"
#include "sync/local_days.h"

namespace {

constexpr size_t kFetchBatch = 100;
constexpr int kSaveEvery = 50;  // operations between two saves of the state

std::wstring Wide(const std::string& s) { return Utf8ToWide(s); }

[[noreturn]] void ThrowStatus(const std::string& what, const HttpResponse& response) {
    if (response.status == 401)
        throw WrongPasswordError();
    if (response.status == 403) throw SyncError(L"A kiszolgáló nem engedi: " + Wide(what) + L" (403).");
    if (response.status == 404) throw SyncError(L"A naptár nem található a kiszolgálón (404).");
    throw SyncError(L"A kiszolgáló hibával válaszolt: " + Wide(what) + L" (" + std::to_wstring(response.status) + L").");
}

// "3 érkezett" after a comma when there is text before it; nothing for none.
void AppendCount(std::wstring& text, int count, const wchar_t* what) {
    if (count == 0) return;
    if (!text.empty()) text += L", ";
    text += std::to_wstring(count) + L" " + what;
}

}  // namespace

std::wstring SummaryText(const SyncSummary& s) {
    std::wstring text;
    AppendCount(text, s.received, L"érkezett");
    AppendCount(text, s.sent, L"elküldve");
    AppendCount(text, s.deletedHere, L"törölve itt");
    AppendCount(text, s.deletedThere, L"törölve a kiszolgálón");
    AppendCount(text, s.passedOver, L"kihagyva");
    AppendCount(text, s.questions, L"kérdés vár");
    return text.empty() ? L"nincs változás" : text;
}

std::wstring SyncStatusLine(const std::wstring& clock, const SyncSummary& s) {
    const std::wstring line = L"Szinkronizálva " + clock + L": ";
    if (s.questions > 0) return line + std::to_wstring(s.questions) + L" kérdés vár (Ctrl+Shift+K)";
    // The panel has room for the arrivals, the sendings and the deletions.
    std::wstring text;
    AppendCount(text, s.received, L"érkezett");
    AppendCount(text, s.sent, L"elküldve");
    AppendCount(text, s.deletedHere + s.deletedThere, L"törölve");
    return line + (text.empty() ? L"nincs változás" : text);
}

std::wstring SyncFailedLine(const std::wstring& clock) {
    return L"Szinkronizálás " + clock + L": sikertelen, később újra";
}

// One run's working set.
struct CalDavSync::Run_ {
    CalDavSync& owner;
    SyncState state;
    SyncState loaded;  // as the run found it: a run that changes nothing writes nothing
    SyncSummary summary;
    SyncLog log;
    std::map<int64_t, LocalDay> local;  // the diary's days by serial
    std::set<int64_t> touched;               // days the server's changes reached this run
    int sinceSave = 0;

    explicit Run_(CalDavSync& o)
        : owner(o), state(LoadSyncState(o.diary_.ProgramDir())), log(SyncLog::PathIn(o.diary_.ProgramDir())) {
        if (!SameResource(state.calendar, owner.calendar_)) {
            state = SyncState{};
            state.calendar = owner.calendar_;
        }
        loaded = state;
    }

    void Note(const std::wstring& text) { log.Line(Now(), text); }
    void Save() {
        SaveSyncState(owner.diary_.ProgramDir(), state);
        log.Write();
        sinceSave = 0;
    }
    void Done() {
        if (++sinceSave >= kSaveEvery) Save();
    }

    HttpResponse Send(std::string method, const std::string& url, std::string body,
                      std::vector<std::pair<std::string, std::string>> headers = {}) {
        HttpRequest request{std::move(method), url, std::move(headers), std::move(body)};
        if (!request.body.empty()) {
            const bool ics = request.method == "PUT";
            request.headers.emplace_back("Content-Type",
                                         ics ? "text/calendar; charset=utf-8" : "application/xml; charset=utf-8");
        }
        HttpResponse response = owner.http_.Send(request);
        if (response.status == 401) ThrowStatus(request.method, response);
        return response;
    }

    Multistatus Listing(HttpResponse response, const char* what) {
        if (response.status != 207) ThrowStatus(what, response);
        try {
            return ParseMultistatus(response.body);
        } catch (const DavXmlError& e) {
            throw SyncError(L"A kiszolgáló válasza nem olvasható (" + Wide(what) + L"): " + Wide(e.what()));
        }
    }

    std::optional<std::string> Resolve(const std::string& href) const {
        // An href of another server is no member of this calendar (and never gets a request).
        auto url = ResolveHref(owner.calendar_, href);
        if (!url || !SameOrigin(*url, owner.calendar_) || SameResource(*url, owner.calendar_)) return std::nullopt;
        return url;
    }

    void ReadLocal() {
        if (owner.localDays_) {
            local = owner.localDays_->Read();
            return;
        }
        local = ReadLocalDays(owner.diary_, ExportRange::All());
    }

    // The day's event as the diary holds it now, with the UID its server event has.
    std::optional<CalendarEvent> LocalEvent(const Date& date, const std::wstring& uid) const {
        const auto it = local.find(SerialOf(date));
        if (it == local.end()) return std::nullopt;
        CalendarEvent e = it->second.event;
        if (!uid.empty()) e.uid = uid;
        return e;
    }

    // The hash of the day's resource sent under `uid` (its own when empty); none without an entry.
    std::optional<uint64_t> LocalHash(const Date& date, const std::wstring& uid) const {
        const auto it = local.find(SerialOf(date));
        if (it == local.end()) return std::nullopt;
        if (uid.empty() || uid == it->second.event.uid) return it->second.hash;
        CalendarEvent e = it->second.event;
        e.uid = uid;
        return DayResourceHash(e);
    }

    void Refresh(const Date& date) {
        local.erase(SerialOf(date));
        local.merge(ReadLocalDays(owner.diary_, ExportRange{DateKey(date)}));
    }

    // The server's changes: href -> ETag, and the hrefs removed.
    struct Changes {
        std::map<std::string, std::string> changed;
        std::map<std::string, std::string> written;  // href as the server wrote it, for the multiget
        std::vector<std::string> removed;
        std::string token;
        bool full = false;

        // An event whose ETag is the one last seen (our own write coming back) needs nothing.
        void Add(const std::string& url, const DavItem& item, const std::map<std::string, std::string>& known) {
            const auto it = known.find(url);
            if (it != known.end() && !item.etag.empty() && it->second == item.etag) return;
            changed[url] = item.etag;
            written[url] = item.href;
        }
    };

    // href -> ETag of the linked events, looked up once per listed event.
    std::map<std::string, std::string> KnownEtags() const {
        std::map<std::string, std::string> known;
        for (const SyncRecord& r : state.records) known.emplace(r.href, r.etag);
        return known;
    }

    std::optional<Changes> SinceToken() {
        if (state.syncToken.empty()) return std::nullopt;
        HttpResponse response =
            Send("REPORT", owner.calendar_, dav_body::SyncCollection(state.syncToken), {{"Depth", "0"}});
        // An expired or unknown token (403/409 with valid-sync-token), or a server without
        // the report: a full comparison instead.
        if (response.status != 207) {
            Note(L"A szinkronizálási token nem használható (" + std::to_wstring(response.status) + L"): teljes összevetés");
            return std::nullopt;
        }
        Changes changes;
        const auto known = KnownEtags();
        const Multistatus ms = Listing(std::move(response), "REPORT sync-collection");
        changes.token = ms.syncToken;
        for (const DavItem& item : ms.items) {
            const auto url = Resolve(item.href);
            if (!url || item.isCollection) continue;
            if (item.status == 404) {
                changes.removed.push_back(*url);
                continue;
            }
            changes.Add(*url, item, known);
        }
        return changes;
    }

    Changes FullListing() {
        Changes changes;
        changes.full = true;
        // The token first: what changes during the listing comes again next time.
        HttpResponse head = Send("PROPFIND", owner.calendar_, dav_body::PropfindCollectionState(), {{"Depth", "0"}});
        if (head.status == 207) {
            const Multistatus ms = Listing(std::move(head), "PROPFIND");
            for (const DavItem& item : ms.items)
                if (!item.syncToken.empty()) changes.token = item.syncToken;
        } else if (head.status == 404) {
            ThrowStatus("PROPFIND", head);
        }
        const Multistatus ms =
            Listing(Send("REPORT", owner.calendar_, dav_body::CalendarQueryEtags(), {{"Depth", "1"}}), "REPORT calendar-query");
        std::set<std::string> present;
        const auto known = KnownEtags();
        for (const DavItem& item : ms.items) {
            const auto url = Resolve(item.href);
            if (!url || item.isCollection || (item.status != 0 && item.status != 200)) continue;
            present.insert(*url);
            changes.Add(*url, item, known);
        }
        for (const SyncRecord& r : state.records)
            if (!present.count(r.href)) changes.removed.push_back(r.href);
        std::erase_if(state.passedOver, [&](const auto& p) { return !present.count(p.first); });
        return changes;
    }

    // href -> (ETag, calendar data) of the changed events that need reading.
    std::map<std::string, std::pair<std::string, std::string>> Fetch(const Changes& changes) {
        std::vector<std::string> wanted;
        for (const auto& [href, etag] : changes.changed) {
            const auto passed = state.passedOver.find(href);
            if (passed != state.passedOver.end() && !etag.empty() && passed->second == etag) continue;
            wanted.push_back(href);
        }
        std::map<std::string, std::pair<std::string, std::string>> fetched;
        for (size_t first = 0; first < wanted.size(); first += kFetchBatch) {
            if (owner.progress_)
                owner.progress_(L"Szinkronizálás: letöltés " + std::to_wstring(first) + L"/" +
                                std::to_wstring(wanted.size()));
            std::vector<std::string> hrefs;
            for (size_t i = first; i < std::min(wanted.size(), first + kFetchBatch); ++i)
                hrefs.push_back(changes.written.at(wanted[i]));
            const Multistatus ms = Listing(
                Send("REPORT", owner.calendar_, dav_body::CalendarMultiget(hrefs), {{"Depth", "1"}}), "REPORT calendar-multiget");
            for (const DavItem& item : ms.items)
                if (const auto url = Resolve(item.href); url && (item.status == 0 || item.status == 200))
                    fetched[*url] = {item.etag, item.calendarData};
        }
        return fetched;
    }

    void Ask(SyncQuestion::Kind kind, const Date& date, const std::string& href, const std::string& etag,
             const std::string& remote) {
        std::erase_if(state.questions, [&](const SyncQuestion& q) { return q.date == date; });
        state.questions.push_back({kind, date, href, etag, remote});
        Note(L"Kérdés " + FormatDottedDate(date) + L": " + Wide(href));
    }

    // Stores the server's day (its note too, unless `keepNote`), its reminders and its
    // yearly mark, and links it.
    void StoreRemote(const std::string& href, const std::string& etag, const RemoteDay& remote, bool keepNote) {
        const ImportedDay& day = *remote.day;
        std::string note = day.noteRtf;
        if (keepNote) note = owner.diary_.Open(day.date).note.value_or(std::string());
        owner.diary_.Store(day.date, DayEntry{day.title1, day.title2, day.colour1, day.colour2}, note);
        if (owner.diary_.RemindersOf(day.date) != day.reminders) owner.diary_.SetReminders(day.date, day.reminders);
        if (owner.diary_.Yearly(day.date).has_value() != day.yearly) owner.diary_.SetYearly(day.date, day.yearly);
        Refresh(day.date);
        Link(href, etag, remote.uid, day.date);
        ++summary.received;
        Note(L"Érkezett " + FormatDottedDate(day.date) + L": " + remote.summary);
    }

    void Link(const std::string& href, const std::string& etag, const std::wstring& uid, const Date& date) {
        state.DropRecord(href);
        state.records.push_back({href, etag, uid, date, LocalHash(date, uid).value_or(0)});
    }

    // The server's day says what the diary's does (our own write coming back without an ETag).
    bool SameAsHere(const CalendarEvent& here, const ImportedDay& day) const {
        return ContentOf(here) == ContentOf(day) && here.yearly == day.yearly &&
               owner.diary_.RemindersOf(day.date) == day.reminders;
    }

    bool LocalChanged(const SyncRecord& record) const {
        return LocalHash(record.date, record.uid).value_or(0) != record.localHash;
    }

    void ApplyRemote(const std::string& href, const std::string& etag, const std::string& data) {
        RemoteDay remote = ReadRemoteDay(data, owner.diary_.AllDayMinute());
        if (!remote.day) {
            state.passedOver[href] = etag;
            ++summary.passedOver;
            Note(L"Kihagyva " + Wide(href) + L" (" + remote.summary + L"): " + remote.passedOver);
            return;
        }
        state.passedOver.erase(href);
        const Date date = remote.day->date;
        touched.insert(SerialOf(date));
        if (const SyncQuestion* q = state.QuestionOn(date); q && q->href == href) {
            Ask(q->kind, date, href, etag, data);  // the question shows the newest version
            return;
        }
        SyncRecord* record = state.ByHref(href);
        // A day open in the editor gets nothing stored under it: its save would overwrite it.
        const bool held = owner.diary_.Held(date);
        auto store = [&](bool keepNote) {
            if (held) return Ask(SyncQuestion::Kind::BothChanged, date, href, etag, data);
            StoreRemote(href, etag, remote, keepNote);
            if (keepNote) Ask(SyncQuestion::Kind::NoteText, date, href, etag, data);
        };
        if (record && !(record->date == date)) {
            // Moved to another day on the server.
            const Date old = record->date;
            touched.insert(SerialOf(old));
            if (LocalChanged(*record) || owner.diary_.Held(old))
                return Ask(SyncQuestion::Kind::BothChanged, old, href, etag, data);
            if (local.count(SerialOf(old))) {
                owner.diary_.Delete(old);
                local.erase(SerialOf(old));
            }
            state.DropRecord(href);
            record = nullptr;
        }
        const auto here = LocalEvent(date, record ? record->uid : remote.uid);
        if (!record) {
            if (state.ByDate(date) || state.QuestionOn(date))
                return Ask(SyncQuestion::Kind::BothChanged, date, href, etag, data);
            if (!here) return store(false);
            if (ContentOf(*here) == ContentOf(*remote.day)) return Link(href, etag, remote.uid, date);
            return Ask(SyncQuestion::Kind::BothChanged, date, href, etag, data);
        }
        if (LocalChanged(*record)) {
            // Deleted here but changed there: the server's version comes back, nothing is lost.
            if (!here) return store(false);
            if (ContentOf(*here) == ContentOf(*remote.day)) return Link(href, etag, record->uid, date);
            return Ask(SyncQuestion::Kind::BothChanged, date, href, etag, data);
        }
        if (here && SameAsHere(*here, *remote.day)) return Link(href, etag, record->uid, date);
        // Only the server changed. A note's text is replaced only when the user says so.
        const bool noteDiffers = here && !here->description.empty() && ContentOf(*here).noteText != ContentOf(*remote.day).noteText;
        store(noteDiffers);
    }

    void ApplyRemoved(const std::string& href) {
        state.passedOver.erase(href);
        const SyncRecord* record = state.ByHref(href);
        if (!record || state.QuestionOn(record->date)) return;
        const Date date = record->date;
        // Before the sides were matched, or when the day changed here since: the day
        // stays and goes up again as a new event.
        if (state.matched && !LocalChanged(*record) && local.count(SerialOf(date)) && !owner.diary_.Held(date)) {
            owner.diary_.Delete(date);
            local.erase(SerialOf(date));
            ++summary.deletedHere;
            Note(L"Törölve itt " + FormatDottedDate(date) + L" (a kiszolgálón törölték)");
        }
        touched.insert(SerialOf(date));
        state.DropRecord(href);
    }

    std::string NewHref(const std::wstring& uid) const {
        return owner.calendar_ + PercentEncodePathSegment(WideToUtf8(uid)) + ".ics";
    }

    void Put(const CalendarEvent& e, SyncRecord* record) {
        const std::string href = record ? record->href : NewHref(e.uid);
        std::vector<std::pair<std::string, std::string>> headers;
        if (!record) headers.emplace_back("If-None-Match", "*");
        else if (!record->etag.empty()) headers.emplace_back("If-Match", record->etag);
        const HttpResponse response = Send("PUT", href, DayResource(e, UtcNow()), headers);
        if (response.status == 200 || response.status == 201 || response.status == 204) {
            const std::string etag = response.Header("etag");
            state.DropRecord(href);
            state.records.push_back({href, etag, e.uid, e.date, DayResourceHash(e)});
            ++summary.sent;
            Note(L"Elküldve " + FormatDottedDate(e.date) + L": " + e.summary);
            return;
        }
        if (response.status == 412 && record) {
            Note(L"A kiszolgálón közben megváltozott: " + FormatDottedDate(e.date));  // read at the next run
            return;
        }
        if (response.status == 412) {
            // Already there (a run cut off after the PUT): the same, or a question.
            const HttpResponse got = Send("GET", href, {});
            if (got.status != 200) ThrowStatus("GET", got);
            return ApplyRemote(href, got.Header("etag"), got.body);
        }
        ThrowStatus("PUT", response);
    }

    void SendLocal() {
        // The records by day as the run found them: a day's record changes in the loop
        // only on that day or on a day the loop then passes over as touched.
        std::map<int64_t, std::pair<std::wstring, uint64_t>> sent;  // serial -> UID, hash
        for (const SyncRecord& r : state.records) sent[SerialOf(r.date)] = {r.uid, r.localHash};
        // A PUT that finds the event already there reads it back, which may change `local`.
        std::vector<int64_t> serials;
        for (const auto& day : local) serials.push_back(day.first);
        size_t done = 0;
        for (const int64_t serial : serials) {
            if (owner.progress_ && ++done % 50 == 0)
                owner.progress_(L"Szinkronizálás: küldés " + std::to_wstring(done) + L"/" + std::to_wstring(serials.size()));
            const auto it = local.find(serial);
            if (it == local.end() || touched.count(serial)) continue;
            const Date date = it->second.event.date;
            const auto was = sent.find(serial);
            if (was != sent.end() && LocalHash(date, was->second.first) == was->second.second) continue;
            if (state.QuestionOn(date)) continue;
            SyncRecord* record = state.ByDate(date);
            CalendarEvent e = it->second.event;
            if (record && !record->uid.empty()) e.uid = record->uid;  // a server's event may lack a UID
            Put(e, record);
            Done();
        }
    }

    void SendDeletions() {
        std::vector<SyncRecord> gone;
        for (const SyncRecord& r : state.records)
            if (!local.count(SerialOf(r.date)) && !touched.count(SerialOf(r.date)) && !state.QuestionOn(r.date))
                gone.push_back(r);
        for (const SyncRecord& r : gone) {
            if (!state.matched) {
                state.DropRecord(r.href);  // the server's event stays
                continue;
            }
            std::vector<std::pair<std::string, std::string>> headers;
            if (!r.etag.empty()) headers.emplace_back("If-Match", r.etag);
            const HttpResponse response = Send("DELETE", r.href, {}, headers);
            if (response.status == 412) continue;  // changed there: it comes back at the next run
            if (response.status != 200 && response.status != 204 && response.status != 404) ThrowStatus("DELETE", response);
            state.DropRecord(r.href);
            ++summary.deletedThere;
            Note(L"Törölve a kiszolgálón " + FormatDottedDate(r.date));
            Done();
        }
    }

    SyncSummary Go() {
        try {
            ReadLocal();
            std::optional<Changes> changes = SinceToken();
            if (!changes) changes = FullListing();
            summary.full = changes->full;
            const auto fetched = Fetch(*changes);
            for (const auto& [href, item] : fetched) {
                ApplyRemote(href, item.first, item.second);
                Done();
            }
            for (const std::string& href : changes->removed) ApplyRemoved(href);
            SendLocal();
            SendDeletions();
            state.syncToken = changes->token;
            if (changes->full) state.matched = true;
            summary.questions = static_cast<int>(state.questions.size());
            // The state file holds a line per event: rewriting it every few minutes for
            // nothing would cost more than the run itself.
            if (state == loaded && log.Pending().empty()) return summary;
            Note(L"Kész: " + SummaryText(summary));
            Save();
            return summary;
        } catch (const std::exception& e) {
            Note(L"Megszakadt: " + Wide(e.what()));
            try {
                Save();
            } catch (...) {
            }
            throw;
        }
    }
};

CalDavSync::CalDavSync(HttpTransport& http, Diary& diary, std::string calendarUrl, SyncProgress progress,
                       LocalDays* localDays)
    : http_(http), diary_(diary), calendar_(std::move(calendarUrl)), progress_(std::move(progress)), localDays_(localDays) {
    if (calendar_.empty() || calendar_.back() != '/') calendar_ += '/';
}

SyncSummary CalDavSync::Run() { return Run_(*this).Go(); }

void CalDavSync::Answer(const Date& date, bool takeServer) {
    Run_ run(*this);
    const SyncQuestion* q = run.state.QuestionOn(date);
    if (!q) return;
    const SyncQuestion question = *q;
    std::erase_if(run.state.questions, [&](const SyncQuestion& x) { return x.date == date; });
    run.ReadLocal();
    const RemoteDay remote = ReadRemoteDay(question.remote, diary_.AllDayMinute());
    if (takeServer && remote.day) {
        // The diary's own event of the day, if it had another, goes from the server.
        // (A record whose day the diary does not have is deleted from the server by SendDeletions.)
        if (SyncRecord* other = run.state.ByDate(date); other && other->href != question.href) other->date = Date{1900, 1, 1};
        run.StoreRemote(question.href, question.etag, remote, false);
    } else if (SyncRecord* record = run.state.ByHref(question.href); record && record->date == date) {
        // The diary's version goes over the server's at the next run.
        record->etag = question.etag;
        record->localHash = 0;
    } else {
        run.state.passedOver[question.href] = question.etag;  // the server's other event stays as it is
    }
    run.Save();
}

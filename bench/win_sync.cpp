// The calendar sync against a running CalDAV server, under Wine: the first sync of a
// diary of N day entries (with notes) into an empty calendar, then an incremental sync
// of one change (five times), then with nothing to do (three times), and what the
// server alone takes for the requests of such a run. The server's URL, user and password come
// from the command line: bench_win_sync http://127.0.0.1:5299/ tivorn titok123 3650
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/winhttp_transport.h"
#include "store/diary.h"
#include "store/rtf_text.h"
#include "sync/caldav_sync.h"
#include "sync/dav_xml.h"
#include "sync/sync_state.h"
#include "sync/local_days.h"

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "bench_win_sync <server URL> <user> <password> <entries>\n");
        return 2;
    }
    const std::string base = argv[1];
    const int count = std::atoi(argv[4]);
    WinHttpTransport http(argv[2], argv[3]);
    const std::string calendar = base + argv[2] + "/bench" + std::to_string(GetTickCount()) + "/";
    if (http.Send({"MKCALENDAR", calendar, {}, {}}).status != 201) {
        std::fprintf(stderr, "MKCALENDAR failed\n");
        return 1;
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"tivorn-sync-bench" + std::to_wstring(GetTickCount());
    CreateDirectoryW(dir.c_str(), nullptr);
    Diary diary(dir);
    diary.Load();
    std::vector<DayToStore> days;
    for (int i = 0; i < count; ++i)
        days.push_back({AddDays(Date{2017, 1, 1}, i), DayEntry{L"Bejegyzés", std::to_wstring(i), 0xFF, 0},
                        PlainTextToRtf(L"A nap jegyzete, " + std::to_wstring(i) + L". sor"), false, {}});
    diary.StoreMany(days);

    LocalDays localDays(diary);  // as the program's sync keeps them
    using Clock = std::chrono::steady_clock;
    auto since = [](Clock::time_point start) {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    auto timed = [&](const char* what) {
        const auto start = Clock::now();
        const SyncSummary s = CalDavSync(http, diary, calendar, {}, &localDays).Run();
        std::printf("%-32s %9.0f ms  (elküldve %d, érkezett %d)\n", what, since(start), s.sent, s.received);
        std::fflush(stdout);
    };
    std::printf("%d entries\n", count);
    {
        // The diary's side of every run: its events with their notes' text.
        const auto start = Clock::now();
        const size_t events = diary.CalendarEvents(ExportRange::All()).size();
        std::printf("%-32s %9.0f ms  (%zu)\n", "the diary's events", since(start), events);
        std::fflush(stdout);
    }
    timed("first sync");
    for (int i = 0; i < 5; ++i) {
        diary.Store(AddDays(Date{2017, 1, 1}, i * 100), DayEntry{L"Megváltozott", std::to_wstring(i), 0xFF, 0}, "");
        timed("incremental, one change");
    }
    for (int i = 0; i < 3; ++i) timed("incremental, no change");
    // The server's share of those runs: the changes since the token, and one event's PUT.
    for (int i = 0; i < 3; ++i) {
        auto start = Clock::now();
        const HttpResponse report = http.Send({"REPORT", calendar, {{"Depth", "0"}, {"Content-Type", "application/xml"}},
                                               dav_body::SyncCollection(LoadSyncState(dir).syncToken)});
        const double reportMs = since(start);
        start = Clock::now();
        const std::string uid = "bench-" + std::to_string(GetTickCount()) + "-" + std::to_string(i);
        const HttpResponse put = http.Send({"PUT", calendar + uid + ".ics", {{"Content-Type", "text/calendar"}},
                                            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//\r\nBEGIN:VEVENT\r\nUID:" + uid +
                                                "\r\nDTSTAMP:20261209T000000Z\r\nDTSTART;VALUE=DATE:20000101\r\n"
                                                "SUMMARY:x\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"});
        std::printf("server alone: REPORT %d %6.0f ms, PUT %d %6.0f ms\n", report.status, reportMs, put.status, since(start));
    }
    return 0;
}

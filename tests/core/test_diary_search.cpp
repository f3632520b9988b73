// Searching the diary: Hungarian matching, the days found and their order, the
// snippets, and the cache of note texts kept fresh by the files' stamps.
#include <gtest/gtest.h>

#include <cwchar>
#include <map>

#include "platform/codec1250.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "store/diary_search.h"
#include "store/entry_store.h"
#include "temp_folder.h"

namespace {

std::string Note(const std::wstring& text) {
    return "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}\\f0 " + EncodeCp1250(text) + "\\par}";
}

// An in-memory data folder whose files the test changes at will, counting reads.
struct FakeFolder {
    struct File {
        std::string bytes;
        int64_t time;
    };
    std::map<std::wstring, File> files;
    int reads = 0;

    void Put(const std::wstring& name, const std::wstring& text, int64_t time = 1) {
        files[name] = {Note(text), time};
    }
    DiarySearch MakeSearch() {
        return DiarySearch(
            [this](const std::wstring& path) {
                ++reads;
                return files.at(path.substr(path.rfind(L'\\') + 1)).bytes;
            },
            [this](const std::wstring&) {
                std::vector<FolderEntry> out;
                for (const auto& [name, file] : files) out.push_back({name, file.bytes.size(), file.time});
                return out;
            });
    }
};

// The same folder with the search's cache file written into it.
struct CachedFolder : FakeFolder {
    int writes = 0;
    bool diskFull = false;
    DiarySearch MakeSearch() {
        return DiarySearch(
            [this](const std::wstring& path) {
                const std::wstring name = path.substr(path.rfind(L'\\') + 1);
                if (name != DiarySearch::kCacheFile) ++reads;
                return files.at(name).bytes;
            },
            [this](const std::wstring&) {
                std::vector<FolderEntry> out;
                for (const auto& [name, file] : files) out.push_back({name, file.bytes.size(), file.time});
                return out;
            },
            [this](const std::wstring& path, std::string_view bytes) {
                if (diskFull) throw FileCreateError(path);
                ++writes;
                files[path.substr(path.rfind(L'\\') + 1)] = {std::string(bytes), 1};
            });
    }
};

// "2026mmdd.rtf"
std::wstring NoteName(int month, int day) {
    wchar_t name[16];
    swprintf(name, 16, L"2026%02d%02d.rtf", month, day);
    return name;
}

std::vector<std::wstring> Keys(const std::vector<SearchHit>& hits) {
    std::vector<std::wstring> out;
    for (const auto& hit : hits) out.push_back(hit.dateKey.empty() ? L"jegyzet" : hit.dateKey);
    return out;
}

}  // namespace

TEST(SearchMatch, IgnoresCaseAndAccentsTheHungarianWayUnlessExact) {
    EXPECT_EQ(FoldForSearch(L"Gergő ÁRVÍZTŰRŐ tükörfúrógép"), L"gergo arvizturo tukorfurogep");
    EXPECT_EQ(FoldForSearch(L"ŐöÖóÓőÜüŰű"), L"oooooouuuu");
    auto finds = [](const wchar_t* words, const wchar_t* text, bool exact = false) {
        SearchQuery q(words, exact);
        return q.MatchesAll({q.Prepare(text)});
    };
    EXPECT_TRUE(finds(L"gergo", L"Gergő születésnapja"));
    EXPECT_TRUE(finds(L"kozos", L"közös vacsora"));
    EXPECT_TRUE(finds(L"O", L"ő"));
    EXPECT_TRUE(finds(L"O", L"Ö"));
    EXPECT_TRUE(finds(L"VACSORA kÖzÖs", L"közös vacsora")) << "every word, in any order";
    EXPECT_FALSE(finds(L"vacsora ebéd", L"közös vacsora")) << "one word missing";
    EXPECT_FALSE(finds(L"  ", L"bármi")) << "no words find nothing";
    // Exact: case and accents count.
    EXPECT_TRUE(finds(L"Gergő", L"Gergő", true));
    EXPECT_FALSE(finds(L"gergő", L"Gergő", true));
    EXPECT_FALSE(finds(L"Gergo", L"Gergő", true));
    EXPECT_EQ(SearchQuery(L"a  b\ta a", false).Words().size(), 2u);
}

TEST(SearchMatch, SnippetShowsTheNoteAroundTheFirstHit) {
    std::wstring text = L"Első sor.\n\nMásodik   sor, benne a keresett szó, és utána még sok minden más is áll itt.";
    SearchQuery q(L"keresett", false);
    std::wstring snippet = SnippetAround(text, q.FirstHit(q.Prepare(text)), 40);
    EXPECT_NE(snippet.find(L"keresett"), std::wstring::npos);
    EXPECT_EQ(snippet.substr(0, 1), L"…");
    EXPECT_EQ(snippet.substr(snippet.size() - 1), L"…");
    EXPECT_LE(snippet.size(), 42u);
    EXPECT_EQ(snippet.find(L"  "), std::wstring::npos) << "blanks and breaks become one blank";
    // A hit near the start shows the note from its start; a short note is whole.
    EXPECT_EQ(SnippetAround(L"Rövid\r\njegyzet  ", 0), L"Rövid jegyzet");
    EXPECT_EQ(SnippetAround(L"", std::wstring::npos), L"");
    // The earliest hit of any word counts.
    SearchQuery two(L"utána első", false);
    EXPECT_EQ(two.FirstHit(two.Prepare(text)), 0u);
}

TEST(DiarySearch, FindsDaysByTitlesAndNotesNewestFirst) {
    FakeFolder folder;
    folder.Put(L"20240105.rtf", L"Gergő születésnapja, közös vacsora");
    folder.Put(L"20250310.rtf", L"Fogorvos, aztán vacsora");
    folder.Put(L"20231224.rtf", L"Szenteste");
    folder.Put(L"20260101.rtf", L"Újév");  // a note without a line: no day to open
    folder.Put(L"jegyzet.rtf", L"Vacsora receptek a jegyzettömbben");
    folder.Put(L"Névnapok.rtf", L"vacsora");  // not a note
    std::vector<std::wstring> lines = {
        MakeDayEntry(Date{2024, 1, 5}, L"Születésnap", L"", 0xFF, 0),
        L"",
        L"stray text vacsora",
        MakeDayEntry(Date{2025, 3, 10}, L"Orvos", L"10 óra", 0, 0xFF0000),
        MakeDayEntry(Date{2023, 12, 24}, L"Karácsony", L"Vacsora", 0x8000, 0),
        MakeDayEntry(Date{2025, 3, 10}, L"Fogorvos", L"9 óra", 0, 0xFF0000),  // the day's last line counts
    };
    DiarySearch search = folder.MakeSearch();
    search.Refresh(L"C:\\prog\\Data");

    auto hits = search.Find(lines, SearchQuery(L"VACSORA", false));
    EXPECT_EQ(Keys(hits), (std::vector<std::wstring>{L"20250310", L"20240105", L"20231224", L"jegyzet"}));
    EXPECT_EQ(hits[0].line, 5);
    EXPECT_EQ(hits[0].title1, L"Fogorvos");
    EXPECT_EQ(hits[0].title2, L"9 óra");
    EXPECT_EQ(hits[0].colour2, 0xFF0000);
    EXPECT_EQ(hits[0].snippet, L"Fogorvos, aztán vacsora");
    EXPECT_EQ(hits[2].snippet, L"Szenteste") << "found by its title: the note from its start";

    // Words in titles and note together; the notepad needs them all in its text.
    EXPECT_EQ(Keys(search.Find(lines, SearchQuery(L"szuletesnap gergo", false))),
              std::vector<std::wstring>{L"20240105"});
    EXPECT_EQ(Keys(search.Find(lines, SearchQuery(L"ora fog", false))), std::vector<std::wstring>{L"20250310"});
    EXPECT_TRUE(search.Find(lines, SearchQuery(L"10", false)).empty()) << "an earlier line of the day is not read";
    EXPECT_TRUE(search.Find(lines, SearchQuery(L"vacsora", true)).size() == 2) << "exact: Vacsora is another word";
    EXPECT_TRUE(search.Find(lines, SearchQuery(L"ujev", false)).empty());
}

TEST(DiarySearch, ReadsOnlyNewAndChangedNotesAndInSlices) {
    FakeFolder folder;
    for (int d = 1; d <= 9; ++d) folder.Put(L"2026010" + std::to_wstring(d) + L".rtf", L"nap " + std::to_wstring(d));
    std::vector<std::wstring> lines;
    for (int d = 1; d <= 9; ++d) lines.push_back(MakeDayEntry(Date{2026, 1, d}, L"", L"", 0, 0));
    DiarySearch search = folder.MakeSearch();

    search.Plan(L"D");
    EXPECT_EQ(search.Pending(), 9u);
    // A deadline already passed still reads one file per call: the work always moves on.
    EXPECT_FALSE(search.Work(std::chrono::steady_clock::now()));
    EXPECT_EQ(folder.reads, 1);
    while (!search.Work(std::chrono::steady_clock::now())) {
    }
    EXPECT_EQ(folder.reads, 9);

    // Nothing changed: nothing is read again.
    search.Refresh(L"D");
    EXPECT_EQ(folder.reads, 9);
    // A changed time, a changed size, a new note and a deleted one.
    folder.Put(L"20260102.rtf", L"nap 2 javítva", 2);
    folder.files[L"20260103.rtf"].bytes = Note(L"csere itt");  // same time, other size
    folder.Put(L"20260110.rtf", L"új nap");
    folder.files.erase(L"20260109.rtf");
    lines.push_back(MakeDayEntry(Date{2026, 1, 10}, L"", L"", 0, 0));
    search.Refresh(L"D");
    EXPECT_EQ(folder.reads, 12);
    EXPECT_EQ(search.CachedNotes(), 9u);
    EXPECT_EQ(Keys(search.Find(lines, SearchQuery(L"javitva", false))), std::vector<std::wstring>{L"20260102"});
    EXPECT_EQ(Keys(search.Find(lines, SearchQuery(L"csere", false))), std::vector<std::wstring>{L"20260103"});
    EXPECT_TRUE(search.Find(lines, SearchQuery(L"nap 9", false)).empty());
}

TEST(DiarySearch, ReadsTheRealDataFolderAndSurvivesAnUnreadableNote) {
    TempFolder temp;
    temp.WriteBytes("Data/20261206.rtf", Note(L"Közös ebéd"));
    temp.WriteBytes("Data/20261207.rtf", Note(L"Közös vacsora"));
    std::vector<std::wstring> lines = {MakeDayEntry(Date{2026, 12, 6}, L"", L"", 0, 0),
                                       MakeDayEntry(Date{2026, 12, 7}, L"", L"", 0, 0)};
    int failures = 0;
    DiarySearch search(
        [&](const std::wstring& path) -> std::string {
            if (path.find(L"20261207") != std::wstring::npos && failures++ == 0) throw FileOpenError(path);
            return ReadWholeFile(path);
        },
        ListFolder);
    search.Refresh(temp.Dir() + L"\\Data");
    EXPECT_EQ(Keys(search.Find(lines, SearchQuery(L"kozos", false))), std::vector<std::wstring>{L"20261206"});
    search.Refresh(temp.Dir() + L"\\Data");  // the note that failed is read again
    EXPECT_EQ(Keys(search.Find(lines, SearchQuery(L"kozos", false))),
              (std::vector<std::wstring>{L"20261207", L"20261206"}));
}

TEST(SearchCache, TheNextStartReadsOnlyWhatChangedSince) {
    CachedFolder folder;
    folder.Put(L"20260101.rtf", L"Újév, közös ebéd");
    folder.Put(L"20260102.rtf", L"Gergő születésnapja");
    folder.Put(L"20260103.rtf", L"fogorvos");
    folder.Put(L"jegyzet.rtf", L"bevásárlás: kenyér");
    for (int day = 1; day <= 20; ++day) folder.Put(NoteName(2, day), L"séta");
    const std::vector<std::wstring> index = {MakeDayEntry(Date{2026, 1, 1}, L"Újév", L"", 0, 0),
                                             MakeDayEntry(Date{2026, 1, 2}, L"Gergő", L"", 0, 0)};
    {
        DiarySearch first = folder.MakeSearch();
        first.Refresh(L"D");
        EXPECT_EQ(folder.reads, 24);
        EXPECT_EQ(folder.writes, 1) << "the texts are kept for the next start";
        folder.Put(L"20260201.rtf", L"séta a parkban", 2);
        first.Refresh(L"D");
        EXPECT_EQ(folder.writes, 1) << "one changed note is not worth writing megabytes";
    }
    folder.reads = 0;
    folder.Put(L"20260103.rtf", L"fogorvos helyett úszás", 3);  // changed while the program was closed
    folder.files.erase(L"20260102.rtf");
    DiarySearch next = folder.MakeSearch();
    next.Refresh(L"D");
    EXPECT_EQ(folder.reads, 2) << "only the two notes changed since the cache was written are read";
    EXPECT_EQ(Keys(next.Find(index, SearchQuery(L"kozos", false))), std::vector<std::wstring>{L"20260101"});
    EXPECT_EQ(Keys(next.Find(index, SearchQuery(L"kenyer", false))), std::vector<std::wstring>{L"jegyzet"});
    EXPECT_EQ(next.Find(index, SearchQuery(L"Gergő", true)).size(), 1u) << "the title still matches";
    EXPECT_TRUE(next.Find(index, SearchQuery(L"szuletesnapja", false)).empty()) << "the deleted note's text is gone";
    EXPECT_EQ(next.CachedNotes(), 23u);
}

TEST(SearchCache, ReadingAheadPaysOnlyWithoutACacheOrWithManyNotesWrittenAfterIt) {
    // Notes at write time 10 + i, the cache at `cacheTime` (none when 0), other files late.
    auto folder = [](int notes, int64_t cacheTime, bool notepadLate) {
        std::vector<FolderEntry> entries{{L"index.txt", 1, 999}, {L"Névnapok.txt", 1, 999}, {L"x.rtf.tmp", 1, 999}};
        for (int i = 0; i < notes; ++i) entries.push_back({NoteName(1 + i / 28, 1 + i % 28), 1, 10 + i});
        if (cacheTime) entries.push_back({L"Kereses.cache", 1, cacheTime});
        if (notepadLate) entries.push_back({L"jegyzet.rtf", 1, 999});
        return entries;
    };
    const struct {
        int notes;
        int64_t cacheTime;
        bool notepadLate, worth;
    } cases[] = {
        {0, 0, false, true},      // no cache at all
        {40, 100, false, false},  // every note older than the cache
        {40, 34, false, false},  // 15 notes after it: the first search reads them quickly
        {40, 33, false, true},   // 16
        {40, 34, true, true},    // 15 and the notepad; other files do not count
    };
    for (const auto& c : cases)
        EXPECT_EQ(SearchCacheWorthRenewing(folder(c.notes, c.cacheTime, c.notepadLate)), c.worth)
            << c.notes << " notes, cache at " << c.cacheTime;
}

TEST(SearchCache, ADamagedOrUnwritableCacheIsOnlyAFullReading) {
    CachedFolder folder;
    for (int day = 1; day <= 20; ++day) folder.Put(NoteName(1, day), L"vacsora");
    folder.MakeSearch().Refresh(L"D");
    const std::string whole = folder.files.at(DiarySearch::kCacheFile).bytes;
    DiarySearch probe = folder.MakeSearch();
    EXPECT_TRUE(probe.LoadCache(whole));
    EXPECT_EQ(probe.CachedNotes(), 20u);
    for (size_t cut : {size_t{0}, size_t{5}, whole.size() / 2, whole.size() - 1}) {
        EXPECT_FALSE(probe.LoadCache(std::string_view(whole).substr(0, cut))) << "cut at " << cut;
        EXPECT_EQ(probe.CachedNotes(), 20u) << "a refused cache changes nothing";
    }
    std::string lying = whole;
    lying.replace(lying.find('\t', lying.find('\t', lying.find('\t') + 1) + 1) + 1, 1, "9999");
    EXPECT_FALSE(probe.LoadCache(lying)) << "a length beyond the end";
    folder.files[DiarySearch::kCacheFile].bytes = whole.substr(0, whole.size() / 2);
    folder.reads = 0;
    DiarySearch search = folder.MakeSearch();
    search.Refresh(L"D");
    EXPECT_EQ(folder.reads, 20) << "a cut cache is rebuilt from the notes";
    for (int day = 1; day <= 20; ++day) folder.Put(NoteName(3, day), L"ebéd");
    folder.diskFull = true;
    search.Refresh(L"D");
    EXPECT_EQ(search.CachedNotes(), 40u) << "the search has what it needs though the cache could not be written";
}

TEST(SearchCache, DamagedNumbersAndLengthsAreRefused) {
    const auto cache = [](const std::string& record) { return "TIVORN KERESES 1\n" + record + "VEGE\n"; };
    DiarySearch probe(nullptr, nullptr);
    EXPECT_TRUE(probe.LoadCache(cache("20260101\t18446744073709551615\t-9223372036854775808\t0\n\n")));
    EXPECT_TRUE(probe.LoadCache(cache("20260101\t12\t-5\t5\nvacsi\n")));
    const std::string damaged[] = {
        "TIVORN KERESES 1\n\t2\t999\t-1\n",  // the length -1 once wrapped past the buffer's end
        cache("20260101\t12\t-5\t+5\nvacsi\n"),
        cache("20260101\t12\t-5\t99\nvacsi\n"),
        cache("20260101\t99999999999999999999999\t-5\t5\nvacsi\n"),
        cache("20260101\t18446744073709551616\t-5\t5\nvacsi\n"),
        cache("20260101\t12\t9223372036854775808\t5\nvacsi\n"),
        cache("20260101\t12\t-1\t5\nvacsi\n"),        // a note not read is never written
        cache("20260101\t12\t-5\t3\n\xED\xA0\x80\n"),  // not UTF-8 (a surrogate)
    };
    for (const std::string& bytes : damaged) {
        EXPECT_FALSE(probe.LoadCache(bytes)) << bytes;
        EXPECT_EQ(probe.CachedNotes(), 1u) << "a refused cache changes nothing";
    }
}

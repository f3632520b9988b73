// The calendar sync against a real server: Radicale on 127.0.0.1, which the test
// fixture starts with the users "tivorn" and "telefon" and stops afterwards. A second
// client, the user's phone, writes to the same calendar with plain HTTP requests.
// Each test works in a calendar of its own.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/Szinkronizalas.h"
#include "app/SzinkronKerdesek.h"
#include "app/main.h"
#include "app/sync_service.h"
#include "harness.h"
#include "platform/protected_secret.h"
#include "platform/winhttp_transport.h"
#include "store/diary.h"
#include "store/rtf_text.h"
#include "sync/caldav_discovery.h"
#include "sync/caldav_sync.h"
#include "sync/dav_url.h"
#include "sync/dav_xml.h"

namespace {

constexpr const char* kUser = "tivorn";
constexpr const char* kPassword = "titok123";

std::string ServerUrl() {
    wchar_t url[256] = L"";
    GetEnvironmentVariableW(L"TIVORN_CALDAV_URL", url, 256);
    return WideToUtf8(url);
}

// What a phone writes: an all-day event of its own.
std::string PhoneEvent(const std::string& uid, const std::string& day, const std::string& summary,
                       const std::string& description = {}) {
    std::string ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Telefon//HU\r\nBEGIN:VEVENT\r\nUID:" + uid +
                      "\r\nDTSTAMP:20261201T100000Z\r\nDTSTART;VALUE=DATE:" + day + "\r\nSUMMARY:" + summary + "\r\n";
    if (!description.empty()) ics += "DESCRIPTION:" + description + "\r\n";
    return ics + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

// A server that goes away after a number of requests.
class CutOff : public HttpTransport {
public:
    CutOff(HttpTransport& real, int requests) : real_(real), left_(requests) {}
    HttpResponse Send(const HttpRequest& request) override {
        if (left_-- <= 0) throw HttpError("A kiszolgáló nem érhető el (a teszt elvágta).");
        return real_.Send(request);
    }

private:
    HttpTransport& real_;
    int left_;
};

class SyncTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        base = ServerUrl();
        ASSERT_FALSE(base.empty()) << "TIVORN_CALDAV_URL is set by the test fixture";
        http = std::make_unique<WinHttpTransport>(kUser, kPassword);
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        calendar = base + "tivorn/" + info->name() + std::to_string(GetTickCount()) + "/";
        const HttpResponse made = http->Send({"MKCALENDAR", calendar, {}, {}});
        ASSERT_EQ(made.status, 201) << made.body;
        diary = std::make_unique<Diary>(Dir());
        diary->Load();
    }

    SyncSummary Sync(HttpTransport* transport = nullptr) {
        return CalDavSync(transport ? *transport : *http, *diary, calendar).Run();
    }
    void Answer(const Date& day, bool takeServer) { CalDavSync(*http, *diary, calendar).Answer(day, takeServer); }

    // The phone's side.
    int PhonePut(const std::string& name, const std::string& ics) {
        return http->Send({"PUT", calendar + name, {{"Content-Type", "text/calendar"}}, ics}).status;
    }
    std::string PhoneGet(const std::string& name) {
        const HttpResponse got = http->Send({"GET", calendar + name, {}, {}});
        return got.status == 200 ? got.body : std::string();
    }
    std::string OwnName(const Date& day) { return PercentEncodePathSegment(WideToUtf8(EntryUid(day))) + ".ics"; }
    std::set<std::string> PhoneList() {
        const HttpResponse listed = http->Send({"REPORT", calendar, {{"Depth", "1"}}, dav_body::CalendarQueryEtags()});
        std::set<std::string> names;
        for (const DavItem& item : ParseMultistatus(listed.body).items)
            if (!item.isCollection) names.insert(item.href.substr(item.href.find_last_of('/') + 1));
        return names;
    }
    std::wstring NoteText(const Date& day) {
        const auto note = diary->Open(day).note;
        return note ? RtfToPlainText(*note) : L"";
    }

    std::string base, calendar;
    std::unique_ptr<HttpTransport> http;
    std::unique_ptr<Diary> diary;
};

const Date kDentist{2026, 12, 9}, kBirthday{2024, 3, 5}, kEve{2026, 12, 24}, kConcert{2026, 12, 20};

TEST_F(SyncTest, AFirstSyncMergesBothSidesAndAsksAboutADayBothHave) {
    diary->Store(kDentist, DayEntry{L"Fogorvos", L"10 óra", 0xFF, 0}, PlainTextToRtf(L"Dr. Kiss\nII. emelet"));
    diary->Store(kBirthday, DayEntry{L"Anna", L"születésnap", 0, 0}, "");
    diary->SetYearly(kBirthday, true);
    diary->SetReminders(kBirthday, {Reminder{kBirthday, 9 * 60, 1}});
    diary->Store(kEve, DayEntry{L"Szenteste"}, "");
    ASSERT_EQ(PhonePut("koncert.ics", PhoneEvent("koncert-1", "20261220", "Koncert", "Müpa\\, 19 óra")), 201);
    ASSERT_EQ(PhonePut("vacsora.ics", PhoneEvent("vacsora-1", "20261224", "Vacsora anyáéknál")), 201);

    SyncSummary first = Sync();
    EXPECT_TRUE(first.full);
    EXPECT_EQ(first.sent, 2);
    EXPECT_EQ(first.received, 1);
    EXPECT_EQ(first.questions, 1);

    // Ours on the server, with the right day, titles, text, reminder and repeat.
    const std::string dentist = PhoneGet(OwnName(kDentist));
    EXPECT_NE(dentist.find("DTSTART;VALUE=DATE:20261209"), std::string::npos) << dentist;
    EXPECT_NE(dentist.find("SUMMARY:Fogorvos 10 óra"), std::string::npos);
    EXPECT_NE(dentist.find("DESCRIPTION:Dr. Kiss\\nII. emelet"), std::string::npos);
    const std::string birthday = PhoneGet(OwnName(kBirthday));
    EXPECT_NE(birthday.find("RRULE:FREQ=YEARLY"), std::string::npos) << birthday;
    EXPECT_NE(birthday.find("TRIGGER:-PT15H"), std::string::npos);
    // The phone's in the diary; the day both have waits, untouched on both sides.
    EXPECT_EQ(diary->Open(kConcert).entry.title1, L"Koncert");
    EXPECT_EQ(NoteText(kConcert), L"Müpa, 19 óra\n");
    EXPECT_EQ(diary->Open(kEve).entry.title1, L"Szenteste");
    EXPECT_NE(PhoneGet("vacsora.ics").find("Vacsora"), std::string::npos);
    const std::set<std::string> four{"koncert.ics", "vacsora.ics", OwnName(kDentist), OwnName(kBirthday)};
    EXPECT_EQ(PhoneList(), four);

    // Again: nothing to do, nothing doubled.
    const SyncSummary again = Sync();
    EXPECT_EQ(again.sent + again.received + again.deletedHere + again.deletedThere, 0);
    EXPECT_FALSE(again.full) << "the second run goes by the sync token";

    // The user takes the phone's version of Christmas Eve.
    Answer(kEve, true);
    EXPECT_EQ(diary->Open(kEve).entry.title1, L"Vacsora anyáéknál");
    Sync();
    EXPECT_EQ(PhoneList(), four);
    EXPECT_EQ(LoadSyncState(Dir()).questions.size(), 0u);
}

TEST_F(SyncTest, ChangesQuestionsAndDeletionsCrossOver) {
    diary->Store(kDentist, DayEntry{L"Fogorvos", L"", 0, 0}, PlainTextToRtf(L"Dr. Kiss"));
    diary->Store(kConcert, DayEntry{L"Koncert", L"", 0, 0}, "");
    Sync();

    // The phone renames one, the diary the other: each reaches the other side.
    std::string dentist = PhoneGet(OwnName(kDentist));
    dentist.replace(dentist.find("SUMMARY:Fogorvos"), 16, "SUMMARY:Fogorvos elmarad");
    ASSERT_LT(PhonePut(OwnName(kDentist), dentist), 300);
    diary->Store(kConcert, DayEntry{L"Koncert", L"elhalasztva", 0, 0}, "");
    SyncSummary run = Sync();
    EXPECT_EQ(run.received, 1);
    EXPECT_EQ(run.sent, 1);
    EXPECT_EQ(diary->Open(kDentist).entry.title1, L"Fogorvos elmarad");
    EXPECT_NE(PhoneGet(OwnName(kConcert)).find("SUMMARY:Koncert elhalasztva"), std::string::npos);

    // The phone changes the description: the note is replaced only when the user says so.
    dentist = PhoneGet(OwnName(kDentist));
    dentist.replace(dentist.find("DESCRIPTION:Dr. Kiss"), 20, "DESCRIPTION:Dr. Nagy");
    ASSERT_LT(PhonePut(OwnName(kDentist), dentist), 300);
    EXPECT_EQ(Sync().questions, 1);
    EXPECT_EQ(NoteText(kDentist), L"Dr. Kiss\n");
    Answer(kDentist, true);
    EXPECT_EQ(NoteText(kDentist), L"Dr. Nagy\n");

    // Both sides change the same day: a question; the diary's version kept goes up.
    // The phone's change comes while the day is open in the editor: nothing is stored
    // under it, or the editor's save would overwrite it unseen.
    std::string concert = PhoneGet(OwnName(kConcert));
    concert.replace(concert.find("SUMMARY:Koncert elhalasztva"), 27, "SUMMARY:Koncert a telefonról");
    ASSERT_LT(PhonePut(OwnName(kConcert), concert), 300);
    {
        const Diary::DayHold editing = diary->Hold(kConcert);
        EXPECT_EQ(Sync().questions, 1);
        EXPECT_EQ(diary->Open(kConcert).entry.title2, L"elhalasztva");
        diary->Store(kConcert, DayEntry{L"Koncert", L"a gépről", 0, 0}, "");  // the editor's save
    }
    EXPECT_EQ(Sync().questions, 1);
    Answer(kConcert, false);
    Sync();
    EXPECT_NE(PhoneGet(OwnName(kConcert)).find("SUMMARY:Koncert a gépről"), std::string::npos);

    // A deletion on either side deletes on the other.
    ASSERT_LT(http->Send({"DELETE", calendar + OwnName(kDentist), {}, {}}).status, 300);
    diary->Delete(kConcert);
    run = Sync();
    EXPECT_EQ(run.deletedHere, 1);
    EXPECT_EQ(run.deletedThere, 1);
    EXPECT_FALSE(diary->Open(kDentist).hasLine);
    EXPECT_TRUE(PhoneList().empty());
}

TEST_F(SyncTest, ARunCutOffGoesOnLaterWithNothingLostOrDoubled) {
    std::vector<DayToStore> days;
    for (int i = 0; i < 40; ++i)
        days.push_back({AddDays(Date{2026, 1, 1}, i * 3), DayEntry{L"Nap " + std::to_wstring(i)}, "", false, {}});
    diary->StoreMany(days);
    ASSERT_EQ(PhonePut("telefon.ics", PhoneEvent("t-1", "20260102", "Telefonról")), 201);

    CutOff dying(*http, 15);
    EXPECT_THROW(Sync(&dying), HttpError);
    EXPECT_FALSE(LoadSyncState(Dir()).records.empty()) << "what was done is remembered";

    Sync();
    const std::set<std::string> names = PhoneList();
    EXPECT_EQ(names.size(), 41u);
    for (const DayToStore& d : days) EXPECT_TRUE(names.count(OwnName(d.date))) << WideToUtf8(DateKey(d.date));
    EXPECT_EQ(diary->Open(Date{2026, 1, 2}).entry.title1, L"Telefonról");
    const SyncSummary again = Sync();
    EXPECT_EQ(again.sent + again.received, 0);
}

TEST_F(SyncTest, AWrongPasswordIsToldAndChangesNothing) {
    diary->Store(kDentist, DayEntry{L"Fogorvos"}, "");
    WinHttpTransport wrong(kUser, "rossz");
    try {
        Sync(&wrong);
        ADD_FAILURE() << "a wrong password must fail";
    } catch (const SyncError& e) {
        EXPECT_NE(e.Text().find(L"jelszó"), std::wstring::npos);
    }
    EXPECT_TRUE(PhoneList().empty());
    EXPECT_TRUE(LoadSyncState(Dir()).records.empty());
}

TEST_F(SyncTest, TheAccountWindowFindsCalendarsAndKeepsThePasswordProtected) {
    auto main = OpenMainWindow();
    AnswerNextModal([&](Form& form) {
        auto& window = dynamic_cast<Tfrm_Szinkronizalas&>(form);
        window.edCim.SetText(Utf8ToWide(base.substr(0, base.size() - 1)));  // a plain address, no calendar
        window.edFelhasznalo.SetText(Utf8ToWide(kUser));
        window.edJelszo.SetText(Utf8ToWide(kPassword));
        window.btnProbaClick();
        for (int i = 0; i < 500 && window.Busy(); ++i) {
            Pump();
            Sleep(20);
        }
        EXPECT_NE(window.StatusText().find(L"A kapcsolat jó"), std::wstring::npos) << WideToUtf8(window.StatusText());
        window.btnUjNaptarClick();
        for (int i = 0; i < 500 && window.Busy(); ++i) {
            Pump();
            Sleep(20);
        }
        EXPECT_GE(window.cmbNaptar.SelectedIndex(), 0);
        window.cbSzinkron.SetChecked(true);
        window.btnRendbenClick();
    });
    main->mniSzinkronizalasClick();
    const SyncAccount account = ReadSyncAccount(HKEY_CURRENT_USER, Tfrm_Main::kRegistryKey);
    EXPECT_TRUE(account.on);
    EXPECT_NE(account.calendarUrl.find("/tivorn/tivorn"), std::string::npos) << account.calendarUrl;
    EXPECT_EQ(account.protectedPassword.find(kPassword), std::string::npos);
    EXPECT_EQ(UnprotectSecret(account.protectedPassword), kPassword);
    // The first run goes at once; the status bar tells its result.
    ASSERT_NE(main->Sync, nullptr);
    for (int i = 0; i < 500 && main->pHint.Caption().find(L"Szinkronizálva") == std::wstring::npos; ++i) {
        Pump();
        Sleep(20);
    }
    EXPECT_TRUE(main->Sync->Status().error.empty()) << WideToUtf8(main->Sync->Status().error);
    EXPECT_NE(main->pHint.Caption().find(L"Szinkronizálva"), std::wstring::npos) << WideToUtf8(main->pHint.Caption());
    EXPECT_TRUE(errors.empty());
}

}  // namespace

// The sync's HTTP over WinHTTP, against a real CalDAV server (Radicale) and a small
// server of awkward answers (tests/sync/http_fixture.py), both started by the
// `radicale` test fixture (tests/sync/radicale.sh), and the password at rest.
#include <gtest/gtest.h>
#include <windows.h>

#include <wincrypt.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "platform/errors.h"
#include "platform/protected_secret.h"
#include "platform/winhttp_transport.h"

namespace {

using Headers = std::vector<std::pair<std::string, std::string>>;

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// "http://127.0.0.1:5298/" with another port
std::string WithPort(std::string url, int delta) {
    const auto colon = url.rfind(':'), slash = url.find('/', colon);
    return url.substr(0, colon + 1) + std::to_string(std::stoi(url.substr(colon + 1)) + delta) + url.substr(slash);
}

class SyncTransport : public ::testing::Test {
protected:
    void SetUp() override {
        if (caldav.empty() || fixture.empty())
            GTEST_SKIP() << "TIVORN_CALDAV_URL and TIVORN_HTTP_FIXTURE_URL come from the radicale test fixture";
    }
    const std::string caldav = Env("TIVORN_CALDAV_URL"), fixture = Env("TIVORN_HTTP_FIXTURE_URL");
};

HttpResponse Send(HttpTransport& transport, std::string method, std::string url, Headers headers = {},
                  std::string body = {}) {
    return transport.Send({std::move(method), std::move(url), std::move(headers), std::move(body)});
}

// The HttpError's text, or "" when the request got an answer.
std::string ErrorOf(HttpTransport& transport, const std::string& url) {
    try {
        Send(transport, "GET", url);
    } catch (const HttpError& e) {
        return e.what();
    }
    return "";
}

TEST_F(SyncTransport, TalksCalDavWithRadicale) {
    WinHttpTransport transport("tivorn", "titok123");
    const HttpResponse root = Send(transport, "PROPFIND", caldav, {{"Depth", "0"}});
    EXPECT_EQ(207, root.status);
    EXPECT_NE(std::string::npos, root.body.find("multistatus")) << root.body;
    EXPECT_NE(std::string::npos, root.Header("content-type").find("xml"));

    WinHttpTransport wrong("tivorn", "rossz");
    EXPECT_EQ(401, Send(wrong, "PROPFIND", caldav, {{"Depth", "0"}}).status);

    const std::string calendar = caldav + "tivorn/t1/";
    ASSERT_EQ(201, Send(transport, "MKCALENDAR", calendar).status);
    const std::string event =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tivorn//HU\r\nBEGIN:VEVENT\r\nUID:t1-e1@tivorn\r\n"
        "DTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20260315\r\nSUMMARY:Nemzeti ünnep\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n";
    const HttpResponse put = Send(transport, "PUT", calendar + "e1.ics",
                                  {{"Content-Type", "text/calendar; charset=utf-8"}, {"If-None-Match", "*"}}, event);
    EXPECT_EQ(201, put.status);
    ASSERT_FALSE(put.Header("etag").empty());

    const HttpResponse got = Send(transport, "GET", calendar + "e1.ics");
    EXPECT_EQ(200, got.status);
    EXPECT_EQ(put.Header("etag"), got.Header("etag"));
    EXPECT_NE(std::string::npos, got.body.find("SUMMARY:Nemzeti ünnep"));

    // Another user's calendar is not ours to read.
    WinHttpTransport phone("telefon", "telefon123");
    EXPECT_EQ(403, Send(phone, "GET", calendar + "e1.ics").status);
}

TEST_F(SyncTransport, FollowsRedirectsKeepingCredentialsAtHome) {
    WinHttpTransport transport("tivorn", "titok123");
    struct Case {
        const char* method;
        const char* path;
        const char* echo;  // what /target saw
    } cases[] = {
        {"PUT", "moved", "PUT auth=yes body=5"},         // 308 keeps method and body
        {"PUT", "found", "PUT auth=yes body=5"},         // so does 302, unlike browsers
        {"PUT", "see-other", "GET auth=yes body=0"},     // 303 asks for the answer with GET
        {"PUT", "other-origin", "PUT auth=no body=5"},   // no credentials to another server
        {"PUT", "deep/er/down", "PUT auth=yes body=5"},  // 301 to "../../target"
    };
    for (const Case& c : cases) {
        const HttpResponse response = Send(transport, c.method, fixture + c.path, {}, "hello");
        EXPECT_EQ(200, response.status) << c.path;
        EXPECT_EQ(c.echo, response.body) << c.path;
    }
    // The credentials belong to the first request's origin, also without a redirect.
    std::string elsewhere = fixture;
    elsewhere.replace(elsewhere.find("127.0.0.1"), 9, "127.0.0.2");
    EXPECT_EQ("GET auth=no body=0", Send(transport, "GET", elsewhere + "target").body);

    EXPECT_NE(std::string::npos, ErrorOf(transport, fixture + "loop").find("Túl sok átirányítás (több mint 5)"));
    WinHttpTransport none("tivorn", "titok123", {.maxRedirects = 0});
    EXPECT_NE(std::string::npos, ErrorOf(none, fixture + "moved").find("Túl sok átirányítás (több mint 0)"));
}

TEST_F(SyncTransport, FailuresAreHttpErrorsInTime) {
    HttpLimits limits;
    limits.maxBody = 1 << 20;
    limits.connectTimeoutMs = 1000;
    limits.receiveTimeoutMs = 1000;
    WinHttpTransport transport("tivorn", "titok123", limits);
    std::string tls = WithPort(fixture, -2);
    tls.replace(0, 4, "https");
    struct Case {
        std::string url, error;
        bool systemCode;  // the text names the system's error code
    } cases[] = {
        {WithPort(fixture, -4), "A kiszolgáló nem érhető el: 127.0.0.1:", true},  // nobody listens there
        {WithPort(fixture, -1), "Időtúllépés", true},                              // never accepts
        {fixture + "slow", "Időtúllépés", true},
        {tls + "target", "A biztonságos (TLS) kapcsolat nem jött létre", true},  // a self-signed certificate
        {fixture + "big", "A kiszolgáló válasza túl nagy (több mint 1 MB)", false},     // announced
        {fixture + "stream", "A kiszolgáló válasza túl nagy (több mint 1 MB)", false},  // counted
        {"ftp://127.0.0.1/", "Érvénytelen kiszolgálócím", false},
    };
    for (const Case& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        const std::string error = ErrorOf(transport, c.url);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << c.url;
        EXPECT_NE(std::string::npos, error.find(c.error)) << c.url << ": " << error;
        EXPECT_EQ(c.systemCode, error.find("(hibakód ") != std::string::npos) << c.url << ": " << error;
    }
    // Within the limit the whole answer comes.
    WinHttpTransport roomy("tivorn", "titok123");
    EXPECT_EQ(size_t{2} << 20, Send(roomy, "GET", fixture + "stream").body.size());
}

TEST(ProtectedSecret, KeepsThePasswordOnlyEncrypted) {
    for (const std::string& password :
         {std::string("titok123"), std::string("árvíztűrő tükörfúrógép"), std::string(300, 'x'), std::string()}) {
        const std::string stored = ProtectSecret(password);
        EXPECT_EQ(password, UnprotectSecret(stored));
        DWORD size = 0;
        ASSERT_TRUE(CryptStringToBinaryA(stored.c_str(), 0, CRYPT_STRING_BASE64, nullptr, &size, nullptr, nullptr));
        std::string sealed(size, '\0');
        CryptStringToBinaryA(stored.c_str(), 0, CRYPT_STRING_BASE64, reinterpret_cast<BYTE*>(sealed.data()), &size,
                             nullptr, nullptr);
        if (!password.empty()) {
            EXPECT_EQ(std::string::npos, stored.find(password));
            EXPECT_EQ(std::string::npos, sealed.find(password));
        }
        EXPECT_EQ(std::string::npos, stored.find_first_of("\r\n"));  // one registry line
    }
    // One base64 digit changed in the cipher text, and one in the signature after it.
    const std::string whole = ProtectSecret("titok123");
    std::string inCipher = whole, inSignature = whole;
    for (auto [text, at] : {std::pair{&inCipher, whole.size() - 40}, std::pair{&inSignature, whole.size() - 8}})
        (*text)[at] = (*text)[at] == 'A' ? 'B' : 'A';
    for (const std::string& stored : {inCipher, inSignature, std::string("nem base64!"), std::string(), whole.substr(0, 40)})
        EXPECT_THROW(UnprotectSecret(stored), AppError) << stored;
}

}  // namespace

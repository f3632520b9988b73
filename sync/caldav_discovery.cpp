#include "sync/caldav_discovery.h"

#include <algorithm>
#include <optional>

#include "platform/errors.h"
#include "sync/caldav_sync.h"
#include "sync/dav_url.h"
#include "sync/dav_xml.h"

namespace {

std::string WithSlash(std::string url) {
    if (url.empty() || url.back() != '/') url += '/';
    return url;
}

std::optional<Multistatus> Propfind(HttpTransport& http, const std::string& url, std::string body, const char* depth) {
    HttpResponse response = http.Send(HttpRequest{
        "PROPFIND", url, {{"Depth", depth}, {"Content-Type", "application/xml; charset=utf-8"}}, std::move(body)});
    if (response.status == 401)
        throw WrongPasswordError();
    if (response.status != 207) return std::nullopt;
    try {
        return ParseMultistatus(response.body);
    } catch (const DavXmlError&) {
        return std::nullopt;  // not a calendar server's answer
    }
}

std::optional<std::string> Absolute(const std::string& base, const std::string& href) {
    if (href.empty()) return std::nullopt;
    return ResolveHref(base, href);
}

std::wstring LastPart(const std::string& url) {
    std::string path = url;
    while (!path.empty() && path.back() == '/') path.pop_back();
    return Utf8ToWide(path.substr(path.find_last_of('/') + 1));
}

}  // namespace

Discovery DiscoverCalendars(HttpTransport& http, const std::string& address) {
    Discovery found;
    // The address may be a calendar itself.
    if (const auto self = Propfind(http, address, dav_body::PropfindCalendars(), "0"))
        for (const DavItem& item : self->items)
            if (item.isCalendar) {
                found.calendars.push_back(
                    {WithSlash(address), item.displayName.empty() ? LastPart(address) : Utf8ToWide(item.displayName),
                     item.supportsEvents, item.canWrite});
                return found;
            }
    // The principal: at the address, or where the well-known address leads.
    std::optional<std::string> principal;
    auto principalAt = [&](const std::string& url) {
        if (const auto ms = Propfind(http, url, dav_body::PropfindPrincipal(), "0"))
            for (const DavItem& item : ms->items)
                if (!item.principal.empty()) principal = Absolute(url, item.principal);
    };
    principalAt(address);
    if (!principal)
        if (const auto url = ParseUrl(address)) principalAt(UrlText(Url{url->scheme, url->host, url->port, "/.well-known/caldav"}));
    if (!principal) throw SyncError(L"Ezen a címen nem található CalDAV naptárkiszolgáló.");
    if (const auto ms = Propfind(http, *principal, dav_body::PropfindCalendarHome(), "0"))
        for (const DavItem& item : ms->items)
            if (!item.calendarHome.empty()) found.home = WithSlash(Absolute(*principal, item.calendarHome).value_or(""));
    if (found.home.empty()) throw SyncError(L"A kiszolgáló nem adta meg, hol vannak a naptárak.");
    if (const auto ms = Propfind(http, found.home, dav_body::PropfindCalendars(), "1"))
        for (const DavItem& item : ms->items) {
            const auto url = Absolute(found.home, item.href);
            if (!item.isCalendar || !url || SameResource(*url, found.home)) continue;
            found.calendars.push_back({WithSlash(*url),
                                       item.displayName.empty() ? LastPart(*url) : Utf8ToWide(item.displayName),
                                       item.supportsEvents, item.canWrite});
        }
    std::stable_sort(found.calendars.begin(), found.calendars.end(), [](const CalendarInfo& a, const CalendarInfo& b) {
        return a.supportsEvents != b.supportsEvents ? a.supportsEvents : a.name < b.name;
    });
    return found;
}

std::string MakeCalendar(HttpTransport& http, const std::string& home, const std::wstring& name) {
    const std::string base = WithSlash(home);
    std::string last;
    for (int n = 1; n <= 20; ++n) {
        const std::string url = base + "tivorn" + (n == 1 ? std::string() : "-" + std::to_string(n)) + "/";
        const HttpResponse response = http.Send(HttpRequest{
            "MKCALENDAR", url, {{"Content-Type", "application/xml; charset=utf-8"}}, dav_body::Mkcalendar(WideToUtf8(name))});
        if (response.status == 201 || response.status == 200) return url;
        if (response.status == 401)
            throw WrongPasswordError();
        // 405 or 409: something of that name is there already.
        if (response.status != 405 && response.status != 409 && response.status != 412) {
            last = std::to_string(response.status);
            break;
        }
    }
    throw SyncError(L"A kiszolgáló nem hozta létre a naptárat" + (last.empty() ? std::wstring(L".") : L" (" + Utf8ToWide(last) + L")."));
}

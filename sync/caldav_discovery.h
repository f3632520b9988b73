// Finding the user's calendars on a CalDAV server (RFC 4791, RFC 6764) from what the
// account window was given: a calendar's own URL, the server's address, or a plain
// host name (then "/.well-known/caldav" leads to it).
#pragma once

#include <string>
#include <vector>

#include "sync/http.h"

struct CalendarInfo {
    std::string url;           // absolute, ending in "/"
    std::wstring name;         // its display name, or the last part of its URL
    bool supportsEvents = true;
    bool writable = true;
};

struct Discovery {
    std::string home;                     // where new calendars are made ("" when unknown)
    std::vector<CalendarInfo> calendars;  // those that hold events first, by name
};

// Throws SyncError (a wrong password, no calendar server there) or HttpError.
Discovery DiscoverCalendars(HttpTransport& http, const std::string& address);

// Makes a calendar of events named `name` in the home collection; its URL.
// Throws SyncError when the server refuses.
std::string MakeCalendar(HttpTransport& http, const std::string& home, const std::wstring& name);

// Addresses of the calendar sync: the server address the user typed, the URLs the
// requests go to, and the hrefs a server answers with. Only http and https; a user
// name and password never travel inside an address (the account keeps them apart).
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct Url {
    std::string scheme;  // "http" or "https"
    std::string host;    // lower case; an IPv6 address in brackets: "[::1]"
    int port = 0;        // always set: 80 or 443 when the text named none
    std::string path;    // starts with "/", percent-encoded as given (a query kept after "?")

    bool operator==(const Url&) const = default;
};

// An absolute http(s) URL. Default ports 80/443; a user name ("user@host") is refused;
// a fragment is dropped; characters a URL cannot hold as they are (spaces, non-ASCII
// text) are percent-encoded in the path.
std::optional<Url> ParseUrl(std::string_view text);
// The URL as text; the port is left out when it is the scheme's default.
std::string UrlText(const Url& url);

// What the user typed in the account window: "cloud.example.hu" -> "https://cloud.example.hu/",
// "http://127.0.0.1:5232" -> "http://127.0.0.1:5232/"; none for text that cannot be an
// address (another scheme, a space in the host name, a user name, a bad port).
std::optional<std::string> AddressFromUserText(std::wstring_view text);

// An href of a multistatus (absolute path "/a/b.ics", full URL, or relative "b.ics") made
// absolute against the request URL; none for another scheme or nonsense.
std::optional<std::string> ResolveHref(const std::string& base, std::string_view href);

// Same resource? Compares scheme, host, port and the percent-decoded path
// ("/a%40b/" == "/a@b/"), ignoring a trailing slash. False when either is no URL.
bool SameResource(std::string_view a, std::string_view b);
// Same scheme, host and port.
bool SameOrigin(std::string_view a, std::string_view b);

// One path segment (a new event's file name) with everything but letters, digits and
// "-._~" percent-encoded, so it is read back the same by every server.
std::string PercentEncodePathSegment(std::string_view utf8);

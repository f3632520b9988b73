// The WebDAV/CalDAV XML of the calendar sync: the multistatus answers read into plain
// structs, and the request bodies. Elements are matched by namespace and local name,
// whatever prefixes a server writes (DAV: "DAV:", CalDAV "urn:ietf:params:xml:ns:caldav",
// CS "http://calendarserver.org/ns/").
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct DavItem {
    std::string href;            // as written (trimmed)
    int status = 0;              // the response's own <status> (e.g. 404 of a removed member in a
                                 // sync report), else the status of the propstat that holds the props
                                 // found; 0 when none given
    std::string etag;            // DAV:getetag, quotes kept
    std::string calendarData;    // C:calendar-data text (UTF-8 iCalendar), "" when absent
    bool isCollection = false;   // DAV:resourcetype children
    bool isCalendar = false;
    bool supportsEvents = true;  // C:supported-calendar-component-set lists VEVENT, or is absent
    std::string displayName;     // UTF-8
    std::string ctag;            // CS:getctag
    std::string syncToken;       // DAV:sync-token property (PROPFIND)
    std::string principal;       // DAV:current-user-principal/DAV:href
    std::string calendarHome;    // C:calendar-home-set/DAV:href (first)
    bool canWrite = true;        // false when current-user-privilege-set is present without write/all
};

struct Multistatus {
    std::vector<DavItem> items;
    std::string syncToken;  // the top-level DAV:sync-token of a sync-collection report
};

// An answer that cannot be read; the text says why, in Hungarian.
class DavXmlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Only props inside a propstat whose status is 2xx are taken. Throws DavXmlError for
// malformed XML, a root that is not DAV:multistatus, more than maxItems responses, or
// nesting deeper than 64. A document type declaration is refused, and with it every
// entity but XML's own five: nothing is expanded or fetched.
Multistatus ParseMultistatus(std::string_view xml, size_t maxItems = 200000);

// Request bodies: UTF-8 with the XML declaration.
namespace dav_body {
std::string PropfindPrincipal();        // DAV:current-user-principal
std::string PropfindCalendarHome();     // C:calendar-home-set
std::string PropfindCalendars();        // resourcetype, displayname, supported-calendar-component-set,
                                        // CS:getctag, DAV:sync-token, current-user-privilege-set
std::string PropfindCollectionState();  // DAV:sync-token, CS:getctag (Depth 0 on a calendar)
// RFC 6578 sync-collection REPORT, sync-level 1, prop getetag; an empty token asks for
// the initial sync.
std::string SyncCollection(std::string_view token);
std::string CalendarQueryEtags();  // C:calendar-query, comp-filter VCALENDAR/VEVENT, getetag only
std::string CalendarMultiget(const std::vector<std::string>& hrefs);  // getetag + calendar-data
std::string Mkcalendar(std::string_view displayName);  // displayname + component set VEVENT only
}  // namespace dav_body

// Text for XML content or an attribute value: the five special characters as entities, a
// carriage return as "&#13;" (a reader would turn a bare one into a line feed), and the
// control characters XML cannot hold at all left out.
std::string XmlEscape(std::string_view utf8);

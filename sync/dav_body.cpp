// The bodies of the sync's PROPFIND, REPORT and MKCALENDAR requests, with the
// prefixes most servers write themselves (d: DAV, c: CalDAV, cs: CalendarServer).
#include <initializer_list>

#include "sync/dav_xml.h"

namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
constexpr const char* kNamespaces =
    " xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" xmlns:cs=\"http://calendarserver.org/ns/\"";

std::string Props(std::initializer_list<const char*> names) {
    std::string out = "  <d:prop>\n";
    for (const char* name : names) out += "    <" + std::string(name) + "/>\n";
    return out + "  </d:prop>\n";
}

std::string Propfind(std::initializer_list<const char*> names) {
    return std::string(kDeclaration) + "<d:propfind" + kNamespaces + ">\n" + Props(names) + "</d:propfind>\n";
}

}  // namespace

namespace dav_body {

std::string PropfindPrincipal() { return Propfind({"d:current-user-principal"}); }

std::string PropfindCalendarHome() { return Propfind({"c:calendar-home-set"}); }

std::string PropfindCalendars() {
    return Propfind({"d:resourcetype", "d:displayname", "c:supported-calendar-component-set", "cs:getctag",
                     "d:sync-token", "d:current-user-privilege-set"});
}

std::string PropfindCollectionState() { return Propfind({"d:sync-token", "cs:getctag"}); }

std::string SyncCollection(std::string_view token) {
    return std::string(kDeclaration) + "<d:sync-collection" + kNamespaces + ">\n" +
           (token.empty() ? "  <d:sync-token/>\n" : "  <d:sync-token>" + XmlEscape(token) + "</d:sync-token>\n") +
           "  <d:sync-level>1</d:sync-level>\n" + Props({"d:getetag"}) + "</d:sync-collection>\n";
}

std::string CalendarQueryEtags() {
    return std::string(kDeclaration) + "<c:calendar-query" + kNamespaces + ">\n" + Props({"d:getetag"}) +
           "  <c:filter>\n"
           "    <c:comp-filter name=\"VCALENDAR\">\n"
           "      <c:comp-filter name=\"VEVENT\"/>\n"
           "    </c:comp-filter>\n"
           "  </c:filter>\n"
           "</c:calendar-query>\n";
}

std::string CalendarMultiget(const std::vector<std::string>& hrefs) {
    std::string out = std::string(kDeclaration) + "<c:calendar-multiget" + kNamespaces + ">\n" +
                      Props({"d:getetag", "c:calendar-data"});
    for (const std::string& href : hrefs) out += "  <d:href>" + XmlEscape(href) + "</d:href>\n";
    return out + "</c:calendar-multiget>\n";
}

std::string Mkcalendar(std::string_view displayName) {
    return std::string(kDeclaration) + "<c:mkcalendar" + kNamespaces + ">\n" +
           "  <d:set>\n"
           "    <d:prop>\n"
           "      <d:displayname>" + XmlEscape(displayName) + "</d:displayname>\n"
           "      <c:supported-calendar-component-set>\n"
           "        <c:comp name=\"VEVENT\"/>\n"
           "      </c:supported-calendar-component-set>\n"
           "    </d:prop>\n"
           "  </d:set>\n"
           "</c:mkcalendar>\n";
}

}  // namespace dav_body

std::string XmlEscape(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        case '\r': out += "&#13;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') out += c;
            break;
        }
    }
    return out;
}

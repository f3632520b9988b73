// The walk from a multistatus answer to DavItems: each element is known by its parent
// and its name (a table), so a prop is taken only where it belongs (a DAV:href counts
// only inside a response, a principal or a home set).
#include "sync/dav_xml.h"

#include <algorithm>
#include <vector>

#include "sync/xml_reader.h"

namespace {

constexpr std::string_view kDav = "DAV:";
constexpr std::string_view kCalDav = "urn:ietf:params:xml:ns:caldav";
constexpr std::string_view kCalendarServer = "http://calendarserver.org/ns/";
constexpr size_t kMaxDepth = 64;

enum class Node {
    Other, Multistatus, ReportSyncToken, Response, Href, ResponseStatus, Propstat, PropstatStatus, Prop,
    Etag, CalendarData, ResourceType, Collection, Calendar, ComponentSet, Component, DisplayName, Ctag,
    SyncToken, Principal, PrincipalHref, Home, HomeHref, PrivilegeSet, Privilege, Write,
};

struct Child {
    Node parent;
    std::string_view space, local;
    Node node;
};

constexpr Child kChildren[] = {
    {Node::Multistatus, kDav, "response", Node::Response},
    {Node::Multistatus, kDav, "sync-token", Node::ReportSyncToken},
    {Node::Response, kDav, "href", Node::Href},
    {Node::Response, kDav, "status", Node::ResponseStatus},
    {Node::Response, kDav, "propstat", Node::Propstat},
    {Node::Propstat, kDav, "prop", Node::Prop},
    {Node::Propstat, kDav, "status", Node::PropstatStatus},
    {Node::Prop, kDav, "getetag", Node::Etag},
    {Node::Prop, kCalDav, "calendar-data", Node::CalendarData},
    {Node::Prop, kDav, "resourcetype", Node::ResourceType},
    {Node::ResourceType, kDav, "collection", Node::Collection},
    {Node::ResourceType, kCalDav, "calendar", Node::Calendar},
    {Node::Prop, kCalDav, "supported-calendar-component-set", Node::ComponentSet},
    {Node::ComponentSet, kCalDav, "comp", Node::Component},
    {Node::Prop, kDav, "displayname", Node::DisplayName},
    {Node::Prop, kCalendarServer, "getctag", Node::Ctag},
    {Node::Prop, kDav, "sync-token", Node::SyncToken},
    {Node::Prop, kDav, "current-user-principal", Node::Principal},
    {Node::Principal, kDav, "href", Node::PrincipalHref},
    {Node::Prop, kCalDav, "calendar-home-set", Node::Home},
    {Node::Home, kDav, "href", Node::HomeHref},
    {Node::Prop, kDav, "current-user-privilege-set", Node::PrivilegeSet},
    {Node::PrivilegeSet, kDav, "privilege", Node::Privilege},
    {Node::Privilege, kDav, "write", Node::Write},
    {Node::Privilege, kDav, "all", Node::Write},
};

bool HasText(Node node) {
    switch (node) {
    case Node::ReportSyncToken: case Node::Href: case Node::ResponseStatus: case Node::PropstatStatus:
    case Node::Etag: case Node::CalendarData: case Node::DisplayName: case Node::Ctag: case Node::SyncToken:
    case Node::PrincipalHref: case Node::HomeHref:
        return true;
    default:
        return false;
    }
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trimmed(std::string text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// "HTTP/1.1 404 Not Found" -> 404; 0 for a line that holds no status code (100-999).
int StatusCode(const std::string& line) {
    const std::string text = Trimmed(line);
    const size_t space = text.find(' ');
    if (space == std::string::npos || text.compare(0, 5, "HTTP/") != 0) return 0;
    int code = 0;
    size_t i = space + 1, digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) code = code * 10 + (text[i] - '0');
    return digits == 3 && code >= 100 && (i == text.size() || text[i] == ' ') ? code : 0;
}

// The props of one propstat, kept until its status says whether they count.
struct Found {
    enum : unsigned {
        kEtag = 1, kCalendarData = 2, kResourceType = 4, kComponents = 8, kDisplayName = 16, kCtag = 32,
        kSyncToken = 64, kPrincipal = 128, kHome = 256, kPrivileges = 512,
    };
    unsigned props = 0;
    int status = 0;
    DavItem values;

    void MoveInto(DavItem& item) {
        if (props & kEtag) item.etag = std::move(values.etag);
        if (props & kCalendarData) item.calendarData = std::move(values.calendarData);
        if (props & kResourceType) {
            item.isCollection = values.isCollection;
            item.isCalendar = values.isCalendar;
        }
        if (props & kComponents) item.supportsEvents = values.supportsEvents;
        if (props & kDisplayName) item.displayName = std::move(values.displayName);
        if (props & kCtag) item.ctag = std::move(values.ctag);
        if (props & kSyncToken) item.syncToken = std::move(values.syncToken);
        if (props & kPrincipal) item.principal = std::move(values.principal);
        if (props & kHome) item.calendarHome = std::move(values.calendarHome);
        if (props & kPrivileges) item.canWrite = values.canWrite;
    }
};

class MultistatusWalk : public XmlEvents {
public:
    explicit MultistatusWalk(size_t maxItems) : maxItems_(maxItems) {}

    Multistatus Result() && { return std::move(result_); }

    bool Start(const XmlName& name, const char** attributes) override {
        const Node parent = open_.empty() ? Node::Other : open_.back();
        Node node = Node::Other;
        if (open_.empty()) {
            if (!name.Is(kDav, "multistatus"))
                throw DavXmlError("A kiszolgáló nem a várt WebDAV-választ küldte (multistatus helyett: " +
                                  std::string(name.local) + ").");
            node = Node::Multistatus;
        } else if (parent != Node::Other) {
            for (const Child& child : kChildren)
                if (child.parent == parent && name.Is(child.space, child.local)) node = child.node;
        }
        open_.push_back(node);
        Opened(node, attributes);
        return HasText(node);
    }

    void End(std::string&& text) override {
        const Node node = open_.back();
        open_.pop_back();
        Closed(node, std::move(text));
    }

private:
    void Opened(Node node, const char** attributes) {
        switch (node) {
        case Node::Response:
            if (++responses_ > maxItems_)
                throw DavXmlError("A kiszolgáló válasza több mint " + std::to_string(maxItems_) +
                                  " elemet sorol fel; ennyit a program nem fogad el.");
            item_ = DavItem();
            hasHref_ = false;
            responseStatus_ = 0;
            break;
        case Node::Propstat: found_ = Found(); break;
        case Node::ResourceType: found_.props |= Found::kResourceType; break;
        case Node::Collection: found_.values.isCollection = true; break;
        case Node::Calendar: found_.values.isCalendar = true; break;
        case Node::ComponentSet:
            found_.props |= Found::kComponents;
            found_.values.supportsEvents = false;
            break;
        case Node::Component: {
            std::string component = Trimmed(std::string(PlainAttribute(attributes, "name")));
            for (char& c : component) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            if (component == "VEVENT") found_.values.supportsEvents = true;
            break;
        }
        case Node::PrivilegeSet:
            found_.props |= Found::kPrivileges;
            found_.values.canWrite = false;
            break;
        case Node::Write: found_.values.canWrite = true; break;
        default: break;
        }
    }

    void Closed(Node node, std::string&& text) {
        switch (node) {
        case Node::ReportSyncToken: result_.syncToken = Trimmed(std::move(text)); break;
        case Node::Href:
            if (!hasHref_) item_.href = Trimmed(std::move(text));
            hasHref_ = true;
            break;
        case Node::ResponseStatus: responseStatus_ = StatusCode(text); break;
        case Node::PropstatStatus: found_.status = StatusCode(text); break;
        case Node::Propstat:
            if (found_.status >= 200 && found_.status < 300) {
                found_.MoveInto(item_);
                if (found_.props && item_.status == 0) item_.status = found_.status;
            }
            break;
        case Node::Response:
            if (responseStatus_ != 0) item_.status = responseStatus_;
            if (hasHref_) result_.items.push_back(std::move(item_));
            break;
        case Node::Etag: Take(Found::kEtag, found_.values.etag, Trimmed(std::move(text))); break;
        case Node::CalendarData: {
            // Blanks before the calendar come from a server that indents its answer.
            text.erase(0, std::min(text.find_first_not_of(" \t\r\n"), text.size()));
            Take(Found::kCalendarData, found_.values.calendarData, std::move(text));
            break;
        }
        case Node::DisplayName: Take(Found::kDisplayName, found_.values.displayName, Trimmed(std::move(text))); break;
        case Node::Ctag: Take(Found::kCtag, found_.values.ctag, Trimmed(std::move(text))); break;
        case Node::SyncToken: Take(Found::kSyncToken, found_.values.syncToken, Trimmed(std::move(text))); break;
        case Node::PrincipalHref: Take(Found::kPrincipal, found_.values.principal, Trimmed(std::move(text))); break;
        case Node::HomeHref:
            if (!(found_.props & Found::kHome)) Take(Found::kHome, found_.values.calendarHome, Trimmed(std::move(text)));
            break;
        default: break;
        }
    }

    void Take(unsigned prop, std::string& field, std::string&& value) {
        found_.props |= prop;
        field = std::move(value);
    }

    size_t maxItems_;
    size_t responses_ = 0;
    std::vector<Node> open_;
    Multistatus result_;
    DavItem item_;
    bool hasHref_ = false;
    int responseStatus_ = 0;
    Found found_;
};

}  // namespace

Multistatus ParseMultistatus(std::string_view xml, size_t maxItems) {
    MultistatusWalk walk(maxItems);
    ReadXml(xml, walk, kMaxDepth);
    return std::move(walk).Result();
}

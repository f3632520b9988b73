// The WebDAV/CalDAV answers of real servers read into DavItems, hostile answers refused,
// and the request bodies checked with expat on its own.
#include <gtest/gtest.h>

#include <expat.h>

#include <map>
#include <string>
#include <vector>

#include "sync/dav_xml.h"

namespace {

const DavItem& ItemOf(const Multistatus& answer, const std::string& href) {
    for (const DavItem& item : answer.items)
        if (item.href == href) return item;
    throw std::runtime_error("no response for " + href);
}

// Radicale: the default namespace, the principal found at the root.
const char* const kRadicalePrincipal = R"(<?xml version='1.0' encoding='utf-8'?>
<multistatus xmlns="DAV:"><response><href>/</href><propstat><prop><current-user-principal><href>/anna/</href>
</current-user-principal></prop><status>HTTP/1.1 200 OK</status></propstat></response></multistatus>)";

// Nextcloud (sabre/dav): d:/cal:/cs: prefixes, indented.
const char* const kNextcloudHome = R"(<?xml version="1.0"?>
<d:multistatus xmlns:d="DAV:" xmlns:s="http://sabredav.org/ns" xmlns:cal="urn:ietf:params:xml:ns:caldav"
    xmlns:cs="http://calendarserver.org/ns/" xmlns:oc="http://owncloud.org/ns">
 <d:response>
  <d:href>/remote.php/dav/principals/users/anna/</d:href>
  <d:propstat>
   <d:prop>
    <cal:calendar-home-set>
     <d:href>/remote.php/dav/calendars/anna/</d:href>
     <d:href>/remote.php/dav/calendars/other/</d:href>
    </cal:calendar-home-set>
   </d:prop>
   <d:status>HTTP/1.1 200 OK</d:status>
  </d:propstat>
  <d:propstat>
   <d:prop><d:current-user-principal><d:href>/wrong/</d:href></d:current-user-principal></d:prop>
   <d:status>HTTP/1.1 404 Not Found</d:status>
  </d:propstat>
 </d:response>
</d:multistatus>)";

// Google style: upper-case prefixes, props not found in their own 404 propstat.
const char* const kGooglePrincipal = R"(<?xml version="1.0" encoding="UTF-8"?>
<D:multistatus xmlns:D="DAV:" xmlns:caldav="urn:ietf:params:xml:ns:caldav">
<D:response><D:href>/caldav/v2/anna%40example.hu/user</D:href>
<D:propstat><D:status>HTTP/1.1 200 OK</D:status><D:prop><D:current-user-principal>
<D:href>/caldav/v2/anna%40example.hu/user</D:href></D:current-user-principal></D:prop></D:propstat>
<D:propstat><D:status>HTTP/1.1 404 Not Found</D:status><D:prop><caldav:calendar-home-set/></D:prop></D:propstat>
</D:response></D:multistatus>)";

// Depth 1 on a Nextcloud home: the home itself, a calendar of events, an address book,
// a task list, a calendar shared read-only, and a look-alike prop of another namespace.
const char* const kNextcloudCalendars = R"(<?xml version="1.0"?>
<d:multistatus xmlns:d="DAV:" xmlns:cal="urn:ietf:params:xml:ns:caldav" xmlns:cs="http://calendarserver.org/ns/"
    xmlns:card="urn:ietf:params:xml:ns:carddav" xmlns:oc="http://owncloud.org/ns">
 <d:response><d:href>/remote.php/dav/calendars/anna/</d:href>
  <d:propstat><d:prop><d:resourcetype><d:collection/></d:resourcetype></d:prop>
   <d:status>HTTP/1.1 200 OK</d:status></d:propstat>
  <d:propstat><d:prop><d:displayname/><cs:getctag/><cal:supported-calendar-component-set/></d:prop>
   <d:status>HTTP/1.1 404 Not Found</d:status></d:propstat>
 </d:response>
 <d:response><d:href>/remote.php/dav/calendars/anna/personal/</d:href>
  <d:propstat><d:prop>
    <d:resourcetype><d:collection/><cal:calendar/></d:resourcetype>
    <d:displayname>Személyes &amp; munka</d:displayname>
    <cal:supported-calendar-component-set><cal:comp name="VEVENT"/><cal:comp name="VTODO"/></cal:supported-calendar-component-set>
    <cs:getctag>http://sabre.io/ns/sync/17</cs:getctag>
    <d:sync-token>http://sabre.io/ns/sync/17</d:sync-token>
    <d:current-user-privilege-set><d:privilege><d:read/></d:privilege><d:privilege><d:write/></d:privilege></d:current-user-privilege-set>
   </d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>
 </d:response>
 <d:response><d:href>/remote.php/dav/calendars/anna/contacts/</d:href>
  <d:propstat><d:prop><d:resourcetype><d:collection/><card:addressbook/></d:resourcetype><d:displayname>Névjegyek</d:displayname>
   </d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>
 </d:response>
 <d:response><d:href>/remote.php/dav/calendars/anna/tasks/</d:href>
  <d:propstat><d:prop><d:resourcetype><d:collection/><cal:calendar/></d:resourcetype>
    <cal:supported-calendar-component-set><cal:comp name="VTODO"/></cal:supported-calendar-component-set>
    <oc:getctag>look-alike</oc:getctag>
   </d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>
 </d:response>
 <d:response><d:href>/remote.php/dav/calendars/anna/shared_by_bela/</d:href>
  <d:propstat><d:prop><d:resourcetype><d:collection/><cal:calendar/></d:resourcetype>
    <d:current-user-privilege-set><d:privilege><d:read/></d:privilege><d:privilege><cal:read-free-busy/></d:privilege></d:current-user-privilege-set>
   </d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>
 </d:response>
</d:multistatus>)";

// Radicale's calendar list, with CalDAV in a default namespace set on the prop itself.
const char* const kRadicaleCalendar = R"(<?xml version='1.0' encoding='utf-8'?>
<multistatus xmlns="DAV:" xmlns:CS="http://calendarserver.org/ns/"><response><href>/anna/naptar/</href><propstat><prop>
<resourcetype><collection/><calendar xmlns="urn:ietf:params:xml:ns:caldav"/></resourcetype>
<supported-calendar-component-set xmlns="urn:ietf:params:xml:ns:caldav"><comp name="vevent"/></supported-calendar-component-set>
<CS:getctag>"2c4d"</CS:getctag><current-user-privilege-set><privilege><all/></privilege></current-user-privilege-set>
</prop><status>HTTP/1.1 200 OK</status></propstat></response></multistatus>)";

}  // namespace

TEST(DavXml, PrincipalAndHomeSetOfEachServer) {
    const Multistatus radicale = ParseMultistatus(kRadicalePrincipal);
    ASSERT_EQ(radicale.items.size(), 1u);
    EXPECT_EQ(radicale.items[0].href, "/");
    EXPECT_EQ(radicale.items[0].status, 200);
    EXPECT_EQ(radicale.items[0].principal, "/anna/");

    const Multistatus google = ParseMultistatus(kGooglePrincipal);
    ASSERT_EQ(google.items.size(), 1u);
    EXPECT_EQ(google.items[0].principal, "/caldav/v2/anna%40example.hu/user");
    EXPECT_EQ(google.items[0].status, 200);  // status before prop, and the 404 propstat does not count
    EXPECT_EQ(google.items[0].calendarHome, "");

    const Multistatus nextcloud = ParseMultistatus(kNextcloudHome);
    ASSERT_EQ(nextcloud.items.size(), 1u);
    EXPECT_EQ(nextcloud.items[0].calendarHome, "/remote.php/dav/calendars/anna/");  // the first of two
    EXPECT_EQ(nextcloud.items[0].principal, "");  // only in a 404 propstat
}

TEST(DavXml, CalendarListTellsCalendarsApart) {
    const Multistatus list = ParseMultistatus(kNextcloudCalendars);
    ASSERT_EQ(list.items.size(), 5u);

    const DavItem& home = ItemOf(list, "/remote.php/dav/calendars/anna/");
    EXPECT_TRUE(home.isCollection);
    EXPECT_FALSE(home.isCalendar);
    EXPECT_TRUE(home.supportsEvents);  // its empty component set is in the 404 propstat
    EXPECT_EQ(home.ctag, "");

    const DavItem& personal = ItemOf(list, "/remote.php/dav/calendars/anna/personal/");
    EXPECT_TRUE(personal.isCollection && personal.isCalendar && personal.supportsEvents && personal.canWrite);
    EXPECT_EQ(personal.displayName, "Személyes & munka");
    EXPECT_EQ(personal.ctag, "http://sabre.io/ns/sync/17");
    EXPECT_EQ(personal.syncToken, "http://sabre.io/ns/sync/17");
    EXPECT_EQ(personal.status, 200);

    const DavItem& contacts = ItemOf(list, "/remote.php/dav/calendars/anna/contacts/");
    EXPECT_TRUE(contacts.isCollection);
    EXPECT_FALSE(contacts.isCalendar);
    EXPECT_EQ(contacts.displayName, "Névjegyek");

    const DavItem& tasks = ItemOf(list, "/remote.php/dav/calendars/anna/tasks/");
    EXPECT_TRUE(tasks.isCalendar);
    EXPECT_FALSE(tasks.supportsEvents);
    EXPECT_EQ(tasks.ctag, "");  // oc:getctag is another server's prop

    const DavItem& shared = ItemOf(list, "/remote.php/dav/calendars/anna/shared_by_bela/");
    EXPECT_TRUE(shared.isCalendar && shared.supportsEvents);
    EXPECT_FALSE(shared.canWrite);

    const Multistatus radicale = ParseMultistatus(kRadicaleCalendar);
    ASSERT_EQ(radicale.items.size(), 1u);
    const DavItem& naptar = radicale.items[0];
    EXPECT_TRUE(naptar.isCollection && naptar.isCalendar && naptar.supportsEvents && naptar.canWrite);
    EXPECT_EQ(naptar.ctag, "\"2c4d\"");
}

TEST(DavXml, SyncReportWithChangedAndRemovedMembers) {
    const char* const nextcloud = R"(<?xml version="1.0"?>
<d:multistatus xmlns:d="DAV:" xmlns:cal="urn:ietf:params:xml:ns:caldav">
 <d:response><d:href>/remote.php/dav/calendars/anna/personal/ev1.ics</d:href>
  <d:propstat><d:prop><d:getetag>&quot;8d2f&quot;</d:getetag></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>
 </d:response>
 <d:response><d:href>/remote.php/dav/calendars/anna/personal/gone.ics</d:href>
  <d:status>HTTP/1.1 404 Not Found</d:status>
 </d:response>
 <d:sync-token>http://sabre.io/ns/sync/18</d:sync-token>
</d:multistatus>)";
    const char* const google = R"(<?xml version="1.0" encoding="UTF-8"?>
<D:multistatus xmlns:D="DAV:"><D:sync-token>"CPDw0Z7ozPQCEAAYASDAo8w0"</D:sync-token>
<D:response><D:href>/caldav/v2/anna%40example.hu/events/abc%40google.com.ics</D:href>
<D:propstat><D:status>HTTP/1.1 200 OK</D:status><D:prop><D:getetag>"63873"</D:getetag></D:prop></D:propstat></D:response>
<D:response><D:href>/caldav/v2/anna%40example.hu/events/old.ics</D:href><D:status>HTTP/1.1 404 Not Found</D:status></D:response>
</D:multistatus>)";
    struct Case {
        const char* xml;
        const char* token;
        const char* changed;
        const char* etag;
        const char* removed;
    } cases[] = {
        {nextcloud, "http://sabre.io/ns/sync/18", "/remote.php/dav/calendars/anna/personal/ev1.ics", "\"8d2f\"",
         "/remote.php/dav/calendars/anna/personal/gone.ics"},
        {google, "\"CPDw0Z7ozPQCEAAYASDAo8w0\"", "/caldav/v2/anna%40example.hu/events/abc%40google.com.ics",
         "\"63873\"", "/caldav/v2/anna%40example.hu/events/old.ics"},
    };
    for (const Case& c : cases) {
        const Multistatus report = ParseMultistatus(c.xml);
        EXPECT_EQ(report.syncToken, c.token);
        ASSERT_EQ(report.items.size(), 2u);
        EXPECT_EQ(ItemOf(report, c.changed).status, 200);
        EXPECT_EQ(ItemOf(report, c.changed).etag, c.etag);
        EXPECT_EQ(ItemOf(report, c.removed).status, 404);
        EXPECT_EQ(ItemOf(report, c.removed).etag, "");
    }
    // A status line without a status code counts as none (a fuzzer found "004").
    for (const char* line : {"HTTP/1.1 004 Not Found", "HTTP/1.1 4044 x", "HTTP/1.1 20 OK", "404 Not Found"}) {
        const std::string xml = std::string(R"(<d:multistatus xmlns:d="DAV:"><d:response><d:href>/a.ics</d:href>)") +
                                "<d:status>" + line + "</d:status></d:response></d:multistatus>";
        EXPECT_EQ(ParseMultistatus(xml).items.at(0).status, 0) << line;
    }
}

TEST(DavXml, CalendarDataAsServersWriteIt) {
    // CDATA (line breaks as the XML reader gives them: LF), escaped text with CR LF kept
    // as character references, an indented answer, UTF-8 text.
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
        "<d:multistatus xmlns:d=\"DAV:\" xmlns:cal=\"urn:ietf:params:xml:ns:caldav\">\r\n"
        "<d:response><d:href>/c/a.ics</d:href><d:propstat><d:prop><d:getetag>\"1\"</d:getetag>"
        "<cal:calendar-data><![CDATA[BEGIN:VCALENDAR\r\nSUMMARY:Születésnap <torta> & tea\r\nEND:VCALENDAR\r\n]]>"
        "</cal:calendar-data></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>\r\n"
        "<d:response><d:href>/c/b.ics</d:href><d:propstat><d:prop>\r\n"
        "  <cal:calendar-data>\r\n    BEGIN:VCALENDAR&#13;\nSUMMARY:a &lt;b&gt; &amp; c&#13;\n"
        "DESCRIPTION:két\\nsor&#13;\n END:VCALENDAR&#13;\n</cal:calendar-data>\r\n"
        "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>\r\n"
        "<d:response><d:href>/c/c.ics</d:href><d:propstat><d:prop><cal:calendar-data/></d:prop>"
        "<d:status>HTTP/1.1 404 Not Found</d:status></d:propstat></d:response>\r\n"
        "</d:multistatus>\r\n";
    const Multistatus answer = ParseMultistatus(xml);
    ASSERT_EQ(answer.items.size(), 3u);
    EXPECT_EQ(ItemOf(answer, "/c/a.ics").calendarData,
              "BEGIN:VCALENDAR\nSUMMARY:Születésnap <torta> & tea\nEND:VCALENDAR\n");
    EXPECT_EQ(ItemOf(answer, "/c/a.ics").etag, "\"1\"");
    EXPECT_EQ(ItemOf(answer, "/c/b.ics").calendarData,
              "BEGIN:VCALENDAR\r\nSUMMARY:a <b> & c\r\nDESCRIPTION:két\\nsor\r\n END:VCALENDAR\r\n");
    EXPECT_EQ(ItemOf(answer, "/c/c.ics").calendarData, "");
    EXPECT_EQ(ItemOf(answer, "/c/c.ics").status, 0);
}

TEST(DavXml, RefusesBrokenAndHostileAnswers) {
    const std::string deep = [] {
        std::string xml = "<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>/a</d:href>";
        for (int i = 0; i < 70; ++i) xml += "<x>";
        for (int i = 0; i < 70; ++i) xml += "</x>";
        return xml + "</d:response></d:multistatus>";
    }();
    struct Case {
        const char* why;
        std::string xml;
        const char* said;  // a word of the message, or null
    } cases[] = {
        {"empty", "", nullptr},
        {"an error page", "<html><body>502 Bad Gateway</body></html>", "multistatus"},
        {"plain text", "Internal Server Error", nullptr},
        {"unclosed", "<d:multistatus xmlns:d=\"DAV:\"><d:response>", nullptr},
        {"mismatched", "<d:multistatus xmlns:d=\"DAV:\"></d:response>", nullptr},
        {"unbound prefix", "<d:multistatus></d:multistatus>", nullptr},
        {"two roots", "<multistatus xmlns=\"DAV:\"/><multistatus xmlns=\"DAV:\"/>", nullptr},
        {"not UTF-8", "<multistatus xmlns=\"DAV:\"><response><href>\xE9</href></response></multistatus>", nullptr},
        {"undeclared entity", "<multistatus xmlns=\"DAV:\">&lol;</multistatus>", nullptr},
        {"DAV:error root", "<d:error xmlns:d=\"DAV:\"><d:valid-sync-token/></d:error>", "multistatus"},
        {"multistatus of no namespace", "<multistatus/>", "multistatus"},
        {"billion laughs",
         "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
         "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
         "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
         "<multistatus xmlns=\"DAV:\"><response><href>&lol3;</href></response></multistatus>",
         "DTD"},
        {"external entity",
         "<!DOCTYPE m [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><multistatus xmlns=\"DAV:\">&x;</multistatus>", "DTD"},
        {"external DTD", "<!DOCTYPE m SYSTEM \"http://evil.example/m.dtd\"><multistatus xmlns=\"DAV:\"/>", "DTD"},
        {"nesting deeper than 64", deep, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        try {
            ParseMultistatus(c.xml);
            ADD_FAILURE() << "read";
        } catch (const DavXmlError& e) {
            EXPECT_NE(std::string(e.what()), "");
            if (c.said) {
                EXPECT_NE(std::string(e.what()).find(c.said), std::string::npos) << e.what();
            }
        }
    }
}

TEST(DavXml, LimitsTheNumberOfResponses) {
    std::string xml = "<multistatus xmlns=\"DAV:\">";
    for (int i = 0; i < 3; ++i) xml += "<response><href>/" + std::to_string(i) + "</href></response>";
    xml += "<response/></multistatus>";  // a response without an href is left out
    EXPECT_EQ(ParseMultistatus(xml, 4).items.size(), 3u);
    EXPECT_THROW(ParseMultistatus(xml, 3), DavXmlError);
}

namespace {

// A request body as a server reads it: expat alone, element names as "URI local", with
// the text and the "name" attribute of each element in document order.
struct Element {
    std::string name, text, nameAttribute;
};
struct ExpatOutline {
    std::vector<Element> elements;
    std::vector<size_t> open;
    bool HasElement(const std::string& name) const {
        for (const Element& e : elements)
            if (e.name == name) return true;
        return false;
    }
    std::vector<std::string> Texts(const std::string& name) const {
        std::vector<std::string> texts;
        for (const Element& e : elements)
            if (e.name == name) texts.push_back(e.text);
        return texts;
    }
};

ExpatOutline Outline(const std::string& body) {
    ExpatOutline outline;
    XML_Parser parser = XML_ParserCreateNS(nullptr, ' ');
    XML_SetUserData(parser, &outline);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            auto* o = static_cast<ExpatOutline*>(data);
            Element e{name, "", ""};
            for (size_t i = 0; attributes[i]; i += 2)
                if (std::string(attributes[i]) == "name") e.nameAttribute = attributes[i + 1];
            o->open.push_back(o->elements.size());
            o->elements.push_back(e);
        },
        [](void* data, const XML_Char*) { static_cast<ExpatOutline*>(data)->open.pop_back(); });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
        auto* o = static_cast<ExpatOutline*>(data);
        o->elements[o->open.back()].text.append(text, length);
    });
    const bool parsed = XML_Parse(parser, body.data(), static_cast<int>(body.size()), XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(parser);
    if (!parsed) throw std::runtime_error("not well-formed: " + body);
    return outline;
}

const std::string kD = "DAV: ", kC = "urn:ietf:params:xml:ns:caldav ", kCS = "http://calendarserver.org/ns/ ";

}  // namespace

TEST(DavXml, RequestBodiesAskForWhatTheSyncReads) {
    struct Case {
        const char* what;
        std::string body;
        std::string root;
        std::vector<std::string> asked;
    } cases[] = {
        {"principal", dav_body::PropfindPrincipal(), kD + "propfind", {kD + "current-user-principal"}},
        {"home", dav_body::PropfindCalendarHome(), kD + "propfind", {kC + "calendar-home-set"}},
        {"calendars", dav_body::PropfindCalendars(), kD + "propfind",
         {kD + "resourcetype", kD + "displayname", kC + "supported-calendar-component-set", kCS + "getctag",
          kD + "sync-token", kD + "current-user-privilege-set"}},
        {"state", dav_body::PropfindCollectionState(), kD + "propfind", {kD + "sync-token", kCS + "getctag"}},
        {"sync", dav_body::SyncCollection(""), kD + "sync-collection",
         {kD + "sync-token", kD + "sync-level", kD + "getetag"}},
        {"query", dav_body::CalendarQueryEtags(), kC + "calendar-query", {kD + "getetag", kC + "comp-filter"}},
        {"multiget", dav_body::CalendarMultiget({"/c/a.ics"}), kC + "calendar-multiget",
         {kD + "getetag", kC + "calendar-data", kD + "href"}},
        {"mkcalendar", dav_body::Mkcalendar("N"), kC + "mkcalendar",
         {kD + "set", kD + "displayname", kC + "supported-calendar-component-set", kC + "comp"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.body.rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>", 0), 0u);
        const ExpatOutline outline = Outline(c.body);
        ASSERT_FALSE(outline.elements.empty());
        EXPECT_EQ(outline.elements[0].name, c.root);
        for (const std::string& name : c.asked) EXPECT_TRUE(outline.HasElement(name)) << name;
    }

    // Texts the caller gives arrive as given.
    const std::string token = "http://sabre.io/ns/sync/18?a=1&b=<2>";
    EXPECT_EQ(Outline(dav_body::SyncCollection(token)).Texts(kD + "sync-token"), std::vector<std::string>{token});
    EXPECT_EQ(Outline(dav_body::SyncCollection("")).Texts(kD + "sync-token"), std::vector<std::string>{""});
    EXPECT_EQ(Outline(dav_body::SyncCollection("")).Texts(kD + "sync-level"), std::vector<std::string>{"1"});
    const std::vector<std::string> hrefs = {"/c/a%40b.ics", "/c/R&D \"terv\".ics"};
    EXPECT_EQ(Outline(dav_body::CalendarMultiget(hrefs)).Texts(kD + "href"), hrefs);
    EXPECT_EQ(Outline(dav_body::Mkcalendar("Tivorn – naptár <&>")).Texts(kD + "displayname"),
              std::vector<std::string>{"Tivorn – naptár <&>"});

    // The filters and the component set name events only.
    std::vector<std::string> filters, components;
    for (const Element& e : Outline(dav_body::CalendarQueryEtags()).elements)
        if (e.name == kC + "comp-filter") filters.push_back(e.nameAttribute);
    for (const Element& e : Outline(dav_body::Mkcalendar("N")).elements)
        if (e.name == kC + "comp") components.push_back(e.nameAttribute);
    EXPECT_EQ(filters, (std::vector<std::string>{"VCALENDAR", "VEVENT"}));
    EXPECT_EQ(components, std::vector<std::string>{"VEVENT"});
}

TEST(DavXml, EscapedTextReadsBackAsWritten) {
    const std::string text = "a<b>&\"c\" 'd'\r\nsor\tvége\x01\x1F";
    const std::string body = "<x a=\"" + XmlEscape(text) + "\">" + XmlEscape(text) + "</x>";
    const ExpatOutline outline = Outline(body);
    EXPECT_EQ(outline.elements[0].text, "a<b>&\"c\" 'd'\r\nsor\tvége");  // no control characters in XML
}

#include "sync/xml_reader.h"

#include <expat.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <type_traits>
#include <vector>

#include "sync/dav_xml.h"

namespace {

// Between a namespace URI and a local name in expat's element names; no name or URI
// the reader accepts holds a line feed.
constexpr char kSeparator = '\n';

XmlName SplitName(const char* expatName) {
    const std::string_view name(expatName);
    const size_t cut = name.rfind(kSeparator);
    if (cut == std::string_view::npos) return {{}, name};
    return {name.substr(0, cut), name.substr(cut + 1)};
}

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
using Parser = std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserFree>;

// The state of one reading; expat's callbacks get it as their user data. No exception
// may cross expat's C frames: one thrown by the events is kept and the parser stopped.
struct Reading {
    XML_Parser parser = nullptr;
    XmlEvents* events = nullptr;
    size_t maxDepth = 0;
    struct Open {
        bool wantsText = false;
        std::string text;
    };
    std::vector<Open> open;
    std::exception_ptr failure;

    void Fail(std::exception_ptr error) {
        if (!failure) failure = std::move(error);
        XML_StopParser(parser, XML_FALSE);
    }
};

// Runs one callback's work; what it throws is kept for ReadXml and stops the parser.
template <class Step>
void Guarded(void* data, Step step) {
    auto* reading = static_cast<Reading*>(data);
    if (reading->failure) return;
    try {
        step(*reading);
    } catch (...) {
        reading->Fail(std::current_exception());
    }
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    Guarded(data, [&](Reading& reading) {
        if (reading.open.size() >= reading.maxDepth)
            throw DavXmlError("A kiszolgáló válaszában az elemek túl mélyen ágyazódnak egymásba.");
        const bool wantsText = reading.events->Start(SplitName(name), attributes);
        reading.open.push_back({wantsText, {}});
    });
}

void XMLCALL OnEnd(void* data, const XML_Char*) {
    Guarded(data, [](Reading& reading) {
        if (reading.open.empty()) return;
        std::string text = std::move(reading.open.back().text);
        reading.open.pop_back();
        reading.events->End(std::move(text));
    });
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
    Guarded(data, [&](Reading& reading) {
        if (!reading.open.empty() && reading.open.back().wantsText) reading.open.back().text.append(text, length);
    });
}

void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    Guarded(data, [](Reading&) {
        throw DavXmlError("A kiszolgáló válasza dokumentumtípus-meghatározást (DTD) tartalmaz; ezt a program nem fogadja el.");
    });
}

// Never reached while doctypes are refused; kept so that an entity declaration can
// under no build of expat be taken.
void XMLCALL OnEntityDecl(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                          const XML_Char*, const XML_Char*) {
    OnDoctype(data, nullptr, nullptr, nullptr, 0);
}

}  // namespace

std::string_view PlainAttribute(const char** attributes, std::string_view name) {
    for (size_t i = 0; attributes && attributes[i]; i += 2)
        if (name == attributes[i]) return attributes[i + 1];
    return {};
}

void ReadXml(std::string_view xml, XmlEvents& events, size_t maxDepth) {
    Parser parser(XML_ParserCreateNS(nullptr, kSeparator));
    if (!parser) throw std::bad_alloc();
    Reading reading;
    reading.parser = parser.get();
    reading.events = &events;
    reading.maxDepth = maxDepth;
    XML_SetUserData(parser.get(), &reading);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);
    XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
    XML_SetEntityDeclHandler(parser.get(), OnEntityDecl);
    XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

    // In pieces: expat takes an int length, and a piece at a time keeps its buffer small.
    constexpr size_t kPiece = 1u << 20;
    XML_Status status = XML_STATUS_OK;
    size_t offset = 0;
    do {
        const size_t size = std::min(kPiece, xml.size() - offset);
        const bool last = offset + size == xml.size();
        status = XML_Parse(parser.get(), xml.data() + offset, static_cast<int>(size), last ? XML_TRUE : XML_FALSE);
        offset += size;
    } while (status == XML_STATUS_OK && offset < xml.size());

    if (reading.failure) std::rethrow_exception(reading.failure);
    if (status != XML_STATUS_OK)
        throw DavXmlError("A kiszolgáló válasza nem olvasható XML: hibás a(z) " +
                          std::to_string(XML_GetCurrentLineNumber(parser.get())) + ". sorban.");
}

// An XML document read through expat as a stream of elements, with namespaces resolved:
// the sync's answers are walked as they are read, nothing is kept as a tree. A document
// type declaration stops the reading, so no entity is ever declared, expanded or fetched.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct XmlName {
    std::string_view space;  // the namespace URI, "" for none
    std::string_view local;

    bool Is(std::string_view ns, std::string_view name) const { return space == ns && local == name; }
};

class XmlEvents {
public:
    virtual ~XmlEvents() = default;
    // An element starts. `attributes` are expat's name/value pairs, null-ended; see
    // PlainAttribute. Returns whether the element's own text is wanted at its end.
    virtual bool Start(const XmlName& name, const char** attributes) = 0;
    // The innermost open element ends; `text` is its character data when Start wanted it.
    virtual void End(std::string&& text) = 0;
};

// The value of an attribute without a namespace ("name" of <C:comp name="VEVENT"/>),
// or "" when there is none.
std::string_view PlainAttribute(const char** attributes, std::string_view name);

// Reads the whole document into `events`. Throws DavXmlError (Hungarian text) when it is
// not well-formed, has a document type declaration or nests deeper than `maxDepth`;
// an exception thrown by `events` ends the reading and comes out as it is.
void ReadXml(std::string_view xml, XmlEvents& events, size_t maxDepth);

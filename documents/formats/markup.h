// XML and HTML parsed as a stream of elements and text by libxml2, safely: no
// network, no external entities or document type definitions loaded, XML
// entities refused when they are external, parameter entities or refer to
// other entities, and the text that entity references add bounded.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/formats/format.h"
#include "documents/formats/status.h"

namespace formats {

// One attribute of an element.
struct Attribute {
    std::string_view uri;  // its namespace; empty in HTML and for most XML attributes
    std::string_view name;  // its local name (HTML: lower case)
    std::string_view value;
};

// The attributes of an element, valid during startElement().
class Attributes {
public:
    // The value of the attribute with local name `name`, in any namespace.
    std::optional<std::string_view> get(std::string_view name) const;
    const std::vector<Attribute>& all() const { return m_items; }
    std::vector<Attribute>& items() { return m_items; }

private:
    std::vector<Attribute> m_items;
};

// Receives the parse.
class MarkupHandler {
public:
    virtual ~MarkupHandler() = default;
    // `uri` is the element's namespace (empty in HTML), `name` its local name
    // (lower case in HTML).
    virtual void startElement(std::string_view uri, std::string_view name,
                              const Attributes& attributes) = 0;
    virtual void endElement(std::string_view uri, std::string_view name) = 0;
    // Text, entity and character references decoded (UTF-8).
    virtual void characters(std::string_view text) = 0;
    // A handler that cannot go on says why here; the parse then stops.
    virtual Status status() const { return Status::ok(); }
};

class MarkupParser final {
public:
    enum class Language { kXml, kHtml };

    // `part` names the document part in messages ("word/document.xml").
    // `encoding` (HTML only) is the character set the bytes are in (an iconv
    // name such as "windows-1252"; empty: UTF-8), whatever the page says.
    MarkupParser(Language language, MarkupHandler& handler, std::string part,
                 const Limits& limits, std::string encoding = std::string());
    ~MarkupParser();
    MarkupParser(const MarkupParser&) = delete;
    MarkupParser& operator=(const MarkupParser&) = delete;

    // Parses the next bytes; after a failure nothing more is parsed and the
    // failure is returned again.
    Status push(std::string_view bytes);
    // Ends the document.
    Status finish();

    struct Callbacks;

private:
    Status parse(std::string_view bytes, bool last);
    void fail(Status status);

    friend struct Callbacks;
    Language m_language;
    MarkupHandler& m_handler;
    std::string m_part;
    Limits m_limits;
    std::string m_encoding;
    void* m_context = nullptr;  // the libxml2 parser context, made at the first bytes
    Status m_status;
    std::string m_firstError;
    std::uint64_t m_entityBytes = 0;
    Attributes m_attributes;
};

// Parses a whole document held in memory.
Status parseMarkup(MarkupParser::Language language, std::string_view bytes, MarkupHandler& handler,
                   std::string part, const Limits& limits, std::string encoding = std::string());

}  // namespace formats

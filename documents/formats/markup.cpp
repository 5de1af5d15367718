#include "documents/formats/markup.h"

#include <libxml/HTMLparser.h>
#include <libxml/SAX2.h>
#include <libxml/entities.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <cstring>
#include <mutex>

#include "engine/utf8.h"

namespace formats {
namespace {

std::string_view view(const xmlChar* text) {
    return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

constexpr std::size_t kChunk = 1 << 16;

// Leaves the given handler callbacks unset.
template <typename... Callback>
void clearCallbacks(Callback&... callbacks) {
    ((callbacks = nullptr), ...);
}

}  // namespace

std::optional<std::string_view> Attributes::get(std::string_view name) const {
    for (const Attribute& a : m_items) {
        if (a.name == name) return a.value;
    }
    return std::nullopt;
}

// The libxml2 callbacks; the parser context's _private points at the parser.
struct MarkupParser::Callbacks {
    static MarkupParser& parser(void* context) {
        return *static_cast<MarkupParser*>(static_cast<xmlParserCtxtPtr>(context)->_private);
    }

    // Stops the parse when the handler cannot go on.
    static void checkHandler(MarkupParser& p) {
        if (!p.m_status.isOk()) return;
        if (Status s = p.m_handler.status(); !s.isOk()) p.fail(std::move(s));
    }

    static void startElementNs(void* context, const xmlChar* localname, const xmlChar*,
                               const xmlChar* uri, int, const xmlChar**, int count, int,
                               const xmlChar** attributes) {
        MarkupParser& p = parser(context);
        if (!p.m_status.isOk()) return;
        auto& items = p.m_attributes.items();
        items.clear();
        for (int i = 0; i < count; ++i) {
            const xmlChar* const* a = attributes + 5 * i;
            const char* begin = reinterpret_cast<const char*>(a[3]);
            const char* end = reinterpret_cast<const char*>(a[4]);
            items.push_back({view(a[2]), view(a[0]),
                             std::string_view(begin, static_cast<std::size_t>(end - begin))});
        }
        p.m_handler.startElement(view(uri), view(localname), p.m_attributes);
        checkHandler(p);
    }

    static void endElementNs(void* context, const xmlChar* localname, const xmlChar*,
                             const xmlChar* uri) {
        MarkupParser& p = parser(context);
        if (!p.m_status.isOk()) return;
        p.m_handler.endElement(view(uri), view(localname));
        checkHandler(p);
    }

    static void startElement(void* context, const xmlChar* name, const xmlChar** attributes) {
        MarkupParser& p = parser(context);
        if (!p.m_status.isOk()) return;
        auto& items = p.m_attributes.items();
        items.clear();
        for (const xmlChar** a = attributes; a && a[0]; a += 2) {
            items.push_back({std::string_view(), view(a[0]), view(a[1])});
        }
        p.m_handler.startElement(std::string_view(), view(name), p.m_attributes);
        checkHandler(p);
    }

    static void endElement(void* context, const xmlChar* name) {
        MarkupParser& p = parser(context);
        if (!p.m_status.isOk()) return;
        p.m_handler.endElement(std::string_view(), view(name));
        checkHandler(p);
    }

    static void characters(void* context, const xmlChar* text, int length) {
        MarkupParser& p = parser(context);
        if (!p.m_status.isOk() || length <= 0) return;
        p.m_handler.characters(
            std::string_view(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)));
        checkHandler(p);
    }

    // Entities: only internal ones whose text refers to no other entity.
    static void entityDecl(void* context, const xmlChar* name, int type, const xmlChar* publicId,
                           const xmlChar* systemId, xmlChar* content) {
        MarkupParser& p = parser(context);
        if (!p.m_status.isOk()) return;
        const std::string what = "entity \"" + std::string(view(name)) + "\" in " + p.m_part;
        if (type != XML_INTERNAL_GENERAL_ENTITY) {
            p.fail(Status::make(Status::Kind::kUnsafeXml,
                                "external or parameter " + what + " (never fetched)"));
            return;
        }
        if (content && std::strchr(reinterpret_cast<const char*>(content), '&')) {
            p.fail(Status::make(Status::Kind::kUnsafeXml, what + " refers to other entities"));
            return;
        }
        xmlSAX2EntityDecl(context, name, type, publicId, systemId, content);
    }

    static void unparsedEntityDecl(void* context, const xmlChar* name, const xmlChar*,
                                   const xmlChar*, const xmlChar*) {
        MarkupParser& p = parser(context);
        if (!p.m_status.isOk()) return;
        p.fail(Status::make(Status::Kind::kUnsafeXml, "external entity \"" +
                                                          std::string(view(name)) + "\" in " +
                                                          p.m_part + " (never fetched)"));
    }

    // Counts the text each reference adds.
    static bool spendEntityBytes(MarkupParser& p, std::size_t bytes) {
        p.m_entityBytes += bytes;
        if (p.m_entityBytes <= p.m_limits.maxEntityBytes) return true;
        p.fail(Status::make(Status::Kind::kUnsafeXml,
                            "entity references in " + p.m_part + " expand past " +
                                std::to_string(p.m_limits.maxEntityBytes >> 20) + " MB"));
        return false;
    }

    static xmlEntityPtr getEntity(void* context, const xmlChar* name) {
        MarkupParser& p = parser(context);
        if (!p.m_status.isOk()) return nullptr;
        xmlEntityPtr entity = xmlSAX2GetEntity(context, name);
        if (entity && entity->etype == XML_INTERNAL_GENERAL_ENTITY &&
            !spendEntityBytes(p, static_cast<std::size_t>(std::max(entity->length, 0)))) {
            return nullptr;
        }
        return entity;
    }

    // A reference to an entity the document never declared (its declaration
    // would be in a document type definition, which is not loaded): the HTML
    // names (&nbsp;, &eacute;, ...) are known.
    static void reference(void* context, const xmlChar* name) {
        MarkupParser& p = parser(context);
        if (!p.m_status.isOk()) return;
        auto* ctxt = static_cast<xmlParserCtxtPtr>(context);
        if (ctxt->myDoc && xmlGetDocEntity(ctxt->myDoc, name)) return;  // its text came already
        if (const htmlEntityDesc* html = htmlEntityLookup(name)) {
            if (!spendEntityBytes(p, 4)) return;
            std::string text;
            engine::appendUtf8(static_cast<char32_t>(html->value), &text);
            p.m_handler.characters(text);
            checkHandler(p);
        }
    }

    static xmlParserInputPtr resolveEntity(void*, const xmlChar*, const xmlChar*) {
        return nullptr;  // nothing outside the document is ever read
    }

    static void structuredError(void* context, xmlErrorPtr error) {
        if (!error || error->level < XML_ERR_FATAL) return;
        MarkupParser& p = parser(context);
        if (!p.m_firstError.empty()) return;
        std::string message = error->message ? error->message : "not well-formed";
        while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
            message.pop_back();
        }
        p.m_firstError = message + " at line " + std::to_string(error->line);
    }
};

MarkupParser::MarkupParser(Language language, MarkupHandler& handler, std::string part,
                           const Limits& limits, std::string encoding)
    : m_language(language),
      m_handler(handler),
      m_part(std::move(part)),
      m_limits(limits),
      m_encoding(std::move(encoding)) {
    initialiseOnce();
}

MarkupParser::~MarkupParser() {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(m_context);
    if (!ctxt) return;
    if (ctxt->myDoc) xmlFreeDoc(ctxt->myDoc);
    ctxt->myDoc = nullptr;
    if (m_language == Language::kHtml) {
        htmlFreeParserCtxt(ctxt);
    } else {
        xmlFreeParserCtxt(ctxt);
    }
}

void MarkupParser::fail(Status status) {
    if (!m_status.isOk()) return;
    m_status = std::move(status);
    if (m_context) xmlStopParser(static_cast<xmlParserCtxtPtr>(m_context));
}

Status MarkupParser::push(std::string_view bytes) {
    // In chunks, so that a stop takes effect soon.
    while (m_status.isOk() && bytes.size() > kChunk) {
        parse(bytes.substr(0, kChunk), false);
        bytes.remove_prefix(kChunk);
    }
    return parse(bytes, false);
}

Status MarkupParser::finish() {
    return parse(std::string_view(), true);
}

Status MarkupParser::parse(std::string_view bytes, bool last) {
    if (!m_status.isOk()) return m_status;
    auto* ctxt = static_cast<xmlParserCtxtPtr>(m_context);
    if (!ctxt) {
        xmlSAXHandler sax;
        std::memset(&sax, 0, sizeof sax);
        if (m_language == Language::kXml) {
            xmlSAXVersion(&sax, 2);  // the defaults keep the entity declarations
        } else {
            sax.initialized = XML_SAX2_MAGIC;
        }
        sax.characters = Callbacks::characters;
        sax.ignorableWhitespace = Callbacks::characters;
        sax.cdataBlock = Callbacks::characters;
        sax.serror = Callbacks::structuredError;
        if (m_language == Language::kXml) {
            sax.startElementNs = Callbacks::startElementNs;
            sax.endElementNs = Callbacks::endElementNs;
            // Entities go through the bounds kept here; external ones are never fetched.
            sax.entityDecl = Callbacks::entityDecl;
            sax.unparsedEntityDecl = Callbacks::unparsedEntityDecl;
            sax.getEntity = Callbacks::getEntity;
            sax.reference = Callbacks::reference;
            sax.resolveEntity = Callbacks::resolveEntity;
        } else {
            sax.startElement = Callbacks::startElement;
            sax.endElement = Callbacks::endElement;
        }
        // Nothing else of the document is wanted: no external subset, no other
        // declarations, no comments or processing instructions, and the
        // structured error above instead of the printed ones.
        clearCallbacks(sax.externalSubset, sax.elementDecl, sax.attributeDecl, sax.notationDecl,
                       sax.comment, sax.processingInstruction, sax.warning, sax.error,
                       sax.fatalError);
        // The first bytes tell an XML parser its encoding.
        const std::string_view head = bytes.substr(0, 4);
        if (m_language == Language::kXml) {
            ctxt = xmlCreatePushParserCtxt(&sax, nullptr, head.data(), static_cast<int>(head.size()),
                                           m_part.c_str());
        } else {
            ctxt = htmlCreatePushParserCtxt(&sax, nullptr, nullptr, 0, m_part.c_str(),
                                            XML_CHAR_ENCODING_NONE);
        }
        if (!ctxt) {
            m_status = Status::make(Status::Kind::kUnreadable, "out of memory parsing " + m_part);
            return m_status;
        }
        m_context = ctxt;
        ctxt->_private = this;
        if (m_language == Language::kXml) {
            xmlCtxtUseOptions(ctxt, XML_PARSE_NONET | XML_PARSE_NOWARNING);
            bytes.remove_prefix(head.size());
        } else {
            htmlCtxtUseOptions(ctxt, HTML_PARSE_NONET | HTML_PARSE_NOWARNING | HTML_PARSE_NOERROR |
                                         HTML_PARSE_IGNORE_ENC);
            const std::string name = m_encoding.empty() ? "UTF-8" : m_encoding;
            xmlCharEncodingHandlerPtr encoder = xmlFindCharEncodingHandler(name.c_str());
            if (!encoder) encoder = xmlFindCharEncodingHandler("UTF-8");
            xmlSwitchToEncoding(ctxt, encoder);
        }
        // The structured error goes to the context, whatever the options set;
        // the HTML parser copies only the first version of the handler.
        ctxt->sax->serror = Callbacks::structuredError;
        if (m_language == Language::kHtml) {
            ctxt->sax->startElementNs = nullptr;
            ctxt->sax->endElementNs = nullptr;
            ctxt->sax->_private = nullptr;
        }
        ctxt->sax->warning = nullptr;
        ctxt->sax->error = nullptr;
        ctxt->sax->fatalError = nullptr;
    }
    const int code =
        m_language == Language::kXml
            ? xmlParseChunk(ctxt, bytes.data(), static_cast<int>(bytes.size()), last ? 1 : 0)
            : htmlParseChunk(ctxt, bytes.data(), static_cast<int>(bytes.size()), last ? 1 : 0);
    if (!m_status.isOk()) return m_status;
    (void)code;  // warnings set it too; a fatal error clears wellFormed
    if (m_language == Language::kXml && !ctxt->wellFormed) {
        m_status = Status::make(Status::Kind::kDamaged,
                                m_part + " is not well-formed XML" +
                                    (m_firstError.empty() ? std::string() : ": " + m_firstError));
    }
    return m_status;
}

Status parseMarkup(MarkupParser::Language language, std::string_view bytes, MarkupHandler& handler,
                   std::string part, const Limits& limits, std::string encoding) {
    MarkupParser parser(language, handler, std::move(part), limits, std::move(encoding));
    if (Status s = parser.push(bytes); !s.isOk()) return s;
    return parser.finish();
}

}  // namespace formats

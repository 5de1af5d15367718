// OpenDocument text (.odt): the body of content.xml, its notes after the text.
#include <string>

#include "documents/formats/markup.h"
#include "documents/formats/readers.h"
#include "documents/formats/zip_archive.h"

namespace formats {
namespace {

constexpr std::string_view kText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view kTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view kOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view kSvg = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0";

class OdtText final : public MarkupHandler {
public:
    OdtText(TextLayout& layout, Notes& notes, const Limits& limits)
        : m_layout(layout), m_notes(notes), m_limits(limits) {}

    Status status() const override { return m_layout.overflowStatus(); }

    void startElement(std::string_view uri, std::string_view name, const Attributes& a) override {
        if (m_skip > 0) {
            ++m_skip;
            return;
        }
        if (uri == kOffice) {
            if (name == "text") m_inBody = true;
            if (name == "annotation" || name == "forms") m_skip = 1;
            return;
        }
        if (uri == kSvg && (name == "title" || name == "desc")) {
            m_skip = 1;  // descriptions of pictures, not shown
            return;
        }
        if (uri == kTable && name == "table-cell") ++m_cells;
        if (uri != kText || !m_inBody) return;
        if (name == "tracked-changes" || name == "note-citation" || name == "sequence-decls") {
            m_skip = 1;
        } else if (name == "list-item" || name == "list-header") {
            ++m_items;
        } else if (name == "s") {
            emit(" ");
        } else if (name == "tab") {
            emit("\t");
        } else if (name == "line-break") {
            if (m_note > 0) {
                m_noteText.push_back(' ');
            } else {
                m_layout.lineBreak();
            }
        } else if (name == "note") {
            const std::string id(a.get("id").value_or(""));
            const int n = m_notes.refer("note:" + (id.empty() ? std::to_string(++m_anonymous) : id));
            emit(Notes::mark(n));
            if (m_note == 0) {
                m_note = n;
                m_noteText.clear();
            }
        }
    }

    void endElement(std::string_view uri, std::string_view name) override {
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        if (uri == kOffice && name == "text") m_inBody = false;
        if (uri == kTable && name == "table-cell" && m_cells > 0) --m_cells;
        if (uri != kText) return;
        if (name == "p" || name == "h") {
            if (m_note > 0) {
                m_noteText.push_back(' ');
            } else if (m_inBody) {
                m_layout.endBlock(m_items > 0 || m_cells > 0 ? TextLayout::Block::kItem
                                                             : TextLayout::Block::kParagraph);
            }
        } else if ((name == "list-item" || name == "list-header") && m_items > 0) {
            --m_items;
        } else if (name == "note" && m_note > 0) {
            m_notes.setText(m_note, m_noteText);
            m_note = 0;
        }
    }

    void characters(std::string_view text) override {
        if (m_skip == 0 && m_inBody) emit(text);
    }

private:
    void emit(std::string_view text) {
        if (m_note > 0) {
            if (m_noteText.size() < m_limits.maxUnpackedBytes) m_noteText.append(text);
        } else {
            m_layout.text(text);
        }
    }

    TextLayout& m_layout;
    Notes& m_notes;
    const Limits& m_limits;
    int m_skip = 0;
    bool m_inBody = false;
    int m_items = 0;
    int m_cells = 0;
    int m_note = 0;
    int m_anonymous = 0;
    std::string m_noteText;
};

}  // namespace

Status readOdt(ZipArchive& zip, TextLayout& layout, const Limits& limits) {
    // A document saved with a password keeps its parts encrypted, which the
    // manifest records.
    if (zip.has("META-INF/manifest.xml")) {
        std::string manifest;
        if (Status s = zip.readAll("META-INF/manifest.xml", &manifest); !s.isOk()) return s;
        if (manifest.find("encryption-data") != std::string::npos) {
            return Status::make(Status::Kind::kPasswordProtected,
                                "an OpenDocument text saved with a password");
        }
    }
    if (!zip.has("content.xml")) {
        return Status::make(Status::Kind::kDamaged, "its member content.xml is missing");
    }
    Notes notes;
    OdtText text(layout, notes, limits);
    MarkupParser parser(MarkupParser::Language::kXml, text, "content.xml", limits);
    if (Status s = zip.read("content.xml", [&](std::string_view piece) { return parser.push(piece); });
        !s.isOk()) {
        return s;
    }
    if (Status s = parser.finish(); !s.isOk()) return s;
    layout.appendBlock(notes.lines(), TextLayout::Block::kItem);
    return text.status();
}

}  // namespace formats

// Word (.docx): the main document part, found through the package's
// relationships, then its footnotes and endnotes.
#include <string>
#include <vector>

#include "documents/formats/markup.h"
#include "documents/formats/readers.h"
#include "documents/formats/zip_archive.h"

namespace formats {
namespace {

constexpr std::string_view kWord = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr std::string_view kWordStrict = "http://purl.oclc.org/ooxml/wordprocessingml/main";
constexpr std::string_view kCompatibility =
    "http://schemas.openxmlformats.org/markup-compatibility/2006";

bool isWord(std::string_view uri) {
    return uri == kWord || uri == kWordStrict;
}

// An on/off property is on unless its value says off.
bool isOn(std::optional<std::string_view> value) {
    return !value || !(*value == "0" || *value == "false" || *value == "off");
}

// The relationships of a part: the type and target of each, external ones left out.
class Relationships final : public MarkupHandler {
public:
    struct Link {
        std::string type, target;
    };
    void startElement(std::string_view, std::string_view name, const Attributes& a) override {
        if (name != "Relationship" || a.get("TargetMode").value_or("") == "External") return;
        links.push_back({std::string(a.get("Type").value_or("")),
                         std::string(a.get("Target").value_or(""))});
    }
    void endElement(std::string_view, std::string_view) override {}
    void characters(std::string_view) override {}

    // The target of the first link whose type ends in `suffix`.
    std::string find(std::string_view suffix) const {
        for (const Link& link : links) {
            if (link.type.size() >= suffix.size() &&
                link.type.compare(link.type.size() - suffix.size(), suffix.size(), suffix) == 0) {
                return link.target;
            }
        }
        return std::string();
    }
    std::vector<Link> links;
};

// The text of the main part or of a notes part.
class WordText final : public MarkupHandler {
public:
    WordText(TextLayout& layout, Notes& notes, const Limits& limits)
        : m_layout(layout), m_notes(notes), m_limits(limits) {}

    // The next part parsed holds the notes of kind `kind` ("footnote" or "endnote").
    void readNotes(std::string kind) {
        m_noteKind = std::move(kind);
        m_first = true;
    }
    bool wrongRoot() const { return m_wrongRoot; }

    Status status() const override { return m_layout.overflowStatus(); }

    void startElement(std::string_view uri, std::string_view name, const Attributes& a) override {
        if (m_first) {
            m_first = false;
            const std::string_view root = m_noteKind.empty() ? "document" : "";
            m_wrongRoot = !isWord(uri) || (!root.empty() && name != root);
        }
        if (m_skip > 0) {
            ++m_skip;
            return;
        }
        if (uri == kCompatibility && name == "Fallback") {
            m_skip = 1;  // the same content as the choice before it
            return;
        }
        if (!isWord(uri)) return;
        if (name == "del" || name == "moveFrom" || name == "instrText" || name == "delText" ||
            name == "delInstrText" || name == "tabs") {
            m_skip = 1;  // deleted text, field codes, tab stops
        } else if (name == "p") {
            m_listParagraph = false;
        } else if (name == "numPr") {
            m_listParagraph = true;
        } else if (name == "tc") {
            ++m_cells;
        } else if (name == "r") {
            m_inRun = true;
            m_runHidden = false;
        } else if (name == "rPr") {
            m_inRunProperties = m_inRun;
        } else if (name == "vanish") {
            if (m_inRunProperties) m_runHidden = isOn(a.get("val"));
        } else if (name == "t") {
            m_inText = true;
        } else if (name == "tab" || name == "ptab") {
            if (m_inRun) emit(" ");
        } else if (name == "br" || name == "cr") {
            const std::string_view type = a.get("type").value_or("");
            if (!m_inRun || m_runHidden) return;
            if (type == "page" || type == "column") {
                emit(" ");
            } else if (m_note > 0) {
                m_noteText.push_back(' ');
            } else if (m_noteKind.empty()) {
                m_layout.lineBreak();
            }
        } else if (name == "noBreakHyphen") {
            if (m_inRun) emit("-");
        } else if (name == "footnoteReference" || name == "endnoteReference") {
            const std::string kind = name == "footnoteReference" ? "footnote" : "endnote";
            const int n = m_notes.refer(kind + ":" + std::string(a.get("id").value_or("")));
            emit(Notes::mark(n));
        } else if ((name == "footnote" || name == "endnote") && name == m_noteKind) {
            const std::string_view type = a.get("type").value_or("normal");
            m_note = type == "normal" ? m_notes.number(m_noteKind + ":" +
                                                       std::string(a.get("id").value_or("")))
                                      : 0;
            m_noteText.clear();
        }
    }

    void endElement(std::string_view uri, std::string_view name) override {
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        if (!isWord(uri)) return;
        if (name == "p") {
            if (m_note > 0) {
                m_noteText.push_back(' ');
            } else if (m_noteKind.empty()) {
                const bool item = m_listParagraph || m_cells > 0;
                m_layout.endBlock(item ? TextLayout::Block::kItem : TextLayout::Block::kParagraph);
            }
            m_listParagraph = false;
        } else if (name == "tc") {
            if (m_cells > 0) --m_cells;
        } else if (name == "r") {
            m_inRun = false;
            m_runHidden = false;
        } else if (name == "rPr") {
            m_inRunProperties = false;
        } else if (name == "t") {
            m_inText = false;
        } else if ((name == "footnote" || name == "endnote") && name == m_noteKind) {
            if (m_note > 0) m_notes.setText(m_note, m_noteText);
            m_note = 0;
        }
    }

    void characters(std::string_view text) override {
        if (m_skip == 0 && m_inText && !m_runHidden) emit(text);
    }

private:
    void emit(std::string_view text) {
        if (m_runHidden) return;
        if (m_note > 0) {
            if (m_noteText.size() < m_limits.maxUnpackedBytes) m_noteText.append(text);
        } else if (m_noteKind.empty()) {
            m_layout.text(text);
        }
    }

    TextLayout& m_layout;
    Notes& m_notes;
    const Limits& m_limits;
    std::string m_noteKind;  // empty in the main part
    bool m_first = true;
    bool m_wrongRoot = false;
    int m_skip = 0;  // depth inside an element whose content is not shown
    bool m_listParagraph = false;
    int m_cells = 0;
    bool m_inRun = false;
    bool m_inRunProperties = false;
    bool m_runHidden = false;
    bool m_inText = false;
    int m_note = 0;  // the number of the note being read
    std::string m_noteText;
};

Status readRelationships(ZipArchive& zip, const std::string& member, const Limits& limits,
                         Relationships* links) {
    if (!zip.has(member)) return Status::ok();
    MarkupParser parser(MarkupParser::Language::kXml, *links, member, limits);
    if (Status s = zip.read(member, [&](std::string_view piece) { return parser.push(piece); });
        !s.isOk()) {
        return s;
    }
    return parser.finish();
}

// The relationships of part "dir/name.xml" live in "dir/_rels/name.xml.rels".
std::string relationshipsOf(const std::string& part) {
    const std::size_t slash = part.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
    return dir + "_rels/" + part.substr(slash == std::string::npos ? 0 : slash + 1) + ".rels";
}

}  // namespace

Status readDocx(ZipArchive& zip, TextLayout& layout, const Limits& limits) {
    Relationships package;
    if (Status s = readRelationships(zip, "_rels/.rels", limits, &package); !s.isOk()) return s;
    std::string main = resolveMemberPath("", package.find("/officeDocument"));
    if (main.empty()) main = "word/document.xml";
    if (main.rfind("xl/", 0) == 0) {
        return Status::make(Status::Kind::kUnsupported, "an Excel workbook (.xlsx)");
    }
    if (main.rfind("ppt/", 0) == 0) {
        return Status::make(Status::Kind::kUnsupported, "a PowerPoint presentation (.pptx)");
    }
    if (!zip.has(main)) return Status::make(Status::Kind::kDamaged, "its main part " + main + " is missing");

    Notes notes;
    WordText text(layout, notes, limits);
    const auto parsePart = [&](const std::string& part) {
        MarkupParser parser(MarkupParser::Language::kXml, text, part, limits);
        if (Status s = zip.read(part, [&](std::string_view piece) { return parser.push(piece); });
            !s.isOk()) {
            return s;
        }
        return parser.finish();
    };
    if (Status s = parsePart(main); !s.isOk()) return s;
    if (text.wrongRoot()) {
        return Status::make(Status::Kind::kUnsupported, "an Office file that is not a Word document");
    }
    layout.endBlock();

    Relationships parts;
    if (Status s = readRelationships(zip, relationshipsOf(main), limits, &parts); !s.isOk()) {
        return s;
    }
    for (const char* kind : {"footnote", "endnote"}) {
        const std::string target = parts.find(std::string("/") + kind + "s");
        if (target.empty()) continue;
        const std::string part = resolveMemberPath(main, target);
        if (!zip.has(part)) continue;
        text.readNotes(kind);
        if (Status s = parsePart(part); !s.isOk()) return s;
    }
    layout.appendBlock(notes.lines(), TextLayout::Block::kItem);
    return layout.overflowStatus();
}

}  // namespace formats

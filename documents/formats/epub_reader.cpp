// EPUB: the package document named by META-INF/container.xml, then every
// content document of its spine in order, the notes of all after the text.
#include <string>
#include <unordered_map>
#include <vector>

#include "documents/formats/html_text.h"
#include "documents/formats/readers.h"
#include "documents/formats/zip_archive.h"

namespace formats {
namespace {

// The package document's path, from the container.
class Container final : public MarkupHandler {
public:
    void startElement(std::string_view, std::string_view name, const Attributes& a) override {
        if (name == "rootfile" && packagePath.empty()) {
            packagePath = std::string(a.get("full-path").value_or(""));
        }
    }
    void endElement(std::string_view, std::string_view) override {}
    void characters(std::string_view) override {}
    std::string packagePath;
};

// The manifest and the spine of the package document.
class Package final : public MarkupHandler {
public:
    struct Item {
        std::string href, mediaType;
    };
    void startElement(std::string_view, std::string_view name, const Attributes& a) override {
        if (name == "item") {
            items[std::string(a.get("id").value_or(""))] = {
                std::string(a.get("href").value_or("")),
                std::string(a.get("media-type").value_or(""))};
        } else if (name == "itemref") {
            spine.emplace_back(a.get("idref").value_or(""));
        }
    }
    void endElement(std::string_view, std::string_view) override {}
    void characters(std::string_view) override {}

    std::unordered_map<std::string, Item> items;
    std::vector<std::string> spine;
};

Status parseMember(ZipArchive& zip, const std::string& member, MarkupParser::Language language,
                   MarkupHandler& handler, const Limits& limits) {
    MarkupParser parser(language, handler, member, limits);
    if (Status s = zip.read(member, [&](std::string_view piece) { return parser.push(piece); });
        !s.isOk()) {
        return s;
    }
    return parser.finish();
}

// One content document laid out into *text and *notes; an XHTML document
// that is not well-formed XML is read again as HTML, as reading systems do.
Status readContentDocument(ZipArchive& zip, const std::string& member, const Limits& limits,
                           std::string* text, std::string* notes) {
    Status status;
    for (const auto language : {MarkupParser::Language::kXml, MarkupParser::Language::kHtml}) {
        text->clear();
        notes->clear();
        TextLayout main(
            [&](std::string_view piece) {
                text->append(piece);
                return true;
            },
            limits.maxUnpackedBytes);
        TextLayout noteLayout(
            [&](std::string_view piece) {
                notes->append(piece);
                return true;
            },
            limits.maxUnpackedBytes);
        HtmlText html(main, noteLayout);
        status = parseMember(zip, member, language, html, limits);
        if (status.isOk()) {
            html.finish();
            main.finish();
            noteLayout.finish();
            return html.status();
        }
        if (status.kind() != Status::Kind::kDamaged) return status;
    }
    return status;
}

}  // namespace

Status readEpub(ZipArchive& zip, TextLayout& layout, const Limits& limits) {
    // Books sold with DRM keep their content documents encrypted; fonts may
    // be obfuscated in any book.
    if (zip.has("META-INF/encryption.xml")) {
        std::string encryption;
        if (Status s = zip.readAll("META-INF/encryption.xml", &encryption); !s.isOk()) return s;
        for (const char* kind : {".xhtml\"", ".html\"", ".htm\"", ".xhtml'", ".html'", ".htm'"}) {
            if (encryption.find(kind) != std::string::npos) {
                return Status::make(Status::Kind::kPasswordProtected,
                                    "an EPUB book whose text is encrypted (DRM)");
            }
        }
    }
    if (!zip.has("META-INF/container.xml")) {
        return Status::make(Status::Kind::kDamaged, "its META-INF/container.xml is missing");
    }
    Container container;
    if (Status s = parseMember(zip, "META-INF/container.xml", MarkupParser::Language::kXml,
                               container, limits);
        !s.isOk()) {
        return s;
    }
    const std::string packagePath = resolveMemberPath("", container.packagePath);
    if (packagePath.empty() || !zip.has(packagePath)) {
        return Status::make(Status::Kind::kDamaged, "its package document is missing");
    }
    Package package;
    if (Status s = parseMember(zip, packagePath, MarkupParser::Language::kXml, package, limits);
        !s.isOk()) {
        return s;
    }

    std::string allNotes;
    std::string text, notes;
    for (const std::string& idref : package.spine) {
        const auto item = package.items.find(idref);
        if (item == package.items.end()) continue;
        const std::string& type = item->second.mediaType;
        if (type != "application/xhtml+xml" && type != "text/html") continue;
        const std::string member = resolveMemberPath(packagePath, item->second.href);
        if (!zip.has(member)) {
            return Status::make(Status::Kind::kDamaged, "its content document " + member + " is missing");
        }
        if (Status s = readContentDocument(zip, member, limits, &text, &notes); !s.isOk()) return s;
        layout.appendBlock(text, TextLayout::Block::kParagraph);
        if (!notes.empty()) {
            if (!allNotes.empty()) allNotes.push_back('\n');
            allNotes.append(notes);
        }
        if (layout.overflowed()) return layout.overflowStatus();
    }
    layout.appendBlock(allNotes, TextLayout::Block::kParagraph);
    return Status::ok();
}

}  // namespace formats

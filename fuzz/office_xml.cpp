// Fuzzes the XML of the zip documents, where a mutated archive would mostly
// fail its checksums: the first byte chooses Word, OpenDocument text or EPUB,
// the rest is the main XML part (a form feed separates Word's footnotes part)
// packed into a well-formed container. Entity tricks must be refused within
// the bounds, the text must keep the layout's promises.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/document_text.h"
#include "tests/formats/make_documents.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string xml(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string container;
    switch (data[0] % 3) {
        case 0: {
            const std::size_t split = xml.find('\f');
            std::vector<testdocs::Member> members = {
                {"_rels/.rels", "<Relationships/>"}, {"word/document.xml", xml.substr(0, split)}};
            if (split != std::string::npos) {
                members.push_back(
                    {"word/_rels/document.xml.rels",
                     "<Relationships><Relationship Type=\"x/footnotes\" Target=\"footnotes.xml\"/>"
                     "</Relationships>"});
                members.push_back({"word/footnotes.xml", xml.substr(split + 1)});
            }
            container = testdocs::zipOf(members);
            break;
        }
        case 1:
            container = testdocs::zipOf({{"mimetype", "application/vnd.oasis.opendocument.text"},
                                         {"content.xml", xml}});
            break;
        default:
            container = testdocs::epubOf({{"a.xhtml", xml}});
            break;
    }
    fuzzdocs::readAndCheck(container, formats::Format::kZip);
    return 0;
}

// Small documents made in the tests: zip containers through libzip (Word,
// OpenDocument, EPUB), PDF written object by object.
#pragma once

#include <zip.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace testdocs {

struct Member {
    std::string name, content;
    bool encrypted = false;
};

// A zip archive holding `members`, in order, deflated (encrypted ones with AES).
inline std::string zipOf(const std::vector<Member>& members) {
    // Written into a buffer the archive's source keeps after closing.
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    if (!zip) return std::string();
    zip_source_keep(buffer);
    for (const Member& m : members) {
        zip_source_t* source = zip_source_buffer(zip, m.content.data(), m.content.size(), 0);
        const zip_int64_t index = zip_file_add(zip, m.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (m.encrypted) {
            zip_file_set_encryption(zip, static_cast<zip_uint64_t>(index), ZIP_EM_AES_256, "secret");
        }
    }
    zip_close(zip);
    std::string bytes;
    zip_stat_t st;
    if (zip_source_stat(buffer, &st) == 0 && zip_source_open(buffer) == 0) {
        bytes.resize(st.size);
        zip_source_read(buffer, bytes.data(), bytes.size());
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return bytes;
}

inline const char* const kWordNs =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\"";

// A Word document whose body is `body` (w:p elements and the like), with
// footnotes `footnotes` (w:footnote elements) when given.
inline std::string docxOf(const std::string& body, const std::string& footnotes = std::string(),
                          const std::string& prolog = std::string()) {
    std::vector<Member> members = {
        {"[Content_Types].xml",
         "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
         "content-types\"/>"},
        {"_rels/.rels",
         "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/"
         "2006/relationships\"><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
         "officeDocument/2006/relationships/officeDocument\" Target=\"word/document.xml\"/>"
         "</Relationships>"},
        {"word/document.xml", "<?xml version=\"1.0\"?>" + prolog + "<w:document " +
                                  std::string(kWordNs) + "><w:body>" + body +
                                  "</w:body></w:document>"},
    };
    if (!footnotes.empty()) {
        members.push_back(
            {"word/_rels/document.xml.rels",
             "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
             "package/2006/relationships\"><Relationship Id=\"rId9\" Type=\"http://"
             "schemas.openxmlformats.org/officeDocument/2006/relationships/footnotes\" "
             "Target=\"footnotes.xml\"/></Relationships>"});
        members.push_back({"word/footnotes.xml", "<?xml version=\"1.0\"?><w:footnotes " +
                                                     std::string(kWordNs) + ">" + footnotes +
                                                     "</w:footnotes>"});
    }
    return zipOf(members);
}

// A paragraph of Word runs.
inline std::string wordParagraph(const std::string& text, const std::string& properties = "") {
    return "<w:p>" + properties + "<w:r><w:t xml:space=\"preserve\">" + text + "</w:t></w:r></w:p>";
}

// An OpenDocument text whose office:text holds `body`.
inline std::string odtOf(const std::string& body, bool encrypted = false) {
    const std::string manifest =
        std::string("<?xml version=\"1.0\"?><manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:"
                    "opendocument:xmlns:manifest:1.0\"><manifest:file-entry manifest:full-path="
                    "\"content.xml\" manifest:media-type=\"text/xml\">") +
        (encrypted ? "<manifest:encryption-data/>" : "") +
        "</manifest:file-entry></manifest:manifest>";
    return zipOf({
        {"mimetype", "application/vnd.oasis.opendocument.text"},
        {"META-INF/manifest.xml", manifest},
        {"content.xml",
         "<?xml version=\"1.0\"?><office:document-content "
         "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
         "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\"><office:body>"
         "<office:text>" +
             body + "</office:text></office:body></office:document-content>"},
    });
}

// An EPUB whose spine lists `chapters` (name, XHTML) in order; `extra`
// members are added after them.
inline std::string epubOf(const std::vector<std::pair<std::string, std::string>>& chapters,
                          const std::vector<Member>& extra = {}) {
    std::string manifest, spine;
    std::vector<Member> members = {
        {"mimetype", "application/epub+zip"},
        {"META-INF/container.xml",
         "<?xml version=\"1.0\"?><container version=\"1.0\" xmlns=\"urn:oasis:names:tc:"
         "opendocument:xmlns:container\"><rootfiles><rootfile full-path=\"OEBPS/content.opf\" "
         "media-type=\"application/oebps-package+xml\"/></rootfiles></container>"},
    };
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        std::string id = "c";
        id += std::to_string(i);
        manifest += "<item id=\"" + id + "\" href=\"text/" + chapters[i].first +
                    "\" media-type=\"application/xhtml+xml\"/>";
        spine += "<itemref idref=\"" + id + "\"/>";
        members.push_back({"OEBPS/text/" + chapters[i].first, chapters[i].second});
    }
    members.push_back({"OEBPS/content.opf",
                       "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" "
                       "version=\"3.0\"><manifest>" +
                           manifest + "</manifest><spine>" + spine + "</spine></package>"});
    members.insert(members.end(), extra.begin(), extra.end());
    return zipOf(members);
}

// An XHTML content document with `body`.
inline std::string xhtmlOf(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><html xmlns=\"http://www.w3.org/1999/xhtml\" "
           "xmlns:epub=\"http://www.idpf.org/2007/ops\"><head><title>T</title></head><body>" +
           body + "</body></html>";
}

// A word of a PDF page: placed at (x, y) from the bottom left, in Helvetica of `size` points.
struct PdfText {
    double x, y, size;
    std::string text;
};

// A PDF of US Letter pages, each with its words (or drawing only, when none);
// `encrypted` adds a standard security handler whose user password is not empty.
inline std::string pdfOf(const std::vector<std::vector<PdfText>>& pages, bool encrypted = false) {
    std::vector<std::string> objects;  // object n is objects[n - 1]
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back("");  // the page tree, once the pages are known
    objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica "
                      "/Encoding /WinAnsiEncoding >>");
    std::string kids;
    for (const auto& page : pages) {
        std::string content;
        if (page.empty()) {
            content = "0 0 1 rg 100 100 300 400 re f\n";
        } else {
            for (const PdfText& t : page) {
                content += "BT /F1 " + std::to_string(t.size) + " Tf " + std::to_string(t.x) + " " +
                           std::to_string(t.y) + " Td (" + t.text + ") Tj ET\n";
            }
        }
        objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" +
                          content + "endstream");
        const std::size_t contentNumber = objects.size();
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources "
                          "<< /Font << /F1 3 0 R >> >> /Contents " +
                          std::to_string(contentNumber) + " 0 R >>");
        kids += std::to_string(objects.size()) + " 0 R ";
    }
    objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>";
    if (encrypted) {
        objects.push_back("<< /Filter /Standard /V 1 /R 2 /O <" + std::string(64, 'A') + "> /U <" +
                          std::string(64, 'B') + "> /P -4 >>");
    }
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R";
    if (encrypted) {
        pdf += " /Encrypt " + std::to_string(objects.size()) + " 0 R /ID [<" + std::string(32, '1') +
               "> <" + std::string(32, '1') + ">]";
    }
    pdf += " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

}  // namespace testdocs

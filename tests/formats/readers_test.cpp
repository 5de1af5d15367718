// Each reader against documents made here: the text it lays out, and every
// kind of bad document refused with its reason, within the limits.
#include <gtest/gtest.h>

#include "documents/formats/document_reader.h"
#include "documents/formats/readers.h"
#include "documents/formats/zip_archive.h"
#include "make_documents.h"

namespace formats {
namespace {

using namespace testdocs;
using Kind = Status::Kind;

struct Read {
    Status status;
    std::string text;
    Format found = Format::kPlainText;
};

Read read(const std::string& bytes, Format format, const Limits& limits = Limits()) {
    Read r;
    r.status = readFormatted(
        bytes, format,
        [&](std::string_view text) {
            r.text.append(text);
            return true;
        },
        limits, &r.found);
    return r;
}

TEST(WordReader, ParagraphsListItemsCellsInOrderAndNotesAfter) {
    const std::string body =
        wordParagraph("A Title") +
        "<w:p><w:r><w:t>First </w:t></w:r><w:r><w:rPr><w:b/></w:rPr><w:t>para</w:t></w:r>"
        "<w:r><w:t>graph</w:t><w:footnoteReference w:id=\"2\"/></w:r><w:r><w:tab/>"
        "<w:t>after tab</w:t></w:r></w:p>" +
        wordParagraph("item one", "<w:pPr><w:numPr><w:ilvl w:val=\"0\"/></w:numPr></w:pPr>") +
        wordParagraph("item two", "<w:pPr><w:numPr><w:ilvl w:val=\"0\"/></w:numPr></w:pPr>") +
        "<w:tbl><w:tr><w:tc>" + wordParagraph("cell A") + "</w:tc><w:tc>" +
        wordParagraph("cell B") + "</w:tc></w:tr></w:tbl>" +
        // Deleted text, field codes, hidden text and a fallback copy are not shown.
        "<w:p><w:r><w:t>kept</w:t></w:r><w:del><w:r><w:delText>deleted</w:delText></w:r></w:del>"
        "<w:r><w:instrText>PAGE</w:instrText></w:r><w:r><w:rPr><w:vanish/></w:rPr>"
        "<w:t>hidden</w:t></w:r><w:r><w:rPr><w:vanish w:val=\"0\"/></w:rPr><w:t> shown</w:t></w:r>"
        "<mc:AlternateContent><mc:Choice Requires=\"wps\"><w:r><w:t> once</w:t></w:r></mc:Choice>"
        "<mc:Fallback><w:r><w:t> twice</w:t></w:r></mc:Fallback></mc:AlternateContent>"
        "<w:r><w:br/><w:t>broken line</w:t></w:r></w:p>" +
        wordParagraph("Last &amp; least");
    const std::string footnotes =
        "<w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p>"
        "</w:footnote><w:footnote w:id=\"2\"><w:p><w:r><w:footnoteRef/></w:r><w:r>"
        "<w:t> A note.</w:t></w:r></w:p></w:footnote>"
        "<w:footnote w:id=\"3\"><w:p><w:r><w:t>Never referred to.</w:t></w:r></w:p></w:footnote>";
    const Read r = read(docxOf(body, footnotes), Format::kZip);
    ASSERT_TRUE(r.status.isOk()) << r.status.message();
    EXPECT_EQ(r.found, Format::kDocx);
    EXPECT_EQ(r.text,
              "A Title\n\nFirst paragraph[1] after tab\n\nitem one\nitem two\ncell A\ncell B\n\n"
              "kept shown once\nbroken line\n\nLast & least\n\n[1] A note.\n");
}

TEST(OdtReader, HeadingsParagraphsListsTablesAndNotes) {
    const std::string body =
        "<text:tracked-changes><text:changed-region><text:deletion><text:p>gone</text:p>"
        "</text:deletion></text:changed-region></text:tracked-changes>"
        "<text:h text:outline-level=\"1\">Heading</text:h>"
        "<text:p>One<text:s text:c=\"3\"/>two<text:tab/>three<text:note text:id=\"n1\" "
        "text:note-class=\"footnote\"><text:note-citation>1</text:note-citation><text:note-body>"
        "<text:p>The note.</text:p></text:note-body></text:note> end<text:line-break/>next</text:p>"
        "<text:list><text:list-item><text:p>first</text:p></text:list-item><text:list-item>"
        "<text:p>second</text:p></text:list-item></text:list>"
        "<table:table><table:table-row><table:table-cell><text:p>a</text:p></table:table-cell>"
        "<table:table-cell><text:p>b</text:p></table:table-cell></table:table-row></table:table>"
        "<text:p>Last <office:annotation><text:p>a comment</text:p></office:annotation>word</text:p>";
    const Read r = read(odtOf(body), Format::kZip);
    ASSERT_TRUE(r.status.isOk()) << r.status.message();
    EXPECT_EQ(r.found, Format::kOdt);
    EXPECT_EQ(r.text,
              "Heading\n\nOne two three[1] end\nnext\n\nfirst\nsecond\na\nb\n\nLast word\n\n"
              "[1] The note.\n");
}

TEST(EpubReader, SpineOrderVisibleTextAndNotesOfEveryChapterAtTheEnd) {
    const std::string one = xhtmlOf(
        "<h1>Chapter One</h1><p>Hello <em>there</em>&#160;&amp; welcome.<a epub:type=\"noteref\" "
        "href=\"#n1\">1</a></p><aside epub:type=\"footnote\" id=\"n1\"><p>1. A note.</p></aside>"
        "<script>ignored()</script><ul><li>Alpha</li><li>Beta</li></ul>");
    // Not well-formed XML (and an HTML entity): read again as HTML.
    const std::string two =
        "<html><body><p>Second&nbsp;chapter<br>next line<p>Unclosed</body></html>";
    const std::string nav = xhtmlOf("<nav epub:type=\"toc\"><ol><li>Not in the spine</li></ol></nav>");
    const Read r = read(epubOf({{"one.xhtml", one}, {"two.xhtml", two}},
                               {{"OEBPS/text/nav.xhtml", nav}}),
                        Format::kZip);
    ASSERT_TRUE(r.status.isOk()) << r.status.message();
    EXPECT_EQ(r.found, Format::kEpub);
    EXPECT_EQ(r.text,
              "Chapter One\n\nHello there\xC2\xA0& welcome.1\n\nAlpha\nBeta\n\n"
              "Second\xC2\xA0" "chapter\nnext line\n\nUnclosed\n\n1. A note.\n");
}

TEST(HtmlReader, VisibleTextInBlocksWithReferencesDecoded) {
    const std::string page =
        "<!DOCTYPE html><html><head><title>Title</title><style>p{}</style>"
        "<script>var x = '<p>no</p>';</script></head><body>"
        "<h1>Head&shy;ing</h1><div>Intro <b>bold</b>\n   text<div>nested</div>tail</div>"
        "<p hidden>secret</p><p style=\"DISPLAY: none\">secret too</p>"
        "<table><tr><td>c1</td><td>c2</td></tr></table>"
        "<pre>  keep\n  lines</pre><p>caf&eacute; &#x263A; &lt;tag&gt;</p>"
        "<noscript>enable scripts</noscript><template><p>later</p></template></body></html>";
    const Read r = read(page, Format::kHtml);
    ASSERT_TRUE(r.status.isOk()) << r.status.message();
    EXPECT_EQ(r.text,
              "Heading\n\nIntro bold text\n\nnested\n\ntail\n\nc1\nc2\n\nkeep\nlines\n\n"
              "caf\xC3\xA9 \xE2\x98\xBA <tag>\n");
    // The character set: a byte-order mark, what the page declares, else
    // UTF-8 when valid, else windows-1252.
    EXPECT_EQ(read("<html><head><meta charset=\"windows-1252\"></head><body><p>caf\xE9</p>", Format::kHtml).text,
              "caf\xC3\xA9\n");
    EXPECT_EQ(read("<html><body><p>na\xEFve</p>", Format::kHtml).text, "na\xC3\xAFve\n");
    // A character set nobody knows, or UTF-8 declared for bytes that are not.
    EXPECT_EQ(read("<html><head><meta charset=\"utf-8\"><meta charset=\"x-klingon\"><p>na\xEFve",
                   Format::kHtml).text,
              "na\xC3\xAFve\n");
    EXPECT_EQ(read("<html><head><meta charset=\"x-klingon\"><p>na\xEFve", Format::kHtml).text,
              "na\xC3\xAFve\n");
    EXPECT_EQ(read("<html><body><p>na\xC3\xAFve</p>", Format::kHtml).text, "na\xC3\xAFve\n");
    std::size_t mark = 0;
    EXPECT_EQ(htmlEncoding("\xFF\xFE<\0h\0", &mark), "UTF-16LE");
    EXPECT_EQ(mark, 2u);
    EXPECT_EQ(htmlEncoding("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                           "charset=ISO-8859-1\">",
                           &mark),
              "windows-1252");
}

TEST(ZipDocuments, BadOnesAreRefusedWithTheirReason) {
    const std::string word = docxOf(wordParagraph("Hello"));
    Limits small;
    small.maxUnpackedBytes = 1 << 20;
    small.maxUnpackRatio = 100000;
    const std::string zeros(3 << 20, '\0');
    struct Case {
        const char* what;
        std::string bytes;
        Kind kind;
        const char* detail;
        Limits limits = Limits();
    };
    const Case cases[] = {
        {"truncated", word.substr(0, word.size() / 2), Kind::kDamaged, "zip directory"},
        {"encrypted member",
         zipOf({{"_rels/.rels", "<Relationships/>"},
                {"word/document.xml", "<w:document/>", true}}),
         Kind::kPasswordProtected, "encrypted"},
        {"odt with a password", odtOf("<text:p>x</text:p>", true), Kind::kPasswordProtected,
         "password"},
        {"epub with drm",
         epubOf({{"a.xhtml", xhtmlOf("<p>x</p>")}},
                {{"META-INF/encryption.xml", "<encryption><EncryptedData><CipherData>"
                                             "<CipherReference URI=\"OEBPS/text/a.xhtml\"/>"
                                             "</CipherData></EncryptedData></encryption>"}}),
         Kind::kPasswordProtected, "DRM"},
        {"unpacks past the total", zipOf({{"word/document.xml", zeros}}), Kind::kUnpackTooLarge,
         "past 1 MB", small},
        {"unpacks past the ratio", zipOf({{"word/document.xml", std::string(2 << 20, 'a')}}),
         Kind::kUnpackTooLarge, "100 times"},
        {"not well-formed", docxOf("<w:p><w:r><w:t>open</w:r></w:p>"), Kind::kDamaged,
         "word/document.xml is not well-formed"},
        {"spreadsheet", zipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                               {"content.xml", "<x/>"}}),
         Kind::kUnsupported, "spreadsheet"},
        {"plain zip", zipOf({{"readme.txt", "hello"}}), Kind::kUnsupported, "zip archive"},
        {"epub without container", zipOf({{"mimetype", "application/epub+zip"}}), Kind::kDamaged,
         "container.xml"},
        {"docx without its part",
         zipOf({{"[Content_Types].xml", "<Types/>"}}), Kind::kDamaged, "word/document.xml"},
        {"encrypted office file",
         std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(100, '\0') +
             std::string("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32),
         Kind::kPasswordProtected, "password"},
        {"word 97", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) +
                        std::string("W\0o\0r\0d\0D\0o\0c\0u\0m\0e\0n\0t\0", 24),
         Kind::kUnsupported, ".doc"},
    };
    for (const Case& c : cases) {
        const Read r = read(c.bytes, detectFormat(c.bytes, true).value(), c.limits);
        EXPECT_EQ(r.status.kind(), c.kind) << c.what << ": " << r.status.message();
        EXPECT_NE(r.status.message().find(c.detail), std::string::npos)
            << c.what << ": " << r.status.message();
        EXPECT_EQ(r.text, "") << c.what;
    }
}

TEST(XmlEntities, NeverFetchedNeverExpandedPastTheBound) {
    const std::string laughs =
        "<!DOCTYPE w:document [<!ENTITY a \"ha\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]>";
    std::string bigEntity = "<!DOCTYPE w:document [<!ENTITY big \"" + std::string(4000, 'x') + "\">]>";
    std::string manyReferences;
    for (int i = 0; i < 2000; ++i) manyReferences += "&big;";
    struct Case {
        const char* what;
        std::string prolog, body;
        Kind kind;
        const char* detail;
    };
    const Case cases[] = {
        {"nested", laughs, wordParagraph("&c;"), Kind::kUnsafeXml, "refers to other entities"},
        {"external", "<!DOCTYPE w:document [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>",
         wordParagraph("&x;"), Kind::kUnsafeXml, "never fetched"},
        {"parameter", "<!DOCTYPE w:document [<!ENTITY % p SYSTEM \"http://example.invalid/\">%p;]>",
         wordParagraph("x"), Kind::kUnsafeXml, "never fetched"},
        {"quadratic", bigEntity, wordParagraph(manyReferences), Kind::kUnsafeXml, "expand past"},
        {"plain", "<!DOCTYPE w:document [<!ENTITY nbsp \"&#160;\"><!ENTITY me \"Anna\">]>",
         wordParagraph("Hi&nbsp;&me;, &me;."), Kind::kOk, ""},
    };
    for (const Case& c : cases) {
        const Read r = read(docxOf(c.body, std::string(), c.prolog), Format::kZip);
        EXPECT_EQ(r.status.kind(), c.kind) << c.what << ": " << r.status.message();
        EXPECT_NE(r.status.message().find(c.detail), std::string::npos) << r.status.message();
        if (c.kind == Kind::kOk) {
            EXPECT_EQ(r.text, "Hi\xC2\xA0" "Anna, Anna.\n");
        }
    }
}

TEST(FormattedDocuments, ALargeOneIsRefusedUnread) {
    Limits limits;
    limits.maxDocumentBytes = 1000;
    const Read r = read("<html>" + std::string(2000, ' '), Format::kHtml, limits);
    EXPECT_EQ(r.status.kind(), Kind::kTooLarge);
    EXPECT_EQ(read("plain", Format::kPlainText).status.kind(), Kind::kUnsupported);
}

TEST(ZipDocuments, MemberPathsResolve) {
    EXPECT_EQ(resolveMemberPath("OEBPS/content.opf", "text/ch%201.xhtml#top"), "OEBPS/text/ch 1.xhtml");
    EXPECT_EQ(resolveMemberPath("word/document.xml", "../customXml/item.xml"), "customXml/item.xml");
    EXPECT_EQ(resolveMemberPath("word/document.xml", "/word/footnotes.xml"), "word/footnotes.xml");
    EXPECT_EQ(resolveMemberPath("", "./word/./document.xml"), "word/document.xml");
    EXPECT_EQ(resolveMemberPath("a/b.xml", "../../../x"), "x");
}

}  // namespace
}  // namespace formats

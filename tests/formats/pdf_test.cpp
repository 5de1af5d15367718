// PDF pages made here and the story saved by a word processor: reading
// order, paragraphs, broken words and pages; and the PDFs that are refused.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "documents/formats/document_reader.h"
#include "make_documents.h"

namespace formats {
namespace {

using namespace testdocs;
using Kind = Status::Kind;

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(VANTREL_FORMATS_DATA) + "/" + name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Status readText(const std::string& bytes, std::string* text) {
    const auto format = detectFormat(bytes, true);
    return readFormatted(bytes, format.value_or(Format::kPlainText), [text](std::string_view piece) {
        text->append(piece);
        return true;
    });
}

TEST(PdfReader, LinesJoinIntoParagraphsBrokenWordsRejoinPagesApart) {
    const std::string pdf = pdfOf({
        {
            {72, 720, 18, "A Heading"},
            {72, 690, 12, "The first paragraph goes on and on across the page and"},
            {72, 676, 12, "then ends here with a broken exam-"},
            {72, 662, 12, "ple of a word and a well-"},
            {72, 648, 12, "Known name and a dash\x97"},
            {72, 634, 12, "unspaced."},
            {72, 620, 12, "Second paragraph, after a gap, goes on to the margin too,"},
            {72, 606, 12, "Its second line, and then a much longer line that reaches"},
            {72, 592, 12, "the margin."},
            {90, 578, 12, "Third, indented after a short line."},
        },
        {{72, 720, 12, "Page two."}},
    });
    std::string text;
    const Status status = readText(pdf, &text);
    ASSERT_TRUE(status.isOk()) << status.message();
    EXPECT_EQ(text,
              "A Heading\n\n"
              "The first paragraph goes on and on across the page and then ends here with a "
              "broken example of a word and a well- Known name and a dash\xE2\x80\x94unspaced.\n\n"
              "Second paragraph, after a gap, goes on to the margin too, Its second line, and then "
              "a much longer line that "
              "reaches the margin.\n\n"
              "Third, indented after a short line.\n\n"
              "Page two.\n");
}

TEST(PdfReader, BadOnesAreRefusedWithTheirReason) {
    const std::string good = pdfOf({{{72, 720, 12, "Hello."}}});
    struct Case {
        const char* what;
        std::string bytes;
        Kind kind;
    };
    const Case cases[] = {
        {"scanned", pdfOf({{}, {}}), Kind::kNoTextLayer},
        {"password", pdfOf({{{72, 720, 12, "Secret."}}}, true), Kind::kPasswordProtected},
        {"cut short", good.substr(0, good.size() - 40), Kind::kDamaged},
        {"garbage", "%PDF-1.4\n" + std::string(300, '(') + "\n%%EOF\n", Kind::kDamaged},
    };
    for (const Case& c : cases) {
        std::string text;
        EXPECT_EQ(readText(c.bytes, &text).kind(), c.kind) << c.what;
        EXPECT_EQ(text, "") << c.what;
    }
}

// The same story saved as every kind of document reads as the plain text.
TEST(Story, EveryFormatGivesThePlainText) {
    const std::string plain = fixture("story.txt");
    ASSERT_FALSE(plain.empty());
    for (const char* name : {"story.pdf", "story.docx", "story.odt", "story.epub", "story.html"}) {
        std::string text;
        const Status status = readText(fixture(name), &text);
        EXPECT_TRUE(status.isOk()) << name << ": " << status.message();
        EXPECT_EQ(text, plain) << name;
    }
}

}  // namespace
}  // namespace formats

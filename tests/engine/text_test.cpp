#include <gtest/gtest.h>

#include "engine/codepage.h"
#include "engine/text.h"
#include "engine/translator.h"
#include "engine/utf8.h"

namespace engine {
namespace {

using Pieces = std::vector<std::string>;

TEST(SplitText, CutsAtEveryDelimiterKeepingEmptyPieces) {
    struct Case {
        std::string text, delimiter;
        Pieces pieces;
    };
    const Case cases[] = {
        {"a b", " ", {"a", "b"}},
        {"a  b", " ", {"a", "", "b"}},
        {"abc", " ", {"abc"}},
        {"", " ", {""}},
        {"a b ", " ", {"a", "b", ""}},
        {"a b", "", {"a", "b"}},  // empty delimiter stands for a space
        {"x--y--", "--", {"x", "y", ""}},
        {"aXbxc", "X", {"a", "bxc"}},  // case-sensitive
    };
    for (const Case& c : cases) {
        EXPECT_EQ(splitText(c.text, c.delimiter), c.pieces) << '"' << c.text << '"';
    }
}

TEST(SplitText, CutFirstPieceReportsAMissingDelimiter) {
    std::string text = "one two", piece;
    ASSERT_TRUE(cutFirstPiece(text, " ", &piece));
    EXPECT_EQ(piece, "one");
    EXPECT_EQ(text, "two");
    EXPECT_FALSE(cutFirstPiece(text, " ", &piece));
    EXPECT_EQ(text, "two");
}

TEST(RemoveDuplicates, KeepsFirstOccurrenceIgnoringAsciiCase) {
    EXPECT_EQ(removeDuplicates({"Xyzzy", "Foo", "xyzzy", "FOO", "bar"}),
              (Pieces{"Xyzzy", "Foo", "bar"}));
    EXPECT_EQ(removeDuplicates({}), Pieces{});
    EXPECT_EQ(removeDuplicates({"แมว", "แมว", "หมา"}), (Pieces{"แมว", "หมา"}));
}

TEST(CollapseSpaces, OneSpaceInsideNoneAtTheEnds) {
    const std::pair<std::string, std::string> cases[] = {
        {" a \t b\n", "a b"},
        {"a\r\n\v\fb", "a b"},
        {" \t\n ", ""},
        {"", ""},
        {"แมว  ดำ", "แมว ดำ"},
        {"a\u00A0b", "a\u00A0b"},  // only ASCII white space
    };
    for (const auto& [text, collapsed] : cases) EXPECT_EQ(collapseSpaces(text), collapsed) << text;
}

TEST(Separators, MatchTheScannerTable) {
    for (int code = 0; code < 256; ++code) {
        const bool expected = code == 9 || code == 10 || code == 11 || code == 13 ||
                              (code >= 32 && code <= 47) || (code >= 58 && code <= 64) ||
                              (code >= 91 && code <= 94) || code == 96 ||
                              (code >= 123 && code <= 126);
        EXPECT_EQ(isWordSeparator(code), expected) << code;
    }
}

TEST(CodePage, GivesWindows874CodesAnd63ForTheRest) {
    struct Case {
        char32_t cp;
        int code;
    };
    const Case cases[] = {
        {U'A', 65},           {U'_', 95},           {U'\r', 13},    {0x0E01, 0xA1} /* ก */,
        {0x0E5B, 0xFB},       {0x20AC, 0x80},       {0x2019, 0x92}, {0x00A0, 0xA0},
        {0x201E, 34} /* „ */, {0x00E9, 63} /* é */, {0x4E2D, 63},   {0x1F600, 63},
    };
    for (const Case& c : cases) EXPECT_EQ(ansiCode(c.cp), c.code) << std::hex << static_cast<unsigned>(c.cp);
}

TEST(CodePage, TypographicPunctuationIsScannedAsItsPlainCounterpart) {
    const std::pair<char32_t, int> cases[] = {
        {0x2018, '\''}, {0x2019, '\''}, {0x201C, '"'},  {0x201D, '"'},
        {0x201E, '"'},  {0x2013, '-'},  {0x2014, '-'},  {0x2026, '.'},
        {0x00A0, ' '},  {0x0E01, 0xA1}, {0x20AC, 0x80}, {U'x', 'x'},
    };
    for (const auto& [cp, code] : cases) {
        EXPECT_EQ(scannerCode(ansiCode(cp)), code) << std::hex << static_cast<unsigned>(cp);
    }
    std::string scratch;
    EXPECT_EQ(straightQuotes("don \u2019 t", &scratch), "don ' t");
    EXPECT_EQ(straightQuotes("\u201Ca\u201D\u201E\u2018", &scratch), "\"a\"\"'");
    EXPECT_EQ(straightQuotes("a\u2014b\u2026", &scratch), "a\u2014b\u2026");  // dashes stay
    EXPECT_EQ(straightQuotes("แมว", &scratch), "แมว");
}

TEST(CodePage, DocumentBytesBecomeUtf8) {
    EXPECT_EQ(documentBytesToUtf8("\xEF\xBB\xBFhello"), "hello");
    EXPECT_EQ(documentBytesToUtf8("แมว"), "แมว");
    // "แมว" in Windows-874 is not valid UTF-8 and is read in that code page.
    EXPECT_EQ(documentBytesToUtf8("\xE1\xC1\xC7 cat"), "แมว cat");
    EXPECT_FALSE(isValidUtf8("\xC0\x80"));  // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_TRUE(isValidUtf8("\xEF\xBF\xBD"));
    EXPECT_EQ(utf8Length("aแมว"), 4u);
}

TEST(CodePage, DocumentsWithAByteOrderMarkAreDecodedByIt) {
    using namespace std::string_literals;
    struct Case {
        std::string bytes, text;
    };
    const Case cases[] = {
        // UTF-16 as Notepad writes it: "Hi ก" and a character past the BMP.
        {"\xFF\xFEH\0i\0 \0\x01\x0E"s, "Hi ก"},
        {"\xFE\xFF\0H\0i\0 \x0E\x01"s, "Hi ก"},
        {"\xFF\xFE\x3D\xD8\x00\xDE"s, "\U0001F600"},
        {"\xFF\xFE\x19\x20s\0"s, "\u2019s"},
        // A lone surrogate and an odd final byte become U+FFFD.
        {"\xFF\xFE\x00\xDC"
         "a\0b"s,
         "\uFFFDa\uFFFD"},
        {"\xFF\xFE"s, ""},
        // Marked UTF-8 stays UTF-8 even with a bad byte in it.
        {"\xEF\xBB\xBF\xE2\x80\x9Cok\xE2\x80\x9D \xFF"s, "\u201Cok\u201D \uFFFD"},
    };
    for (const Case& c : cases) EXPECT_EQ(documentBytesToUtf8(c.bytes), c.text) << c.text;
}

TEST(Progress, FollowsTheScanFormula) {
    struct Case {
        std::size_t i, n;
        int percent;
    };
    const Case cases[] = {{0, 100, 1}, {50, 100, 49}, {99, 100, 98}, {199, 200, 99},
                          {0, 1, 1},   {1, 200, 1},   {3, 200, 1} /* 0.5 rounds up */};
    for (const Case& c : cases) {
        EXPECT_EQ(Translator::progressPercent(c.i, c.n), c.percent) << c.i << "/" << c.n;
    }
}

}  // namespace
}  // namespace engine

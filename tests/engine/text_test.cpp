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
        {U'A', 65},      {U'_', 95},     {U'\r', 13},      {0x0E01, 0xA1} /* ก */,
        {0x0E5B, 0xFB},  {0x20AC, 0x80}, {0x2019, 0x92},   {0x00A0, 0xA0},
        {0x00E9, 63} /* é */, {0x4E2D, 63}, {0x1F600, 63},
    };
    for (const Case& c : cases) EXPECT_EQ(ansiCode(c.cp), c.code) << std::hex << static_cast<unsigned>(c.cp);
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

// The one UTF-8 decoder, shared by the scanner and the importers.
#include <gtest/gtest.h>

#include "engine/utf8.h"

namespace engine {
namespace {

TEST(Utf8, DecodesOneCharacterOrOneBadByte) {
    struct Case {
        std::string bytes;
        char32_t cp;
        std::size_t length;
    };
    const Case cases[] = {
        {"A", U'A', 1},
        {"\xC3\xA9", 0xE9, 2},        // é
        {"\xE0\xB8\x81", 0x0E01, 3},  // ก
        {"\xF0\x9F\x98\x80", 0x1F600, 4},
        {"\xEF\xBF\xBD", 0xFFFD, 3},  // a written replacement character
        {"\xC3", 0xFFFD, 1},          // cut short
        {"\xE0\xB8", 0xFFFD, 1},
        {"\xE0\x41\x42", 0xFFFD, 1},  // no continuation byte
        {"\x80", 0xFFFD, 1},          // continuation byte alone
        {"\xC0\xA9", 0xFFFD, 1},      // overlong
        {"\xE0\x80\xA9", 0xFFFD, 1},
        {"\xED\xA0\x80", 0xFFFD, 1},      // surrogate
        {"\xF4\x90\x80\x80", 0xFFFD, 1},  // past U+10FFFF
        {"\xF8\x88\x80\x80\x80", 0xFFFD, 1},
    };
    for (const Case& c : cases) {
        char32_t cp = 0;
        EXPECT_EQ(decodeUtf8(c.bytes, 0, &cp), c.length) << testing::PrintToString(c.bytes);
        EXPECT_EQ(cp, c.cp) << testing::PrintToString(c.bytes);
    }
}

TEST(Utf8, EncodingDecodesBackAtEveryLength) {
    for (const char32_t cp : {U'\0', U'z', char32_t{0x7FF}, char32_t{0x800}, char32_t{0xFFFF},
                              char32_t{0x10000}, char32_t{0x10FFFF}}) {
        std::string bytes;
        appendUtf8(cp, &bytes);
        char32_t back = 0;
        EXPECT_EQ(decodeUtf8(bytes, 0, &back), bytes.size())
            << std::hex << static_cast<unsigned>(cp);
        EXPECT_EQ(back, cp);
        EXPECT_TRUE(isValidUtf8(bytes));
        EXPECT_EQ(utf8Length(bytes), 1u);
    }
}

}  // namespace
}  // namespace engine

// Documents decoded a piece at a time give the text of the whole document.
#include <gtest/gtest.h>

#include <random>

#include "engine/codepage.h"
#include "engine/document_stream.h"
#include "engine/utf8.h"

namespace engine {
namespace {

// Bytes that stress every decoder: ASCII, line ends, UTF-8 of every length,
// typographic quotes, cut and bad sequences, surrogate halves, Thai letters
// of Windows-874 and odd zero bytes.
std::string randomBytes(std::mt19937& rng, std::size_t size) {
    static const std::string pieces[] = {"a",
                                         "The ",
                                         "\r\n",
                                         "\r",
                                         "\n",
                                         "\xE0\xB8\x81",
                                         "\xE2\x80\x99",
                                         "\xF0\x9F\x98\x80",
                                         "\xC3\xA9",
                                         "\xE2\x80",
                                         "\xC3",
                                         "\xFF",
                                         "\x80",
                                         "\xED\xA0\x80",
                                         "\xE1\xC1\xC7",
                                         "\x92",
                                         std::string(1, '\0'),
                                         "\x3D\xD8",
                                         "\x00\xDC",
                                         "\xEF\xBF\xBD"};
    std::string bytes;
    while (bytes.size() < size) bytes += pieces[rng() % std::size(pieces)];
    return bytes;
}

// UTF-16 code units after their byte-order mark: characters of both planes,
// surrogate pairs, lone halves, and at times an odd final byte.
std::string randomUtf16(std::mt19937& rng, bool bigEndian, std::size_t units) {
    static const char16_t choices[] = {u'a', u' ', u'\r', u'\n', 0x0E01, 0x2019, 0xD83D, 0xDE00};
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (std::size_t k = 0; k < units; ++k) {
        const char16_t u = choices[rng() % std::size(choices)];
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    if (rng() % 4 == 0) bytes += 'x';
    return bytes;
}

// The text of `bytes` decoded as the command-line reader does: mark, then
// the encoding found on the whole document, in pieces of random size.
std::string decodeInPieces(const std::string& bytes, std::mt19937& rng) {
    std::string_view rest = bytes;
    DocumentEncoding encoding;
    if (const auto mark = findByteOrderMark(bytes)) {
        encoding = mark->encoding;
        rest.remove_prefix(mark->length);
    } else {
        Utf8Check check;
        for (std::string_view b = bytes; !b.empty();) {
            const std::size_t n = std::min<std::size_t>(b.size(), 1 + rng() % 9);
            check.feed(b.substr(0, n));
            b.remove_prefix(n);
        }
        encoding = check.finish() ? DocumentEncoding::kUtf8 : DocumentEncoding::kWindows874;
    }
    DocumentDecoder decoder(encoding);
    std::string text;
    while (!rest.empty()) {
        const std::size_t n = std::min<std::size_t>(rest.size(), 1 + rng() % 9);
        decoder.decode(rest.substr(0, n), &text);
        rest.remove_prefix(n);
    }
    decoder.finish(&text);
    return text;
}

TEST(DocumentStream, PiecesDecodeAsTheWholeDocument) {
    std::mt19937 rng(7);
    const std::string marks[] = {"", "", "\xEF\xBB\xBF"};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = marks[round % std::size(marks)] + randomBytes(rng, rng() % 40);
        if (round % 7 == 0) bytes = "plain ASCII, " + std::to_string(round) + "\r\n";
        EXPECT_EQ(decodeInPieces(bytes, rng), documentBytesToUtf8(bytes))
            << testing::PrintToString(bytes);
    }
}

TEST(DocumentStream, Utf16InPiecesDecodesAsTheWholeDocument) {
    std::mt19937 rng(5);
    for (int round = 0; round < 2000; ++round) {
        const std::string bytes = randomUtf16(rng, round % 2 == 1, rng() % 12);
        EXPECT_EQ(decodeInPieces(bytes, rng), documentBytesToUtf8(bytes))
            << testing::PrintToString(bytes);
    }
}

TEST(DocumentStream, MarksAreToldFromTheFewestBytes) {
    for (const char* head : {"", "\xFF", "\xFE", "\xEF", "\xEF\xBB"})
        EXPECT_TRUE(markMayFollow(head));
    for (const char* head : {"a", "\xFF\xFE", "\xEF\xBB\xBF", "\xEF\xBA", "\xFF\xFF"})
        EXPECT_FALSE(markMayFollow(head)) << testing::PrintToString(std::string(head));
}

TEST(DocumentStream, CheckInPiecesAgreesWithTheWholeCheck) {
    std::mt19937 rng(11);
    for (int round = 0; round < 3000; ++round) {
        const std::string bytes = randomBytes(rng, rng() % 12);
        Utf8Check check;
        for (std::size_t k = 0; k < bytes.size(); ++k) check.feed(bytes.substr(k, 1));
        EXPECT_EQ(check.finish(), isValidUtf8(bytes)) << testing::PrintToString(bytes);
    }
}

}  // namespace
}  // namespace engine

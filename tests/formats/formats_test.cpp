// Telling a document's kind by its content, laying its text out, and the
// structure of subtitles.
#include <gtest/gtest.h>

#include "documents/formats/format.h"
#include "documents/formats/subtitles.h"
#include "documents/formats/text_layout.h"

namespace formats {
namespace {

using namespace std::string_literals;

TEST(DetectFormat, ContentDecidesAndTheExtensionOnlyTipsAFragment) {
    struct Case {
        std::string head;
        bool complete;
        std::string extension;
        std::optional<Format> format;
    };
    const Case cases[] = {
        {"%PDF-1.7\n%\xE2\xE3", true, "txt", Format::kPdf},
        {"PK\x03\x04rest", true, "pdf", Format::kZip},
        {"PK\x05\x06", true, "", Format::kZip},
        {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", true, "docx", Format::kCompound},
        {"<!DOCTYPE html><p>x", true, "", Format::kHtml},
        {"\xEF\xBB\xBF  <!-- saved -->\n<HTML lang=en>", true, "txt", Format::kHtml},
        {"<?xml version=\"1.0\"?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\">", true, "",
         Format::kHtml},
        {"<p>a fragment</p>", true, "htm", Format::kHtml},
        {"<p>a fragment</p>", true, "txt", Format::kPlainText},
        {"<htmlx>", true, "", Format::kPlainText},
        {"WEBVTT\n\n00:01.000 --> 00:02.000\nHi", true, "", Format::kWebVtt},
        {"WEBVTT - a title\r\n", true, "", Format::kWebVtt},
        {"WEBVTTX", true, "vtt", Format::kPlainText},
        {"1\r\n00:00:01,000 --> 00:00:02,500\r\nHello", true, "txt", Format::kSubRip},
        {"\n\n12\n0:00:01.5 --> 0:00:02.0\n", true, "", Format::kSubRip},
        {"00:00:01,000 --> 00:00:02,000\nHello", true, "", Format::kSubRip},
        {"1\nnot a timing\n", true, "srt", Format::kPlainText},
        {"1984 was a year.\nIt was.", true, "", Format::kPlainText},
        {"\xFF\xFE" "W\0E\0B\0V\0T\0T\0\n\0"s, true, "", Format::kWebVtt},
        {"The big house.\n", true, "pdf", Format::kPlainText},
        {"", true, "", Format::kPlainText},
        // A pipe's first piece: more is needed while it could still be one of them.
        {"%PD", false, "", std::nullopt},
        {"\xEF\xBB", false, "", std::nullopt},
        {"WEB", false, "", std::nullopt},
        {"WEBVTT", false, "", std::nullopt},  // "WEBVTTX..." would be plain text
        {"WEBVTTTO\n", false, "", Format::kPlainText},
        {"1\n", false, "", std::nullopt},
        {"<!DOC", false, "", std::nullopt},
        {"   ", false, "", std::nullopt},
        {"The big house", false, "", Format::kPlainText},
        {"We", false, "", Format::kPlainText},
        {std::string(kDetectBytes, '1'), false, "", Format::kPlainText},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(detectFormat(c.head, c.complete, c.extension), c.format) << c.head;
    }
    EXPECT_EQ(extensionOf("/a.b/Story.DOCX"), "docx");
    EXPECT_EQ(extensionOf("/a.b/story"), "");
    EXPECT_EQ(extensionOf(".profile"), "");
}

std::string laidOut(const std::function<void(TextLayout&)>& steps, std::uint64_t limit = ~0ull) {
    std::string out;
    TextLayout layout(
        [&](std::string_view text) {
            out.append(text);
            return true;
        },
        limit);
    steps(layout);
    layout.finish();
    return out;
}

TEST(TextLayout, BlocksAreLinesWithBlankLinesBetweenButNotBetweenItems) {
    using Block = TextLayout::Block;
    EXPECT_EQ(laidOut([](TextLayout& l) {
                  l.text("  A  heading\n");
                  l.endBlock();
                  l.text("one");
                  l.endBlock(Block::kItem);
                  l.text("two\t\r\n");
                  l.endBlock(Block::kItem);
                  l.endBlock();  // an empty block leaves nothing
                  l.text("Para\xC2\xAD" "graph with\x01 soft hyphen");
                  l.lineBreak();
                  l.text("next line");
                  l.lineBreak();
                  l.lineBreak();
                  l.text("after a blank");
              }),
              "A heading\n\none\ntwo\n\nParagraph with soft hyphen\nnext line\n\nafter a blank\n");
    EXPECT_EQ(laidOut([](TextLayout& l) { l.preformatted("a  b\n\n c\n"); }), "a b\n\nc\n");
    // Bytes that are no UTF-8 become U+FFFD; C1 controls go.
    EXPECT_EQ(laidOut([](TextLayout& l) { l.text("caf\xE9 \xC2\x85x \xE0\xB8\x81"); }),
              "caf\xEF\xBF\xBD x \xE0\xB8\x81\n");
    EXPECT_EQ(laidOut([](TextLayout& l) {
                  l.text("body");
                  l.appendBlock("[1] note\n[2] other\n", Block::kItem);
              }),
              "body\n\n[1] note\n[2] other\n");
    // Text past the limit is dropped and said so.
    std::string out;
    TextLayout small(
        [&](std::string_view text) {
            out.append(text);
            return true;
        },
        10);
    small.text("short");
    small.endBlock();
    EXPECT_FALSE(small.overflowed());
    small.text("far too long for it");
    small.endBlock();
    small.finish();
    EXPECT_TRUE(small.overflowed());
    EXPECT_EQ(out, "short\n");
}

TEST(TextLayout, NotesAreNumberedInTheOrderOfReference) {
    Notes notes;
    EXPECT_EQ(notes.refer("footnote:7"), 1);
    EXPECT_EQ(notes.refer("endnote:1"), 2);
    EXPECT_EQ(notes.refer("footnote:7"), 1);
    EXPECT_EQ(notes.number("footnote:8"), 0);
    notes.setText(2, "  the  end \n note ");
    notes.setText(1, "first");
    notes.setText(3, "never referred to");
    EXPECT_EQ(notes.lines(), "[1] first\n[2] the end note\n");
}

// The lines of a subtitle file, marked '+' for cue text and '=' for kept,
// with their line ends shown.
std::string sorted(const std::string& text, Format format, std::size_t piece) {
    std::string out;
    SubtitleLines lines(format, [&](const SubtitleLine& line) {
        out += line.cueText ? '+' : '=';
        out += line.text;
        out += line.end == "\r\n" ? "|CRLF\n" : line.end == "\n" ? "|LF\n" : "|END\n";
        return true;
    });
    for (std::size_t at = 0; at < text.size(); at += piece) lines.feed(std::string_view(text).substr(at, piece));
    lines.finish();
    return out;
}

TEST(Subtitles, CueTextIsToldFromEverythingKept) {
    const std::string srt =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\n<i>Hello</i> there\r\nsecond line\r\n\r\n"
        "2\r\n00:00:03,000 --> 00:00:04,000 X1:10\r\n42\r\n\r\n\r\n3\r\n00:00:05,000 --> "
        "00:00:06,000\r\nlast";
    const std::string expected =
        "=1|CRLF\n=00:00:01,000 --> 00:00:02,000|CRLF\n+<i>Hello</i> there|CRLF\n"
        "+second line|CRLF\n=|CRLF\n=2|CRLF\n=00:00:03,000 --> 00:00:04,000 X1:10|CRLF\n"
        "+42|CRLF\n=|CRLF\n=|CRLF\n=3|CRLF\n=00:00:05,000 --> 00:00:06,000|CRLF\n+last|END\n";
    for (const std::size_t piece : {1u, 3u, 1000u}) {
        EXPECT_EQ(sorted(srt, Format::kSubRip, piece), expected) << piece;
    }
    const std::string vtt =
        "WEBVTT Kind: captions\nLanguage: en\n\nNOTE a remark\nspanning lines\n\n"
        "STYLE\n::cue { color: red }\n\nintro\n00:01.000 --> 00:02.000 align:start\n"
        "<v Anna>Hi &amp; bye</v>\n\n00:03.000 --> 00:04.000\nSecond\n";
    EXPECT_EQ(sorted(vtt, Format::kWebVtt, 7),
              "=WEBVTT Kind: captions|LF\n=Language: en|LF\n=|LF\n=NOTE a remark|LF\n"
              "=spanning lines|LF\n=|LF\n=STYLE|LF\n=::cue { color: red }|LF\n=|LF\n=intro|LF\n"
              "=00:01.000 --> 00:02.000 align:start|LF\n+<v Anna>Hi &amp; bye</v>|LF\n=|LF\n"
              "=00:03.000 --> 00:04.000|LF\n+Second|LF\n");
}

TEST(Subtitles, CueTextLosesItsMarkup) {
    const std::pair<std::string, std::string> cases[] = {
        {"<i>Hello</i> <b>there</b>", "Hello there"},
        {"{\\an8}<font color=\"#ff0\">Top</font>", "Top"},
        {"<v Anna>Hi</v> <00:00:01.500>again", "Hi again"},
        {"Tom &amp; Jerry &lt;3 &nbsp;x", "Tom & Jerry <3 \xC2\xA0x"},
        {"a < b and 3 > 2", "a < b and 3 > 2"},
        {"&unknown; stays", "&unknown; stays"},
    };
    for (const auto& [line, plain] : cases) EXPECT_EQ(plainCueText(line), plain) << line;
    EXPECT_EQ(subtitleText("1\n00:00:01,000 --> 00:00:02,000\n<i>One</i>\ntwo\n\n2\n"
                           "00:00:03,000 --> 00:00:04,000\nThree\n",
                           Format::kSubRip),
              "One\ntwo\n\nThree\n");
}

TEST(Subtitles, TimingsAreRecognised) {
    for (const char* timing : {"00:00:01,000 --> 00:00:02,000", " 1:02:03.4-->1:02:05.000 pos",
                               "100:00:00,000 --> 100:00:01,000"}) {
        EXPECT_TRUE(isSubRipTiming(timing)) << timing;
    }
    for (const char* other : {"00:01.000 --> 00:02.000", "00:00:01 --> 00:00:02",
                              "00:00:01,000 -> 00:00:02,000", "1", ""}) {
        EXPECT_FALSE(isSubRipTiming(other)) << other;
    }
}

}  // namespace
}  // namespace formats

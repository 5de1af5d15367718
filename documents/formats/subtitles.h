// SubRip (.srt) and WebVTT (.vtt) subtitles: their lines sorted, a piece of
// text at a time, into those kept as they are (cue numbers and identifiers,
// timings, blank lines, headers, notes and style blocks) and the lines of each
// cue's text, which a translation replaces.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "documents/formats/format.h"

namespace formats {

// True when `line` starts with a SubRip timing, "00:00:01,000 --> 00:00:04,000"
// (a full stop for the comma is accepted).
bool isSubRipTiming(std::string_view line);

// One line of a subtitle file.
struct SubtitleLine {
    std::string_view text;  // without its line end
    std::string_view end;   // "\n", "\r\n", or empty for a last line without one
    bool cueText = false;   // a line of a cue's text; else kept as it is
};

class SubtitleLines final {
public:
    using Sink = std::function<bool(const SubtitleLine& line)>;

    // `format` is kSubRip or kWebVtt.
    SubtitleLines(Format format, Sink sink) : m_webVtt(format == Format::kWebVtt), m_sink(std::move(sink)) {}

    // Takes the next piece of the file's text (UTF-8); the sink gets every
    // line it completes. False once the sink has returned false.
    bool feed(std::string_view text);
    // Hands over the last line, if the text did not end with a line end.
    bool finish();

private:
    bool line(std::string_view text, std::string_view end);

    enum class State { kStart, kHeader, kBetween, kBlock, kCue };
    bool m_webVtt;
    Sink m_sink;
    State m_state = State::kStart;
    std::string m_partial;  // a line not ended yet
};

// The words of a line of cue text: markup tags (<i>, </b>, <font ...>,
// <v Name>, WebVTT timestamps) and SubRip override codes ({\an8}) removed,
// WebVTT character references (&amp;, &lt;, &gt;, &nbsp;, ...) decoded.
std::string plainCueText(std::string_view line);

// Reads a whole subtitle document's text into the English of its cues: each
// cue's lines (as plainCueText() gives them) with a blank line between cues.
std::string subtitleText(std::string_view text, Format format);

}  // namespace formats

#include "documents/formats/subtitles.h"

#include "engine/utf8.h"

namespace formats {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t\f\r") == std::string_view::npos;
}

// Reads "H:MM:SS,mmm" (the hours one digit or more) at *at; false when none is there.
bool readTimestamp(std::string_view line, std::size_t* at) {
    std::size_t k = *at;
    const std::size_t hourStart = k;
    while (k < line.size() && isDigit(line[k])) ++k;
    if (k == hourStart || k - hourStart > 4) return false;
    for (int part = 0; part < 2; ++part) {
        if (k + 3 > line.size() || line[k] != ':' || !isDigit(line[k + 1]) || !isDigit(line[k + 2])) {
            return false;
        }
        k += 3;
    }
    if (k >= line.size() || (line[k] != ',' && line[k] != '.')) return false;
    const std::size_t fraction = ++k;
    while (k < line.size() && isDigit(line[k])) ++k;
    if (k == fraction) return false;
    *at = k;
    return true;
}

void skipBlanks(std::string_view line, std::size_t* at) {
    while (*at < line.size() && (line[*at] == ' ' || line[*at] == '\t')) ++*at;
}

// The keyword of a WebVTT block that is not a cue: NOTE, STYLE or REGION
// alone or followed by a space.
bool startsNonCueBlock(std::string_view line) {
    for (const std::string_view word : {"NOTE", "STYLE", "REGION"}) {
        if (line.substr(0, word.size()) == word &&
            (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t')) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool isSubRipTiming(std::string_view line) {
    std::size_t at = 0;
    skipBlanks(line, &at);
    if (!readTimestamp(line, &at)) return false;
    skipBlanks(line, &at);
    if (line.substr(at, 3) != "-->") return false;
    at += 3;
    skipBlanks(line, &at);
    return readTimestamp(line, &at);
}

bool SubtitleLines::feed(std::string_view text) {
    for (std::size_t newline; (newline = text.find('\n')) != std::string_view::npos;) {
        std::string_view piece = text.substr(0, newline);
        text.remove_prefix(newline + 1);
        std::string_view whole = piece;
        if (!m_partial.empty()) {
            m_partial.append(piece);
            whole = m_partial;
        }
        const bool crlf = !whole.empty() && whole.back() == '\r';
        if (crlf) whole.remove_suffix(1);
        const bool ok = line(whole, crlf ? "\r\n" : "\n");
        m_partial.clear();
        if (!ok) return false;
    }
    m_partial.append(text);
    return true;
}

bool SubtitleLines::finish() {
    if (m_partial.empty()) return true;
    const std::string last = std::move(m_partial);
    m_partial.clear();
    return line(last, std::string_view());
}

bool SubtitleLines::line(std::string_view text, std::string_view end) {
    const bool blank = isBlank(text);
    bool cueText = false;
    switch (m_state) {
        case State::kStart:
            if (blank) break;
            if (m_webVtt) {
                m_state = State::kHeader;  // the WEBVTT line and what follows it
                break;
            }
            [[fallthrough]];
        case State::kBetween:
            if (blank) break;
            if (text.find("-->") != std::string_view::npos) {
                m_state = State::kCue;
            } else if (m_webVtt && startsNonCueBlock(text)) {
                m_state = State::kBlock;
            } else {
                m_state = State::kBetween;  // a cue number or identifier
            }
            break;
        case State::kHeader:
        case State::kBlock:
            if (blank) m_state = State::kBetween;
            break;
        case State::kCue:
            if (blank) {
                m_state = State::kBetween;
            } else {
                cueText = true;
            }
            break;
    }
    return m_sink(SubtitleLine{text, end, cueText});
}

std::string plainCueText(std::string_view line) {
    std::string out;
    for (std::size_t k = 0; k < line.size();) {
        const char c = line[k];
        if (c == '<' && k + 1 < line.size()) {
            const char next = line[k + 1];
            const bool tag = next == '/' || isDigit(next) || (next >= 'a' && next <= 'z') ||
                             (next >= 'A' && next <= 'Z');
            const std::size_t close = line.find('>', k);
            if (tag && close != std::string_view::npos) {
                k = close + 1;
                continue;
            }
        }
        if (c == '{' && k + 1 < line.size() && line[k + 1] == '\\') {
            const std::size_t close = line.find('}', k);
            if (close != std::string_view::npos) {
                k = close + 1;
                continue;
            }
        }
        if (c == '&') {
            static const struct {
                std::string_view name;
                char32_t code;
            } kReferences[] = {{"&amp;", '&'},      {"&lt;", '<'},       {"&gt;", '>'},
                               {"&nbsp;", 0xA0},    {"&lrm;", 0x200E},   {"&rlm;", 0x200F},
                               {"&quot;", '"'},     {"&apos;", '\''}};
            bool decoded = false;
            for (const auto& ref : kReferences) {
                if (line.substr(k, ref.name.size()) == ref.name) {
                    engine::appendUtf8(ref.code, &out);
                    k += ref.name.size();
                    decoded = true;
                    break;
                }
            }
            if (decoded) continue;
        }
        out.push_back(c);
        ++k;
    }
    return out;
}

std::string subtitleText(std::string_view text, Format format) {
    std::string out;
    bool inCue = false;
    SubtitleLines lines(format, [&](const SubtitleLine& line) {
        if (!line.cueText) {
            inCue = false;
            return true;
        }
        if (!inCue && !out.empty()) out.push_back('\n');  // a blank line between cues
        inCue = true;
        out.append(plainCueText(line.text)).push_back('\n');
        return true;
    });
    lines.feed(text);
    lines.finish();
    return out;
}

}  // namespace formats

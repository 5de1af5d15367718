#include "documents/formats/format.h"

#include <algorithm>
#include <array>

#include "documents/formats/subtitles.h"
#include "engine/document_stream.h"

namespace formats {
namespace {

// The first bytes by which a file names its kind: PDF, a zip container (an
// empty one too) and the compound file of old Word documents.
struct Signature {
    std::string_view magic;
    Format format;
};
constexpr std::array<Signature, 4> kSignatures{{{"%PDF-", Format::kPdf},
                                                {"PK\x03\x04", Format::kZip},
                                                {"PK\x05\x06", Format::kZip},
                                                {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", Format::kCompound}}};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t k = 0; k < prefix.size(); ++k) {
        if (lower(text[k]) != lower(prefix[k])) return false;
    }
    return true;
}

// True when `text` is shorter than `word` and could still grow into it.
bool mayBecome(std::string_view text, std::string_view word) {
    return text.size() < word.size() && startsWithNoCase(word, text);
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

std::string_view skipSpace(std::string_view text) {
    std::size_t k = 0;
    while (k < text.size() && isSpace(text[k])) ++k;
    return text.substr(k);
}

// The head as UTF-8 text: a byte-order mark decides, else it is taken as it is.
std::string headText(std::string_view head) {
    const auto mark = engine::findByteOrderMark(head);
    if (!mark) return std::string(head);
    engine::DocumentDecoder decoder(mark->encoding);
    std::string text;
    decoder.decode(head.substr(mark->length), &text);
    return text;
}

enum class Verdict { kYes, kNo, kMore };

// Markup an HTML page starts with: a document type, or the html, head or body
// element, after any XML declaration and comments.
Verdict looksLikeHtml(std::string_view text, bool complete) {
    for (;;) {
        text = skipSpace(text);
        if (startsWithNoCase(text, "<?xml") || startsWithNoCase(text, "<!--")) {
            const std::string_view close = text[1] == '?' ? "?>" : "-->";
            const std::size_t end = text.find(close);
            if (end == std::string_view::npos) return complete ? Verdict::kNo : Verdict::kMore;
            text.remove_prefix(end + close.size());
            continue;
        }
        break;
    }
    for (const std::string_view start : {"<!doctype html", "<html", "<head", "<body"}) {
        if (startsWithNoCase(text, start)) {
            if (start == "<!doctype html") return Verdict::kYes;
            if (text.size() == start.size()) return complete ? Verdict::kYes : Verdict::kMore;
            const char after = text[start.size()];
            if (isSpace(after) || after == '>' || after == '/') return Verdict::kYes;
        } else if (!complete && mayBecome(text, start)) {
            return Verdict::kMore;
        }
    }
    return Verdict::kNo;
}

// SubRip: a cue number on the first line and a timing on the second, or the
// timing first.
Verdict looksLikeSubRip(std::string_view text, bool complete) {
    const std::size_t firstEnd = text.find('\n');
    if (firstEnd == std::string_view::npos) {
        if (!complete) return Verdict::kMore;
        return isSubRipTiming(text) ? Verdict::kYes : Verdict::kNo;
    }
    std::string_view first = text.substr(0, firstEnd);
    if (!first.empty() && first.back() == '\r') first.remove_suffix(1);
    if (isSubRipTiming(first)) return Verdict::kYes;
    if (first.empty() || first.size() > 9 ||
        !std::all_of(first.begin(), first.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return Verdict::kNo;
    }
    const std::string_view rest = text.substr(firstEnd + 1);
    const std::size_t secondEnd = rest.find('\n');
    if (secondEnd == std::string_view::npos && !complete) return Verdict::kMore;
    return isSubRipTiming(rest.substr(0, secondEnd)) ? Verdict::kYes : Verdict::kNo;
}

}  // namespace

bool isFormatted(Format format) {
    return format != Format::kPlainText && !isSubtitles(format);
}

bool isSubtitles(Format format) {
    return format == Format::kSubRip || format == Format::kWebVtt;
}

const char* formatName(Format format) {
    switch (format) {
        case Format::kPlainText:
            return "plain text";
        case Format::kPdf:
            return "PDF";
        case Format::kZip:
            return "zip archive";
        case Format::kDocx:
            return "Word document";
        case Format::kOdt:
            return "OpenDocument text";
        case Format::kEpub:
            return "EPUB book";
        case Format::kCompound:
            return "Office compound file";
        case Format::kHtml:
            return "web page";
        case Format::kSubRip:
            return "SubRip subtitles";
        case Format::kWebVtt:
            return "WebVTT subtitles";
    }
    return "document";
}

std::optional<Format> detectFormat(std::string_view head, bool complete,
                                   std::string_view extension) {
    complete = complete || head.size() >= kDetectBytes;
    for (const auto& [magic, format] : kSignatures) {
        if (head.substr(0, magic.size()) == magic) return format;
        if (!complete && head.size() < magic.size() && magic.substr(0, head.size()) == head) {
            return std::nullopt;
        }
    }
    if (!complete && engine::markMayFollow(head)) return std::nullopt;

    const std::string decoded = headText(head);
    const std::string_view text = skipSpace(decoded);
    if (text.empty()) return complete ? std::optional(Format::kPlainText) : std::nullopt;
    Verdict verdict = Verdict::kNo;
    Format format = Format::kPlainText;
    if (text[0] == 'W') {
        format = Format::kWebVtt;
        if (!complete && text.size() < 6 &&
            std::string_view("WEBVTT").substr(0, text.size()) == text) {
            verdict = Verdict::kMore;
        } else if (text.substr(0, 6) == "WEBVTT") {
            if (text.size() > 6) {
                verdict = isSpace(text[6]) ? Verdict::kYes : Verdict::kNo;
            } else {
                verdict = complete ? Verdict::kYes : Verdict::kMore;
            }
        }
    } else if (text[0] >= '0' && text[0] <= '9') {
        format = Format::kSubRip;
        verdict = looksLikeSubRip(text, complete);
    } else if (text[0] == '<') {
        format = Format::kHtml;
        const bool htmlName = extension == "html" || extension == "htm" || extension == "xhtml" ||
                              extension == "xht";
        verdict = htmlName ? Verdict::kYes : looksLikeHtml(text, complete);
    }
    switch (verdict) {
        case Verdict::kYes:
            return format;
        case Verdict::kMore:
            return std::nullopt;
        case Verdict::kNo:
            break;
    }
    return Format::kPlainText;
}

std::string extensionOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return std::string();
    std::string ext(name.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(), lower);
    return ext;
}

const std::vector<std::string>& documentPatterns() {
    static const std::vector<std::string> patterns = {"*.txt",  "*.pdf", "*.docx", "*.odt",
                                                      "*.epub", "*.html", "*.htm", "*.xhtml",
                                                      "*.srt",  "*.vtt"};
    return patterns;
}

}  // namespace formats

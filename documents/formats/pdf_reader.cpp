// PDF through poppler's C++ library: the words of each page in reading order,
// gathered into lines by their position and the lines into paragraphs by the
// space between them, their indent, a short last line and changes of size.
#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "documents/formats/readers.h"

namespace formats {
namespace {

// Poppler would print what it repairs on standard error.
void silencePoppler() {
    static std::once_flag once;
    std::call_once(once, [] {
        poppler::set_debug_error_function([](const std::string&, void*) {}, nullptr);
    });
}

struct Line {
    std::string text;
    double left = 0, right = 0, top = 0, bottom = 0;
    double firstWordWidth = 0;
    double height() const { return bottom - top; }
};

// The bytes of the last UTF-8 character of `text`.
std::string_view lastCharacter(std::string_view text) {
    std::size_t k = text.size();
    while (k > 0 && (static_cast<unsigned char>(text[k - 1]) & 0xC0) == 0x80) --k;
    return k > 0 ? text.substr(k - 1) : text;
}

constexpr std::string_view kEmDash = "\xE2\x80\x94";

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A line ending in a hyphen after a letter, followed by one starting in lower
// case: the word was broken there.
bool brokenWord(const std::string& line, const std::string& next) {
    for (const std::string_view hyphen : {"-", "\xE2\x80\x90", "\xC2\xAD"}) {
        if (line.size() > hyphen.size() && line.compare(line.size() - hyphen.size(),
                                                        hyphen.size(), hyphen) == 0) {
            const char before = line[line.size() - hyphen.size() - 1];
            return isAsciiLetter(before) && !next.empty() && next[0] >= 'a' && next[0] <= 'z';
        }
    }
    return false;
}

std::size_t hyphenLength(const std::string& line) {
    return lastCharacter(line).size();
}

bool endsSentence(const std::string& line) {
    const std::string_view last = lastCharacter(line);
    for (const std::string_view mark : {".", "!", "?", ":", "\"", "'", ")", "\xE2\x80\x9D",
                                        "\xE2\x80\x99"}) {
        if (last == mark) return true;
    }
    return false;
}

bool startsItem(const std::string& line) {
    for (const std::string_view bullet : {"\xE2\x80\xA2 ", "\xE2\x97\xA6 ", "\xE2\x96\xAA ",
                                          "- ", "* ", "\xC2\xB7 ", "\xE2\x80\x93 "}) {
        if (line.compare(0, bullet.size(), bullet) == 0) return true;
    }
    return false;
}

// The lines of a page, its words gathered by position in poppler's reading order.
std::vector<Line> pageLines(const poppler::page& page, std::size_t* characters) {
    std::vector<Line> lines;
    bool spaceAfter = false;
    for (const poppler::text_box& box : page.text_list()) {
        const poppler::byte_array utf8 = box.text().to_utf8();
        std::string word(utf8.begin(), utf8.end());
        word.erase(std::remove_if(word.begin(), word.end(),
                                  [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
                   word.end());
        if (word.empty()) continue;
        *characters += word.size();
        const poppler::rectf r = box.bbox();
        const double middle = r.y() + r.height() / 2;
        Line* line = lines.empty() ? nullptr : &lines.back();
        const bool sameLine = line && middle >= line->top && middle <= line->bottom &&
                              r.x() >= line->right - r.height();
        if (!sameLine) {
            lines.push_back(
                Line{word, r.x(), r.x() + r.width(), r.y(), r.y() + r.height(), r.width()});
        } else {
            if (spaceAfter) line->text.push_back(' ');
            line->text.append(word);
            line->left = std::min(line->left, r.x());
            line->right = std::max(line->right, r.x() + r.width());
            line->top = std::min(line->top, r.y());
            line->bottom = std::max(line->bottom, r.y() + r.height());
        }
        spaceAfter = box.has_space_after();
    }
    return lines;
}

// Lays the lines of a page out as paragraphs.
void layOutPage(const std::vector<Line>& lines, TextLayout& layout) {
    if (lines.empty()) return;
    const auto similar = [](const Line& a, const Line& b) {
        return std::min(a.height(), b.height()) >= 0.8 * std::max(a.height(), b.height());
    };
    // The usual step from line to line, in line heights.
    std::vector<double> steps;
    double rightmost = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        rightmost = std::max(rightmost, lines[i].right);
        if (i == 0 || !similar(lines[i - 1], lines[i]) || lines[i].top <= lines[i - 1].top) continue;
        if (lines[i].height() > 0) {
            steps.push_back((lines[i].top - lines[i - 1].top) / lines[i].height());
        }
    }
    double usualStep = 0;
    if (!steps.empty()) {
        std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() / 2),
                         steps.end());
        usualStep = steps[steps.size() / 2];
    }

    std::string paragraph = lines[0].text;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const Line& before = lines[i - 1];
        const Line& line = lines[i];
        const double height = std::max(line.height(), 1.0);
        // A sentence that ends where the next line's first word would still
        // have fitted ends its paragraph.
        const bool roomLeft = rightmost - before.right > line.firstWordWidth + 0.5 * height;
        const bool newParagraph =
            line.top <= before.top || !similar(before, line) ||
            (usualStep > 0 && (line.top - before.top) / height > usualStep + 0.25) ||
            (endsSentence(before.text) && roomLeft) || startsItem(line.text);
        if (newParagraph) {
            layout.text(paragraph);
            layout.endBlock();
            paragraph = line.text;
        } else if (brokenWord(paragraph, line.text)) {
            paragraph.resize(paragraph.size() - hyphenLength(paragraph));
            paragraph.append(line.text);
        } else if (lastCharacter(paragraph) == kEmDash || line.text.rfind(kEmDash, 0) == 0) {
            paragraph.append(line.text);  // a line broken at a dash, written without spaces
        } else {
            paragraph.append(" ").append(line.text);
        }
    }
    layout.text(paragraph);
    layout.endBlock();
}

}  // namespace

Status readPdf(std::string_view bytes, TextLayout& layout) {
    silencePoppler();
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return Status::make(Status::Kind::kTooLarge, "a PDF over 2 GB");
    }
    // A PDF ends with an end-of-file marker; one cut short does not, and
    // poppler would show what it could piece together.
    if (bytes.substr(bytes.size() > 1024 ? bytes.size() - 1024 : 0).find("%%EOF") ==
        std::string_view::npos) {
        return Status::make(Status::Kind::kDamaged, "a PDF cut short (no end-of-file marker)");
    }
    std::unique_ptr<poppler::document> document(
        poppler::document::load_from_raw_data(bytes.data(), static_cast<int>(bytes.size())));
    if (!document) return Status::make(Status::Kind::kDamaged, "poppler cannot read this PDF");
    if (document->is_locked()) {
        return Status::make(Status::Kind::kPasswordProtected, "a PDF that opens only with its password");
    }
    const int pages = document->pages();
    if (pages <= 0) return Status::make(Status::Kind::kDamaged, "a PDF without pages");
    std::size_t characters = 0;
    for (int i = 0; i < pages; ++i) {
        const std::unique_ptr<poppler::page> page(document->create_page(i));
        if (!page) continue;
        layOutPage(pageLines(*page, &characters), layout);
        if (layout.overflowed()) return layout.overflowStatus();
    }
    if (characters == 0) return Status::make(Status::Kind::kNoTextLayer);
    return Status::ok();
}

}  // namespace formats

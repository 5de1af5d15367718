#include "documents/formats/html_text.h"

#include <algorithm>
#include <array>

namespace formats {
namespace {

constexpr std::string_view kOps = "http://www.idpf.org/2007/ops";

template <std::size_t N>
bool among(std::string_view name, const std::array<std::string_view, N>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements whose content a reader does not see.
constexpr std::array<std::string_view, 15> kHidden = {
    "head",  "script", "style",  "template", "noscript", "title", "svg",   "math",
    "select", "iframe", "object", "audio",    "video",    "canvas", "datalist"};

constexpr std::array<std::string_view, 45> kBlocks = {
    "address", "article", "aside",   "blockquote", "body",     "caption", "center",  "dd",
    "details", "dialog",  "dir",     "div",        "dl",       "dt",      "fieldset", "figcaption",
    "figure",  "footer",  "form",    "frameset",   "h1",       "h2",      "h3",       "h4",
    "h5",      "h6",      "header",  "hgroup",     "hr",       "html",    "legend",   "li",
    "main",    "menu",    "nav",     "ol",         "p",        "pre",     "section",  "summary",
    "table",   "tbody",   "td",      "tfoot",      "th"};

constexpr std::array<std::string_view, 4> kMoreBlocks = {"thead", "tr", "ul", "listing"};

constexpr std::array<std::string_view, 5> kItems = {"li", "dt", "dd", "td", "th"};

bool isBlock(std::string_view name) {
    return among(name, kBlocks) || among(name, kMoreBlocks);
}

std::string lowered(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
        out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return out;
}

bool isHidden(const Attributes& attributes) {
    for (const Attribute& a : attributes.all()) {
        if (a.name == "hidden" && a.uri.empty()) return true;
        if (a.name == "style" && lowered(a.value).find("display:none") != std::string::npos) {
            return true;
        }
    }
    return false;
}

// A footnote or endnote: epub:type or role says so.
bool isNote(const Attributes& attributes) {
    for (const Attribute& a : attributes.all()) {
        const bool type = (a.uri == kOps && a.name == "type") || a.name == "epub:type";
        if (!type && a.name != "role") continue;
        for (const std::string_view kind : {"footnote", "endnote", "rearnote"}) {
            if (a.value.find(kind) != std::string_view::npos) return true;
        }
    }
    return false;
}

}  // namespace

void HtmlText::boundary() {
    out().endBlock(m_items > 0 ? TextLayout::Block::kItem : TextLayout::Block::kParagraph);
}

void HtmlText::startElement(std::string_view, std::string_view name, const Attributes& attributes) {
    Open open;
    if (m_skip > 0 || among(name, kHidden) || isHidden(attributes)) {
        open.skip = true;
        ++m_skip;
        m_open.push_back(open);
        return;
    }
    if (name == "br") {
        out().lineBreak();
    }
    if (isNote(attributes)) {
        boundary();
        open.note = true;
        ++m_inNote;
    }
    if (isBlock(name)) {
        boundary();
        open.block = true;
    }
    if (among(name, kItems)) {
        open.item = true;
        ++m_items;
    }
    if (name == "pre" || name == "listing" || name == "textarea") {
        open.pre = true;
        ++m_pre;
    }
    m_open.push_back(open);
}

void HtmlText::endElement(std::string_view, std::string_view) {
    if (m_open.empty()) return;
    const Open open = m_open.back();
    m_open.pop_back();
    if (open.skip) {
        --m_skip;
        return;
    }
    if (open.block) boundary();
    if (open.item) --m_items;
    if (open.pre) --m_pre;
    if (open.note) {
        boundary();
        --m_inNote;
    }
}

void HtmlText::characters(std::string_view text) {
    if (m_skip > 0) return;
    if (m_pre > 0) {
        out().preformatted(text);
    } else {
        out().text(text);
    }
}

Status HtmlText::status() const {
    return m_main.overflowed() ? m_main.overflowStatus() : m_notes.overflowStatus();
}

void HtmlText::finish() {
    while (!m_open.empty()) endElement(std::string_view(), std::string_view());
    m_main.endBlock();
    m_notes.endBlock();
}

}  // namespace formats

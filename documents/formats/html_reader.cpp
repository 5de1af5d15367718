// Web pages (.html, .htm, .xhtml) through libxml2's HTML parser.
#include <algorithm>
#include <cctype>
#include <string>

#include <libxml/encoding.h>

#include "documents/formats/html_text.h"
#include "documents/formats/readers.h"
#include "engine/utf8.h"

namespace formats {
namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The charset a <meta> element in `head` (lower case) declares, if any.
std::string declaredCharset(const std::string& head) {
    for (std::size_t meta = head.find("<meta"); meta != std::string::npos;
         meta = head.find("<meta", meta + 5)) {
        const std::size_t close = head.find('>', meta);
        const std::string tag = head.substr(meta, close == std::string::npos ? std::string::npos
                                                                             : close - meta);
        std::size_t at = tag.find("charset");
        if (at == std::string::npos) continue;
        at += 7;
        while (at < tag.size() && (tag[at] == ' ' || tag[at] == '=' || tag[at] == '"' ||
                                   tag[at] == '\'')) {
            ++at;
        }
        std::size_t end = at;
        while (end < tag.size() && (std::isalnum(static_cast<unsigned char>(tag[end])) ||
                                    tag[end] == '-' || tag[end] == '_' || tag[end] == '.' ||
                                    tag[end] == ':')) {
            ++end;
        }
        if (end > at) return tag.substr(at, end - at);
    }
    return std::string();
}

}  // namespace

std::string htmlEncoding(std::string_view bytes, std::size_t* markLength) {
    *markLength = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        *markLength = 3;
        return "UTF-8";
    }
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        *markLength = 2;
        return bytes[0] == '\xFF' ? "UTF-16LE" : "UTF-16BE";
    }
    std::string head(bytes.substr(0, 1024));
    std::transform(head.begin(), head.end(), head.begin(), lower);
    const std::string declared = declaredCharset(head);
    // As browsers read them: Latin-1 and ASCII pages in windows-1252, a page
    // that says UTF-16 without a mark in UTF-8, the Thai standard as its
    // Windows superset.
    if (declared == "iso-8859-1" || declared == "latin1" || declared == "us-ascii" ||
        declared == "ascii" || declared == "x-user-defined") {
        return "windows-1252";
    }
    if (declared == "tis-620" || declared == "iso-8859-11") return "windows-874";
    // A page that declares UTF-8 (or UTF-16 without a mark, or a character
    // set nobody knows) is read as UTF-8 only when it is.
    const bool unicode = declared.rfind("utf-", 0) == 0 || declared == "unicode";
    if (!declared.empty() && !unicode) {
        if (xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(declared.c_str())) {
            xmlCharEncCloseFunc(handler);
            return declared;
        }
    }
    return engine::isValidUtf8(bytes) ? "UTF-8" : "windows-1252";
}

Status readHtml(std::string_view bytes, TextLayout& layout, const Limits& limits) {
    std::size_t mark = 0;
    const std::string encoding = htmlEncoding(bytes, &mark);
    std::string notesText;
    TextLayout notes([&](std::string_view text) {
        notesText.append(text);
        return true;
    });
    HtmlText text(layout, notes);
    const Status status = parseMarkup(MarkupParser::Language::kHtml, bytes.substr(mark), text,
                                      "the page", limits, encoding);
    if (!status.isOk()) return status;
    text.finish();
    notes.finish();
    layout.appendBlock(notesText, TextLayout::Block::kParagraph);
    return Status::ok();
}

}  // namespace formats

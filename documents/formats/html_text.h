// The visible text of an HTML page or an XHTML content document: no head,
// scripts, styles or hidden elements; block elements as lines (list items and
// table cells one after the other), preformatted text with its line ends,
// footnotes and endnotes (marked by epub:type or role) set apart.
#pragma once

#include "documents/formats/markup.h"
#include "documents/formats/text_layout.h"

#include <vector>

namespace formats {

class HtmlText final : public MarkupHandler {
public:
    // The text goes to `main`, the notes to `notes`.
    HtmlText(TextLayout& main, TextLayout& notes) : m_main(main), m_notes(notes) {}

    void startElement(std::string_view uri, std::string_view name,
                      const Attributes& attributes) override;
    void endElement(std::string_view uri, std::string_view name) override;
    void characters(std::string_view text) override;
    Status status() const override;

    // Ends the block the page ended in.
    void finish();

private:
    struct Open {
        bool skip = false, block = false, item = false, pre = false, note = false;
    };
    TextLayout& out() { return m_inNote > 0 ? m_notes : m_main; }
    void boundary();

    TextLayout& m_main;
    TextLayout& m_notes;
    std::vector<Open> m_open;
    int m_skip = 0;
    int m_items = 0;
    int m_pre = 0;
    int m_inNote = 0;
};

}  // namespace formats

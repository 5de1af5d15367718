// The reader of each formatted document kind: each lays the document's text
// out into a TextLayout and says why it could not.
#pragma once

#include <string_view>

#include "documents/formats/format.h"
#include "documents/formats/status.h"
#include "documents/formats/text_layout.h"

namespace formats {

class ZipArchive;

// PDF through poppler: the words of each page in reading order, lines joined
// into paragraphs, hyphenated line ends rejoined, a blank line between
// paragraphs and between pages.
Status readPdf(std::string_view bytes, TextLayout& layout);

// A zip container: Word, OpenDocument text or EPUB, told by its members;
// *found says which.
Status readZipDocument(std::string_view bytes, TextLayout& layout, const Limits& limits,
                       Format* found);
Status readDocx(ZipArchive& zip, TextLayout& layout, const Limits& limits);
Status readOdt(ZipArchive& zip, TextLayout& layout, const Limits& limits);
Status readEpub(ZipArchive& zip, TextLayout& layout, const Limits& limits);

// An OLE compound file: an encrypted Office document or a legacy binary one,
// neither of which is read; says which.
Status readCompound(std::string_view bytes);

// HTML and XHTML through libxml2's HTML parser: the visible text, block
// elements as lines.
Status readHtml(std::string_view bytes, TextLayout& layout, const Limits& limits);

// The character set of an HTML page: its byte-order mark, else what its
// first kilobyte declares, else UTF-8 when every byte is, else windows-1252;
// *markLength is the length of the mark.
std::string htmlEncoding(std::string_view bytes, std::size_t* markLength);

}  // namespace formats

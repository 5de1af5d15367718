// The dictionary's tab-separated text form, shared by the vantrel-dict
// subcommands: one line per meaning, "headword<TAB>label<TAB>meaning".
#pragma once

#include <cstddef>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/store.h"

namespace dict::tsv {

// One data line of a TSV file: its 1-based line number and its cells.
struct Line {
    std::size_t number = 0;
    std::vector<std::string> cells;
};

// Splits text into data lines: drops a UTF-8 byte-order mark at the start and
// one "\r" at each line end, skips empty lines and lines starting with "#",
// and cuts each remaining line at every TAB (empty cells kept).
std::vector<Line> parse(std::string_view text);

// Reads and parses a file; false with a message naming the file when it cannot be read.
bool readFile(const std::string& path, std::vector<Line>* lines, std::string* error);

// True when text can stand in one cell: it holds no TAB, CR, LF or NUL byte
// (build refuses a cell with one).
bool isWritableCell(std::string_view text);

// Writes cells joined by TAB and ended by "\n"; the cells must be writable.
void writeRow(std::ostream& out, const std::vector<std::string_view>& cells);

// The text in double quotes, as messages name a headword, label or file.
std::string quoted(std::string_view s);

// "file:line", the prefix of every message about a line.
std::string location(std::string_view file, std::size_t line);

// Field position of a meaning label ("Noun", "Verb", "Adv", "Adj", "PP", "Conj",
// "Read", "Question", "Idium"; letter case binds), or -1.
int fieldForLabel(std::string_view label);
// Label of a meaning field (positions 1 to 9).
std::string_view labelForField(int pos);

// Gathers dictionary records from TSV lines. Rows of one headword (ignoring
// ASCII letter case) merge into one record under the first spelling; an empty
// label with an empty meaning declares a headword without meanings.
class RecordCollector final {
public:
    // Adds one line of file; false with a message naming file and line when
    // the line is malformed or contradicts an earlier one.
    bool add(std::string_view file, const Line& line, std::string* error);

    // The records in the order their headwords first appeared.
    const std::vector<DictRecord>& records() const { return m_records; }

private:
    struct Origin {
        std::size_t record = 0;
        std::string fieldOrigin[kFieldCount];  // "file:line" of each field set so far
    };
    std::vector<DictRecord> m_records;
    std::map<std::string, Origin> m_byKey;  // key folded to lower case
};

// Writes the rows of one record in field order (a record without meanings as
// "headword<TAB><TAB>"); false with a message naming the headword, writing
// nothing, when a value cannot be written as a cell or the headword would read
// back as a comment.
bool writeRecord(std::ostream& out, const DictRecord& record, std::string* error);

}  // namespace dict::tsv

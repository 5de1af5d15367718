#include "dictionary/tool/tsv.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace dict::tsv {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

constexpr std::array<std::string_view, kFieldCount> kLabels = {
    "", "Noun", "Verb", "Adv", "Adj", "PP", "Conj", "Read", "Question", "Idium",
};

}  // namespace

std::string quoted(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    out.append(1, '"').append(s).append(1, '"');
    return out;
}

std::vector<Line> parse(std::string_view text) {
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
    std::vector<Line> lines;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t nl = text.find('\n');
        std::string_view raw = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        if (raw.empty() || raw.front() == '#') continue;
        Line line;
        line.number = number;
        for (;;) {
            const std::size_t tab = raw.find('\t');
            line.cells.emplace_back(raw.substr(0, tab));
            if (tab == std::string_view::npos) break;
            raw.remove_prefix(tab + 1);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

bool readFile(const std::string& path, std::vector<Line>* lines, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot read " + quoted(path) + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad()) {
        *error = "cannot read " + quoted(path) + ": read error";
        return false;
    }
    *lines = parse(buf.str());
    return true;
}

bool isWritableCell(std::string_view text) {
    static constexpr std::string_view kUnwritable("\t\r\n\0", 4);
    return text.find_first_of(kUnwritable) == std::string_view::npos;
}

void writeRow(std::ostream& out, const std::vector<std::string_view>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i) out << '\t';
        out << cells[i];
    }
    out << '\n';
}

std::string location(std::string_view file, std::size_t line) {
    return std::string(file) + ":" + std::to_string(line);
}

int fieldForLabel(std::string_view label) {
    for (int i = 1; i < kFieldCount; ++i)
        if (kLabels[static_cast<std::size_t>(i)] == label) return i;
    return -1;
}

std::string_view labelForField(int pos) {
    return pos > 0 && pos < kFieldCount ? kLabels[static_cast<std::size_t>(pos)] : "";
}

bool RecordCollector::add(std::string_view file, const Line& line, std::string* error) {
    const std::string where = location(file, line.number);
    if (line.cells.size() != 3) {
        *error = where + ": " + (line.cells.size() < 3 ? "missing column" : "too many columns") +
                 " (expected headword<TAB>label<TAB>meaning)";
        return false;
    }
    // SQLite compares keys only up to a NUL byte, so two headwords that differ
    // after one would clash in the index; a NUL byte is no text anyway.
    static constexpr std::string_view kCellNames[] = {"headword", "label", "meaning"};
    for (std::size_t k = 0; k < 3; ++k) {
        if (line.cells[k].find('\0') != std::string::npos) {
            *error = where + ": the " + std::string(kCellNames[k]) + " holds a NUL byte";
            return false;
        }
    }
    const std::string& word = line.cells[0];
    const std::string& label = line.cells[1];
    const std::string& meaning = line.cells[2];
    int pos = 0;  // 0: headword without meaning
    if (!label.empty() || !meaning.empty()) {
        pos = fieldForLabel(label);
        if (pos < 0) {
            *error = where + ": unknown label " + quoted(label) +
                     " (expected Noun, Verb, Adv, Adj, PP, Conj, Read, Question or Idium)";
            return false;
        }
    }

    auto [it, fresh] = m_byKey.try_emplace(foldCase(word));
    Origin& origin = it->second;
    if (fresh) {
        origin.record = m_records.size();
        m_records.emplace_back();
        m_records.back()[kWordEn] = word;
        origin.fieldOrigin[kWordEn] = where;
    }
    DictRecord& record = m_records[origin.record];
    if (pos == 0) return true;
    const FieldValue& existing = record[pos];
    if (existing) {
        const std::string& first = *record[kWordEn];
        if (first == word) {
            *error = where + ": headword " + quoted(word) + " has label " + quoted(label) +
                     " twice (first at " + origin.fieldOrigin[pos] + ")";
            return false;
        }
        if (*existing != meaning) {
            *error = where + ": headword " + quoted(word) + " differs from " + quoted(first) +
                     " only in letter case and gives another " + quoted(label) +
                     " meaning (first at " + origin.fieldOrigin[pos] + ")";
            return false;
        }
        return true;  // the same meaning under another spelling: keep the first
    }
    record[pos] = meaning;
    origin.fieldOrigin[pos] = where;
    return true;
}

bool writeRecord(std::ostream& out, const DictRecord& record, std::string* error) {
    const std::string& word = record[kWordEn] ? *record[kWordEn] : std::string();
    if (!isWritableCell(word)) {
        *error = "headword " + quoted(word) + " holds a tab, a line break or a NUL byte";
        return false;
    }
    if (!word.empty() && (word.front() == '#' || word.substr(0, kBom.size()) == kBom)) {
        *error = "headword " + quoted(word) + " would read back as a comment";
        return false;
    }
    std::ostringstream rows;
    bool any = false;
    for (int pos = 1; pos < kFieldCount; ++pos) {
        const FieldValue& v = record[pos];
        if (!v) continue;
        if (!isWritableCell(*v)) {
            *error = "the " + std::string(labelForField(pos)) + " meaning of headword " +
                     quoted(word) + " holds a tab, a line break or a NUL byte";
            return false;
        }
        writeRow(rows, {word, labelForField(pos), *v});
        any = true;
    }
    if (!any) writeRow(rows, {word, "", ""});
    out << rows.str();
    return true;
}

}  // namespace dict::tsv

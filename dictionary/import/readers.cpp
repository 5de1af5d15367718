// Readers of the three source formats.
#include <array>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unordered_map>

#include "dictionary/import/import.h"
#include "dictionary/import/text.h"
#include "engine/utf8.h"

namespace dictimport {

namespace {

bool hasThai(std::string_view text) {
    for (const char32_t cp : codePoints(text)) {
        if (isThai(cp)) return true;
    }
    return false;
}

std::vector<std::string> splitAny(std::string_view text, std::string_view separators) {
    std::vector<std::string> out;
    std::string piece;
    for (const char c : text) {
        if (separators.find(c) != std::string_view::npos) {
            std::string p = collapseSpaces(piece);
            if (!p.empty()) out.push_back(std::move(p));
            piece.clear();
        } else {
            piece.push_back(c);
        }
    }
    std::string p = collapseSpaces(piece);
    if (!p.empty()) out.push_back(std::move(p));
    return out;
}

std::string jsonText(const nlohmann::json& record, const char* key) {
    const auto it = record.find(key);
    if (it == record.end() || !it->is_string()) return {};
    return collapseSpaces(it->get<std::string>());
}

std::vector<std::string> jsonList(const nlohmann::json& record, const char* key) {
    std::vector<std::string> out;
    const auto it = record.find(key);
    if (it == record.end()) return out;
    if (it->is_string()) {
        out.push_back(collapseSpaces(it->get<std::string>()));
    } else if (it->is_array()) {
        for (const auto& item : *it) {
            if (item.is_string()) out.push_back(collapseSpaces(item.get<std::string>()));
        }
    }
    return out;
}

// Splits text into lines, dropping a CR before each LF.
std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!(end == text.size() && line.empty())) out.push_back(line);
        start = end + 1;
    }
    return out;
}

std::vector<std::string> tabFields(std::string_view line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        out.emplace_back(
            line.substr(start, tab == std::string_view::npos ? line.npos : tab - start));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    return out;
}

// Adds a Thai->English pair: to the back map, and turned round as a sense
// for headwords the English->Thai side lacks. Glosses may list alternatives.
void addReversed(const std::string& thai, const std::string& gloss, const std::string& tag,
                 Source* source) {
    if (thai.empty() || gloss.empty()) return;
    for (const std::string& english : splitAny(gloss, ";,")) {
        source->back.add(thai, english);
        Sense sense;
        sense.english = english;
        sense.tag = tag;
        sense.thai = thai;
        sense.reversed = true;
        source->senses.push_back(std::move(sense));
    }
}

// Adds one etlex record (English->Thai) or telex record (Thai->English).
void addTaggedRecord(const std::map<std::string, std::string>& rec, Source* source) {
    const auto get = [&](const char* key) {
        const auto it = rec.find(key);
        return it == rec.end() ? std::string() : collapseSpaces(it->second);
    };
    if (rec.empty()) return;
    ++source->recordsRead;
    if (rec.count("tcat") || rec.count("tsearch")) {
        std::string thai = get("tentry");
        if (thai.empty()) thai = get("tsearch");
        addReversed(thai, get("eentry"), get("tcat"), source);
        return;
    }
    Sense sense;
    sense.english = get("eentry");
    if (sense.english.empty()) sense.english = get("esearch");
    sense.tag = get("ecat");
    sense.thai = get("tentry");
    sense.more = splitAny(get("ethai"), ",;");
    if (!sense.english.empty() && !sense.thai.empty()) source->senses.push_back(std::move(sense));
}

}  // namespace

bool readThaidictJson(std::string_view text, Source* source, std::string* error) {
    const nlohmann::json doc = nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
    if (doc.is_discarded() || !doc.is_array()) {
        *error = "not a JSON array of dictionary records";
        return false;
    }
    // The Thai->English file has Thai headwords in "search".
    bool thaiToEnglish = false;
    for (std::size_t i = 0; i < doc.size() && i < 50; ++i) {
        if (doc[i].is_object() && hasThai(jsonText(doc[i], "search"))) {
            thaiToEnglish = true;
            break;
        }
    }
    for (const auto& record : doc) {
        if (!record.is_object()) continue;
        ++source->recordsRead;
        const std::string search = jsonText(record, "search");
        const std::string result = jsonText(record, "result");
        if (thaiToEnglish) {
            addReversed(search, result, jsonText(record, "type"), source);
            for (const char* prose : {"sample", "define"}) {
                const std::string text = jsonText(record, prose);
                if (!text.empty()) source->thaiProse.append(text).push_back('\n');
            }
            for (const std::string& english : jsonList(record, "relate")) {
                source->back.add(search, english, false);
            }
            continue;
        }
        if (search.empty() || result.empty()) continue;
        Sense sense;
        sense.english = search;
        sense.tag = jsonText(record, "type");
        sense.thai = result;
        sense.more = jsonList(record, "relate");
        source->senses.push_back(std::move(sense));
    }
    return true;
}

bool readEtlex(std::string_view raw, Source* source, std::string* error) {
    const std::string text = engine::isValidUtf8(raw) ? std::string(raw) : tis620ToUtf8(raw);
    std::map<std::string, std::string> record;
    std::size_t pos = 0;
    bool anyTag = false;
    while ((pos = text.find('<', pos)) != std::string::npos) {
        const std::size_t close = text.find('>', pos);
        if (close == std::string::npos) break;
        std::string tag = text.substr(pos + 1, close - pos - 1);
        pos = close + 1;
        if (tag.empty() || tag.front() == '/') {
            if (tag == "/Doc" || tag == "/doc") {
                addTaggedRecord(record, source);
                record.clear();
            }
            continue;
        }
        if (tag == "Doc" || tag == "doc") {
            addTaggedRecord(record, source);
            record.clear();
            continue;
        }
        const std::string end = "</" + tag + ">";
        const std::size_t endPos = text.find(end, pos);
        if (endPos == std::string::npos) continue;
        anyTag = true;
        if (record.count(tag)) {
            // Files without <Doc> wrappers: a repeated tag starts a new record.
            addTaggedRecord(record, source);
            record.clear();
        }
        record[tag] = text.substr(pos, endPos - pos);
        pos = endPos + end.size();
    }
    addTaggedRecord(record, source);
    if (!anyTag) {
        *error = "no tagged records found";
        return false;
    }
    return true;
}

// Calls row(fields) for every row of english<TAB>pos<TAB>thai text, skipping
// empty lines and a header; false (with *error) at a row of too few columns.
template <typename Row>
bool forEachTsvRow(std::string_view text, std::string* error, Row row) {
    std::size_t lineNo = 0;
    for (const std::string_view line : lines(text)) {
        ++lineNo;
        if (line.empty()) continue;
        const std::vector<std::string> f = tabFields(line);
        if (lineNo == 1 && f.size() >= 3 && f[0] == "english" && f[1] == "pos") continue;
        if (f.size() < 3) {
            *error = "line " + std::to_string(lineNo) + ": expected english<TAB>pos<TAB>thai";
            return false;
        }
        row(f);
    }
    return true;
}

bool readTsv(std::string_view text, Source* source, std::string* error) {
    return forEachTsvRow(text, error, [&](const std::vector<std::string>& f) {
        ++source->recordsRead;
        Sense sense;
        sense.english = collapseSpaces(f[0]);
        sense.tag = collapseSpaces(f[1]);
        sense.thai = collapseSpaces(f[2]);
        if (!sense.english.empty() && !sense.thai.empty())
            source->senses.push_back(std::move(sense));
    });
}

bool readBackTsv(std::string_view text, Source* source, std::string* error) {
    return forEachTsvRow(text, error, [&](const std::vector<std::string>& f) {
        addReversed(collapseSpaces(f[2]), collapseSpaces(f[0]), collapseSpaces(f[1]), source);
    });
}

bool readSource(Format format, const std::string& path, Source* source, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path + ": cannot open";
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    std::string why;
    bool ok = false;
    switch (format) {
        case Format::kThaidict:
            ok = readThaidictJson(text, source, &why);
            break;
        case Format::kEtlex:
            ok = readEtlex(text, source, &why);
            break;
        case Format::kTsv:
            ok = readTsv(text, source, &why);
            break;
    }
    if (!ok) *error = path + ": " + why;
    return ok;
}

}  // namespace dictimport

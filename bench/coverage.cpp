// vantrel-coverage: how much of real English prose the dictionary covers.
//
// For each text it runs the translator over a dictionary file and counts the
// word tokens (runs of word characters holding a letter) and those the
// translator listed as missing; the share found is the rest. It also checks
// that every word of the frequent-word list is a headword with a non-empty
// meaning, that the everyday meanings of the gold list are the dictionary's,
// and prints the dictionary's headword count.
//
// usage: vantrel-coverage [--dict DB] [--frequent LIST] [--missing N] [--gold LIST]
//                         [--gold-misses] [TEXT|FOLDER...]
// Each TEXT is measured on its own and each FOLDER as a group of its files.
// Without either it reads the licence texts under /usr/share/common-licenses,
// the project's own prose in bench/prose and the real prose of the dev-prose/
// folder of the measurement data (bench/measure_data.h) when it exists.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/measure_data.h"
#include "dictionary/store.h"
#include "dictionary/tool/tsv.h"
#include "engine/codepage.h"
#include "engine/memory_host.h"
#include "engine/text.h"
#include "engine/translator.h"
#include "engine/utf8.h"

namespace fs = std::filesystem;

namespace {

struct Count {
    std::size_t tokens = 0;
    std::size_t missing = 0;
    double share() const { return tokens ? 100.0 * double(tokens - missing) / double(tokens) : 0; }
};

bool hasLetter(std::string_view token) {
    return std::any_of(token.begin(), token.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

// The word tokens of a text, cut where the translator's scanner cuts words
// (typographic punctuation included); tabs are dropped as the scanner drops them.
std::vector<std::string> wordTokens(std::string_view text) {
    std::vector<std::string> out;
    std::string word;
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp;
        const std::size_t len = engine::decodeUtf8(text, pos, &cp);
        const int code = engine::scannerCode(engine::ansiCode(cp));
        if (!engine::isWordSeparator(code)) {
            word.append(text.substr(pos, len));
        } else if (code != '\t' && code != '\v') {
            if (hasLetter(word)) out.push_back(word);
            word.clear();
        }
        pos += len;
    }
    if (hasLetter(word)) out.push_back(word);
    return out;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return engine::documentBytesToUtf8(buffer.str());
}

// Paragraphs (cut at blank lines) keep each run short.
std::vector<std::string> paragraphs(const std::string& text) {
    std::vector<std::string> out;
    std::string current;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) {
            if (!current.empty()) out.push_back(current);
            current.clear();
            continue;
        }
        if (!current.empty()) current += '\n';
        current += line;
        if (current.size() > 16000) {
            out.push_back(current);
            current.clear();
        }
    }
    if (!current.empty()) out.push_back(current);
    return out;
}

Count measure(engine::Translator& translator, const std::string& text,
              std::map<std::string, std::size_t>* missingWords) {
    Count c;
    for (const std::string& para : paragraphs(text)) {
        c.tokens += wordTokens(para).size();
        translator.run(para);
        for (const std::string& token : translator.missingRaw().items()) {
            if (!hasLetter(token)) continue;
            ++c.missing;
            ++(*missingWords)[token];
        }
    }
    return c;
}

bool hasMeaning(const dict::DictRecord& rec) {
    for (int f = dict::kWordNoun; f <= dict::kWordIdiom; ++f) {
        if (f == dict::kWordRead) continue;
        if (rec[f] && !rec[f]->empty()) return true;
    }
    return false;
}

void printCount(const std::string& name, const Count& c) {
    std::cout << std::left << std::setw(48) << name << std::right << std::setw(8) << c.tokens
              << std::setw(8) << c.missing << std::setw(9) << std::fixed << std::setprecision(2)
              << c.share() << " %\n";
}

// The everyday meanings: each line of the gold list holds a headword, a label
// and the Thai a translator accepts for its everyday sense, alternatives
// separated by "|". A word counts when the dictionary's meaning in the
// label's field, without surrounding spaces, is one of them; `listMisses`
// prints each that is not, with the dictionary's meaning.
void checkEverydayMeanings(const dict::DictionaryStore& store, const std::string& goldPath,
                           bool listMisses) {
    std::vector<dict::tsv::Line> lines;
    std::string error;
    if (!dict::tsv::readFile(goldPath, &lines, &error)) {
        std::cout << "everyday meanings: " << error << "\n";
        return;
    }
    std::size_t listed = 0, found = 0;
    std::ostringstream misses;
    for (const dict::tsv::Line& line : lines) {
        const int field = line.cells.size() == 3 ? dict::tsv::fieldForLabel(line.cells[1]) : -1;
        if (field < dict::kWordNoun || field > dict::kWordConj) {
            std::cerr << dict::tsv::location(goldPath, line.number)
                      << ": expected headword, label (Noun to Conj) and meanings\n";
            continue;
        }
        ++listed;
        const dict::DictRecord* rec = store.find(line.cells[0]);
        const dict::FieldValue* meaning = rec ? &(*rec)[field] : nullptr;
        std::string_view ours = meaning && *meaning ? std::string_view(**meaning) : "";
        ours = ours.substr(std::min(ours.find_first_not_of(' '), ours.size()));
        ours = ours.substr(0, ours.find_last_not_of(' ') + 1);
        bool accepted = false;
        for (std::string_view alternatives = line.cells[2]; !accepted;) {
            const std::size_t bar = alternatives.find('|');
            accepted = !ours.empty() && alternatives.substr(0, bar) == ours;
            if (bar == std::string_view::npos) break;
            alternatives.remove_prefix(bar + 1);
        }
        if (accepted) {
            ++found;
        } else {
            misses << "  " << line.cells[0] << " (" << line.cells[1] << "): "
                   << (meaning && *meaning ? "\"" + **meaning + "\"" : std::string("no meaning"))
                   << ", expected " << line.cells[2] << "\n";
        }
    }
    std::cout << "everyday meanings: " << found << " of " << listed << " (" << std::fixed
              << std::setprecision(1) << (listed ? 100.0 * double(found) / double(listed) : 0)
              << " %)\n";
    if (listMisses) std::cout << misses.str();
}

}  // namespace

int main(int argc, char** argv) {
    std::string dbPath = dict::dictionaryPathBesideExecutable();
    std::string frequentPath = std::string(VANTREL_SOURCE_DIR) + "/bench/data/frequent-1000.txt";
    std::string goldPath = std::string(VANTREL_SOURCE_DIR) + "/bench/data/everyday-meanings.tsv";
    bool listGoldMisses = false;
    std::size_t showMissing = 30;
    std::vector<fs::path> texts;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--dict" && i + 1 < argc) {
            dbPath = argv[++i];
        } else if (a == "--frequent" && i + 1 < argc) {
            frequentPath = argv[++i];
        } else if (a == "--gold" && i + 1 < argc) {
            goldPath = argv[++i];
        } else if (a == "--gold-misses") {
            listGoldMisses = true;
        } else if (a == "--missing" && i + 1 < argc) {
            showMissing = std::stoul(argv[++i]);
        } else if (a == "--help" || a == "-h") {
            std::cout << "usage: vantrel-coverage [--dict DB] [--frequent LIST] [--missing N] "
                         "[--gold LIST] [--gold-misses] [TEXT...]\n";
            return 0;
        } else {
            texts.emplace_back(a);
        }
    }

    std::unique_ptr<dict::DictionaryStore> store;
    const dict::Status s = dict::DictionaryStore::open(dbPath, &store);
    if (!s.isOk()) {
        std::cerr << "vantrel-coverage: " << s.message() << "\n";
        return 1;
    }
    engine::MemoryHost host(&store->lookup());
    engine::Translator translator(host);

    // Groups of texts: the given files and folders, or the licences, our own
    // prose and the real prose.
    std::vector<std::pair<std::string, std::vector<fs::path>>> groups;
    const auto filesOf = [](const fs::path& dir) {
        std::vector<fs::path> files;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir, ec)) {
            if (entry.is_regular_file() && !entry.is_symlink() &&
                entry.path().extension() != ".md") {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
        return files;
    };
    if (!texts.empty()) {
        std::vector<fs::path> single;
        for (const fs::path& t : texts) {
            if (fs::is_directory(t)) {
                groups.emplace_back(t.filename().empty() ? t.parent_path().filename().string()
                                                         : t.filename().string(),
                                    filesOf(t));
            } else {
                single.push_back(t);
            }
        }
        if (!single.empty()) groups.emplace_back("given texts", single);
    } else {
        const fs::path prose = fs::path(VANTREL_SOURCE_DIR) / "bench" / "prose";
        for (const auto& [name, dir] :
             {std::pair<std::string, fs::path>{"licence texts", "/usr/share/common-licenses"},
              {"own prose", prose},
              {"real prose", bench::measureDataDir() / "dev-prose"}}) {
            std::vector<fs::path> files = filesOf(dir);
            if (!files.empty()) groups.emplace_back(name, std::move(files));
        }
    }

    std::cout << "dictionary: " << dbPath << "\nheadwords: " << store->size() << "\n\n";
    std::cout << std::left << std::setw(48) << "text" << std::right << std::setw(8) << "words"
              << std::setw(8) << "missing" << std::setw(11) << "found\n";
    std::map<std::string, std::size_t> missingWords;
    for (const auto& [name, files] : groups) {
        Count total;
        for (const fs::path& file : files) {
            const Count c = measure(translator, readFile(file), &missingWords);
            printCount("  " + file.filename().string(), c);
            total.tokens += c.tokens;
            total.missing += c.missing;
        }
        printCount(name, total);
        std::cout << "\n";
    }

    std::vector<std::pair<std::size_t, std::string>> ranked;
    for (const auto& [word, n] : missingWords) ranked.emplace_back(n, word);
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::cout << "most frequent missing words:";
    for (std::size_t i = 0; i < ranked.size() && i < showMissing; ++i)
        std::cout << " " << ranked[i].second << "(" << ranked[i].first << ")";
    std::cout << "\n\n";

    checkEverydayMeanings(*store, goldPath, listGoldMisses);

    std::ifstream frequent(frequentPath);
    if (!frequent) {
        std::cout << "frequent words: no list at " << frequentPath << "\n";
        return 0;
    }
    std::size_t listed = 0;
    std::vector<std::string> lacking, emptyOnly;
    std::string word;
    while (std::getline(frequent, word)) {
        if (!word.empty() && word.back() == '\r') word.pop_back();
        if (word.empty() || word[0] == '#') continue;
        ++listed;
        const dict::DictRecord* rec = store->find(word);
        if (!rec) {
            lacking.push_back(word);
        } else if (!hasMeaning(*rec)) {
            emptyOnly.push_back(word);
        }
    }
    std::cout << "frequent words: " << listed - lacking.size() - emptyOnly.size() << " of "
              << listed << " are headwords with a non-empty meaning\n";
    if (!emptyOnly.empty()) {
        std::cout << "headwords whose meanings are all empty (Thai leaves them out):";
        for (const std::string& w : emptyOnly) std::cout << " " << w;
        std::cout << "\n";
    }
    if (!lacking.empty()) {
        std::cout << "not headwords:";
        for (const std::string& w : lacking) std::cout << " " << w;
        std::cout << "\n";
    }
    return 0;
}

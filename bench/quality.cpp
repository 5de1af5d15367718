// vantrel-quality: how close the program's Thai comes to human translations.
//
// It reads folders of aligned pairs NAME.eng / NAME.tha (UTF-8, one segment
// a line, line n of one the translation of line n of the other), translates
// every English line on its own as vantrel-translate does, and scores the
// Thai against the human Thai by corpus chrF2 and chrF2++ (bench/chrf.h).
// Two baselines are scored the same way over the same dictionary: the English
// copied unchanged and the first meaning of every word (bench/first_meaning.h).
// One row per pair, then all pairs pooled.
//
// usage: vantrel-quality [--dict FILE] [--only NAME] [--dump DIR] [--worst N] [FOLDER...]
// Without a FOLDER it reads the dev/ folder of the measurement data
// (bench/measure_data.h); a folder that does not exist is skipped.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "bench/chrf.h"
#include "bench/first_meaning.h"
#include "bench/measure_data.h"
#include "dictionary/locate.h"
#include "dictionary/store.h"
#include "engine/memory_host.h"
#include "engine/translator.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: vantrel-quality [--dict FILE] [--only NAME] [--dump DIR] [--worst N] [FOLDER...]\n"
    "Scores the Thai of every pair NAME.eng / NAME.tha of each FOLDER (default: the dev/\n"
    "folder of $VANTREL_MEASURE_DIR) by chrF2 and chrF2++, beside the English copied and\n"
    "a first-meaning word-by-word rendering.\n"
    "  --dict FILE  the dictionary (default: the one the other programs find)\n"
    "  --only NAME  score only the pair NAME\n"
    "  --dump DIR   write the program's Thai of each pair to DIR/NAME.hyp\n"
    "  --worst N    list the N segments of lowest chrF2 with English, reference and Thai\n";

// The systems scored, in column order.
enum System { kProgram, kEnglish, kFirstMeaning, kSystemCount };

struct Pair {
    std::string name;
    fs::path eng, tha;
};

// Corpus statistics of chrF2++ for each system. With one reference the
// character part of chrF2++'s counts is chrF2's.
struct Totals {
    std::size_t segments = 0;
    quality::ChrfStats stats[kSystemCount];

    void add(const Totals& other) {
        segments += other.segments;
        for (int s = 0; s < kSystemCount; ++s) quality::addChrfStats(other.stats[s], &stats[s]);
    }
};

quality::ChrfStats charPart(const quality::ChrfStats& stats) {
    const auto n = static_cast<std::ptrdiff_t>(3 * quality::kChrf2.orders());
    return quality::ChrfStats(stats.begin(),
                              stats.begin() + std::min<std::ptrdiff_t>(n, std::ssize(stats)));
}

double chrf2(const quality::ChrfStats& stats) {
    return quality::chrfScore(charPart(stats), quality::kChrf2);
}

struct Segment {
    double score = 0;
    std::string pair;
    std::size_t line = 0;
    std::string english, reference, thai;
};

// The lines of a UTF-8 file without a byte-order mark or carriage returns;
// false when it cannot be read.
bool readLines(const fs::path& path, std::vector<std::string>* lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (lines->empty() && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines->push_back(std::move(line));
    }
    return !in.bad();
}

// The pairs of a folder in name order: each NAME.eng that has a NAME.tha.
std::vector<Pair> pairsOf(const fs::path& dir) {
    std::vector<Pair> pairs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (entry.path().extension() != ".eng" || !entry.is_regular_file()) continue;
        fs::path tha = entry.path();
        tha.replace_extension(".tha");
        if (fs::is_regular_file(tha))
            pairs.push_back({entry.path().stem().string(), entry.path(), tha});
    }
    std::sort(pairs.begin(), pairs.end(),
              [](const Pair& a, const Pair& b) { return a.name < b.name; });
    return pairs;
}

// The Thai vantrel-translate gives for one line, without its line ends.
class LineTranslator {
public:
    explicit LineTranslator(const dict::LookupView* view) : m_host(view), m_translator(m_host) {}

    std::string operator()(std::string_view line) {
        m_translator.run(line);
        std::string thai = m_host.thai();
        while (!thai.empty() && (thai.back() == '\r' || thai.back() == '\n')) thai.pop_back();
        std::replace_if(
            thai.begin(), thai.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        return thai;
    }

private:
    engine::MemoryHost m_host;
    engine::Translator m_translator;
};

void printRow(const std::string& name, const Totals& t) {
    std::cout << std::left << std::setw(24) << name << std::right << std::setw(6) << t.segments
              << std::fixed << std::setprecision(2);
    for (int s = 0; s < kSystemCount; ++s) {
        std::cout << "  " << std::setw(7) << chrf2(t.stats[s]) << std::setw(8)
                  << quality::chrfScore(t.stats[s], quality::kChrf2pp);
    }
    std::cout << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::string dictArg, only;
    fs::path dumpDir;
    std::size_t worst = 0;
    std::vector<fs::path> folders;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--dict" && hasValue) {
            dictArg = argv[++i];
        } else if (a == "--only" && hasValue) {
            only = argv[++i];
        } else if (a == "--dump" && hasValue) {
            dumpDir = argv[++i];
        } else if (a == "--worst" && hasValue) {
            worst = std::strtoul(argv[++i], nullptr, 10);
        } else if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (a.starts_with("-")) {
            std::cerr << "vantrel-quality: unknown option " << a << "\n" << kUsage;
            return 2;
        } else {
            folders.emplace_back(a);
        }
    }
    if (folders.empty()) folders.push_back(bench::measureDataDir() / "dev");

    std::vector<Pair> pairs;
    for (const fs::path& dir : folders) {
        if (!fs::is_directory(dir)) {
            std::cout << "vantrel-quality: no folder " << dir.string() << ", skipped\n";
            continue;
        }
        for (Pair& p : pairsOf(dir)) {
            if (only.empty() || p.name == only) pairs.push_back(std::move(p));
        }
    }
    if (pairs.empty()) {
        if (!only.empty()) {
            std::cerr << "vantrel-quality: no pair " << only << "\n";
            return 1;
        }
        std::cout << "vantrel-quality: no pairs to score\n";
        return 0;
    }

    const dict::DictionaryLocation location = dict::locateDictionary(dictArg);
    if (location.path.empty()) {
        std::cerr << "vantrel-quality: " << dict::describeLocation(location) << "\n";
        return 1;
    }
    std::unique_ptr<dict::DictionaryStore> store;
    if (const dict::Status s = dict::DictionaryStore::open(location.path, &store); !s.isOk()) {
        std::cerr << "vantrel-quality: " << s.message() << "\n";
        return 1;
    }
    if (!dumpDir.empty()) {
        std::error_code ec;
        fs::create_directories(dumpDir, ec);
        if (ec) {
            std::cerr << "vantrel-quality: cannot make " << dumpDir.string() << ": " << ec.message()
                      << "\n";
            return 1;
        }
    }

    const auto started = std::chrono::steady_clock::now();
    const std::clock_t startedClock = std::clock();
    std::cout << "dictionary: " << location.path << " (" << store->size() << " headwords)\n\n"
              << std::left << std::setw(30) << ""
              << "  program          English copied   "
              << "first meaning\n"
              << std::setw(24) << "pair" << std::right << std::setw(6) << "segs";
    for (int s = 0; s < kSystemCount; ++s) std::cout << "    chrF2 chrF2++";
    std::cout << "\n";

    LineTranslator translate(&store->lookup());
    Totals pooled;
    std::vector<Segment> lowest;  // the `worst` lowest so far, a max-heap on score
    const auto higher = [](const Segment& a, const Segment& b) {
        return std::tie(a.score, a.pair, a.line) < std::tie(b.score, b.pair, b.line);
    };
    int status = 0;
    for (const Pair& pair : pairs) {
        std::vector<std::string> eng, tha;
        if (!readLines(pair.eng, &eng) || !readLines(pair.tha, &tha)) {
            std::cerr << "vantrel-quality: " << pair.name << ": cannot read the pair\n";
            status = 1;
            continue;
        }
        if (eng.size() != tha.size()) {
            std::cerr << "vantrel-quality: " << pair.name << ": " << eng.size()
                      << " English lines but " << tha.size() << " Thai lines, skipped\n";
            status = 1;
            continue;
        }
        std::ofstream dump;
        if (!dumpDir.empty()) dump.open(dumpDir / (pair.name + ".hyp"), std::ios::binary);
        Totals totals;
        for (std::size_t i = 0; i < eng.size(); ++i) {
            const quality::ChrfReference ref(tha[i], quality::kChrf2pp);
            std::string thai = translate(eng[i]);
            const quality::ChrfStats program = ref.match(thai);
            quality::addChrfStats(program, &totals.stats[kProgram]);
            quality::addChrfStats(ref.match(eng[i]), &totals.stats[kEnglish]);
            quality::addChrfStats(ref.match(quality::firstMeaningLine(*store, eng[i])),
                                  &totals.stats[kFirstMeaning]);
            ++totals.segments;
            if (dump.is_open()) dump << thai << "\n";
            if (worst > 0) {
                const double score = chrf2(program);
                if (lowest.size() < worst ||
                    score < lowest.front().score) {  // ties: the first kept
                    lowest.push_back({score, pair.name, i + 1, eng[i], tha[i], std::move(thai)});
                    std::push_heap(lowest.begin(), lowest.end(), higher);
                    if (lowest.size() > worst) {
                        std::pop_heap(lowest.begin(), lowest.end(), higher);
                        lowest.pop_back();
                    }
                }
            }
        }
        if (dump.is_open() && !dump.flush()) {
            std::cerr << "vantrel-quality: cannot write "
                      << (dumpDir / (pair.name + ".hyp")).string() << "\n";
            status = 1;
        }
        printRow(pair.name, totals);
        pooled.add(totals);
    }
    if (pairs.size() > 1) printRow("pooled", pooled);

    if (!lowest.empty()) {
        std::sort_heap(lowest.begin(), lowest.end(), higher);
        std::cout << "\nlowest sentence chrF2 of the program:\n";
        for (const Segment& s : lowest) {
            std::cout << "\n"
                      << std::fixed << std::setprecision(2) << std::setw(6) << s.score << "  "
                      << s.pair << ":" << s.line << "\n  English:   " << s.english
                      << "\n  reference: " << s.reference << "\n  program:   " << s.thai << "\n";
        }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    const double processor = double(std::clock() - startedClock) / CLOCKS_PER_SEC;
    std::cout << "\n"
              << pooled.segments << " segments in " << std::setprecision(2) << took.count()
              << " s (" << processor << " s of processor time)\n";
    return status;
}

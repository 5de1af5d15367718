// Speed of the translation engine on real English prose, of dictionary
// look-ups and of opening the dictionary, and the peak memory of the whole
// bench. Reads the licence texts every Debian system carries and translates
// them (repeated to at least 1 MB) with the dictionary beside this program,
// or the one named by VANTREL_DICT.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

#include "dictionary/store.h"
#include "engine/codepage.h"
#include "engine/memory_host.h"
#include "engine/text.h"
#include "engine/translator.h"

namespace {

std::string dictionaryPath() {
    const char* env = std::getenv("VANTREL_DICT");
    return env ? env : dict::dictionaryPathBesideExecutable();
}

dict::DictionaryStore& store() {
    static std::unique_ptr<dict::DictionaryStore> s = [] {
        std::unique_ptr<dict::DictionaryStore> opened;
        const dict::Status status = dict::DictionaryStore::open(dictionaryPath(), &opened);
        if (!status.isOk()) {
            std::cerr << status.message() << "\n";
            std::exit(1);
        }
        return opened;
    }();
    return *s;
}

// At least 1 MB of English prose from the system's licence texts.
const std::string& prose() {
    static const std::string text = [] {
        std::string all;
        const std::filesystem::path dir = "/usr/share/common-licenses";
        std::vector<std::filesystem::path> files;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
            if (e.is_regular_file()) files.push_back(e.path());
        }
        std::sort(files.begin(), files.end());
        for (const auto& f : files) {
            std::ifstream in(f, std::ios::binary);
            std::ostringstream s;
            s << in.rdbuf();
            all += engine::documentBytesToUtf8(s.str());
        }
        if (all.empty()) all = "The big red house is near the old river.\n";
        std::string out;
        while (out.size() < (1u << 20)) out += all;
        return out;
    }();
    return text;
}

// Word tokens of a text: runs of ASCII letters, digits and "_".
std::size_t countWords(const std::string& text) {
    std::size_t n = 0;
    bool inWord = false;
    for (unsigned char c : text) {
        const bool w = std::isalnum(c) || c == '_';
        n += w && !inWord;
        inWord = w;
    }
    return n;
}

void BM_TranslateProse(benchmark::State& state) {
    const std::string& text = prose();
    const std::size_t words = countWords(text);
    engine::MemoryHost host(&store().lookup());
    engine::Translator translator(host);
    for (auto _ : state) {
        translator.run(text);
        benchmark::DoNotOptimize(host.thai().data());
    }
    state.counters["words/s"] = benchmark::Counter(static_cast<double>(words) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
    state.counters["MB/s"] = benchmark::Counter(
        static_cast<double>(text.size()) / 1e6 * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["input_words"] = static_cast<double>(words);
    state.counters["missing"] = static_cast<double>(host.missing().count());
}
BENCHMARK(BM_TranslateProse)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keys to seek: the words of the prose, half of them capitalised.
std::vector<std::string> seekKeys() {
    std::vector<std::string> keys;
    std::string word;
    for (unsigned char c : prose().substr(0, 200000)) {
        if (std::isalnum(c) || c == '_') {
            word += static_cast<char>(c);
        } else if (!word.empty()) {
            keys.push_back(word);
            word.clear();
        }
    }
    std::mt19937 rng(42);
    for (auto& k : keys) {
        if (rng() % 2) k[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(k[0])));
    }
    return keys;
}

void BM_Seek(benchmark::State& state) {
    const std::vector<std::string> keys = seekKeys();
    dict::LookupView& view = store().lookup();
    std::size_t k = 0, found = 0;
    for (auto _ : state) {
        view.seek(keys[k]);
        found += !view.noMatch();
        if (++k == keys.size()) k = 0;
    }
    state.counters["hit_ratio"] = static_cast<double>(found) / state.iterations();
}
BENCHMARK(BM_Seek);

void BM_OpenDictionary(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<dict::DictionaryStore> s;
        const dict::Status status = dict::DictionaryStore::open(dictionaryPath(), &s);
        if (!status.isOk()) state.SkipWithError(status.message().c_str());
        benchmark::DoNotOptimize(s.get());
    }
    state.counters["records"] = static_cast<double>(store().size());
}
BENCHMARK(BM_OpenDictionary)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::cout << "peak memory: " << usage.ru_maxrss / 1024 << " MB (ru_maxrss)\n";
    return 0;
}

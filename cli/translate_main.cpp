// vantrel-translate: translates an English text file (or standard input) to
// Thai with the same engine as the window, printing the Thai document or, with
// --json, every list the run produced.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "dictionary/locate.h"
#include "dictionary/store.h"
#include "engine/codepage.h"
#include "engine/memory_host.h"
#include "engine/translator.h"
#include "vantrel/build_info.h"

namespace {

constexpr const char* kUsage =
    "Usage: vantrel-translate [--dict FILE] [--json] [FILE]\n"
    "Translates English text from FILE (or standard input) to Thai and prints it.\n"
    "  --dict FILE  dictionary to use (also VANTREL_DICT; default: dict.db beside this\n"
    "               program, then $XDG_DATA_HOME/vantrel, then vantrel/ in $XDG_DATA_DIRS)\n"
    "  --json       print the run's lists as one JSON object instead\n"
    "  --version    print the version\n"
    "  --help       show this text\n";

bool readAll(std::istream& in, std::string* out) {
    std::ostringstream buffer;
    buffer << in.rdbuf();
    *out = std::move(buffer).str();
    return !in.bad();
}

// The Thai document with its line ends written as "\n".
std::string withNewlines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r') {
            out += '\n';
            if (k + 1 < text.size() && text[k + 1] == '\n') ++k;
        } else {
            out += text[k];
        }
    }
    return out;
}

nlohmann::json array(const std::vector<std::string>& items) {
    nlohmann::json a = nlohmann::json::array();
    for (const std::string& s : items) a.push_back(s);
    return a;
}

}  // namespace

int main(int argc, char** argv) {
    std::string dictPath, inputPath;
    bool json = false, haveInput = false;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage << "Dictionary in use: "
                      << dict::describeLocation(dict::locateDictionary(dictPath)) << "\n";
            return 0;
        } else if (arg == "--version") {
            std::cout << "vantrel-translate " << VANTREL_VERSION << "\n";
            return 0;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--dict") {
            if (++k >= argc) {
                std::cerr << "vantrel-translate: --dict needs a file name\n" << kUsage;
                return 2;
            }
            dictPath = argv[k];
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            std::cerr << "vantrel-translate: unknown option " << arg << "\n" << kUsage;
            return 2;
        } else if (haveInput) {
            std::cerr << "vantrel-translate: only one input file is read\n" << kUsage;
            return 2;
        } else {
            inputPath = arg;
            haveInput = true;
        }
    }

    std::string bytes;
    if (!haveInput || inputPath == "-") {
        if (!readAll(std::cin, &bytes)) {
            std::cerr << "vantrel-translate: cannot read standard input\n";
            return 1;
        }
    } else {
        std::ifstream in(inputPath, std::ios::binary);
        if (!in) {
            std::cerr << "vantrel-translate: cannot read \"" << inputPath
                      << "\": " << std::strerror(errno) << "\n";
            return 1;
        }
        if (!readAll(in, &bytes)) {
            std::cerr << "vantrel-translate: cannot read \"" << inputPath << "\": read error\n";
            return 1;
        }
    }

    std::unique_ptr<dict::DictionaryStore> store;
    const dict::Status opened =
        dict::openLocated(dict::locateDictionary(dictPath), dict::Access::kRead, &store);
    if (!opened.isOk()) {
        std::cerr << "vantrel-translate: " << opened.message() << "\n";
        return 1;
    }

    engine::MemoryHost host(&store->lookup());
    engine::Translator translator(host);
    translator.run(engine::documentBytesToUtf8(bytes));

    if (json) {
        nlohmann::json out;
        out["tokens"] = array(translator.outputTokens().items());
        out["arrangement"] = array(host.arrangement().items());
        out["arrangementWords"] = array(translator.arrangementWords().items());
        out["missingRaw"] = array(translator.missingRaw().items());
        out["missing"] = array(host.missing().items());
        out["thai"] = host.thai();
        std::cout << out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
        std::cout << withNewlines(host.thai());
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

// vantrel-translate: translates an English document (plain text, PDF, Word,
// OpenDocument, EPUB, a web page or subtitles) or standard input to Thai with
// the same engine as the window, writing the Thai document as it goes or,
// with --json, every list the run produced; with -o DIR, many files at once
// on every processor core.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/document_input.h"
#include "cli/options.h"
#include "cli/stream.h"
#include "dictionary/locate.h"
#include "dictionary/store.h"
#include "vantrel/build_info.h"

namespace {

bool openStore(const std::string& path, std::unique_ptr<dict::DictionaryStore>* store) {
    const dict::Status opened =
        dict::openLocated(dict::locateDictionary(path), dict::Access::kRead, store);
    if (!opened.isOk()) std::cerr << "vantrel-translate: " << opened.message() << "\n";
    return opened.isOk();
}

}  // namespace

int main(int argc, char** argv) {
    cli::Options options;
    std::string error;
    switch (cli::parseOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &error)) {
        case cli::Parsed::kHelp:
            std::cout << cli::kUsage << "Dictionary in use: "
                      << dict::describeLocation(dict::locateDictionary(options.dictPath)) << "\n";
            return 0;
        case cli::Parsed::kVersion:
            std::cout << "vantrel-translate " << VANTREL_VERSION << "\n";
            return 0;
        case cli::Parsed::kError:
            std::cerr << "vantrel-translate: " << error << "\n" << cli::kUsage;
            return 2;
        case cli::Parsed::kRun:
            break;
    }

    std::unique_ptr<dict::DictionaryStore> store;
    if (!options.outputDir.empty()) {
        if (!openStore(options.dictPath, &store)) return 1;
        const std::size_t failed =
            cli::translateFiles(options.inputs, options.outputDir, options.jobs, &store->lookup(),
                                options.stream, stderr);
        return failed == 0 ? 0 : 1;
    }

    // The input first, so that a file that cannot be read costs no dictionary.
    const std::string path = options.inputs.empty() ? "-" : options.inputs.front();
    int in = STDIN_FILENO;
    if (path != "-") {
        in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0) {
            std::cerr << "vantrel-translate: cannot read \"" << path
                      << "\": " << std::strerror(errno) << "\n";
            return 1;
        }
    }
    cli::DocumentInput input(in, path == "-" ? std::string() : path);
    error = input.detect();
    if (error.empty()) error = input.load();
    if (error.empty()) {
        if (!openStore(options.dictPath, &store)) return 1;
        cli::FdSink sink(STDOUT_FILENO);
        error = input.translate(sink, &store->lookup(), options.stream);
        if (error.empty() && !sink.flush()) error = "cannot write the output: " + sink.error();
    }
    if (!error.empty()) {
        std::cerr << "vantrel-translate: " << (path == "-" ? "standard input" : "\"" + path + "\"")
                  << ": " << error << "\n";
        return 1;
    }
    return 0;
}

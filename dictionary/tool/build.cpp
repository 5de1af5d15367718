// vantrel-dict build: TSV files to a new dictionary file, replaced atomically.
#include <cstdio>
#include <filesystem>
#include <random>

#include "dictionary/tool/command.h"
#include "dictionary/tool/tsv.h"

namespace dict::tool {
namespace {

// A name "OUT.tmp-XXXXXX" beside out that no file has yet.
std::string temporaryName(const std::string& out) {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device rd;
    std::mt19937 gen(rd());
    std::uniform_int_distribution<int> pick(0, sizeof kChars - 2);
    for (;;) {
        std::string name = out + ".tmp-";
        for (int i = 0; i < 6; ++i) name += kChars[pick(gen)];
        std::error_code ec;
        if (!std::filesystem::exists(name, ec)) return name;
    }
}

}  // namespace

int runBuild(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.size() < 2)
        return usageError(commandNamed("build"), err, "needs at least one source and OUT.db");
    const std::string& out = args.back();
    tsv::RecordCollector collector;
    std::string error;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        std::vector<tsv::Line> lines;
        if (!tsv::readFile(args[i], &lines, &error)) {
            err << "vantrel-dict build: " << error << "\n";
            return kExitFailure;
        }
        for (const tsv::Line& line : lines) {
            if (!collector.add(args[i], line, &error)) {
                err << "vantrel-dict build: " << error << "\n";
                return kExitFailure;
            }
        }
    }

    const std::string tmp = temporaryName(out);
    Status s = DictionaryStore::create(tmp, collector.records());
    if (!s.isOk()) {
        err << "vantrel-dict build: " << s.message() << "\n";
        return kExitFailure;
    }
    // A journal left beside the file replaced would otherwise be rolled back
    // into the new one by the next program that opens it.
    s = undoUnfinishedChange(out);
    std::error_code ec;
    if (!s.isOk()) {
        std::filesystem::remove(tmp, ec);
        err << "vantrel-dict build: cannot replace \"" << out << "\": " << s.message() << "\n";
        return kExitFailure;
    }
    std::filesystem::rename(tmp, out, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        err << "vantrel-dict build: cannot replace \"" << out << "\": " << ec.message() << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace dict::tool

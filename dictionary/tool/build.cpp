// vantrel-dict build: TSV files to a new dictionary file, replaced atomically.
#include <cstdio>
#include <filesystem>

#include "dictionary/temporary_file.h"
#include "dictionary/tool/command.h"
#include "dictionary/tool/tsv.h"

namespace dict::tool {

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

    TemporaryFile tmp;
    Status s = TemporaryFile::create(out, &tmp);
    if (s.isOk()) s = DictionaryStore::create(tmp.path(), collector.records());
    if (!s.isOk()) {
        err << "vantrel-dict build: " << s.message() << "\n";
        return kExitFailure;
    }
    // A journal left beside the file replaced would otherwise be rolled back
    // into the new one by the next program that opens it.
    s = undoUnfinishedChange(out);
    if (!s.isOk()) {
        err << "vantrel-dict build: cannot replace \"" << out << "\": " << s.message() << "\n";
        return kExitFailure;
    }
    std::error_code ec;
    std::filesystem::rename(tmp.path(), out, ec);
    if (ec) {
        err << "vantrel-dict build: cannot replace \"" << out << "\": " << ec.message() << "\n";
        return kExitFailure;
    }
    tmp.release();
    return kExitOk;
}

}  // namespace dict::tool

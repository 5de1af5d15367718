// vantrel-dict import: an outside word list to the dictionary's TSV form,
// optionally laid under the core TSV files (the core wins field by field).
#include <fstream>
#include <sstream>

#include "dictionary/import/import.h"
#include "dictionary/tool/command.h"
#include "dictionary/tool/tsv.h"

namespace dict::tool {
namespace {

bool readText(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    *text = buffer.str();
    return true;
}

}  // namespace

int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Command& self = commandNamed("import");
    if (args.empty()) return usageError(self, err, "needs a format");
    const std::optional<dictimport::Format> format = dictimport::parseFormat(args[0]);
    if (!format) return usageError(self, err, "unknown format \"" + args[0] + "\"");
    std::vector<std::string> sources, backs, cores;
    std::string output;
    std::vector<std::string>* list = &sources;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--back") {
            if (i + 1 >= args.size()) return usageError(self, err, a + " needs a file");
            (a == "-o" ? output : backs.emplace_back()) = args[++i];
            list = &sources;
        } else if (a == "--under") {
            list = &cores;
        } else {
            list->push_back(a);
        }
    }
    if (sources.empty()) return usageError(self, err, "needs at least one source");
    if (output.empty()) return usageError(self, err, "needs -o OUT.tsv");

    dictimport::Source source;
    std::string error;
    for (const std::string& path : sources) {
        if (!dictimport::readSource(*format, path, &source, &error)) {
            err << "vantrel-dict import: " << error << "\n";
            return kExitFailure;
        }
    }
    for (const std::string& path : backs) {
        std::string text;
        if (!readText(path, &text)) {
            err << "vantrel-dict import: cannot read \"" << path << "\"\n";
            return kExitFailure;
        }
        if (!dictimport::readBackTsv(text, &source, &error)) {
            err << "vantrel-dict import: " << path << ": " << error << "\n";
            return kExitFailure;
        }
    }
    dictimport::Report report;
    std::vector<DictRecord> records = dictimport::buildRecords(source, &report);
    if (!cores.empty()) {
        // The core is read exactly as build reads it.
        tsv::RecordCollector collector;
        for (const std::string& path : cores) {
            std::vector<tsv::Line> lines;
            if (!tsv::readFile(path, &lines, &error)) {
                err << "vantrel-dict import: " << error << "\n";
                return kExitFailure;
            }
            for (const tsv::Line& line : lines) {
                if (!collector.add(path, line, &error)) {
                    err << "vantrel-dict import: " << error << "\n";
                    return kExitFailure;
                }
            }
        }
        records = dictimport::layUnder(collector.records(), records, &report);
    }

    const std::string tmp = output + ".part";
    {
        std::ofstream file(tmp, std::ios::binary | std::ios::trunc);
        if (!file) {
            err << "vantrel-dict import: cannot write \"" << output << "\"\n";
            return kExitFailure;
        }
        std::size_t skipped = 0;
        for (const DictRecord& record : records) {
            if (!tsv::writeRecord(file, record, &error)) ++skipped;
        }
        if (skipped > 0) report.rejected["record the TSV form cannot hold"] += skipped;
        file.close();
        if (!file || std::rename(tmp.c_str(), output.c_str()) != 0) {
            std::remove(tmp.c_str());
            err << "vantrel-dict import: cannot write \"" << output << "\"\n";
            return kExitFailure;
        }
    }
    report.print(out);
    out << "wrote: " << records.size() << " headwords to " << output << "\n";
    return kExitOk;
}

}  // namespace dict::tool

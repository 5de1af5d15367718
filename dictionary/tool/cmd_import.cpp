// `vantrel-dict import FORMAT SOURCE... -o OUT.tsv [--back FILE] [--under CORE.tsv...]`:
// converts an outside word list into the dictionary's source format.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "dictionary/import/import.h"

namespace {

constexpr const char* kUsage =
    "usage: vantrel-dict import FORMAT SOURCE... -o OUT.tsv [--back FILE.tsv] "
    "[--under CORE.tsv...]\n"
    "  FORMAT   thaidict (the package's eng2thai.json and thai2eng.json), etlex (the\n"
    "           etlex/telex distribution text) or tsv (english<TAB>pos<TAB>thai)\n"
    "  --back   a TSV of English words given for Thai ones (english, pos, thai), used\n"
    "           to prefer meanings that map back to the headword\n"
    "  --under  lay the import under these core files: the core wins field by field,\n"
    "           and OUT holds the whole merged dictionary\n";

bool readFile(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    *text = buffer.str();
    return true;
}

}  // namespace

// Runs the import subcommand on its arguments (after "import"); returns the exit code.
int runImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? 2 : 0;
    }
    const std::optional<dictimport::Format> format = dictimport::parseFormat(args[0]);
    if (!format) {
        err << "vantrel-dict import: unknown format \"" << args[0] << "\"\n" << kUsage;
        return 2;
    }
    std::vector<std::string> sources, backs, cores;
    std::string output;
    std::vector<std::string>* list = &sources;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--back") {
            if (i + 1 >= args.size()) {
                err << "vantrel-dict import: " << a << " needs a file\n";
                return 2;
            }
            (a == "-o" ? output : backs.emplace_back()) = args[++i];
            list = &sources;
        } else if (a == "--under") {
            list = &cores;
        } else {
            list->push_back(a);
        }
    }
    if (sources.empty() || output.empty()) {
        err << kUsage;
        return 2;
    }

    dictimport::Source source;
    std::string error;
    for (const std::string& path : sources) {
        if (!dictimport::readSource(*format, path, &source, &error)) {
            err << "vantrel-dict import: " << error << "\n";
            return 1;
        }
    }
    for (const std::string& path : backs) {
        std::string text;
        if (!readFile(path, &text) || !dictimport::readBackTsv(text, &source, &error)) {
            err << "vantrel-dict import: " << path << ": "
                << (error.empty() ? "cannot open" : error) << "\n";
            return 1;
        }
    }
    dictimport::Report report;
    std::vector<dict::DictRecord> records = dictimport::buildRecords(source, &report);
    if (!cores.empty()) {
        std::vector<dict::DictRecord> core;
        for (const std::string& path : cores) {
            std::string text;
            if (!readFile(path, &text) || !dictimport::readFieldTsv(text, &core, &error)) {
                err << "vantrel-dict import: " << path << ": "
                    << (error.empty() ? "cannot open" : error) << "\n";
                return 1;
            }
        }
        records = dictimport::layUnder(core, records, &report);
    }
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    if (!file) {
        err << "vantrel-dict import: " << output << ": cannot write\n";
        return 1;
    }
    dictimport::writeFieldTsv(records, file);
    file.close();
    if (!file) {
        err << "vantrel-dict import: " << output << ": write failed\n";
        return 1;
    }
    report.print(out);
    out << "wrote: " << records.size() << " headwords to " << output << "\n";
    return 0;
}

// The subcommands of vantrel-dict. Each lives in its own source file and is
// listed once in the dispatch table of tool.cpp.
#pragma once

#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dict {
class DictionaryStore;
}

namespace dict::tool {

// Exit codes of the tool.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// A subcommand: its arguments (after the subcommand's name), its output and
// error streams; returns the exit code.
using CommandFn = int (*)(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err);

struct Command {
    std::string_view name;
    std::string_view arguments;  // e.g. "SOURCE.tsv [MORE.tsv ...] OUT.db"
    std::string_view summary;    // one line for the overall help
    std::string_view details;    // further help text for "vantrel-dict NAME --help"
    CommandFn run;
};

// The dispatch table, in the order the help lists it.
std::span<const Command> commands();

// Runs the tool with argv[1..] as args; returns the exit code.
int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The command of that name; name must be in the table.
const Command& commandNamed(std::string_view name);

// Prints "usage: vantrel-dict NAME ARGUMENTS" for a usage error and returns kExitUsage.
int usageError(const Command& command, std::ostream& err, std::string_view problem);

// Opens, read-only, the one dictionary file a subcommand takes as its only argument.
// Returns kExitOk with *store set, or the exit code after printing the problem.
int openOnlyDictionary(std::string_view name, const std::vector<std::string>& args,
                       std::ostream& err, std::unique_ptr<DictionaryStore>* store);

int runBuild(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runStats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runSet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runDelete(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runMine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runApply(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dict::tool

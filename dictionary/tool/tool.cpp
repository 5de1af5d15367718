#include <array>

#include "dictionary/tool/command.h"

#include "dictionary/locate.h"
#include "dictionary/store.h"
#include "vantrel/build_info.h"

namespace dict::tool {
namespace {

constexpr std::array kCommands = {
    Command{"build", "SOURCE.tsv [MORE.tsv ...] OUT.db", "create a dictionary file from TSV files",
            "Each data line is headword<TAB>label<TAB>meaning with label one of Noun, Verb, Adv,\n"
            "Adj, PP, Conj, Read, Question, Idium; an empty label with an empty meaning declares\n"
            "a headword without meanings. Empty lines and lines starting with # are comments.\n"
            "Rows of one headword (letter case of A to Z ignored) merge into one record.\n"
            "OUT.db is replaced only when the whole build succeeds.\n",
            &runBuild},
    Command{"export", "DB", "write a dictionary file as TSV to standard output",
            "Records in browse order, one row per meaning in field order; build reads the\n"
            "output back into the same table.\n",
            &runExport},
    Command{"stats", "DB", "count the records and the meanings of each field",
            "Prints the number of records and, for each meaning field, how many records\n"
            "hold a value (non-null) and how many a non-empty one.\n",
            &runStats},
    Command{"import", "FORMAT SOURCE... -o OUT.tsv [--back FILE.tsv] [--under CORE.tsv ...]",
            "convert an outside English-Thai word list to TSV",
            "FORMAT is thaidict (the package's eng2thai.json and thai2eng.json), etlex (the\n"
            "etlex/telex distribution text, TIS-620 or UTF-8) or tsv (english<TAB>pos<TAB>thai).\n"
            "--back adds a TSV of English words given for Thai ones (english, pos, thai): it\n"
            "decides between meanings and fills headwords the main list lacks. With --under,\n"
            "OUT.tsv holds the core files merged with the import, the core winning field by\n"
            "field. Prints what was taken, merged and rejected.\n",
            &runImport},
    Command{"set", "HEADWORD LABEL MEANING [--dict FILE]",
            "add a word to your dictionary or set one meaning of it",
            "LABEL is one of Noun, Verb, Adv, Adj, PP, Conj, Read, Question, Idium; the other\n"
            "meanings of the word stay. Like the editor of the window, it writes the dictionary\n"
            "the programs use (or FILE): the shipped dictionary is never written, its first\n"
            "change makes your own copy. The word is yours from then on: newer shipped\n"
            "dictionaries leave it as you left it.\n",
            &runSet},
    Command{"delete", "HEADWORD [--dict FILE]", "delete a word from your dictionary",
            "The word stays deleted when a newer shipped dictionary has it.\n", &runDelete},
    Command{"mine", "[--dict FILE]", "print your own words as TSV",
            "Every word you added or changed, as build's TSV (all of its meanings), and every\n"
            "word you deleted as one line with the label Deleted and an empty meaning. apply\n"
            "makes the same changes on another computer:\n\n"
            "    vantrel-dict mine > my-words.tsv\n"
            "    vantrel-dict apply my-words.tsv\n",
            &runMine},
    Command{"apply", "FILE.tsv [--dict FILE]", "make the changes of a TSV file your own words",
            "The lines of a headword give its whole record, as build reads them; a line\n"
            "HEADWORD<TAB>Deleted<TAB> (empty meaning) deletes it. Every headword becomes yours.\n"
            "A bad line is refused with the file, the line and the reason, and then nothing is\n"
            "applied; otherwise all the changes are made at once.\n",
            &runApply},
};

void printHelp(std::ostream& out) {
    out << "usage: vantrel-dict COMMAND ARGUMENTS\n"
           "       vantrel-dict COMMAND --help\n"
           "       vantrel-dict --version\n\ncommands:\n";
    for (const Command& c : kCommands)
        out << "  " << c.name << " " << c.arguments << "\n      " << c.summary << "\n";
    out << "\nThe programs' dictionary now: " << describeLocation(locateDictionary()) << "\n";
}

}  // namespace

std::span<const Command> commands() {
    return kCommands;
}

const Command& commandNamed(std::string_view name) {
    for (const Command& c : kCommands)
        if (c.name == name) return c;
    return kCommands.front();
}

int usageError(const Command& command, std::ostream& err, std::string_view problem) {
    err << "vantrel-dict " << command.name << ": " << problem << "\n"
        << "usage: vantrel-dict " << command.name << " " << command.arguments << "\n";
    return kExitUsage;
}

int openOnlyDictionary(std::string_view name, const std::vector<std::string>& args,
                       std::ostream& err, std::unique_ptr<DictionaryStore>* store) {
    if (args.size() != 1)
        return usageError(commandNamed(name), err, "needs exactly one dictionary file");
    OpenOptions readOnly;
    readOnly.readOnly = true;
    const Status s = DictionaryStore::open(args[0], readOnly, store);
    if (!s.isOk()) {
        err << "vantrel-dict " << name << ": " << s.message() << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        printHelp(err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(out);
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << "vantrel-dict " << VANTREL_VERSION << "\n";
        return kExitOk;
    }
    for (const Command& c : kCommands) {
        if (c.name != args[0]) continue;
        std::vector<std::string> rest(args.begin() + 1, args.end());
        for (const std::string& a : rest) {
            if (a == "--help" || a == "-h") {
                out << "usage: vantrel-dict " << c.name << " " << c.arguments << "\n"
                    << c.summary << "\n\n"
                    << c.details;
                return kExitOk;
            }
        }
        return c.run(rest, out, err);
    }
    err << "vantrel-dict: unknown command \"" << args[0] << "\"\n";
    printHelp(err);
    return kExitUsage;
}

}  // namespace dict::tool

// vantrel-dict set, delete, mine and apply: the user's own words in the
// dictionary the programs use, written as the dictionary editor writes them.
#include <map>
#include <sstream>

#include "dictionary/store.h"
#include "dictionary/tool/command.h"
#include "dictionary/tool/tsv.h"

namespace dict::tool {
namespace {

using tsv::quoted;

constexpr std::string_view kDeleted = "Deleted";

// Takes "--dict FILE" or "--dict=FILE" out of args; false with the problem.
bool takeDictOption(std::vector<std::string>* args, std::string* named, std::string* problem) {
    for (std::size_t i = 0; i < args->size(); ++i) {
        const std::string& a = (*args)[i];
        if (a.rfind("--dict=", 0) == 0) {
            *named = a.substr(7);
            args->erase(args->begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
        if (a == "--dict") {
            if (i + 1 >= args->size()) {
                *problem = "--dict needs a file";
                return false;
            }
            *named = (*args)[i + 1];
            args->erase(args->begin() + static_cast<std::ptrdiff_t>(i),
                        args->begin() + static_cast<std::ptrdiff_t>(i) + 2);
            return true;
        }
    }
    return true;
}

// The arguments of a subcommand that takes --dict and `count` more.
int positional(std::string_view name, std::vector<std::string> args, std::size_t count,
               std::ostream& err, std::string* named, std::vector<std::string>* out) {
    std::string problem;
    if (!takeDictOption(&args, named, &problem))
        return usageError(commandNamed(name), err, problem);
    if (args.size() != count)
        return usageError(commandNamed(name), err,
                          count == 0 ? "takes no arguments but --dict"
                                     : "needs exactly " + std::to_string(count) + " arguments");
    *out = std::move(args);
    return kExitOk;
}

// Opens the dictionary the programs use (or the one named) for `access`:
// for a change, the shipped copy opens to be copied to the user's place on
// the first write. A newer shipped dictionary that could not be taken in is
// a warning.
int openUsers(std::string_view name, const std::string& named, Access access, std::ostream& err,
              std::unique_ptr<DictionaryStore>* store) {
    const Status s = openLocated(locateDictionary(named), access, store);
    if (!s.isOk()) {
        err << "vantrel-dict " << name << ": " << s.message() << "\n";
        return kExitFailure;
    }
    if (!(*store)->takeInProblem().empty())
        err << "vantrel-dict " << name << ": warning: " << (*store)->takeInProblem() << "\n";
    return kExitOk;
}

// positional() and then openUsers(), for a subcommand that checks nothing
// more before it opens the dictionary.
int openWithArguments(std::string_view name, const std::vector<std::string>& rawArgs,
                      std::size_t count, Access access, std::ostream& err,
                      std::vector<std::string>* args, std::unique_ptr<DictionaryStore>* store) {
    std::string named;
    if (const int code = positional(name, rawArgs, count, err, &named, args); code != kExitOk)
        return code;
    return openUsers(name, named, access, err, store);
}

int write(std::string_view name, DictionaryStore& store, const std::vector<UserChange>& changes,
          std::ostream& err) {
    const Status s = store.applyUserChanges(changes);
    if (s.isOk()) return kExitOk;
    err << "vantrel-dict " << name << ": " << s.message() << "\n";
    return kExitFailure;
}

// Why a headword typed on the command line cannot be a headword, or empty.
std::string badHeadword(std::string_view word) {
    if (word.empty()) return "the headword is empty";
    if (!tsv::isWritableCell(word)) return "the headword holds a tab or a line break";
    if (word.front() == '#') return "a headword cannot start with #";
    return {};
}

// The lines of an apply file gathered into changes: each headword's lines
// give its whole record, as build reads them, and a "Deleted" line deletes it.
class ChangeList final {
public:
    // Takes one line; false with the reason (file and line first) when it is bad.
    bool add(const std::string& file, const tsv::Line& line, std::string* error) {
        const std::string where = tsv::location(file, line.number);
        const std::string word = line.cells.empty() ? std::string() : line.cells[0];
        const std::string key = foldCase(word);
        if (word.empty()) {
            *error = where + ": the headword is empty";
            return false;
        }
        const bool deleting = line.cells.size() == 3 && line.cells[1] == kDeleted;
        const auto& other = deleting ? m_given : m_deleted;
        if (const auto it = other.find(key); it != other.end()) {
            *error = where + ": headword " + quoted(word) +
                     " is both deleted and given meanings (also at " + it->second + ")";
            return false;
        }
        if (deleting) {
            if (word.find('\0') != std::string::npos) {
                *error = where + ": the headword holds a NUL byte";
                return false;
            }
            if (!line.cells[2].empty()) {
                *error = where + ": a Deleted line must have an empty meaning";
                return false;
            }
            if (const auto it = m_deleted.find(key); it != m_deleted.end()) {
                *error = where + ": headword " + quoted(word) + " is deleted twice (first at " +
                         it->second + ")";
                return false;
            }
            m_deletedWords.emplace(key, word);
        } else if (!m_collector.add(file, line, error)) {
            return false;
        }
        (deleting ? m_deleted : m_given).try_emplace(key, where);
        return true;
    }

    std::vector<UserChange> changes() const {
        std::vector<UserChange> out;
        for (const DictRecord& r : m_collector.records()) out.push_back({*r[kWordEn], r});
        for (const auto& [key, word] : m_deletedWords) out.push_back({word, std::nullopt});
        return out;
    }

private:
    tsv::RecordCollector m_collector;
    // "file:line" of the first line of each headword (by key) given meanings
    // and of each one deleted, and the spelling of each one deleted.
    std::map<std::string, std::string> m_given;
    std::map<std::string, std::string> m_deleted;
    std::map<std::string, std::string> m_deletedWords;
};

}  // namespace

int runSet(const std::vector<std::string>& rawArgs, std::ostream&, std::ostream& err) {
    std::string named;
    std::vector<std::string> args;
    if (const int code = positional("set", rawArgs, 3, err, &named, &args); code != kExitOk)
        return code;
    const std::string& word = args[0];
    const int pos = tsv::fieldForLabel(args[1]);
    if (pos < 0)
        return usageError(
            commandNamed("set"), err,
            "unknown label " + quoted(args[1]) +
                " (expected Noun, Verb, Adv, Adj, PP, Conj, Read, Question or Idium)");
    if (const std::string bad = badHeadword(word); !bad.empty())
        return usageError(commandNamed("set"), err, bad);
    if (!tsv::isWritableCell(args[2]))
        return usageError(commandNamed("set"), err, "the meaning holds a tab or a line break");

    std::unique_ptr<DictionaryStore> store;
    if (const int code = openUsers("set", named, Access::kEdit, err, &store); code != kExitOk)
        return code;
    const DictRecord* existing = store->find(word);
    DictRecord record;
    if (existing) {
        record = *existing;
    } else {
        record[kWordEn] = word;
    }
    record[pos] = args[2];
    return write("set", *store, {{*record[kWordEn], record}}, err);
}

int runDelete(const std::vector<std::string>& rawArgs, std::ostream&, std::ostream& err) {
    std::vector<std::string> args;
    std::unique_ptr<DictionaryStore> store;
    if (const int code = openWithArguments("delete", rawArgs, 1, Access::kEdit, err, &args, &store);
        code != kExitOk)
        return code;
    const DictRecord* existing = store->find(args[0]);
    if (!existing) {
        err << "vantrel-dict delete: no headword " << quoted(args[0]) << " in \"" << store->path()
            << "\"\n";
        return kExitFailure;
    }
    return write("delete", *store, {{*(*existing)[kWordEn], std::nullopt}}, err);
}

int runMine(const std::vector<std::string>& rawArgs, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args;
    std::unique_ptr<DictionaryStore> store;
    if (const int code = openWithArguments("mine", rawArgs, 0, Access::kRead, err, &args, &store);
        code != kExitOk)
        return code;
    // Everything is checked before anything is written, as export does.
    std::ostringstream text;
    std::string error;
    for (const UserChange& c : store->userChanges()) {
        if (c.record) {
            if (!tsv::writeRecord(text, *c.record, &error)) {
                err << "vantrel-dict mine: cannot write " << error << "\n";
                return kExitFailure;
            }
        } else if (badHeadword(c.word).empty()) {
            tsv::writeRow(text, {c.word, kDeleted, ""});
        } else {
            err << "vantrel-dict mine: cannot write the deleted headword " << quoted(c.word)
                << "\n";
            return kExitFailure;
        }
    }
    out << text.str();
    return out.good() ? kExitOk : kExitFailure;
}

int runApply(const std::vector<std::string>& rawArgs, std::ostream& out, std::ostream& err) {
    std::string named;
    std::vector<std::string> args;
    if (const int code = positional("apply", rawArgs, 1, err, &named, &args); code != kExitOk)
        return code;
    const std::string& file = args[0];
    std::vector<tsv::Line> lines;
    std::string error;
    if (!tsv::readFile(file, &lines, &error)) {
        err << "vantrel-dict apply: " << error << "\n";
        return kExitFailure;
    }
    ChangeList list;
    std::size_t bad = 0;
    for (const tsv::Line& line : lines) {
        if (list.add(file, line, &error)) continue;
        err << "vantrel-dict apply: " << error << "\n";
        ++bad;
    }
    if (bad != 0) {
        err << "vantrel-dict apply: nothing applied (" << bad
            << (bad == 1 ? " bad line" : " bad lines") << ")\n";
        return kExitFailure;
    }
    const std::vector<UserChange> changes = list.changes();
    std::unique_ptr<DictionaryStore> store;
    if (const int code = openUsers("apply", named, Access::kEdit, err, &store); code != kExitOk)
        return code;
    if (const int code = write("apply", *store, changes, err); code != kExitOk) return code;
    out << "applied " << changes.size() << (changes.size() == 1 ? " headword" : " headwords")
        << " to " << store->path() << "\n";
    return kExitOk;
}

}  // namespace dict::tool

#include "cli/options.h"

#include <charconv>

#include "dictionary/record.h"

namespace cli {

const char* const kUsage =
    "Usage: vantrel-translate [--dict FILE] [--json | --jsonl] [--encoding NAME] [FILE]\n"
    "       vantrel-translate [--dict FILE] [--encoding NAME] [-j N] -o DIR FILE...\n"
    "Translates an English document from FILE (or standard input) to Thai and prints it as it\n"
    "goes. FILE is plain text, PDF, Word (.docx), OpenDocument text (.odt), EPUB, a web page\n"
    "(.html, .xhtml) or subtitles (.srt, .vtt), told by its content; subtitles keep their cue\n"
    "numbers and timings, the other formats give plain text.\n"
    "  --dict FILE      dictionary to use (also VANTREL_DICT; default: dict.db beside this\n"
    "                   program, then $XDG_DATA_HOME/vantrel, then vantrel/ in $XDG_DATA_DIRS)\n"
    "  --json           print the run's lists as one JSON object instead\n"
    "  --jsonl          print one JSON object per line of input (and one for its end)\n"
    "  --encoding NAME  read input without a byte-order mark as utf-8 or windows-874\n"
    "                   (default: UTF-8 when all of it is, else Windows-874)\n"
    "  -o DIR           translate each FILE to DIR/NAME.th.txt (subtitles: NAME.th.srt,\n"
    "                   NAME.th.vtt)\n"
    "  -j N             translate N files at a time (default: one per processor core)\n"
    "  --version        print the version\n"
    "  --help           show this text\n";

namespace {

std::optional<engine::DocumentEncoding> encodingNamed(const std::string& name) {
    const std::string n = dict::foldCase(name);
    if (n == "utf-8" || n == "utf8") return engine::DocumentEncoding::kUtf8Marked;
    if (n == "windows-874" || n == "cp874" || n == "tis-620") {
        return engine::DocumentEncoding::kWindows874;
    }
    return std::nullopt;
}

}  // namespace

Parsed parseOptions(const std::vector<std::string>& args, Options* options, std::string* error) {
    bool json = false, jsonl = false, jobsGiven = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        // The value of an option: the next argument, or what follows "-j".
        const auto value = [&](const char* what, std::string* out) {
            if (++k >= args.size()) {
                *error = arg + " needs " + what;
                return false;
            }
            *out = args[k];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            return Parsed::kHelp;
        } else if (arg == "--version") {
            return Parsed::kVersion;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--jsonl") {
            jsonl = true;
        } else if (arg == "--dict") {
            if (!value("a file name", &options->dictPath)) return Parsed::kError;
        } else if (arg == "--encoding") {
            std::string name;
            if (!value("an encoding name", &name)) return Parsed::kError;
            options->stream.unmarked = encodingNamed(name);
            if (!options->stream.unmarked) {
                *error = "unknown encoding " + name + " (utf-8 or windows-874)";
                return Parsed::kError;
            }
        } else if (arg == "-o" || arg == "--output-dir") {
            if (!value("a folder name", &options->outputDir)) return Parsed::kError;
            if (options->outputDir.empty()) {
                *error = arg + " needs a folder name";
                return Parsed::kError;
            }
        } else if (arg == "-j" || arg == "--jobs" || (arg.size() > 2 && arg.rfind("-j", 0) == 0)) {
            std::string count = arg.size() > 2 && arg[1] == 'j' ? arg.substr(2) : std::string();
            if (count.empty() && !value("a number", &count)) return Parsed::kError;
            unsigned n = 0;
            const auto [end, ec] = std::from_chars(count.data(), count.data() + count.size(), n);
            if (ec != std::errc() || end != count.data() + count.size() || n == 0) {
                *error = "-j needs a number of at least 1, not " + count;
                return Parsed::kError;
            }
            options->jobs = n;
            jobsGiven = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            *error = "unknown option " + arg;
            return Parsed::kError;
        } else {
            options->inputs.push_back(arg);
        }
    }
    if (json && jsonl) {
        *error = "--json and --jsonl exclude each other";
        return Parsed::kError;
    }
    options->stream.format = json    ? OutputFormat::kJson
                             : jsonl ? OutputFormat::kJsonl
                                     : OutputFormat::kPlain;
    if (options->outputDir.empty()) {
        if (options->inputs.size() > 1) {
            *error = "only one input file is read (with -o DIR, any number)";
            return Parsed::kError;
        }
        if (jobsGiven) {
            *error = "-j counts the files of -o DIR";
            return Parsed::kError;
        }
        return Parsed::kRun;
    }
    if (json || jsonl) {
        *error = "-o DIR writes the Thai documents; --json and --jsonl print one run";
        return Parsed::kError;
    }
    if (options->inputs.empty()) {
        *error = "-o DIR needs the files to translate";
        return Parsed::kError;
    }
    for (const std::string& input : options->inputs) {
        if (input == "-") {
            *error = "-o DIR translates files, not standard input";
            return Parsed::kError;
        }
    }
    return Parsed::kRun;
}

}  // namespace cli

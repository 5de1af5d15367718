// vantrel-dict export: a dictionary file as TSV on standard output.
#include <sstream>

#include "dictionary/tool/command.h"
#include "dictionary/tool/tsv.h"

namespace dict::tool {

int runExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::unique_ptr<DictionaryStore> store;
    if (const int code = openOnlyDictionary("export", args, err, &store); code != kExitOk)
        return code;
    // Everything is checked before anything is written, so a failure leaves no partial output.
    std::ostringstream text;
    std::string error;
    bool ok = true;
    store->forEach([&](const DictRecord& record) {
        if (ok && !tsv::writeRecord(text, record, &error)) ok = false;
    });
    if (!ok) {
        err << "vantrel-dict export: cannot write " << error << "\n";
        return kExitFailure;
    }
    out << text.str();
    return out.good() ? kExitOk : kExitFailure;
}

}  // namespace dict::tool

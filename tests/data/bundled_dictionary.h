// The dictionary the build bundles, opened once for a test program, and the
// Thai the translator gives with it.
#pragma once

#include <memory>
#include <string>

#include "dictionary/store.h"
#include "engine/memory_host.h"
#include "engine/translator.h"

namespace datatest {

// The bundled dictionary read-only, or nullptr when it cannot be opened.
inline const dict::LookupView* bundled() {
    static std::unique_ptr<dict::DictionaryStore> store = [] {
        std::unique_ptr<dict::DictionaryStore> s;
        dict::OpenOptions options;
        options.readOnly = true;
        if (!dict::DictionaryStore::open(VANTREL_DICTIONARY, options, &s).isOk()) s.reset();
        return s;
    }();
    return store ? &store->lookup() : nullptr;
}

// The Thai document of an English text, as the translator gives it.
inline std::string translate(const std::string& english) {
    engine::MemoryHost host(bundled());
    engine::Translator translator(host);
    translator.run(english);
    return host.thai();
}

}  // namespace datatest

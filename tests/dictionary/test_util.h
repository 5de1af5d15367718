// Helpers shared by the dictionary tests: a temporary folder and small records.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/store.h"

namespace dicttest {

// A fresh directory removed with everything in it when the object goes.
class TempDir final {
public:
    TempDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "vantrel-dict-XXXXXX").string();
        m_path = ::mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// A record with the headword and (position, value) pairs; other fields absent.
inline dict::DictRecord rec(std::string word,
                            std::initializer_list<std::pair<int, std::string>> fields = {}) {
    dict::DictRecord r;
    r[dict::kWordEn] = std::move(word);
    for (const auto& [pos, value] : fields) r[pos] = value;
    return r;
}

}  // namespace dicttest

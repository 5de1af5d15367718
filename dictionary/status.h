// The outcome of a dictionary store operation.
#pragma once

#include <string>
#include <utility>

namespace dict {

// Outcome of a store operation. The two distinguished errors keep the numbers
// callers test for; every other failure is kOther with SQLite's reason.
class Status {
public:
    enum Code : int { kOk = 0, kNoCurrentRecord = 3021, kDuplicateKey = 3022, kOther = 1 };

    Status() = default;
    static Status ok() { return Status(); }
    static Status noCurrentRecord() { return Status(kNoCurrentRecord, "No current record."); }
    static Status duplicateKey(std::string word) {
        return Status(kDuplicateKey, "The headword \"" + word + "\" exists already.");
    }
    static Status other(std::string message) { return Status(kOther, std::move(message)); }

    bool isOk() const { return m_code == kOk; }
    bool isNoCurrentRecord() const { return m_code == kNoCurrentRecord; }
    bool isDuplicateKey() const { return m_code == kDuplicateKey; }
    Code code() const { return m_code; }
    const std::string& message() const { return m_message; }

private:
    Status(Code code, std::string message) : m_code(code), m_message(std::move(message)) {}
    Code m_code = kOk;
    std::string m_message;
};

}  // namespace dict

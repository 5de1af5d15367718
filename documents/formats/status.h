// Why a document could not be read: a kind the programs turn into their own
// words (the window in Thai, the command line in English) and a detail that
// names what was found.
#pragma once

#include <string>

namespace formats {

class Status {
public:
    enum class Kind {
        kOk,
        kUnreadable,          // the system refused to read it; detail: its reason
        kDamaged,             // damaged or truncated; detail: what is wrong
        kPasswordProtected,   // encrypted; detail: by what
        kNoTextLayer,         // a PDF whose pages are scanned images
        kUnpackTooLarge,      // zip members past the unpack limit; detail: sizes
        kUnsafeXml,           // XML entity tricks; detail: which
        kTooLarge,            // a formatted document past the size limit; detail: sizes
        kUnsupported,         // a kind of file this program does not read; detail: which
    };

    Status() = default;
    static Status ok() { return Status(); }
    static Status make(Kind kind, std::string detail = std::string()) {
        Status s;
        s.m_kind = kind;
        s.m_detail = std::move(detail);
        return s;
    }

    bool isOk() const { return m_kind == Kind::kOk; }
    Kind kind() const { return m_kind; }
    const std::string& detail() const { return m_detail; }

    // One English sentence for the command line, e.g. "damaged or truncated
    // PDF: no end-of-file marker".
    std::string message() const;

private:
    Kind m_kind = Kind::kOk;
    std::string m_detail;
};

}  // namespace formats

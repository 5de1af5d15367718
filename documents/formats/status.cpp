#include "documents/formats/status.h"

namespace formats {

std::string Status::message() const {
    const char* what = "";
    switch (m_kind) {
        case Kind::kOk:
            return std::string();
        case Kind::kUnreadable:
            what = "cannot read";
            break;
        case Kind::kDamaged:
            what = "damaged or truncated";
            break;
        case Kind::kPasswordProtected:
            what = "protected by a password";
            break;
        case Kind::kNoTextLayer:
            what = "a PDF without a text layer (scanned pages); give it text recognition (OCR) first";
            break;
        case Kind::kUnpackTooLarge:
            what = "would unpack too much";
            break;
        case Kind::kUnsafeXml:
            what = "unsafe XML, not read";
            break;
        case Kind::kTooLarge:
            what = "too large for a formatted document";
            break;
        case Kind::kUnsupported:
            what = "not a document this program reads";
            break;
    }
    return m_detail.empty() ? std::string(what) : std::string(what) + ": " + m_detail;
}

}  // namespace formats

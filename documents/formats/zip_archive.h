// A zip container (Word, OpenDocument, EPUB) read through libzip, every
// member's unpacking counted against the limits, so that a small file cannot
// unpack into gigabytes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "documents/formats/format.h"
#include "documents/formats/status.h"

namespace formats {

class ZipArchive final {
public:
    // Opens the zip held in `bytes`, which must stay valid while the archive
    // is open. Fails when it is damaged or truncated, or when its members
    // would unpack past the limits: Limits::maxUnpackedBytes in all, or
    // Limits::maxUnpackRatio times the size of `bytes`.
    static Status open(std::string_view bytes, const Limits& limits,
                       std::unique_ptr<ZipArchive>* archive);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Whether a member of that name exists (letter case ignored).
    bool has(std::string_view name) const;

    // Unpacks member `name` a piece at a time into `piece`, which may stop
    // the reading by returning a failure; an encrypted member is refused as
    // password-protected.
    using PieceSink = std::function<Status(std::string_view piece)>;
    Status read(std::string_view name, const PieceSink& piece);
    // Unpacks a whole member into *out.
    Status readAll(std::string_view name, std::string* out);

private:
    ZipArchive() = default;

    struct Zip;
    std::unique_ptr<Zip> m_zip;
    std::uint64_t m_budget = 0;  // bytes that may still be unpacked
    std::string m_limitText;     // the limit, for messages
};

// The member a relative reference `target` in member `from` points to:
// "../", "./" and a leading "/" resolved, %XX escapes decoded, any "#..."
// fragment dropped.
std::string resolveMemberPath(std::string_view from, std::string_view target);

}  // namespace formats

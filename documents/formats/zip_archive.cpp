#include "documents/formats/zip_archive.h"

#include <zip.h>

#include <algorithm>
#include <vector>

namespace formats {
namespace {

std::string megabytes(std::uint64_t bytes) {
    if (bytes < (1u << 20)) return std::to_string((bytes + 1023) / 1024) + " KB";
    return std::to_string((bytes + (1u << 19)) >> 20) + " MB";
}

Status damaged(const std::string& what) {
    return Status::make(Status::Kind::kDamaged, what);
}

}  // namespace

struct ZipArchive::Zip {
    ~Zip() {
        if (archive) zip_discard(archive);
    }
    zip_t* archive = nullptr;
};

Status ZipArchive::open(std::string_view bytes, const Limits& limits,
                        std::unique_ptr<ZipArchive>* archive) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return Status::make(Status::Kind::kUnreadable, "out of memory");
    }
    zip_t* zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!zip) {
        zip_source_free(source);
        const int code = zip_error_code_zip(&error);
        const std::string reason = code == ZIP_ER_NOZIP ? "its zip directory is missing"
                                                        : zip_error_strerror(&error);
        zip_error_fini(&error);
        return damaged(reason);
    }
    zip_error_fini(&error);
    std::unique_ptr<ZipArchive> result(new ZipArchive);
    result->m_zip = std::make_unique<Zip>();
    result->m_zip->archive = zip;

    const std::uint64_t byRatio = bytes.size() * limits.maxUnpackRatio;
    const bool ratioBinds = byRatio < limits.maxUnpackedBytes;
    result->m_budget = std::min(limits.maxUnpackedBytes, byRatio);
    result->m_limitText = ratioBinds ? std::to_string(limits.maxUnpackRatio) +
                                           " times the file's " + megabytes(bytes.size())
                                     : megabytes(limits.maxUnpackedBytes);
    // What the directory says the members unpack to; reading counts again,
    // in case it lies.
    std::uint64_t total = 0;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &st) != 0) continue;
        if (st.valid & ZIP_STAT_SIZE) total += st.size;
        if (total > result->m_budget) {
            return Status::make(Status::Kind::kUnpackTooLarge,
                                "its members unpack to " + megabytes(total) + " or more, past " +
                                    result->m_limitText);
        }
    }
    *archive = std::move(result);
    return Status::ok();
}

ZipArchive::~ZipArchive() = default;

bool ZipArchive::has(std::string_view name) const {
    return zip_name_locate(m_zip->archive, std::string(name).c_str(), ZIP_FL_NOCASE) >= 0;
}

Status ZipArchive::read(std::string_view name, const PieceSink& piece) {
    const std::string member(name);
    const zip_int64_t index = zip_name_locate(m_zip->archive, member.c_str(), ZIP_FL_NOCASE);
    if (index < 0) return damaged("its member " + member + " is missing");
    zip_stat_t st;
    if (zip_stat_index(m_zip->archive, static_cast<zip_uint64_t>(index), 0, &st) == 0 &&
        (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
        return Status::make(Status::Kind::kPasswordProtected, "its member " + member + " is encrypted");
    }
    zip_file_t* file = zip_fopen_index(m_zip->archive, static_cast<zip_uint64_t>(index), 0);
    if (!file) {
        zip_error_t* error = zip_get_error(m_zip->archive);
        const int code = zip_error_code_zip(error);
        if (code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_ENCRNOTSUPP) {
            return Status::make(Status::Kind::kPasswordProtected,
                                "its member " + member + " is encrypted");
        }
        return damaged("its member " + member + " cannot be unpacked: " + zip_error_strerror(error));
    }
    std::vector<char> buffer(1 << 16);
    Status status;
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
        if (n < 0) {
            status = damaged("its member " + member + " cannot be unpacked: " +
                             zip_error_strerror(zip_file_get_error(file)));
            break;
        }
        if (n == 0) break;
        if (static_cast<std::uint64_t>(n) > m_budget) {
            status = Status::make(Status::Kind::kUnpackTooLarge,
                                  "its members unpack past " + m_limitText);
            break;
        }
        m_budget -= static_cast<std::uint64_t>(n);
        status = piece(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
        if (!status.isOk()) break;
    }
    zip_fclose(file);
    return status;
}

Status ZipArchive::readAll(std::string_view name, std::string* out) {
    out->clear();
    return read(name, [out](std::string_view piece) {
        out->append(piece);
        return Status::ok();
    });
}

std::string resolveMemberPath(std::string_view from, std::string_view target) {
    const std::size_t hash = target.find('#');
    if (hash != std::string_view::npos) target = target.substr(0, hash);
    std::string decoded;
    for (std::size_t k = 0; k < target.size(); ++k) {
        const auto hex = [](char c) {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'a' && c <= 'f') return c - 'a' + 10;
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            return -1;
        };
        if (target[k] == '%' && k + 2 < target.size() && hex(target[k + 1]) >= 0 &&
            hex(target[k + 2]) >= 0) {
            decoded.push_back(static_cast<char>(hex(target[k + 1]) * 16 + hex(target[k + 2])));
            k += 2;
        } else {
            decoded.push_back(target[k]);
        }
    }
    std::vector<std::string> parts;
    if (!decoded.empty() && decoded[0] != '/') {
        const std::size_t slash = from.rfind('/');
        if (slash != std::string_view::npos) decoded = std::string(from.substr(0, slash + 1)) + decoded;
    }
    std::size_t start = 0;
    while (start <= decoded.size()) {
        std::size_t end = decoded.find('/', start);
        if (end == std::string::npos) end = decoded.size();
        const std::string part = decoded.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string path;
    for (const std::string& part : parts) {
        if (!path.empty()) path.push_back('/');
        path.append(part);
    }
    return path;
}

}  // namespace formats

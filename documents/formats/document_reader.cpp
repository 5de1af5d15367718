#include "documents/formats/document_reader.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "documents/formats/readers.h"
#include "documents/formats/zip_archive.h"

namespace formats {
namespace {

std::string sizeText(std::uint64_t bytes) {
    if (bytes >= (1ull << 30)) {
        const std::uint64_t tenths = (bytes * 10 + (1ull << 29)) >> 30;
        return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " GB";
    }
    return std::to_string((bytes + (1u << 19)) >> 20) + " MB";
}

Status tooLarge(std::uint64_t size, const Limits& limits) {
    return Status::make(Status::Kind::kTooLarge,
                        sizeText(size) + ", past the " + sizeText(limits.maxDocumentBytes) +
                            " read at most");
}

Status systemError() {
    return Status::make(Status::Kind::kUnreadable, std::strerror(errno));
}

}  // namespace

Status readCompound(std::string_view bytes) {
    // The stream names of the compound file's directory are UTF-16.
    const auto holds = [bytes](std::string_view name) {
        std::string wide;
        for (const char c : name) wide.append({c, '\0'});
        return bytes.find(wide) != std::string_view::npos;
    };
    if (holds("EncryptedPackage")) {
        return Status::make(Status::Kind::kPasswordProtected,
                            "an Office document saved with a password");
    }
    if (holds("WordDocument")) {
        return Status::make(Status::Kind::kUnsupported,
                            "a Word 97-2003 document (.doc); save it as .docx first");
    }
    return Status::make(Status::Kind::kUnsupported, "an Office 97-2003 file");
}

Status readZipDocument(std::string_view bytes, TextLayout& layout, const Limits& limits,
                       Format* found) {
    std::unique_ptr<ZipArchive> zip;
    if (Status s = ZipArchive::open(bytes, limits, &zip); !s.isOk()) return s;
    // OpenDocument and EPUB name their kind in a first member "mimetype".
    std::string mimetype;
    if (zip->has("mimetype")) {
        if (Status s = zip->readAll("mimetype", &mimetype); !s.isOk()) return s;
        while (!mimetype.empty() && (mimetype.back() == '\n' || mimetype.back() == '\r' ||
                                     mimetype.back() == ' ')) {
            mimetype.pop_back();
        }
    }
    const std::string_view odf = "application/vnd.oasis.opendocument.";
    if (mimetype == "application/epub+zip" ||
        (mimetype.empty() && zip->has("META-INF/container.xml"))) {
        *found = Format::kEpub;
        return readEpub(*zip, layout, limits);
    }
    if (mimetype.rfind(odf, 0) == 0) {
        const std::string kind = mimetype.substr(odf.size());
        if (kind != "text" && kind != "text-template" && kind != "text-master") {
            return Status::make(Status::Kind::kUnsupported, "an OpenDocument " + kind);
        }
        *found = Format::kOdt;
        return readOdt(*zip, layout, limits);
    }
    if (zip->has("[Content_Types].xml") || zip->has("_rels/.rels")) {
        *found = Format::kDocx;
        return readDocx(*zip, layout, limits);
    }
    if (mimetype.empty() && zip->has("content.xml")) {
        *found = Format::kOdt;
        return readOdt(*zip, layout, limits);
    }
    return Status::make(Status::Kind::kUnsupported,
                        "a zip archive that holds no Word, OpenDocument text or EPUB document");
}

Status readFormatted(std::string_view bytes, Format format, const TextLayout::Sink& sink,
                     const Limits& limits, Format* found) {
    Format kind = format;
    if (!found) found = &kind;
    *found = format;
    if (bytes.size() > limits.maxDocumentBytes) return tooLarge(bytes.size(), limits);
    // The text of a document never needs to be much larger than the document
    // unpacked; the bound stops a crafted one that would pile text up.
    const std::uint64_t textLimit =
        std::min<std::uint64_t>(limits.maxUnpackedBytes, bytes.size() * limits.maxUnpackRatio);
    TextLayout layout(sink, std::max<std::uint64_t>(textLimit, 1 << 20));
    Status status;
    switch (format) {
        case Format::kPdf:
            status = readPdf(bytes, layout);
            break;
        case Format::kZip:
        case Format::kDocx:
        case Format::kOdt:
        case Format::kEpub:
            status = readZipDocument(bytes, layout, limits, found);
            break;
        case Format::kCompound:
            status = readCompound(bytes);
            break;
        case Format::kHtml:
            status = readHtml(bytes, layout, limits);
            break;
        case Format::kPlainText:
        case Format::kSubRip:
        case Format::kWebVtt:
            return Status::make(Status::Kind::kUnsupported, "not a formatted document");
    }
    if (!status.isOk()) return status;
    layout.finish();
    return layout.overflowStatus();
}

MappedFile::~MappedFile() {
    if (!m_bytes.empty()) ::munmap(const_cast<char*>(m_bytes.data()), m_bytes.size());
}

Status MappedFile::map(int fd, std::unique_ptr<MappedFile>* file) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return systemError();
    std::unique_ptr<MappedFile> mapped(new MappedFile);
    if (st.st_size > 0) {
        void* data = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (data == MAP_FAILED) return systemError();
        mapped->m_bytes = std::string_view(static_cast<const char*>(data),
                                           static_cast<std::size_t>(st.st_size));
    }
    *file = std::move(mapped);
    return Status::ok();
}

Status detectFile(int fd, std::string_view name, Format* format) {
    std::string head(kDetectBytes, '\0');
    std::size_t have = 0;
    while (have < head.size()) {
        const ssize_t n = ::pread(fd, head.data() + have, head.size() - have,
                                  static_cast<off_t>(have));
        if (n < 0) {
            if (errno == EINTR) continue;
            return systemError();
        }
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    head.resize(have);
    *format = detectFormat(head, true, extensionOf(name)).value_or(Format::kPlainText);
    return Status::ok();
}

Status readFormattedFile(int fd, Format format, const TextLayout::Sink& sink, const Limits& limits,
                         Format* found) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return systemError();
    if (static_cast<std::uint64_t>(st.st_size) > limits.maxDocumentBytes) {
        return tooLarge(static_cast<std::uint64_t>(st.st_size), limits);
    }
    std::unique_ptr<MappedFile> file;
    if (Status s = MappedFile::map(fd, &file); !s.isOk()) return s;
    return readFormatted(file->bytes(), format, sink, limits, found);
}

}  // namespace formats

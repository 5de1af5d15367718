// vantrel-read-bench FILE...: how fast the document readers take the English
// text out of each FILE (PDF, Word, OpenDocument, EPUB, web page), with the
// time on the clock, the processor time, the text's size and, at the end, the
// peak memory of the whole run (give one file per run to see its own).
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "documents/formats/document_reader.h"

namespace {

double processorSeconds() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vantrel-read-bench FILE...\n");
        return 2;
    }
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        const int fd = ::open(argv[i], O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            std::printf("%s: skipped (cannot open)\n", argv[i]);
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = processorSeconds();
        formats::Format format = formats::Format::kPlainText;
        formats::Status status = formats::detectFile(fd, argv[i], &format);
        std::size_t bytes = 0, lines = 0;
        if (status.isOk() && !formats::isFormatted(format)) {
            status = formats::Status::make(formats::Status::Kind::kUnsupported,
                                           "plain text and subtitles are not timed here");
        }
        if (status.isOk()) {
            status = formats::readFormattedFile(
                fd, format,
                [&](std::string_view text) {
                    bytes += text.size();
                    for (const char c : text) lines += c == '\n';
                    return true;
                },
                formats::Limits(), &format);
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = processorSeconds() - cpuStart;
        ::close(fd);
        if (!status.isOk()) {
            std::printf("%s: %s\n", argv[i], status.message().c_str());
            ++failed;
            continue;
        }
        std::printf("%s: %s, %.2f s (%.2f s processor), %zu bytes of text in %zu lines, %.1f MB/s of text\n",
                    argv[i], formats::formatName(format), seconds, cpu, bytes, lines,
                    static_cast<double>(bytes) / 1e6 / seconds);
    }
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %ld MB (ru_maxrss)\n", usage.ru_maxrss / 1024);
    return failed == 0 ? 0 : 1;
}

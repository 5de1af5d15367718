#include "cli/batch.h"

#include "cli/document_input.h"
#include "documents/formats/document_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

namespace cli {
namespace {

namespace fs = std::filesystem;

// The failures and, on a terminal, the progress line, from every thread.
class Report final {
public:
    Report(std::FILE* out, std::size_t total)
        : m_out(out), m_total(total), m_terminal(isatty(fileno(out)) != 0) {}

    void failed(const std::string& input, const std::string& reason) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        ++m_failed;
        ++m_done;
        if (m_terminal) std::fputs("\r\033[K", m_out);
        std::fprintf(m_out, "vantrel-translate: \"%s\": %s\n", input.c_str(), reason.c_str());
        drawProgress();
    }
    void done() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        ++m_done;
        drawProgress();
    }
    // Ends the progress line and sums up the failures.
    std::size_t finish() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_terminal) std::fputs("\n", m_out);
        if (m_failed > 0) {
            std::fprintf(m_out, "vantrel-translate: %zu of %zu files failed\n", m_failed, m_total);
        }
        std::fflush(m_out);
        return m_failed;
    }

private:
    void drawProgress() {
        if (!m_terminal) return;
        std::fprintf(m_out, "\r\033[Kvantrel-translate: %zu/%zu files", m_done, m_total);
        if (m_failed > 0) std::fprintf(m_out, ", %zu failed", m_failed);
        std::fflush(m_out);
    }

    std::mutex m_mutex;
    std::FILE* m_out;
    std::size_t m_total;
    bool m_terminal;
    std::size_t m_done = 0;
    std::size_t m_failed = 0;
};

// Translates one file into `target` through a temporary file beside it, which
// takes the target's name only when all went well; returns why it failed.
std::string translateFile(const std::string& input, const std::string& target,
                          const dict::LookupView* view, const StreamOptions& options, mode_t mode) {
    const int in = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return std::string("cannot read: ") + std::strerror(errno);
    std::string temporary = target + ".XXXXXX";
    const int out = ::mkstemp(temporary.data());
    if (out < 0) {
        const std::string reason =
            std::string("cannot write ") + target + ": " + std::strerror(errno);
        ::close(in);
        return reason;
    }
    std::string error;
    if (::fchmod(out, mode) != 0)
        error = std::string("cannot write ") + target + ": " + std::strerror(errno);
    if (error.empty()) {
        DocumentInput document(in, input);
        FdSink sink(out);
        error = document.detect();
        if (error.empty()) error = document.translate(sink, view, options);
        if (error.empty() && !sink.flush()) error = "cannot write " + target + ": " + sink.error();
    }
    ::close(in);
    if (::close(out) != 0 && error.empty()) {
        error = std::string("cannot write ") + target + ": " + std::strerror(errno);
    }
    if (error.empty() && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = std::string("cannot write ") + target + ": " + std::strerror(errno);
    }
    if (!error.empty()) ::unlink(temporary.c_str());
    return error;
}

}  // namespace

std::string outputPathFor(const std::string& input, const std::string& dir,
                          formats::Format format) {
    const char* extension = format == formats::Format::kSubRip   ? ".th.srt"
                            : format == formats::Format::kWebVtt ? ".th.vtt"
                                                                 : ".th.txt";
    return (fs::path(dir) / fs::path(input).stem()).string() + extension;
}

formats::Format formatOfFile(const std::string& input) {
    formats::Format format = formats::Format::kPlainText;
    const int fd = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return format;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) formats::detectFile(fd, input, &format);
    ::close(fd);
    return format;
}

std::size_t translateFiles(const std::vector<std::string>& inputs, const std::string& dir,
                           unsigned jobs, const dict::LookupView* view,
                           const StreamOptions& options, std::FILE* report) {
    Report progress(report, inputs.size());
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        for (const std::string& input : inputs)
            progress.failed(input, "cannot make " + dir + ": " + ec.message());
        return progress.finish();
    }

    // Two inputs of the same name would write the same file: the later ones fail.
    std::vector<std::string> targets(inputs.size());
    std::vector<std::string> clashes(inputs.size());
    std::map<std::string, std::size_t> firstByTarget;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        targets[i] = outputPathFor(inputs[i], dir, formatOfFile(inputs[i]));
        const auto [it, inserted] = firstByTarget.emplace(targets[i], i);
        if (!inserted) {
            clashes[i] = "its translation " + targets[i] + " would replace that of \"" +
                         inputs[it->second] + "\"";
        }
    }

    // The outputs get the permissions a new file gets (the temporary file has fewer).
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;

    if (jobs == 0) jobs = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threads = std::min<std::size_t>(jobs, inputs.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < inputs.size();) {
            const std::string error =
                clashes[i].empty() ? translateFile(inputs[i], targets[i], view, options, mode)
                                   : clashes[i];
            if (error.empty()) {
                progress.done();
            } else {
                progress.failed(inputs[i], error);
            }
        }
    };
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    return progress.finish();
}

}  // namespace cli

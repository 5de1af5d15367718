// Fuzzes subtitles and the telling of kinds: the first byte chooses SubRip or
// WebVTT and how the rest is cut into pieces. It checks that
// - the lines the subtitle reader hands over, kept and cue text alike, with
//   their line ends, are the text again, however it is cut;
// - a cue's plain text is never longer than its line;
// - the kind a pipe's first piece tells is the kind the whole tells.
#include <cstddef>
#include <cstdint>
#include <string>

#include "documents/formats/format.h"
#include "documents/formats/subtitles.h"
#include "fuzz/check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const formats::Format format = data[0] & 1 ? formats::Format::kWebVtt : formats::Format::kSubRip;
    unsigned cut = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::string again;
    formats::SubtitleLines lines(format, [&](const formats::SubtitleLine& line) {
        CHECK(line.text.find('\n') == std::string_view::npos);
        again.append(line.text).append(line.end);
        if (line.cueText) {
            const std::string plain = formats::plainCueText(line.text);
            CHECK(plain.size() <= line.text.size());
        }
        return true;
    });
    for (std::size_t k = 0; k < text.size();) {
        cut = cut * 1103515245u + 12345u;
        const std::size_t n = 1 + (cut >> 16) % 16;
        CHECK(lines.feed(text.substr(k, n)));
        k += n;
    }
    CHECK(lines.finish());
    CHECK(again == text);

    if (text.size() < formats::kDetectBytes) {
        const auto whole = formats::detectFormat(text, true, "srt");
        CHECK(whole.has_value());
        for (std::size_t n = 0; n <= text.size(); ++n) {
            const auto early = formats::detectFormat(text.substr(0, n), false, "srt");
            if (early) {
                CHECK(*early == *whole);
                break;
            }
        }
    }
    return 0;
}

#include "cli/subtitle_output.h"

#include "cli/document_input.h"
#include "cli/stream.h"
#include "documents/formats/subtitles.h"

namespace cli {

std::string translateText(std::string_view english, const dict::LookupView* view) {
    StringSource source(english);
    StringSink sink;
    StreamOptions options;
    options.unmarked = engine::DocumentEncoding::kUtf8;
    translateStream(source, sink, view, options);
    return std::move(sink.text);
}

std::string translateSubtitles(ByteSource& in, formats::Format format, ByteSink& out,
                               const dict::LookupView* view,
                               std::optional<engine::DocumentEncoding> unmarked) {
    if (std::string refused = checkWholeSourceIsText(in); !refused.empty()) return refused;
    TextOnlySource text(in);

    std::string cue;           // the English of the cue being read, a line each
    std::string cueLineEnd;    // the line end its lines take
    std::string cueLastEnd;    // the line end of its last line
    bool written = true;
    const auto writeCue = [&]() {
        if (cue.empty()) return true;
        const std::string thai = translateText(cue, view);
        cue.clear();
        std::string lines;
        for (std::size_t at = 0; at < thai.size();) {
            std::size_t end = thai.find('\n', at);
            if (end == std::string::npos) end = thai.size();
            std::string_view line(thai.data() + at, end - at);
            at = end + 1;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
            if (!lines.empty()) lines.append(cueLineEnd);
            lines.append(line);
        }
        if (lines.empty()) return true;
        lines.append(cueLastEnd);
        return written = out.write(lines);
    };
    formats::SubtitleLines lines(format, [&](const formats::SubtitleLine& line) {
        if (line.cueText) {
            if (cue.empty()) cueLineEnd = line.end.empty() ? "\n" : std::string(line.end);
            cue.append(formats::plainCueText(line.text)).push_back('\n');
            cueLastEnd = line.end;
            return true;
        }
        if (!writeCue()) return false;
        written = out.write(line.text) && out.write(line.end) && out.flush();
        return written;
    });
    const std::string error =
        readDocument(text, unmarked, [&](std::string_view piece) { return lines.feed(piece); });
    if (!error.empty()) return error;
    if (written) written = lines.finish() && writeCue() && out.flush();
    if (!written) return "cannot write the output: " + out.error();
    return std::string();
}

}  // namespace cli

// vantrel-translate over every kind of document: the same story in every
// format gives the same Thai, subtitles keep their cues, -o names the
// translations by kind, and every bad document is refused with its reason
// and no output.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../formats/make_documents.h"
#include "dictionary/store.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct Outcome {
    int status = -1;
    std::string out, err;
};

class DocumentsCli : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vantrel-docs-XXXXXX").string();
        m_dir = mkdtemp(pattern.data());
        const auto rec = [](std::string word, int field, std::string meaning) {
            dict::DictRecord r;
            r[dict::kWordEn] = std::move(word);
            r[field] = std::move(meaning);
            return r;
        };
        m_dict = (m_dir / "dict.db").string();
        ASSERT_TRUE(dict::DictionaryStore::create(
                        m_dict, {rec("the", dict::kWordAdj, ""), rec("big", dict::kWordAdj, "ใหญ่"),
                                 rec("house", dict::kWordNoun, "บ้าน"),
                                 rec("red", dict::kWordAdj, "แดง"),
                                 rec("river", dict::kWordNoun, "แม่น้ำ")})
                        .isOk());
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Runs the translator on `args`, standard input from `input`.
    Outcome run(std::vector<std::string> args, const std::string& input = std::string()) {
        put(m_dir / "stdin", input);
        std::string command = "'" VANTREL_TRANSLATE "' --dict '" + m_dict + "'";
        for (const std::string& a : args) command += " '" + a + "'";
        command += " <'" + (m_dir / "stdin").string() + "' >'" + (m_dir / "stdout").string() +
                   "' 2>'" + (m_dir / "stderr").string() + "'";
        Outcome r;
        const int raw = std::system(command.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(m_dir / "stdout");
        r.err = slurp(m_dir / "stderr");
        return r;
    }

    fs::path m_dir;
    std::string m_dict;
};

std::string story(const char* name) {
    return (fs::path(VANTREL_SOURCE_DIR) / "tests/formats/data" / name).string();
}

// The lines of `text` that are not blank, cue numbers or timings.
std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.find("-->") != std::string::npos ||
            line.find_first_not_of("0123456789") == std::string::npos) {
            continue;
        }
        lines.push_back(line);
    }
    return lines;
}

TEST_F(DocumentsCli, TheStoryInEveryFormatGivesTheSameThai) {
    const Outcome plain = run({story("story.txt")});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(plain.out.find("บ้าน"), std::string::npos);
    for (const char* name : {"story.docx", "story.odt", "story.epub", "story.html", "story.pdf"}) {
        const Outcome r = run({story(name)});
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
        EXPECT_EQ(r.out, plain.out) << name;
        // And from a pipe, told by its first bytes.
        EXPECT_EQ(run({}, slurp(story(name))).out, plain.out) << name << " piped";
    }
    // The lists of one run over the text: the cues of the subtitles are the story's paragraphs.
    const std::string json = run({"--json", story("story.txt")}).out;
    EXPECT_NE(json.find("\"arrangement\""), std::string::npos);
    for (const char* name : {"story.srt", "story.docx"}) {
        EXPECT_EQ(run({"--json", story(name)}).out, json) << name;
    }
    const Outcome subtitles = run({story("story.srt")});
    ASSERT_EQ(subtitles.status, 0) << subtitles.err;
    EXPECT_EQ(textLines(subtitles.out), textLines(plain.out));
    EXPECT_EQ(subtitles.out.substr(0, 34), "1\r\n00:00:01,000 --> 00:00:04,000\r\n");
}

TEST_F(DocumentsCli, SubtitlesKeepEveryLineButTheCueText) {
    put(m_dir / "a.srt",
        "1\r\n00:00:01,000 --> 00:00:02,000\r\n<i>The big house</i>\r\nnear the river\r\n\r\n"
        "2\r\n00:00:03,000 --> 00:00:04,000\r\nThe\r\n\r\n3\r\n00:00:05,000 --> 00:00:06,000\r\nred");
    const Outcome srt = run({(m_dir / "a.srt").string()});
    EXPECT_EQ(srt.status, 0) << srt.err;
    // The tags go, a cue that translates to nothing keeps only its number and
    // timing, and the last line has no line end, as in the file.
    EXPECT_EQ(srt.out,
              "1\r\n00:00:01,000 --> 00:00:02,000\r\nบ้านใหญ่\r\nnearแม่น้ำ\r\n\r\n"
              "2\r\n00:00:03,000 --> 00:00:04,000\r\n\r\n3\r\n00:00:05,000 --> 00:00:06,000\r\nแดง");
    const std::string vtt =
        "WEBVTT\n\nNOTE the big house\n\nintro\n00:01.000 --> 00:02.000 line:0\n"
        "<v Anna>big river</v>\n";
    put(m_dir / "b.vtt", vtt);
    EXPECT_EQ(run({(m_dir / "b.vtt").string()}).out,
              "WEBVTT\n\nNOTE the big house\n\nintro\n00:01.000 --> 00:02.000 line:0\nแม่น้ำใหญ่\n");
    EXPECT_EQ(run({}, vtt).out, run({(m_dir / "b.vtt").string()}).out);
}

TEST_F(DocumentsCli, TheFolderGetsEachTranslationUnderItsKindsName) {
    const fs::path out = m_dir / "out";
    const Outcome r = run({"-o", out.string(), story("story.srt"), story("story.docx"),
                       story("story.pdf"), story("story.txt")});
    EXPECT_EQ(r.status, 1);  // story.txt would replace story.docx's translation
    EXPECT_NE(r.err.find("would replace"), std::string::npos) << r.err;
    EXPECT_EQ(slurp(out / "story.th.srt"), run({story("story.srt")}).out);
    EXPECT_EQ(slurp(out / "story.th.txt"), run({story("story.docx")}).out);
    put(m_dir / "c.vtt", "WEBVTT\n\n00:01.000 --> 00:02.000\nred\n");
    EXPECT_EQ(run({"-o", out.string(), (m_dir / "c.vtt").string()}).status, 0);
    EXPECT_EQ(slurp(out / "c.th.vtt"), "WEBVTT\n\n00:01.000 --> 00:02.000\nแดง\n");
}

TEST_F(DocumentsCli, BadDocumentsAreRefusedWithOneLineAndNoOutput) {
    using namespace testdocs;
    const std::string docx = slurp(story("story.docx"));
    const std::string pdf = slurp(story("story.pdf"));
    const std::string laughs =
        "<!DOCTYPE w:document [<!ENTITY a \"ha\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>";
    struct Case {
        std::string name, bytes, reason;
    };
    const Case cases[] = {
        {"cut.docx", docx.substr(0, docx.size() - 100), "damaged or truncated"},
        {"cut.pdf", pdf.substr(0, pdf.size() / 2), "damaged or truncated"},
        {"locked.pdf", pdfOf({{{72, 720, 12, "Secret."}}}, true), "protected by a password"},
        {"scan.pdf", pdfOf({{}}), "a PDF without a text layer (scanned pages)"},
        {"bomb.docx", zipOf({{"word/document.xml", std::string(4 << 20, ' ')}}),
         "would unpack too much"},
        {"laughs.docx", docxOf(wordParagraph("&b;"), std::string(), laughs), "unsafe XML"},
        {"locked.docx",
         std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) +
             std::string("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32),
         "protected by a password"},
        {"sheet.ods", zipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}}),
         "not a document this program reads"},
    };
    for (const Case& c : cases) {
        const fs::path path = m_dir / c.name;
        put(path, c.bytes);
        const Outcome r = run({path.string()});
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // one line
        EXPECT_NE(r.err.find("\"" + path.string() + "\": " + c.reason), std::string::npos) << r.err;
    }
    // A formatted document over 1 GB is refused unread (the file is sparse).
    const fs::path huge = m_dir / "huge.pdf";
    put(huge, "%PDF-1.7\n");
    fs::resize_file(huge, (1ull << 30) + 1);
    const Outcome r = run({huge.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("too large for a formatted document: 1.0 GB, past the 1.0 GB"),
              std::string::npos)
        << r.err;
}

}  // namespace

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <nlohmann/json.hpp>

#include "dictionary/store.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out, err;
};

// Runs the translator with arguments and standard input, capturing both outputs.
Result runTranslator(const std::vector<std::string>& args, const std::string& input,
                     const fs::path& dir) {
    const fs::path in = dir / "stdin.txt", out = dir / "stdout.txt", err = dir / "stderr.txt";
    std::ofstream(in, std::ios::binary) << input;
    std::string cmd = "'" VANTREL_TRANSLATE "'";
    for (const std::string& a : args) cmd += " '" + a + "'";
    cmd += " <'" + in.string() + "' >'" + out.string() + "' 2>'" + err.string() + "'";
    Result r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const auto slurp = [](const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    r.out = slurp(out);
    r.err = slurp(err);
    return r;
}

class TranslateCli : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "vantrel-cli-XXXXXX").string();
        m_dir = mkdtemp(tmpl.data());
        const auto rec = [](std::string w, int field, std::string m) {
            dict::DictRecord r;
            r[dict::kWordEn] = std::move(w);
            r[field] = std::move(m);
            return r;
        };
        m_dict = (m_dir / "dict.db").string();
        ASSERT_TRUE(dict::DictionaryStore::create(
                        m_dict, {rec("the", dict::kWordAdj, ""), rec("big", dict::kWordAdj, "ใหญ่"),
                                 rec("red", dict::kWordAdj, "แดง"),
                                 rec("house", dict::kWordNoun, "บ้าน"),
                                 rec("is", dict::kWordVerb, "เป็น"),
                                 rec("near", dict::kWordPP, "ใกล้"),
                                 rec("old", dict::kWordAdj, "เก่า"),
                                 rec("river", dict::kWordNoun, "แม่น้ำ")})
                        .isOk());
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
    std::string m_dict;
};

TEST_F(TranslateCli, PrintsTheThaiDocumentWithNewlines) {
    Result r = runTranslator({"--dict", m_dict},
                             "The big red house is near the old river.\r\nzork\n", m_dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "ใหญ่บ้านแดงเป็นใกล้แม่น้ำเก่า.\nzork\n\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(TranslateCli, JsonHoldsEveryListOfTheRun) {
    Result r = runTranslator({"--dict", m_dict, "--json"}, "big house zork.", m_dir);
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    using Items = std::vector<std::string>;
    EXPECT_EQ(j["tokens"].get<Items>(), (Items{"บ้าน", "ใหญ่", "zork", ".", "", "\r"}));
    EXPECT_EQ(j["arrangement"].get<Items>(), (Items{"big = ใหญ่", "house= บ้าน"}));
    EXPECT_EQ(j["arrangementWords"].get<Items>(), (Items{"big", "house"}));
    EXPECT_EQ(j["missingRaw"].get<Items>(), (Items{"zork", ".", "", "\r"}));
    EXPECT_EQ(j["missing"].get<Items>(), (Items{"zork"}));
    EXPECT_EQ(j["thai"].get<std::string>(), "บ้านใหญ่zork.\r");
}

TEST_F(TranslateCli, WordsLeftInEnglishStayApartInEveryOutput) {
    const std::string input = "Sara Danius big house JAS 39C\nin Buenos Aires, WiFi";
    const std::string thai = "Sara Daniusบ้านใหญ่JAS 39C\nin Buenos Aires,WiFi\n";
    const Result plain = runTranslator({"--dict", m_dict}, input, m_dir);
    EXPECT_EQ(plain.out, thai) << plain.err;

    // The lists keep the closing line end as the run made it.
    const std::string json = "Sara Daniusบ้านใหญ่JAS 39C\nin Buenos Aires,WiFi\r";
    const Result whole = runTranslator({"--dict", m_dict, "--json"}, input, m_dir);
    EXPECT_EQ(nlohmann::json::parse(whole.out)["thai"], json) << whole.err;
    const Result lines = runTranslator({"--dict", m_dict, "--jsonl"}, input, m_dir);
    std::istringstream objects(lines.out);
    std::string joined;
    for (std::string line; std::getline(objects, line);)
        joined += nlohmann::json::parse(line)["thai"].get<std::string>();
    EXPECT_EQ(joined, json) << lines.err;

    std::ofstream(m_dir / "names.txt", std::ios::binary) << input;
    const Result batch = runTranslator(
        {"--dict", m_dict, "-o", (m_dir / "out").string(), (m_dir / "names.txt").string()}, "",
        m_dir);
    ASSERT_EQ(batch.status, 0) << batch.err;
    std::ifstream written(m_dir / "out" / "names.th.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), thai);
}

TEST_F(TranslateCli, ReadsFilesInEveryDocumentEncoding) {
    using namespace std::string_literals;
    // "big แมว’s house" as Windows-874, as Notepad's UTF-16 (both byte
    // orders) and as UTF-8 with a byte-order mark.
    const std::string files[] = {
        "big \xE1\xC1\xC7\x92s house"s,
        "\xFF\xFE"
        "b\0i\0g\0 \0\x41\x0E\x21\x0E\x27\x0E\x19\x20s\0 \0h\0o\0u\0s\0e\0"s,
        "\xFE\xFF"
        "\0b\0i\0g\0 \x0E\x41\x0E\x21\x0E\x27\x20\x19\0s\0 \0h\0o\0u\0s\0e"s,
        "\xEF\xBB\xBF"
        "big แมว\u2019s house"s,
    };
    for (const std::string& bytes : files) {
        const fs::path file = m_dir / "in.txt";
        std::ofstream(file, std::ios::binary) << bytes;
        Result r = runTranslator({"--dict", m_dict, file.string()}, "", m_dir);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "ใหญ่แมวsบ้าน\n") << bytes;  // the apostrophe emits nothing
    }
}

TEST_F(TranslateCli, ErrorsNameTheFileAndExitWithoutOutput) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string errPart;
    };
    const std::string missing = (m_dir / "nope.txt").string();
    const std::string notDb = (m_dir / "stdin.txt").string();
    // Text with a NUL deep inside (past the first pieces), and a program.
    const std::string nul = (m_dir / "nul.txt").string();
    std::ofstream(nul, std::ios::binary) << std::string(300000, 'a') + '\0' + "house";
    const std::string program = (m_dir / "program").string();
    fs::copy_file(VANTREL_TRANSLATE, program);
    const Case cases[] = {
        {{"--dict", m_dict, missing}, 1, missing},
        {{"--dict", m_dict, m_dir.string()}, 1, m_dir.string() + "\": Is a directory"},
        {{"--dict", m_dict, nul}, 1, nul + "\": not a text file"},
        {{"--dict", m_dict, program}, 1, "program\": not a text file"},
        {{"--dict", m_dict, "--json", program}, 1, "not a text file"},
        {{"--dict", (m_dir / "none.db").string()}, 1, "none.db"},
        {{"--dict", notDb}, 1, "stdin.txt"},
        {{"--bogus"}, 2, "unknown option"},
        {{"--dict"}, 2, "--dict"},
        {{"--dict", m_dict, "a.txt", "b.txt"}, 2, "only one"},
        {{"--json", "--jsonl"}, 2, "exclude"},
        {{"-o", m_dir.string(), "--json", "a.txt"}, 2, "--json"},
        {{"-o", m_dir.string()}, 2, "needs the files"},
        {{"-j", "2"}, 2, "-j"},
        {{"-o", m_dir.string(), "-j", "0", "a.txt"}, 2, "at least 1"},
        {{"--encoding", "latin-9"}, 2, "unknown encoding"},
    };
    for (const Case& c : cases) {
        Result r = runTranslator(c.args, "hello", m_dir);
        EXPECT_EQ(r.status, c.status) << c.errPart;
        EXPECT_EQ(r.out, "") << c.errPart;
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
    }
    Result help = runTranslator({"--help"}, "", m_dir);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: vantrel-translate"), std::string::npos);
}

TEST_F(TranslateCli, OutputComesWhileThePipeIsStillOpen) {
    int in[2], out[2];
    ASSERT_EQ(pipe(in), 0);
    ASSERT_EQ(pipe(out), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        for (const int fd : {in[0], in[1], out[0], out[1]}) close(fd);
        execl(VANTREL_TRANSLATE, "vantrel-translate", "--dict", m_dict.c_str(), nullptr);
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    // Reads `size` bytes, or what came before the translator went quiet for long.
    const auto readSome = [&](std::size_t size) {
        std::string got;
        char buffer[4096];
        pollfd p{out[0], POLLIN, 0};
        while (got.size() < size && poll(&p, 1, 30000) == 1) {
            const ssize_t n = read(out[0], buffer, sizeof buffer);
            if (n <= 0) break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    };
    const std::string first = "The big house is near the river.\n";
    ASSERT_EQ(write(in[1], first.data(), first.size()), ssize_t(first.size()));
    // The first line is translated while the input is still open.
    const std::string firstThai = "บ้านใหญ่เป็นใกล้แม่น้ำ.\n";
    EXPECT_EQ(readSome(firstThai.size()), firstThai);
    ASSERT_EQ(write(in[1], "zork", 4), 4);
    close(in[1]);
    EXPECT_EQ(readSome(5), "zork\n");
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(TranslateCli, ManyFilesGoToTheFolderAndFailuresAreCounted) {
    const auto put = [&](const fs::path& p, const std::string& text) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    };
    put(m_dir / "a.txt", "big house.");
    put(m_dir / "b.md", "the old river\r\nzork");
    put(m_dir / "sub" / "a.txt", "red");  // the same output name as a.txt
    const fs::path outDir = m_dir / "out";
    Result r = runTranslator({"--dict", m_dict, "-j", "2", "-o", outDir.string(),
                              (m_dir / "a.txt").string(), (m_dir / "b.md").string(),
                              (m_dir / "sub" / "a.txt").string(), (m_dir / "gone.txt").string(),
                              (m_dir / "sub").string()},
                             "", m_dir);
    EXPECT_EQ(r.status, 1);
    for (const char* part : {"gone.txt", "sub/a.txt", "would replace", "3 of 5 files failed"}) {
        EXPECT_NE(r.err.find(part), std::string::npos) << part << " in " << r.err;
    }
    const auto slurp = [](const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    EXPECT_EQ(slurp(outDir / "a.th.txt"), runTranslator({"--dict", m_dict}, "big house.", m_dir).out);
    EXPECT_EQ(slurp(outDir / "b.th.txt"),
              runTranslator({"--dict", m_dict}, "the old river\r\nzork", m_dir).out);
    std::vector<std::string> written;
    for (const auto& e : fs::directory_iterator(outDir)) written.push_back(e.path().filename());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"a.th.txt", "b.th.txt"}));  // nothing half-written
}

}  // namespace

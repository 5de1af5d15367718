// Cost of one pointer-move look-up in the English pane: the word under the
// pointer in a document of about 1 MB, then the dictionary look-up and tip.
// Run by hand: vantrel-hover-bench (uses the offscreen platform when no
// display is set).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextEdit>

#include <memory>
#include <vector>

#include "dictionary/store.h"
#include "hover/meaning_tip.h"
#include "hover/word_under_pointer.h"

namespace {

QString megabyteText() {
    const QString line = QStringLiteral(
        "The quick brown fox jumps over the lazy dogs while the cats sleep in houses.\n");
    QString text;
    text.reserve(1 << 20);
    while (text.size() < (1 << 20)) text += line;
    return text;
}

// Points spread over the visible part of the pane.
std::vector<QPoint> probePoints(const QWidget* viewport) {
    std::vector<QPoint> points;
    for (int y = 5; y < viewport->height() - 5; y += 13) {
        for (int x = 3; x < viewport->width() - 3; x += 17) points.emplace_back(x, y);
    }
    return points;
}

template <class Box>
void wordUnderPointer(benchmark::State& state, bool scrolledToEnd) {
    Box box;
    box.resize(560, 240);
    box.setPlainText(megabyteText());
    box.show();
    if (scrolledToEnd) {
        QTextCursor end = box.textCursor();
        end.movePosition(QTextCursor::End);
        box.setTextCursor(end);
        box.ensureCursorVisible();
    }
    QCoreApplication::processEvents();
    const std::vector<QPoint> points = probePoints(box.viewport());
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(hover::wordUnderPointer(&box, points[i++ % points.size()]));
    }
}

void BM_PlainTextStart(benchmark::State& s) {
    wordUnderPointer<QPlainTextEdit>(s, false);
}
void BM_PlainTextEnd(benchmark::State& s) {
    wordUnderPointer<QPlainTextEdit>(s, true);
}
void BM_RichTextStart(benchmark::State& s) {
    wordUnderPointer<QTextEdit>(s, false);
}
void BM_RichTextEnd(benchmark::State& s) {
    wordUnderPointer<QTextEdit>(s, true);
}

void BM_MeaningTip(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("dict.db")).toStdString();
    std::vector<dict::DictRecord> records;
    for (int i = 0; i < 50000; ++i) {
        dict::DictRecord r;
        r[dict::kWordEn] = "word" + std::to_string(i);
        r[dict::kWordNoun] = "คำ";
        records.push_back(std::move(r));
    }
    dict::DictRecord fox;
    fox[dict::kWordEn] = "fox";
    fox[dict::kWordNoun] = "สุนัขจิ้งจอก";
    records.push_back(fox);
    std::unique_ptr<dict::DictionaryStore> store;
    if (!dict::DictionaryStore::create(path, records).isOk() ||
        !dict::DictionaryStore::open(path, &store).isOk()) {
        state.SkipWithError("cannot build the dictionary");
        return;
    }
    // A found word, a plural found after one strip, and a miss with two strips.
    const QString words[] = {QStringLiteral("fox"), QStringLiteral("foxs"),
                             QStringLiteral("glass")};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(hover::meaningTip(words[i++ % 3], &store->lookup()));
    }
}

BENCHMARK(BM_PlainTextStart);
BENCHMARK(BM_PlainTextEnd);
BENCHMARK(BM_RichTextStart);
BENCHMARK(BM_RichTextEnd);
BENCHMARK(BM_MeaningTip);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

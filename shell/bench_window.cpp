// Measures a long translation from the main window: a generated English
// document of about 1 MB (words of the dictionary beside the executable,
// with some unknown words) is translated with the window shown, and the time,
// the words per second, the event-loop passes, the bar redraws and the peak
// memory of the process are printed.
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dictionary/session.h"
#include "shell/large_buffers.h"
#include "shell/main_window.h"
#include "shell/progress_box.h"
#include "shell/translation_run.h"
#include "ui_main_window.h"

namespace {

// Word tokens of a text: runs of ASCII letters, digits and "_".
qint64 countWords(const QString& text) {
    qint64 n = 0;
    bool inWord = false;
    for (const QChar c : text) {
        const bool w = c.unicode() < 0x80 && (c.isLetterOrNumber() || c == QLatin1Char('_'));
        n += w && !inWord;
        inWord = w;
    }
    return n;
}

// Processor time of the process so far (user and system), in milliseconds.
qint64 cpuMilliseconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

// The most memory the process has held, in megabytes (ru_maxrss).
double peakMegabytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    shell::returnLargeBuffersToSystem();
    QApplication app(argc, argv);
    // Arguments: [bytes [picture.png]]; the picture is taken half-way through the run.
    const qsizetype targetBytes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1 << 20;
    const QString picture = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    MainWindow form;
    if (!form.load()) {
        return 1;
    }
    form.show();
    QCoreApplication::processEvents();

    std::vector<std::string> words;
    dict::currentDictionary()->forEach([&words](const dict::DictRecord& r) {
        const std::string& w = r[dict::kWordEn].value_or(std::string());
        if (!w.empty() && w.find(' ') == std::string::npos) words.push_back(w);
    });
    if (words.empty()) {
        QTextStream(stderr) << "the dictionary holds no single words\n";
        return 1;
    }
    QRandomGenerator rng(1234);
    QString text;
    text.reserve(targetBytes + 100);
    int inSentence = 0;
    while (text.size() < targetBytes) {
        if (rng.bounded(12) == 0) {
            text += QStringLiteral("zorblat");  // a word the dictionary lacks
        } else {
            text += QString::fromStdString(words[rng.bounded(static_cast<quint32>(words.size()))]);
        }
        if (++inSentence == 9) {
            text += rng.bounded(4) == 0 ? QStringLiteral(".\n") : QStringLiteral(". ");
            inSentence = 0;
        } else {
            text += QLatin1Char(' ');
        }
    }
    form.ui().englishPane->setPlainText(text);
    // The pane holds the document now; the generator's copy is not the window's memory.
    const qint64 wordCount = countWords(text);
    const qsizetype characters = text.size();
    text = QString();
    words.clear();
    words.shrink_to_fit();

    QTimer grabber;
    bool grabbed = false;
    if (!picture.isEmpty()) {
        QObject::connect(&grabber, &QTimer::timeout, [&] {
            if (!grabbed && form.translation().progressPercent() >= 50) {
                grabbed = true;
                form.grab().save(picture);
            }
        });
        grabber.start(0);
    }

    // The longest the scan keeps events waiting: a click on the cancel button
    // is answered within that time.
    QTimer eventProbe;
    QElapsedTimer sinceEvents;
    qint64 longestWait = 0;
    QObject::connect(&eventProbe, &QTimer::timeout, [&] {
        if (form.ui().progressPanel->isVisible()) {
            longestWait = std::max(longestWait, sinceEvents.elapsed());
        }
        sinceEvents.start();
    });
    eventProbe.start(0);

    QElapsedTimer clock;
    sinceEvents.start();
    const qint64 cpuAtStart = cpuMilliseconds();
    clock.start();
    form.translation().translateDocument();
    const qint64 ms = clock.elapsed();
    const qint64 cpuMs = cpuMilliseconds() - cpuAtStart;
    const shell::TranslationRun::RunStats& s = form.translation().runStats();
    QTextStream out(stdout);
    out << "input characters: " << characters << ", words: " << wordCount << "\n"
        << "time: " << ms << " ms (processor " << cpuMs << " ms), "
        << (ms > 0 ? wordCount * 1000.0 / ms / 1e6 : 0) << " M words/s\n"
        << "yields: " << s.yields << ", event-loop passes: " << s.eventPasses << "\n"
        << "percentage bar draws: " << s.percentDraws << " ("
        << (ms > 0 ? s.percentDraws * 1000.0 / ms : 0) << " per second)\n"
        << "elapsed-time bar draws: " << s.timeDraws << "\n"
        << "longest wait for events while scanning: " << longestWait << " ms\n"
        << "arrangement entries: " << form.translation().arrangementModel().rowCount()
        << ", missing words: " << form.translation().missingWordsModel().rowCount() << "\n"
        << "Thai characters: " << form.ui().thaiPane->toPlainText().size() << "\n"
        << "peak memory: " << peakMegabytes() << " MB\n";
    return 0;
}

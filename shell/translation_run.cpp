#include "shell/translation_run.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QStringView>
#include <QWidget>

#include "dictionary/session.h"
#include "platform/platform.h"
#include "settings/keys.h"
#include "settings/store.h"
#include "ui_main_window.h"

namespace shell {
namespace {

const QString kCancelQuestion = QStringLiteral("คุณต้องการยกเลิกการแปลใช่หรือไม่ ");

// Characters of the English text handed to the engine at a time.
constexpr qsizetype kPieceCharacters = 1 << 16;

// Characters of a text as the engine counts them: a surrogate pair is one.
std::size_t codePoints(const QString& text) {
    std::size_t pairs = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate()) {
            ++pairs;
            ++i;
        }
    }
    return static_cast<std::size_t>(text.size()) - pairs;
}

}  // namespace

TranslationRun::TranslationRun(Ui::MainWindow& ui, QWidget* window) : m_ui(ui), m_window(window) {
    m_ui.arrangementList->setModel(&m_arrangementModel);
    m_ui.missingWordsList->setModel(&m_missingWordsModel);

    m_percentTimer.setObjectName(QStringLiteral("percentTimer"));
    m_percentTimer.setInterval(50);
    m_elapsedTimer.setObjectName(QStringLiteral("elapsedTimer"));
    m_elapsedTimer.setInterval(800);
    m_writingTimer.setObjectName(QStringLiteral("writingTimer"));
    m_writingTimer.setInterval(100);
    connect(&m_percentTimer, &QTimer::timeout, this, &TranslationRun::advanceProgress);
    connect(&m_elapsedTimer, &QTimer::timeout, this, &TranslationRun::advanceElapsedTime);
    connect(&m_writingTimer, &QTimer::timeout, this, &TranslationRun::animateWritingPanel);
}

void TranslationRun::readTranslateOnSelectSetting() {
    m_translateOnSelectSetting = settings::getSetting(settings::keys::kTranslateOnSelect);
}

bool TranslationRun::closeWindowWhenStopped() {
    if (!m_translator.running()) {
        return false;
    }
    // The run is on the stack below the close: stop it, and close when it returns.
    m_cancelRequested = true;
    m_closeAfterRun = true;
    return true;
}

void TranslationRun::translateDocument() {
    if (m_translator.running()) {
        return;
    }
    m_ui.translateButton->setEnabled(false);
    startTranslation();
    m_ui.translateButton->setEnabled(true);
}

void TranslationRun::startTranslation() {
    if (m_translator.running() || m_ui.englishPane->document()->isEmpty()) {
        return;
    }
    m_ui.progressPanel->show();
    m_ui.progressPanel->raise();
    m_percentBarHeight = m_ui.percentBar->height();
    m_percentBarWidth = m_ui.percentBar->width();
    m_timeBarHeight = m_ui.elapsedBar->height();
    m_timeBarWidth = m_ui.elapsedBar->width();
    m_elapsedCount = 0;
    m_percentTimer.start();
    m_elapsedTimer.start();
    runTranslation();
}

void TranslationRun::runTranslation() {
    if (m_translator.running()) {
        return;
    }
    m_stats = RunStats{};
    const int percentDrawsAtStart = m_ui.percentBar->paintCount();
    const int timeDrawsAtStart = m_ui.elapsedBar->paintCount();
    m_yieldClock.start();
    // The English text goes to the engine as UTF-8 a slice at a time, and is
    // let go once the last slice is scanned, before the Thai text is made.
    QString english = m_ui.englishPane->toPlainText();
    qsizetype at = 0;
    m_translator.run(codePoints(english), [&english, &at](std::string* piece) {
        if (at >= english.size()) {
            english = QString();
            return false;
        }
        qsizetype n = std::min(kPieceCharacters, english.size() - at);
        if (at + n < english.size() && english.at(at + n - 1).isHighSurrogate()) {
            ++n;  // a surrogate pair stays in one slice
        }
        const QByteArray utf8 = QStringView(english).mid(at, n).toUtf8();
        piece->assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
        at += n;
        return true;
    });
    flushLists();
    m_stats.percentDraws = m_ui.percentBar->paintCount() - percentDrawsAtStart;
    m_stats.timeDraws = m_ui.elapsedBar->paintCount() - timeDrawsAtStart;
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        QTimer::singleShot(0, m_window, &QWidget::close);
    }
}

void TranslationRun::cancelTranslation() {
    const platform::Answer answer = platform::platform().message(
        m_window, kCancelQuestion, QString(), platform::Buttons::kYesNo, platform::Icon::kQuestion);
    if (answer == platform::Answer::kYes) {
        m_cancelRequested = true;
        m_ui.progressPanel->hide();
    }
}

void TranslationRun::captureSelection() {
    QString selection = m_ui.englishPane->textCursor().selectedText();
    selection.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    readTranslateOnSelectSetting();
    // A click that leaves nothing selected (placing the caret to type, say)
    // means the whole document again: capturing the empty selection would
    // make the next translation print nothing.
    if (selection.isEmpty()) {
        m_translator.setTranslateSelection(false);
        return;
    }
    m_translator.captureSelection(selection.toStdString());
    if (m_translateOnSelectSetting == QLatin1String("1")) {
        runTranslation();
    }
}

const dict::LookupView* TranslationRun::lookupView() {
    dict::DictionaryStore* store = dict::currentDictionary();
    return store != nullptr ? &store->lookup() : nullptr;
}

void TranslationRun::yield() {
    ++m_stats.yields;
    if (m_yieldSliceMs > 0 && m_yieldClock.isValid()) {
        // Reading the clock costs more than scanning a character: it is read
        // once every few dozen yields, a few microseconds apart.
        if (++m_yieldsSinceClock < kYieldsPerClockRead) {
            return;
        }
        m_yieldsSinceClock = 0;
        if (m_yieldClock.elapsed() < m_yieldSliceMs) {
            return;
        }
    }
    ++m_stats.eventPasses;
    flushLists();
    QCoreApplication::processEvents();
    m_yieldClock.start();
}

void TranslationRun::flushLists() {
    m_arrangementModel.showAppended();
    m_missingWordsModel.showAppended();
}

void TranslationRun::setPanelVisible(engine::Panel panel, bool visible) {
    QWidget* frame = nullptr;
    switch (panel) {
        case engine::Panel::kProgress:
            frame = m_ui.progressPanel;
            break;
        case engine::Panel::kWriting:
            frame = m_ui.writingPanel;
            break;
        case engine::Panel::kPlain:
            frame = m_ui.thaiPaneRule;
            break;
    }
    frame->setVisible(visible);
    if (visible) {
        frame->raise();
    }
}

void TranslationRun::setThaiText(std::string_view text) {
    flushLists();
    // The pane keeps the document and the window never reads the run's tokens:
    // they are given back before the text is converted when it is the join's
    // copy (spaces put in), and the copy or the tokens once it is converted.
    if (!text.empty() && text.data() != m_translator.outputTokens().joined().data()) {
        m_translator.releaseOutputTokens();
    }
    const QString thai = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!text.empty()) {
        m_translator.releaseOutputTokens();
        m_translator.releaseThaiText();
    }
    m_ui.thaiPane->setPlainText(thai);
}

void TranslationRun::advanceProgress() {
    if (m_progressPercent > 100) {
        m_ui.progressPanel->hide();
        return;
    }
    m_percentFill = m_progressPercent * m_percentBarWidth / 100.0;
    m_ui.percentBar->draw(
        m_percentFill,
        QStringLiteral("สมบูรณ์ ") + QString::number(m_progressPercent) + QStringLiteral(" % "),
        QColor(0, 255, 15), QColor(0, 0, 255));
}

void TranslationRun::advanceElapsedTime() {
    ++m_elapsedCount;
    // The fill is scaled by the percentage bar's width, as designed; past 100
    // ticks it is wider than the box and clipped.
    m_timeFill = m_elapsedCount * m_percentBarWidth / 100.0;
    m_ui.elapsedBar->draw(m_timeFill, QString::number(m_elapsedCount) + QStringLiteral(" วินาที"),
                          QColor(0, 255, 15), QColor(0, 0, 255));
}

void TranslationRun::animateWritingPanel() {
    if (!m_ui.writingPicture1->isHidden()) {
        m_ui.writingPicture2->show();
        m_ui.writingPicture1->hide();
    } else {
        m_ui.writingPicture1->show();
        m_ui.writingPicture2->hide();
    }
}

}  // namespace shell

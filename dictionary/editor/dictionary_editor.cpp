#include "dictionary/editor/dictionary_editor.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMetaObject>

#include <array>
#include <string>

#include "dictionary/session.h"
#include "dictionary/store.h"
#include "platform/platform.h"
#include "ui_dictionary_editor.h"

const QString DictionaryEditor::kCaption = QStringLiteral("เพิ่ม / แก้ไข ฐานข้อมูลคำศัพท์ V.1.0");

namespace {

struct Label {
    const char* text;
    int pos;
};

// The part-of-speech labels of partOfSpeechBox and the fields they name, in the order
// showRecord looks for a meaning. Word_read has no label.
constexpr std::array<Label, 8> kLabels{{
    {"Noun", dict::kWordNoun},
    {"Verb", dict::kWordVerb},
    {"Adv", dict::kWordAdv},
    {"Adj", dict::kWordAdj},
    {"PP", dict::kWordPP},
    {"Conj", dict::kWordConj},
    {"Question", dict::kWordQuestion},
    {"Idium", dict::kWordIdiom},
}};

// The field a label names (exact text), or -1.
int labelField(const QString& label) {
    for (const Label& l : kLabels) {
        if (label == QLatin1String(l.text)) return l.pos;
    }
    return -1;
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

void tell(QWidget* parent, const QString& text, const QString& title = QString()) {
    platform::platform().message(parent, text, title, platform::Buttons::kOk,
                                 platform::Icon::kNone);
}

const QString kOwnWord = QStringLiteral("คำของคุณ");
const QString kNotFound = QStringLiteral("ไม่พบข้อมูล");
const QString kNoData = QStringLiteral("ไม่มีข้อมูล");

}  // namespace

DictionaryEditor::DictionaryEditor(EditorOpening opening, std::function<void()> clearOpeningFlags,
                                   QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::DictionaryEditor>()),
      m_opening(std::move(opening)),
      m_clearOpeningFlags(std::move(clearOpeningFlags)) {
    m_ui->setupUi(this);
    setWindowTitle(kCaption);
    m_ui->headwordEdit->installEventFilter(this);
    m_ui->meaningEdit->installEventFilter(this);
    connect(m_ui->addButton, &QPushButton::clicked, this, &DictionaryEditor::startAdding);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &DictionaryEditor::saveRecord);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &DictionaryEditor::deleteRecord);
    connect(m_ui->searchButton, &QPushButton::clicked, this, &DictionaryEditor::searchHeadword);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &DictionaryEditor::reject);
    connect(m_ui->firstButton, &QPushButton::clicked, this, &DictionaryEditor::moveToFirst);
    connect(m_ui->previousButton, &QPushButton::clicked, this, &DictionaryEditor::moveToPrevious);
    connect(m_ui->lastButton, &QPushButton::clicked, this, &DictionaryEditor::moveToLast);
    connect(m_ui->nextButton, &QPushButton::clicked, this, &DictionaryEditor::moveToNext);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &DictionaryEditor::cancelPending);
    connect(m_ui->giveBackButton, &QPushButton::clicked, this, &DictionaryEditor::giveBackRecord);
    // The note keeps its room while empty, so the window does not change
    // size from one record to the next.
    m_ui->ownWordNote->setMinimumWidth(
        m_ui->ownWordNote->fontMetrics().horizontalAdvance(kOwnWord) + 16);
    m_ui->giveBackButton->setEnabled(false);
}

DictionaryEditor::~DictionaryEditor() = default;

bool DictionaryEditor::load() {
    const dict::Status s = dict::reopenDictionary();
    if (s.isOk()) {
        showDictionaryFile();
        return true;
    }
    // The program goes on with the dictionary it had: ending it here would
    // lose the documents in the main window.
    platform::platform().message(this, QString::fromStdString(s.message()), QString(),
                                 platform::Buttons::kOk, platform::Icon::kCritical);
    return false;
}

dict::BrowseView* DictionaryEditor::browse() const {
    dict::DictionaryStore* store = dict::currentDictionary();
    return store ? &store->browse() : nullptr;
}

void DictionaryEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    showDictionaryFile();  // now that the label has its width
    if (m_activated) return;
    m_activated = true;
    // After the window is on screen, so its messages appear over it.
    QMetaObject::invokeMethod(this, &DictionaryEditor::activate, Qt::QueuedConnection);
}

void DictionaryEditor::activate() {
    m_activated = true;
    dict::BrowseView* b = browse();
    dict::Status s = b ? b->moveLast() : dict::Status::noCurrentRecord();
    if (s.isOk()) s = b->moveFirst();
    if (s.isOk()) s = showCurrent();
    if (s.isOk()) showPosition();
    if (s.isNoCurrentRecord()) {
        m_empty = true;
        tell(this, QStringLiteral("โปรแกรมจะสร้างฐานข้อมูลใหม่"), kNoData);
        startAdding();
        return;
    }
    if (!s.isOk()) return;

    switch (m_opening.kind) {
        case EditorOpening::kMissingWord:
            startAdding();
            m_ui->headwordEdit->setText(m_opening.word);
            break;
        case EditorOpening::kListWord:
            m_searchWord = m_opening.word;
            if (!m_searchWord.isEmpty()) findWord(m_searchWord);
            break;
        case EditorOpening::kMenu:
            break;
    }
}

dict::Status DictionaryEditor::showCurrent() {
    dict::BrowseView* b = browse();
    if (!b) return dict::Status::noCurrentRecord();
    dict::FieldValue word;
    dict::Status s = b->field("Word_en", &word);
    if (!s.isOk()) return s;
    m_ui->headwordEdit->setText(word ? QString::fromStdString(*word) : QString());
    for (const Label& l : kLabels) {
        dict::FieldValue meaning;
        s = b->field(l.pos, &meaning);
        if (!s.isOk()) return s;
        if (meaning && !meaning->empty()) {
            m_ui->meaningEdit->setText(QString::fromStdString(*meaning));
            m_ui->partOfSpeechBox->setCurrentText(QLatin1String(l.text));
            showOwnership();
            return dict::Status::ok();
        }
    }
    m_ui->meaningEdit->clear();
    showOwnership();
    return dict::Status::ok();
}

void DictionaryEditor::showOwnership() {
    dict::DictionaryStore* store = dict::currentDictionary();
    dict::FieldValue word;
    const bool shown = !m_addMode && !m_empty && store &&
                       store->browse().field(dict::kWordEn, &word).isOk() && word;
    const bool own = shown && store->isUsersOwn(*word);
    m_ui->ownWordNote->setText(own ? kOwnWord : QString());
    m_ui->ownWordNote->setStyleSheet(
        own ? QStringLiteral("color: #1c4f8f; background: #e3ecf8; border-radius: 3px;")
            : QString());
    m_ui->giveBackButton->setEnabled(own && !store->shippedPath().empty());
}

void DictionaryEditor::showRecord() {
    showCurrent();
}

void DictionaryEditor::showPosition() {
    if (m_addMode) {
        m_ui->positionDisplay->setText(QStringLiteral("เพิ่มข้อมูล"));
        return;
    }
    const dict::BrowseView* b = browse();
    const int position = b ? b->absolutePosition() + 1 : 0;
    const int count = b ? b->recordCount() : 0;
    m_ui->positionDisplay->setText(QStringLiteral("%1 / %2").arg(position).arg(count));
}

void DictionaryEditor::clearFields() {
    m_ui->headwordEdit->clear();
    m_ui->meaningEdit->clear();
    m_ui->headwordEdit->setFocus();
    m_ui->firstButton->setEnabled(false);
    m_ui->previousButton->setEnabled(false);
    m_ui->lastButton->setEnabled(false);
    m_ui->nextButton->setEnabled(false);
}

void DictionaryEditor::showDictionaryFile() {
    const dict::DictionaryStore* store = dict::currentDictionary();
    if (!store) {
        m_ui->dictionaryFileLabel->clear();
        return;
    }
    QString text = QStringLiteral("ฐานข้อมูล: ") + QString::fromStdString(store->path());
    if (store->readOnly()) {
        text += QStringLiteral(" (อ่านอย่างเดียว)");
        if (store->options().readOnly && !store->options().copyOnWrite.empty()) {
            text += QStringLiteral("\nการแก้ไขจะบันทึกไว้ที่: ") +
                    QString::fromStdString(store->options().copyOnWrite);
        }
    }
    // The label takes the width the controls above give the window, never
    // more: a long path is shortened in its middle, and shown whole as a tip.
    QLabel* label = m_ui->dictionaryFileLabel;
    label->setToolTip(text);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = label->fontMetrics().elidedText(line, Qt::ElideMiddle, label->width());
    label->setText(lines.join(QLatin1Char('\n')));
}

void DictionaryEditor::afterWrite(const dict::Status& status, const QString& failure) {
    showDictionaryFile();
    if (status.isOk() || status.isDuplicateKey() || status.isNoCurrentRecord()) return;
    // The file could not be changed (read-only, locked, removed, damaged, or
    // the shipped copy not copied to the user's place): the window keeps what
    // was typed, so the user may try again or cancel.
    platform::platform().message(this, failure.arg(QString::fromStdString(status.message())),
                                 QString(), platform::Buttons::kOk, platform::Icon::kCritical);
}

void DictionaryEditor::updateButtons() {
    // While adding, addButton and the navigation wait for save or cancel; with
    // nothing in the table there is nothing to step through or delete.
    const bool browsing = !m_addMode && !m_empty;
    m_ui->addButton->setEnabled(!m_addMode);
    m_ui->deleteButton->setEnabled(!m_empty || m_addMode);
    m_ui->firstButton->setEnabled(browsing);
    m_ui->previousButton->setEnabled(browsing);
    m_ui->lastButton->setEnabled(browsing);
    m_ui->nextButton->setEnabled(browsing);
    showOwnership();
}

void DictionaryEditor::showEmptyTable() {
    m_empty = true;
    m_addMode = false;
    m_ui->headwordEdit->clear();
    m_ui->meaningEdit->clear();
    showPosition();
    updateButtons();
}

bool DictionaryEditor::dropPending() {
    dict::BrowseView* b = browse();
    if (!b) return false;
    // The bookmark names the record that was current before the add; going
    // back to it drops the pending add or change.
    dict::BrowseView::Bookmark mark;
    dict::Status s = b->bookmark(&mark);
    if (s.isOk()) s = b->setBookmark(mark);
    m_addMode = false;
    if (!s.isOk()) {
        b->cancelUpdate();
        showEmptyTable();
        return false;
    }
    showRecord();
    showPosition();
    updateButtons();
    return true;
}

void DictionaryEditor::startAdding() {
    m_ui->cancelButton->setEnabled(true);
    m_addMode = true;
    if (dict::BrowseView* b = browse()) b->addNew();
    clearFields();
    showPosition();
    m_ui->addButton->setEnabled(false);
    updateButtons();
}

dict::Status DictionaryEditor::writePending() {
    dict::BrowseView* b = browse();
    if (!b) return dict::Status::noCurrentRecord();
    const int labelled = labelField(m_ui->partOfSpeechBox->currentText());
    const std::string word = utf8(m_ui->headwordEdit->text());
    const std::string meaning = utf8(m_ui->meaningEdit->text());
    if (m_addMode) {
        // A new record holds the headword and one meaning; the rest stay absent.
        dict::Status s = b->setField(dict::kWordEn, word);
        if (s.isOk() && labelled > 0) s = b->setField(labelled, meaning);
        return s;
    }
    // A change keeps only the shown meaning: every other field becomes empty.
    dict::Status s = b->edit();
    if (!s.isOk() || labelled < 0) return s;
    s = b->setField(dict::kWordEn, word);
    for (int pos = 1; s.isOk() && pos < dict::kFieldCount; ++pos) {
        s = b->setField(pos, pos == labelled ? meaning : std::string());
    }
    return s;
}

void DictionaryEditor::saveRecord() {
    dict::BrowseView* b = browse();
    if (!b) return;
    dict::Status s = writePending();
    if (s.isOk()) s = b->update();
    afterWrite(s, QStringLiteral("ไม่สามารถบันทึกคำศัพท์ได้: %1"));
    if (s.isDuplicateKey()) {
        tell(this, QStringLiteral("คำนี้มีอยู่ในฐานข้อมูลเรียบร้อยแล้ว "));
        return;
    }
    if (!s.isOk()) return;
    m_addMode = false;
    m_empty = false;
    b->moveFirst();
    showPosition();
    showRecord();
    updateButtons();
}

void DictionaryEditor::cancelPending() {
    dropPending();
}

void DictionaryEditor::reject() {
    if (m_clearOpeningFlags) m_clearOpeningFlags();
    dropPending();
    QDialog::reject();
}

void DictionaryEditor::deleteRecord() {
    dict::BrowseView* b = browse();
    if (!b) return;
    if (m_addMode && !dropPending()) return;  // nothing left to delete
    const QString question = QStringLiteral("คุณต้องการลบข้อมูลคำศัพท์  ") + m_ui->headwordEdit->text() +
                             QStringLiteral(" ใช่หรือไม่");
    if (platform::platform().message(this, question, QString(), platform::Buttons::kYesNo,
                                     platform::Icon::kNone) != platform::Answer::kYes) {
        return;
    }
    dict::Status s = b->remove();
    afterWrite(s, QStringLiteral("ไม่สามารถลบคำศัพท์ได้: %1"));
    if (s.isOk()) s = b->moveNext();
    if (s.isOk() && b->eof()) s = b->moveLast();
    if (s.isOk()) s = showCurrent();
    if (s.isNoCurrentRecord()) {
        // The last record is gone; the editor cannot work on an empty table
        // it did not start with, so the program ends (status 0: not a failure).
        tell(this, QStringLiteral("ระบบจะทำการออกจากโปรแกรม กรุณาเข้าใหม่ "), kNoData);
        platform::platform().exitProcess(0);
        showEmptyTable();
        return;
    }
    if (!s.isOk()) return;
    m_addMode = false;
    showPosition();
}

void DictionaryEditor::giveBackRecord() {
    dict::DictionaryStore* store = dict::currentDictionary();
    dict::BrowseView* b = browse();
    dict::FieldValue word;
    if (!store || !b || m_addMode || !b->field(dict::kWordEn, &word).isOk() || !word) return;
    const QString failure = QStringLiteral("ไม่สามารถคืนค่าเดิมของคำศัพท์ได้: %1");
    std::optional<dict::DictRecord> shipped;
    dict::Status s = store->shippedRecord(*word, &shipped);
    if (!s.isOk()) {
        afterWrite(s, failure);
        return;
    }
    const QString shown = QString::fromStdString(*word);
    const QString question = shipped
                                 ? QStringLiteral("คุณต้องการคืนคำศัพท์  ") + shown +
                                       QStringLiteral("  เป็นแบบเดิมตามพจนานุกรมที่มากับโปรแกรมใช่หรือไม่")
                                 : QStringLiteral("พจนานุกรมที่มากับโปรแกรมไม่มีคำศัพท์  ") + shown +
                                       QStringLiteral("  คุณต้องการลบคำนี้ใช่หรือไม่");
    if (platform::platform().message(this, question, QString(), platform::Buttons::kYesNo,
                                     platform::Icon::kQuestion) != platform::Answer::kYes) {
        return;
    }
    s = b->giveBack();
    afterWrite(s, failure);
    if (!s.isOk()) return;
    if (!shipped) {
        // The word was the user's alone and is gone: show its neighbour.
        s = b->moveNext();
        if (s.isOk() && b->eof()) s = b->moveLast();
    }
    if (s.isOk()) s = showCurrent();
    if (s.isNoCurrentRecord()) {
        showEmptyTable();
        return;
    }
    showPosition();
}

void DictionaryEditor::searchHeadword() {
    const std::optional<QString> answer = platform::platform().inputText(
        this, QStringLiteral("ใสคำศัพท์ภาษาอังกฤษ"), QString(), QString());
    m_searchWord = answer.value_or(QString());
    if (m_searchWord.isEmpty()) return;
    if (m_addMode) dropPending();
    findWord(m_searchWord);
}

void DictionaryEditor::findWord(const QString& word) {
    dict::BrowseView* b = browse();
    if (!b) return;
    // The word is a bound value, so a headword with "'" is found like any other.
    const dict::Status s = b->findFirst(utf8(word));
    if (!s.isOk()) return;
    if (b->noMatch()) {
        tell(this, kNotFound);
        return;
    }
    showRecord();
    showPosition();
}

void DictionaryEditor::moveBy(dict::Status (dict::BrowseView::*move)()) {
    dict::BrowseView* b = browse();
    if (!b) return;
    dict::Status s = (b->*move)();
    if (s.isOk() && b->bof()) s = b->moveFirst();
    if (s.isOk() && b->eof()) s = b->moveLast();
    if (!s.isOk()) return;
    showRecord();
    showPosition();
}

void DictionaryEditor::moveToFirst() {
    moveBy(&dict::BrowseView::moveFirst);
}

void DictionaryEditor::moveToPrevious() {
    moveBy(&dict::BrowseView::movePrevious);
}

void DictionaryEditor::moveToLast() {
    moveBy(&dict::BrowseView::moveLast);
}

void DictionaryEditor::moveToNext() {
    moveBy(&dict::BrowseView::moveNext);
}

bool DictionaryEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_ui->headwordEdit) {
                m_ui->meaningEdit->setFocus();
                return true;
            }
            if (watched == m_ui->meaningEdit) {
                m_ui->partOfSpeechBox->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

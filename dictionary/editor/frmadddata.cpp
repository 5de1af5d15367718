#include "dictionary/editor/frmadddata.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMetaObject>

#include <array>
#include <string>

#include "dictionary/session.h"
#include "dictionary/store.h"
#include "platform/platform.h"
#include "ui_frmadddata.h"

const QString FrmaddData::kCaption = QStringLiteral("เพิ่ม / แก้ไข ฐานข้อมูลคำศัพท์ V.1.0");

namespace {

struct Label {
    const char* text;
    int pos;
};

// The part-of-speech labels of Combo1 and the fields they name, in the order
// Display looks for a meaning. Word_read has no label.
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

const QString kNotFound = QStringLiteral("ไม่พบข้อมูล");
const QString kNoData = QStringLiteral("ไม่มีข้อมูล");

}  // namespace

FrmaddData::FrmaddData(EditorOpening opening, std::function<void()> clearOpeningFlags,
                       QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::FrmaddData>()),
      m_opening(std::move(opening)),
      m_clearOpeningFlags(std::move(clearOpeningFlags)) {
    m_ui->setupUi(this);
    setWindowTitle(kCaption);
    m_ui->Text1->installEventFilter(this);
    m_ui->Text2->installEventFilter(this);
    connect(m_ui->Command1, &QPushButton::clicked, this, &FrmaddData::Command1_Click);
    connect(m_ui->Command2, &QPushButton::clicked, this, &FrmaddData::Command2_Click);
    connect(m_ui->Command3, &QPushButton::clicked, this, &FrmaddData::Command3_Click);
    connect(m_ui->Command4, &QPushButton::clicked, this, &FrmaddData::Command4_Click);
    connect(m_ui->Command5, &QPushButton::clicked, this, &FrmaddData::reject);
    connect(m_ui->Command6, &QPushButton::clicked, this, &FrmaddData::Command6_Click);
    connect(m_ui->Command7, &QPushButton::clicked, this, &FrmaddData::Command7_Click);
    connect(m_ui->Command8, &QPushButton::clicked, this, &FrmaddData::Command8_Click);
    connect(m_ui->Command9, &QPushButton::clicked, this, &FrmaddData::Command9_Click);
    connect(m_ui->Command10, &QPushButton::clicked, this, &FrmaddData::Command10_Click);
}

FrmaddData::~FrmaddData() = default;

bool FrmaddData::Form_Load() {
    const dict::DictionaryStore* open = dict::currentDictionary();
    const dict::Status s = open ? dict::reopenDictionary(open->path()) : dict::reopenDictionary();
    if (s.isOk()) return true;
    platform::platform().message(this, QString::fromStdString(s.message()), QString(),
                                 platform::Buttons::kOk, platform::Icon::kCritical);
    platform::platform().exitProcess(1);
    return false;
}

dict::BrowseView* FrmaddData::browse() const {
    dict::DictionaryStore* store = dict::currentDictionary();
    return store ? &store->browse() : nullptr;
}

void FrmaddData::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_activated) return;
    m_activated = true;
    // After the window is on screen, so its messages appear over it.
    QMetaObject::invokeMethod(this, &FrmaddData::Form_Activate, Qt::QueuedConnection);
}

void FrmaddData::Form_Activate() {
    m_activated = true;
    dict::BrowseView* b = browse();
    dict::Status s = b ? b->moveLast() : dict::Status::noCurrentRecord();
    if (s.isOk()) s = b->moveFirst();
    if (s.isOk()) s = showCurrent();
    if (s.isOk()) displayF();
    if (s.isNoCurrentRecord()) {
        m_empty = true;
        tell(this, QStringLiteral("โปรแกรมจะสร้างฐานข้อมูลใหม่"), kNoData);
        Command1_Click();
        return;
    }
    if (!s.isOk()) return;

    switch (m_opening.kind) {
        case EditorOpening::kMissingWord:
            Command1_Click();
            m_ui->Text1->setText(m_opening.word);
            break;
        case EditorOpening::kListWord:
            m_searchWord = m_opening.word;
            if (!m_searchWord.isEmpty()) findWord(m_searchWord);
            break;
        case EditorOpening::kMenu:
            break;
    }
}

dict::Status FrmaddData::showCurrent() {
    dict::BrowseView* b = browse();
    if (!b) return dict::Status::noCurrentRecord();
    dict::FieldValue word;
    dict::Status s = b->field("Word_en", &word);
    if (!s.isOk()) return s;
    m_ui->Text1->setText(word ? QString::fromStdString(*word) : QString());
    for (const Label& l : kLabels) {
        dict::FieldValue meaning;
        s = b->field(l.pos, &meaning);
        if (!s.isOk()) return s;
        if (meaning && !meaning->empty()) {
            m_ui->Text2->setText(QString::fromStdString(*meaning));
            m_ui->Combo1->setCurrentText(QLatin1String(l.text));
            return dict::Status::ok();
        }
    }
    m_ui->Text2->clear();
    return dict::Status::ok();
}

void FrmaddData::Display() {
    showCurrent();
}

void FrmaddData::displayF() {
    if (m_addMode) {
        m_ui->Text5->setText(QStringLiteral("เพิ่มข้อมูล"));
        return;
    }
    const dict::BrowseView* b = browse();
    const int position = b ? b->absolutePosition() + 1 : 0;
    const int count = b ? b->recordCount() : 0;
    m_ui->Text5->setText(QStringLiteral("%1 / %2").arg(position).arg(count));
}

void FrmaddData::ClearTxt() {
    m_ui->Text1->clear();
    m_ui->Text2->clear();
    m_ui->Text1->setFocus();
    m_ui->Command6->setEnabled(false);
    m_ui->Command7->setEnabled(false);
    m_ui->Command8->setEnabled(false);
    m_ui->Command9->setEnabled(false);
}

void FrmaddData::updateButtons() {
    // While adding, Command1 and the navigation wait for save or cancel; with
    // nothing in the table there is nothing to step through or delete.
    const bool browsing = !m_addMode && !m_empty;
    m_ui->Command1->setEnabled(!m_addMode);
    m_ui->Command3->setEnabled(!m_empty || m_addMode);
    m_ui->Command6->setEnabled(browsing);
    m_ui->Command7->setEnabled(browsing);
    m_ui->Command8->setEnabled(browsing);
    m_ui->Command9->setEnabled(browsing);
}

void FrmaddData::showEmptyTable() {
    m_empty = true;
    m_addMode = false;
    m_ui->Text1->clear();
    m_ui->Text2->clear();
    displayF();
    updateButtons();
}

bool FrmaddData::dropPending() {
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
    Display();
    displayF();
    updateButtons();
    return true;
}

void FrmaddData::Command1_Click() {
    m_ui->Command10->setEnabled(true);
    m_addMode = true;
    if (dict::BrowseView* b = browse()) b->addNew();
    ClearTxt();
    displayF();
    m_ui->Command1->setEnabled(false);
    updateButtons();
}

dict::Status FrmaddData::writePending() {
    dict::BrowseView* b = browse();
    if (!b) return dict::Status::noCurrentRecord();
    const int labelled = labelField(m_ui->Combo1->currentText());
    const std::string word = utf8(m_ui->Text1->text());
    const std::string meaning = utf8(m_ui->Text2->text());
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

void FrmaddData::Command2_Click() {
    dict::BrowseView* b = browse();
    if (!b) return;
    dict::Status s = writePending();
    if (s.isOk()) s = b->update();
    if (s.isDuplicateKey()) {
        tell(this, QStringLiteral("คำนี้มีอยู่ในฐานข้อมูลเรียบร้อยแล้ว "));
        return;
    }
    if (!s.isOk()) return;
    m_addMode = false;
    m_empty = false;
    b->moveFirst();
    displayF();
    Display();
    updateButtons();
}

void FrmaddData::Command10_Click() {
    dropPending();
}

void FrmaddData::reject() {
    if (m_clearOpeningFlags) m_clearOpeningFlags();
    dropPending();
    QDialog::reject();
}

void FrmaddData::Command3_Click() {
    dict::BrowseView* b = browse();
    if (!b) return;
    if (m_addMode && !dropPending()) return;  // nothing left to delete
    const QString question =
        QStringLiteral("คุณต้องการลบข้อมูลคำศัพท์  ") + m_ui->Text1->text() + QStringLiteral(" ใช่หรือไม่");
    if (platform::platform().message(this, question, QString(), platform::Buttons::kYesNo,
                                     platform::Icon::kNone) != platform::Answer::kYes) {
        return;
    }
    dict::Status s = b->remove();
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
    displayF();
}

void FrmaddData::Command4_Click() {
    const std::optional<QString> answer = platform::platform().inputText(
        this, QStringLiteral("ใสคำศัพท์ภาษาอังกฤษ"), QString(), QString());
    m_searchWord = answer.value_or(QString());
    if (m_searchWord.isEmpty()) return;
    if (m_addMode) dropPending();
    findWord(m_searchWord);
}

void FrmaddData::findWord(const QString& word) {
    dict::BrowseView* b = browse();
    if (!b) return;
    // The word is a bound value, so a headword with "'" is found like any other.
    const dict::Status s = b->findFirst(utf8(word));
    if (!s.isOk()) return;
    if (b->noMatch()) {
        tell(this, kNotFound);
        return;
    }
    Display();
    displayF();
}

void FrmaddData::Command6_Click() {
    if (dict::BrowseView* b = browse(); b && b->moveFirst().isOk()) {
        Display();
        displayF();
    }
}

void FrmaddData::Command7_Click() {
    dict::BrowseView* b = browse();
    if (!b) return;
    dict::Status s = b->movePrevious();
    if (s.isOk() && b->bof()) s = b->moveFirst();
    if (!s.isOk()) return;
    Display();
    displayF();
}

void FrmaddData::Command8_Click() {
    if (dict::BrowseView* b = browse(); b && b->moveLast().isOk()) {
        Display();
        displayF();
    }
}

void FrmaddData::Command9_Click() {
    dict::BrowseView* b = browse();
    if (!b) return;
    dict::Status s = b->moveNext();
    if (s.isOk() && b->eof()) s = b->moveLast();
    if (!s.isOk()) return;
    Display();
    displayF();
}

bool FrmaddData::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_ui->Text1) {
                m_ui->Text2->setFocus();
                return true;
            }
            if (watched == m_ui->Text2) {
                m_ui->Combo1->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

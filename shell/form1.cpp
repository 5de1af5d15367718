#include "shell/form1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QFocusEvent>
#include <QFont>
#include <QListView>
#include <QMenu>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>
#include <QToolButton>

#include "dictionary/editor/frmadddata.h"
#include "dictionary/session.h"
#include "hover/meaning_tip.h"
#include "hover/word_under_pointer.h"
#include "documents/directory_panel.h"
#include "documents/document_commands.h"
#include "documents/mirror_file.h"
#include "platform/platform.h"
#include "settings/colors.h"
#include "settings/frmoption.h"
#include "settings/keys.h"
#include "settings/store.h"
#include "shell/frmabout.h"
#include "shell/resources.h"
#include "shell/views/edit_commands.h"
#include "shell/views/form3.h"
#include "ui_form1.h"

using shell::Route;
using shell::RouteEvent;

const QString Form1::kCaption = QStringLiteral(
    "Vantrel Translator 1.4.0 Beta2  : : Rough English-to-Thai translation, word by word"
    " : :( แปลเอกสารภาษาอังกฤษเป็นภาษาไทยแบบคร่าวๆ )");

namespace {

const QString kCancelQuestion = QStringLiteral("คุณต้องการยกเลิกการแปลใช่หรือไม่ ");

// Preset swatch colours as stored values (0x00BBGGRR).
constexpr qint32 rgbValue(int r, int g, int b) {
    return static_cast<qint32>(r | (g << 8) | (b << 16));
}
struct Preset {
    int index;
    qint32 value;
};
constexpr Preset kEnglishPresets[] = {
    {0, rgbValue(255, 255, 255)}, {1, rgbValue(224, 224, 224)}, {2, rgbValue(192, 192, 192)},
    {3, rgbValue(255, 192, 192)}, {4, rgbValue(255, 255, 192)}, {5, rgbValue(192, 255, 192)},
    {6, rgbValue(192, 192, 255)}, {7, rgbValue(255, 192, 255)}, {9, rgbValue(0, 192, 192)},
};
const Preset kThaiPresets[] = {
    {0, settings::systemColorValue(settings::kSysWindowBackground)},
    {1, rgbValue(224, 224, 224)},
    {2, rgbValue(192, 192, 192)},
    {3, rgbValue(255, 192, 192)},
    {4, rgbValue(255, 255, 192)},
    {5, rgbValue(192, 255, 192)},
    {6, rgbValue(0, 192, 192)},
    {7, rgbValue(192, 192, 255)},
    {8, rgbValue(255, 192, 255)},
};
constexpr char kStoredColorProperty[] = "storedColor";

void paintSwatch(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// Text of the status line for a caret on `line` at character `col` (both from 1).
QString statusText(int line, int col) {
    return QStringLiteral("  ( บรรทัดที่   ") + QString::number(line) +
           QStringLiteral("     ตัวอักษรที่    ") + QString::number(col) + QStringLiteral(")  ");
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), m_ui(std::make_unique<Ui::Form1>()) {
    shell::initResources();
    m_ui->setupUi(this);
    setWindowTitle(kCaption);
    setFixedHeight(twipsToPixels(kHeightTwips));

    m_ui->Larrang->setModel(&m_larrangModel);
    m_ui->LNodata->setModel(&m_lnodataModel);
    for (QPlainTextEdit* pane : {m_ui->Ren, m_ui->Rth}) {
        pane->setContextMenuPolicy(Qt::PreventContextMenu);
        pane->viewport()->setMouseTracking(true);
        pane->installEventFilter(this);
        pane->viewport()->installEventFilter(this);
    }
    m_ui->Image3->setMouseTracking(true);
    m_ui->Command15->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont bold = m_ui->Command15->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_ui->Command15->setFont(bold);
    // Panel titles and palette captions are narrow: a smaller face keeps them whole.
    for (QWidget* title :
         {static_cast<QWidget*>(m_ui->Label7), static_cast<QWidget*>(m_ui->Label10),
          static_cast<QWidget*>(m_ui->Label12), static_cast<QWidget*>(m_ui->Label13),
          static_cast<QWidget*>(m_ui->Label17), static_cast<QWidget*>(m_ui->Label9)}) {
        QFont f = title->font();
        f.setPointSizeF(f.pointSizeF() * 0.85);
        title->setFont(f);
    }

    // Panels that start hidden; the palettes and progress display lie over the panes.
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->Frame7), static_cast<QWidget*>(m_ui->Frame6),
          static_cast<QWidget*>(m_ui->Frame14), static_cast<QWidget*>(m_ui->Frame15)}) {
        w->hide();
        w->raise();
    }
    m_ui->Image6->hide();

    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(50);
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setInterval(800);
    m_timer3.setObjectName(QStringLiteral("Timer3"));
    m_timer3.setInterval(100);
    connect(&m_timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(&m_timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    connect(&m_timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);

    // Every change of Rth rewrites the mirror first, then the status line.
    m_mirror = std::make_unique<documents::MirrorFile>();
    m_documents =
        std::make_unique<documents::DocumentCommands>(this, m_ui->Ren, m_ui->Rth, m_mirror.get());
    connect(m_ui->Rth, &QPlainTextEdit::textChanged, this,
            [this] { m_mirror->write(m_ui->Rth->toPlainText(), this); });
    connect(m_ui->Rth, &QPlainTextEdit::textChanged, this, &Form1::ShowPos_th);
    m_directoryPanel = new documents::DirectoryPanel(m_ui->Drive1, m_ui->Dir1, m_ui->File1,
                                                     m_ui->Combo1, this);
    connect(m_directoryPanel, &documents::DirectoryPanel::fileChosen, this,
            [this](const QString& path) { m_documents->openFromPanel(path); });
    initSwatches();
    wireRoutes();
}

Form1::~Form1() = default;

void Form1::initSwatches() {
    for (const Preset& p : kEnglishPresets) {
        QWidget* w = findChild<QWidget*>(QStringLiteral("Picture5_%1").arg(p.index));
        w->setProperty(kStoredColorProperty, p.value);
        paintSwatch(w, settings::colorFromStored(p.value));
    }
    for (const Preset& p : kThaiPresets) {
        QWidget* w = findChild<QWidget*>(QStringLiteral("Picture6_%1").arg(p.index));
        w->setProperty(kStoredColorProperty, p.value);
        paintSwatch(w, settings::colorFromStored(p.value));
    }
}

// --- Routing ---------------------------------------------------------------

void Form1::wireRoutes() {
    for (const Route& route : shell::form1Routes()) {
        QObject* obj = findChild<QObject*>(QString::fromLatin1(route.object));
        if (obj == nullptr) {
            qWarning("Form1: no control %s for a route", route.object);
            continue;
        }
        const Route* r = &route;
        switch (route.event) {
            case RouteEvent::kTriggered:
                connect(qobject_cast<QAction*>(obj), &QAction::triggered, this,
                        [this, r, obj] { dispatch(*r, obj); });
                break;
            case RouteEvent::kClicked:
                connect(qobject_cast<QAbstractButton*>(obj), &QAbstractButton::clicked, this,
                        [this, r, obj] { dispatch(*r, obj); });
                break;
            case RouteEvent::kToggled:
                connect(qobject_cast<QAbstractButton*>(obj), &QAbstractButton::toggled, this,
                        [this, r, obj] { dispatch(*r, obj); });
                break;
            default: {
                // Pointer and focus events arrive through the event filter; the
                // panes and lists receive pointer events on their viewports.
                QObject* target = obj;
                if (auto* area = qobject_cast<QAbstractScrollArea*>(obj);
                    area && route.event != RouteEvent::kFocusIn) {
                    target = area->viewport();
                }
                if (route.event == RouteEvent::kMouseMove || route.event == RouteEvent::kEnter) {
                    if (auto* w = qobject_cast<QWidget*>(target)) w->setMouseTracking(true);
                }
                target->installEventFilter(this);
                m_routesByObject[target].append(r);
                break;
            }
        }
    }
}

void Form1::dispatch(const Route& route, QObject* source) {
    m_routeLog.append(QString::fromLatin1(route.object) + QLatin1Char(':') +
                      QString::fromLatin1(route.slot));
    m_routeSource = source;
    QMetaObject::invokeMethod(this, route.slot, Qt::DirectConnection);
    m_routeSource = nullptr;
}

bool Form1::routeEvent(QObject* control, RouteEvent kind) {
    const auto it = m_routesByObject.constFind(control);
    if (it == m_routesByObject.constEnd()) {
        return false;
    }
    bool routed = false;
    for (const Route* r : *it) {
        if (r->event == kind) {
            QObject* source = control;
            if (auto* vp = qobject_cast<QWidget*>(control);
                vp && qobject_cast<QAbstractScrollArea*>(vp->parentWidget()) &&
                QString::fromLatin1(r->object) == vp->parentWidget()->objectName()) {
                source = vp->parentWidget();
            }
            dispatch(*r, source);
            routed = true;
        }
    }
    return routed;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const bool inRen = watched == m_ui->Ren || watched == m_ui->Ren->viewport();
    const bool inRth = watched == m_ui->Rth || watched == m_ui->Rth->viewport();
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() == Qt::RightButton) {
                routeEvent(watched, RouteEvent::kRightPress);
            } else if (me->button() == Qt::LeftButton) {
                routeEvent(watched, RouteEvent::kPress);
            }
            break;
        }
        case QEvent::MouseButtonRelease: {
            const auto* me = static_cast<QMouseEvent*>(event);
            if (inRen) {
                ShowPos_en();
            }
            if (me->button() == Qt::LeftButton) {
                routeEvent(watched, RouteEvent::kClick);
            }
            break;
        }
        case QEvent::MouseButtonDblClick:
            routeEvent(watched, RouteEvent::kDoubleClick);
            break;
        case QEvent::MouseMove:
            routeEvent(watched, RouteEvent::kMouseMove);
            break;
        case QEvent::Enter:
            routeEvent(watched, RouteEvent::kEnter);
            break;
        case QEvent::FocusIn:
            routeEvent(watched, RouteEvent::kFocusIn);
            break;
        case QEvent::KeyPress:
            // The caret moves after the key is handled; show it once it has.
            if (inRen) {
                QTimer::singleShot(0, this, &Form1::ShowPos_en);
            } else if (inRth) {
                QTimer::singleShot(0, this, &Form1::ShowPos_th);
            }
            break;
        case QEvent::KeyRelease:
            if (inRen) {
                ShowPos_en();
            }
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Load, resize, close ---------------------------------------------------

bool Form1::Form_Load() {
    ShowPos_en();
    m_ui->Frame7->hide();
    m_directoryPanel->setPattern(QStringLiteral("*.txt"));
    QApplication::clipboard()->clear();

    const dict::Status status = m_dictionaryPath.empty() ? dict::reopenDictionary()
                                                         : dict::reopenDictionary(m_dictionaryPath);
    if (!status.isOk()) {
        platform::platform().message(this, QString::fromStdString(status.message()), QString(),
                                     platform::Buttons::kOk, platform::Icon::kCritical);
        platform::platform().exitProcess(1);
        return false;
    }

    m_translator.setTranslateSelection(false);
    setPal();
    m_selectPal = settings::getSetting(settings::keys::kSelectPal);
    m_ui->Chkselectpal->setChecked(settings::getNumber(settings::keys::kSelectPal) == 1);
    paintSwatch(m_ui->Picture3, m_ui->Ren->palette().color(QPalette::Base));
    paintSwatch(m_ui->Picture4, m_ui->Rth->palette().color(QPalette::Base));
    m_timer3.start();
    return true;
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const int widthTwips = pixelsToTwips(width());
    const auto setWidth = [](QWidget* w, int twips) {
        w->resize(std::max(0, twipsToPixels(twips)), w->height());
    };
    setWidth(m_ui->Ren, widthTwips - 2200);
    setWidth(m_ui->Image3, widthTwips);
    setWidth(m_ui->Rth, widthTwips - 2200);
    setWidth(m_ui->Image2, widthTwips + 600);
    if (height() != twipsToPixels(kHeightTwips)) {
        resize(width(), twipsToPixels(kHeightTwips));
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (m_translator.running()) {
        // The run is on the stack below this event: stop it, and close when it returns.
        m_cancelRequested = true;
        m_closeAfterRun = true;
        event->ignore();
        return;
    }
    // The other windows are modal or already gone; nothing is asked or saved.
    event->accept();
}

// --- Translation -----------------------------------------------------------

void Form1::translateCommand() {
    if (m_translator.running()) {
        return;
    }
    m_ui->Command1->setEnabled(false);
    Processpal();
    m_ui->Command1->setEnabled(true);
}

void Form1::Processpal() {
    if (m_translator.running() || m_ui->Ren->document()->isEmpty()) {
        return;
    }
    m_ui->Frame7->show();
    m_ui->Frame7->raise();
    m_percentBarHeight = m_ui->Picture2->height();
    m_percentBarWidth = m_ui->Picture2->width();
    m_timeBarHeight = m_ui->Picture1->height();
    m_timeBarWidth = m_ui->Picture1->width();
    m_elapsedCount = 0;
    m_timer1.start();
    m_timer2.start();
    Tran();
}

void Form1::Tran() {
    if (m_translator.running()) {
        return;
    }
    m_stats = RunStats{};
    const int percentDrawsAtStart = m_ui->Picture2->paintCount();
    const int timeDrawsAtStart = m_ui->Picture1->paintCount();
    m_yieldClock.start();
    const QByteArray text = m_ui->Ren->toPlainText().toUtf8();
    m_translator.run(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    flushLists();
    m_stats.percentDraws = m_ui->Picture2->paintCount() - percentDrawsAtStart;
    m_stats.timeDraws = m_ui->Picture1->paintCount() - timeDrawsAtStart;
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void Form1::cancelCommand() {
    const platform::Answer answer = platform::platform().message(
        this, kCancelQuestion, QString(), platform::Buttons::kYesNo, platform::Icon::kQuestion);
    if (answer == platform::Answer::kYes) {
        m_cancelRequested = true;
        m_ui->Frame7->hide();
    }
}

void Form1::Ren_Click() {
    QString selection = m_ui->Ren->textCursor().selectedText();
    selection.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    m_selectPal = settings::getSetting(settings::keys::kSelectPal);
    // A click that leaves nothing selected (placing the caret to type, say)
    // means the whole document again: capturing the empty selection would
    // make the next translation print nothing.
    if (selection.isEmpty()) {
        m_translator.setTranslateSelection(false);
        return;
    }
    m_translator.captureSelection(selection.toStdString());
    if (m_selectPal == QLatin1String("1")) {
        Tran();
    }
}

const dict::LookupView* Form1::lookupView() {
    dict::DictionaryStore* store = dict::currentDictionary();
    return store != nullptr ? &store->lookup() : nullptr;
}

void Form1::yield() {
    ++m_stats.yields;
    if (m_yieldSliceMs > 0 && m_yieldClock.isValid() && m_yieldClock.elapsed() < m_yieldSliceMs) {
        return;
    }
    ++m_stats.eventPasses;
    flushLists();
    QCoreApplication::processEvents();
    m_yieldClock.start();
}

void Form1::flushLists() {
    m_larrangList.flush();
    m_lnodataList.flush();
}

void Form1::setPanelVisible(engine::Panel panel, bool visible) {
    QWidget* frame = nullptr;
    switch (panel) {
        case engine::Panel::kProgress:
            frame = m_ui->Frame7;
            break;
        case engine::Panel::kWriting:
            frame = m_ui->Frame6;
            break;
        case engine::Panel::kPlain:
            frame = m_ui->Frame5;
            break;
    }
    frame->setVisible(visible);
    if (visible) {
        frame->raise();
    }
}

void Form1::setThaiText(const std::string& text) {
    flushLists();
    m_ui->Rth->setPlainText(QString::fromStdString(text));
}

// --- Progress display --------------------------------------------------------

void Form1::Timer1_Timer() {
    if (m_progressPercent > 100) {
        m_ui->Frame7->hide();
        return;
    }
    m_percentFill = m_progressPercent * m_percentBarWidth / 100.0;
    m_ui->Picture2->draw(
        m_percentFill,
        QStringLiteral("สมบูรณ์ ") + QString::number(m_progressPercent) + QStringLiteral(" % "),
        QColor(0, 255, 15), QColor(0, 0, 255));
}

void Form1::Timer2_Timer() {
    ++m_elapsedCount;
    // The fill is scaled by the percentage bar's width, as designed; past 100
    // ticks it is wider than the box and clipped.
    m_timeFill = m_elapsedCount * m_percentBarWidth / 100.0;
    m_ui->Picture1->draw(m_timeFill, QString::number(m_elapsedCount) + QStringLiteral(" วินาที"),
                         QColor(0, 255, 15), QColor(0, 0, 255));
}

void Form1::Timer3_Timer() {
    if (!m_ui->Image5->isHidden()) {
        m_ui->Image6->show();
        m_ui->Image5->hide();
    } else {
        m_ui->Image5->show();
        m_ui->Image6->hide();
    }
}

// --- Status line, focus, right button ---------------------------------------

void Form1::showPos(QPlainTextEdit* pane) {
    // The caret is the end of the selection; lines are the pane's text lines.
    const QTextCursor cursor = pane->textCursor();
    const int p = cursor.selectionEnd();
    const QTextBlock block = pane->document()->findBlock(p);
    const int line = block.blockNumber() + 1;
    const int col = p - block.position() + 1;
    m_ui->Label2->setText(statusText(line, col));
}

void Form1::ShowPos_en() {
    showPos(m_ui->Ren);
}

void Form1::ShowPos_th() {
    showPos(m_ui->Rth);
}

void Form1::Ren_GotFocus() {
    m_ui->Label1->setText(QStringLiteral("เอกสารสำหรับแปล"));
}

void Form1::Rth_GotFocus() {
    m_ui->Label1->setText(QStringLiteral("เอกสารคำแปล"));
}

void Form1::popupEnglishMenu() {
    m_ui->mnuright_en->popup(QCursor::pos());
}

void Form1::popupThaiMenu() {
    m_ui->mnuright_th->popup(QCursor::pos());
}

void Form1::Ren_MouseMove() {
    hidePalettes();
    RichWordOver();
}

// --- Side panels ---------------------------------------------------------------

void Form1::setPaneGeometry(int leftTwips, int widthTwips) {
    for (QPlainTextEdit* pane : {m_ui->Ren, m_ui->Rth}) {
        pane->setGeometry(twipsToPixels(leftTwips), pane->y(), twipsToPixels(widthTwips),
                          pane->height());
    }
}

void Form1::mnuwin_directory_Click() {
    // The item has already toggled its own check mark: unchecked now means it was checked.
    if (!m_ui->mnuwin_directory->isChecked()) {
        m_ui->Frame8->hide();
        setPaneGeometry(250, 10000);
    } else {
        m_ui->Frame8->show();
        setPaneGeometry(2100, 8190);
    }
}

void Form1::Label6_Click() {
    m_ui->mnuwin_directory->setChecked(false);
    m_ui->Frame8->hide();
    setPaneGeometry(250, 11000);
}

void Form1::Check1_Click() {
    const bool on = m_ui->Check1->isChecked();
    m_ui->Frame12->setVisible(on);
    settings::saveFlag(settings::keys::kChkNoWord, on);
}

void Form1::Check2_Click() {
    const bool on = m_ui->Check2->isChecked();
    m_ui->Frame13->setVisible(on);
    settings::saveFlag(settings::keys::kArrangWord, on);
}

void Form1::Check3_Click() {
    if (m_ui->Check3->isChecked()) {
        settings::saveFlag(settings::keys::kChkTooltip, true);
        m_showMeaning = true;
        m_ui->Frame16->show();
    } else {
        settings::saveFlag(settings::keys::kChkTooltipUnchecked, false);
        m_showMeaning = false;
        m_ui->Ren->setToolTip(QStringLiteral("แสดงเอกสารภาษาอังกฤษ"));
        m_ui->Frame16->hide();
    }
}

void Form1::Chkselectpal_Click() {
    settings::saveFlag(settings::keys::kSelectPal, m_ui->Chkselectpal->isChecked());
}

void Form1::Label8_Click() {
    m_ui->Frame12->hide();
    settings::saveFlag(settings::keys::kChkNoWord, m_ui->Check1->isChecked());
    m_ui->Check1->setChecked(false);
}

void Form1::Label11_Click() {
    m_ui->Frame13->hide();
    settings::saveFlag(settings::keys::kArrangWord, m_ui->Check2->isChecked());
    m_ui->Check2->setChecked(false);
}

void Form1::hideMeaningPanel() {
    m_ui->Frame16->hide();
}

void Form1::setPal() {
    using namespace settings::keys;
    const QString colorEn = settings::getSetting(kColorEn);
    const QString noWord = settings::getSetting(kChkNoWord);
    const QString colorTh = settings::getSetting(kColorTh);
    const QString arrang = settings::getSetting(kArrangWordRead);
    const QString tooltip = settings::getSetting(kChkTooltip);

    const bool meaning = tooltip != QLatin1String("0");
    m_ui->Check3->setChecked(meaning);
    m_showMeaning = meaning;
    m_ui->Frame16->setVisible(meaning);

    const bool missing = noWord != QLatin1String("0");
    m_ui->Check1->setChecked(missing);
    m_ui->Frame12->setVisible(missing);

    const bool arrangement = arrang != QLatin1String("0");
    m_ui->Check2->setChecked(arrangement);
    m_ui->Frame13->setVisible(arrangement);

    const qint32 white = 16777215;
    setPaneBackground(m_ui->Ren,
                      settings::colorFromStored(settings::storedFromText(colorEn, white)));
    setPaneBackground(m_ui->Rth,
                      settings::colorFromStored(settings::storedFromText(colorTh, white)));
}

// --- Palettes --------------------------------------------------------------------

void Form1::setPaneBackground(QPlainTextEdit* pane, const QColor& color) {
    QPalette p = pane->palette();
    p.setColor(QPalette::Base, color);
    pane->setPalette(p);
}

void Form1::showEnglishPalette() {
    m_ui->Frame14->show();
    m_ui->Frame14->raise();
    m_ui->Frame15->hide();
}

void Form1::showThaiPalette() {
    m_ui->Frame15->show();
    m_ui->Frame15->raise();
    m_ui->Frame14->hide();
}

void Form1::hidePalettes() {
    m_ui->Frame14->hide();
    m_ui->Frame15->hide();
}

void Form1::pickEnglishSwatch() {
    const auto* swatch = qobject_cast<QWidget*>(m_routeSource);
    if (swatch == nullptr) return;
    const qint32 value = swatch->property(kStoredColorProperty).toInt();
    setPaneBackground(m_ui->Ren, settings::colorFromStored(value));
    paintSwatch(m_ui->Picture3, m_ui->Ren->palette().color(QPalette::Base));
    settings::saveSetting(settings::keys::kColorEn, settings::colorText(value));
}

void Form1::pickThaiSwatch() {
    const auto* swatch = qobject_cast<QWidget*>(m_routeSource);
    if (swatch == nullptr) return;
    const qint32 value = swatch->property(kStoredColorProperty).toInt();
    setPaneBackground(m_ui->Rth, settings::colorFromStored(value));
    paintSwatch(m_ui->Picture4, m_ui->Rth->palette().color(QPalette::Base));
    settings::saveSetting(settings::keys::kColorTh, settings::colorText(value));
}

void Form1::chooseEnglishColor() {
    m_lastChosenColor = platform::platform().chooseColor(this, m_lastChosenColor);
    paintSwatch(m_ui->Label15, m_lastChosenColor);
    setPaneBackground(m_ui->Ren, m_lastChosenColor);
    paintSwatch(m_ui->Picture3, m_lastChosenColor);
    settings::saveSetting(settings::keys::kColorEn, settings::colorText(m_lastChosenColor));
}

void Form1::chooseThaiColor() {
    m_lastChosenColor = platform::platform().chooseColor(this, m_lastChosenColor);
    paintSwatch(m_ui->Label14, m_lastChosenColor);
    setPaneBackground(m_ui->Rth, m_lastChosenColor);
    paintSwatch(m_ui->Picture4, m_lastChosenColor);
    settings::saveSetting(settings::keys::kColorTh, settings::colorText(m_lastChosenColor));
}

// --- Windows and process -------------------------------------------------------

void Form1::exitProgram() {
    platform::platform().exitProcess(0);
}

void Form1::showAbout() {
    Frmabout about(this);
    about.exec();
}

void Form1::showOptions() {
    FrmOption options([this] { setPal(); },
                      [this](bool checked) { m_ui->Chkselectpal->setChecked(checked); }, this);
    options.exec();
}

void Form1::noAction() {}

// Procedures whose behaviour belongs to the document, printing, edit,
// full-screen, editor and hover code; each is reached by its routes already.
void Form1::NewPal() {
    m_documents->NewPal();
}
void Form1::Open_File() {
    m_documents->Open_File();
}
void Form1::Saveen() {
    m_documents->Saveen();
}
void Form1::SaveTh() {
    m_documents->SaveTh();
}
void Form1::Print_en() {
    m_documents->Print_en();
}
void Form1::Print_th() {
    m_documents->Print_th();
}
void Form1::printerSetup() {
    m_documents->printerSetup();
}
void Form1::SelectAll_en() {
    views::selectAll(*m_ui->Ren);
}
void Form1::SelectAll_th() {
    views::selectAll(*m_ui->Rth);
}
void Form1::cut_en() {
    views::cut(*m_ui->Ren, *QApplication::clipboard());
}
void Form1::copy_en() {
    views::copy(*m_ui->Ren, *QApplication::clipboard());
}
void Form1::paste_en() {
    views::paste(*m_ui->Ren, *QApplication::clipboard());
}
void Form1::clear_en() {
    views::clear(*m_ui->Ren);
}
void Form1::cut_th() {
    views::cut(*m_ui->Rth, *QApplication::clipboard());
}
void Form1::copy_th() {
    views::copy(*m_ui->Rth, *QApplication::clipboard());
}
void Form1::paste_th() {
    views::paste(*m_ui->Rth, *QApplication::clipboard());
}
void Form1::clear_th() {
    views::clear(*m_ui->Rth);
}
void Form1::openFullScreen() {
    if (m_form3 == nullptr) {
        m_form3 = new Form3(this);
    }
    m_form3->openFor(*m_ui->Ren, *m_ui->Rth);
}

// --- Dictionary editor and the word under the pointer ---------------------------

namespace {

// How the next opening of the dictionary editor starts: set by the double-clicks
// on the two lists, cleared when the editor closes.
struct EditorOpeningFlags {
    bool openForMissingWord = false;
    bool openAtListWord = false;
    int listWordIndex = -1;
};
EditorOpeningFlags g_editorFlags;

// Row of the list's selected item, or -1.
int selectedRow(const QListView* list) {
    const QModelIndexList rows =
        list->selectionModel() ? list->selectionModel()->selectedIndexes() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

}  // namespace

void Form1::openEditor() {
    EditorOpening opening;
    if (g_editorFlags.openForMissingWord) {
        opening.kind = EditorOpening::kMissingWord;
        opening.word = m_lnodataModel.at(selectedRow(m_ui->LNodata));
    } else if (g_editorFlags.openAtListWord) {
        opening.kind = EditorOpening::kListWord;
        const int i = g_editorFlags.listWordIndex;
        opening.word =
            i < 0 ? QString()
                  : QString::fromStdString(m_translator.arrangementWords().at(std::size_t(i)));
    }
    FrmaddData editor(
        opening,
        [] {
            g_editorFlags.openForMissingWord = false;
            g_editorFlags.openAtListWord = false;
        },
        this);
    if (editor.Form_Load()) editor.exec();
}

void Form1::Larrang_DblClick() {
    // List3 holds the English word of each Larrang line, item for item.
    g_editorFlags.openAtListWord = true;
    g_editorFlags.listWordIndex = selectedRow(m_ui->Larrang);
    openEditor();
}

void Form1::LNodata_DblClick() {
    g_editorFlags.openForMissingWord = true;
    openEditor();
}

void Form1::RichWordOver() {
    if (!m_showMeaning) return;
    QWidget* viewport = m_ui->Ren->viewport();
    const QString word = hover::richWordOver(m_ui->Ren, viewport->mapFromGlobal(QCursor::pos()));
    const hover::MeaningTip tip = hover::meaningTip(word, lookupView());
    m_ui->Ren->setToolTip(tip.toolTip);
    if (tip.found) m_ui->Label16->setText(tip.toolTip);
    // A tip already on screen follows the pointer with the new text.
    if (QToolTip::isVisible()) QToolTip::showText(QCursor::pos(), tip.toolTip, viewport);
}

#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QFont>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

#include "dictionary/editor/dictionary_editor.h"
#include "dictionary/session.h"
#include "documents/directory_panel.h"
#include "documents/document_commands.h"
#include "documents/mirror_file.h"
#include "hover/meaning_tip.h"
#include "hover/word_under_pointer.h"
#include "platform/platform.h"
#include "settings/keys.h"
#include "settings/options_dialog.h"
#include "settings/store.h"
#include "shell/about_dialog.h"
#include "shell/colour_palettes.h"
#include "shell/command_router.h"
#include "shell/resources.h"
#include "shell/side_panels.h"
#include "shell/status_line.h"
#include "shell/translation_run.h"
#include "shell/twips.h"
#include "shell/views/edit_commands.h"
#include "shell/views/full_screen_view.h"
#include "ui_main_window.h"

const QString MainWindow::kCaption = QStringLiteral(
    "Vantrel Translator 1.4.0 Beta2  : : Rough English-to-Thai translation, word by word"
    " : :( แปลเอกสารภาษาอังกฤษเป็นภาษาไทยแบบคร่าวๆ )");

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::MainWindow>()) {
    shell::initResources();
    m_ui->setupUi(this);
    setWindowTitle(kCaption);
    for (const QWidget* w : m_ui->centralwidget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        m_layoutBottom = std::max(m_layoutBottom, w->geometry().bottom() + 1);
    keepFixedHeight();

    for (QPlainTextEdit* pane : {m_ui->englishPane, m_ui->thaiPane}) {
        pane->setContextMenuPolicy(Qt::PreventContextMenu);
        pane->viewport()->setMouseTracking(true);
    }
    m_ui->windowBackground->setMouseTracking(true);
    m_ui->fullScreenButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont bold = m_ui->fullScreenButton->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_ui->fullScreenButton->setFont(bold);
    // Panel titles and palette captions are narrow: a smaller face keeps them whole.
    for (QWidget* title :
         {static_cast<QWidget*>(m_ui->missingWordsTitle),
          static_cast<QWidget*>(m_ui->arrangementTitle),
          static_cast<QWidget*>(m_ui->thaiPaletteTitle),
          static_cast<QWidget*>(m_ui->englishPaletteTitle),
          static_cast<QWidget*>(m_ui->meaningTitle), static_cast<QWidget*>(m_ui->directoryTitle)}) {
        QFont f = title->font();
        f.setPointSizeF(f.pointSizeF() * 0.85);
        title->setFont(f);
    }

    // Panels that start hidden; the palettes and progress display lie over the panes.
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->progressPanel), static_cast<QWidget*>(m_ui->writingPanel),
          static_cast<QWidget*>(m_ui->englishPalette), static_cast<QWidget*>(m_ui->thaiPalette)}) {
        w->hide();
        w->raise();
    }
    m_ui->writingPicture2->hide();

    m_mirror = std::make_unique<documents::MirrorFile>();
    m_documents = std::make_unique<documents::DocumentCommands>(this, m_ui->englishPane,
                                                                m_ui->thaiPane, m_mirror.get());
    m_editing = std::make_unique<views::PaneEditCommands>(*m_ui->englishPane, *m_ui->thaiPane);
    m_translation = std::make_unique<shell::TranslationRun>(*m_ui, this);
    m_panels = std::make_unique<shell::SidePanels>(*m_ui);
    m_palettes = std::make_unique<shell::ColourPalettes>(*m_ui, this);
    m_statusLine = std::make_unique<shell::StatusLine>(*m_ui);

    // Every change of the Thai pane rewrites the mirror first, then the status line.
    connect(m_ui->thaiPane, &QPlainTextEdit::textChanged, this,
            [this] { m_mirror->write(m_ui->thaiPane->toPlainText(), this); });
    connect(m_ui->thaiPane, &QPlainTextEdit::textChanged, m_statusLine.get(),
            &shell::StatusLine::showThaiCaret);
    m_directoryPanel = new documents::DirectoryPanel(m_ui->driveBox, m_ui->folderList,
                                                     m_ui->fileList, m_ui->patternBox, this);
    connect(m_directoryPanel, &documents::DirectoryPanel::fileChosen, this,
            [this](const QString& path) { m_documents->openFromPanel(path); });

    m_router = new shell::CommandRouter(
        this, [this](shell::RouteTarget target) { return routeTarget(target); },
        shell::mainWindowRoutes());
    m_statusLine->watchPanes();
}

MainWindow::~MainWindow() {
    // No route may reach a part while the parts are being destroyed.
    delete m_router;
}

QObject* MainWindow::routeTarget(shell::RouteTarget target) {
    switch (target) {
        case shell::RouteTarget::kWindow:
            return this;
        case shell::RouteTarget::kDocuments:
            return m_documents.get();
        case shell::RouteTarget::kEditing:
            return m_editing.get();
        case shell::RouteTarget::kTranslation:
            return m_translation.get();
        case shell::RouteTarget::kPanels:
            return m_panels.get();
        case shell::RouteTarget::kPalettes:
            return m_palettes.get();
        case shell::RouteTarget::kStatusLine:
            return m_statusLine.get();
    }
    return this;
}

const QStringList& MainWindow::routeLog() const {
    return m_router->log();
}

bool MainWindow::load() {
    m_statusLine->showEnglishCaret();
    m_ui->progressPanel->hide();
    m_directoryPanel->setPattern(documents::documentPattern());
    QApplication::clipboard()->clear();

    const dict::Status status = m_dictionaryPath.empty() ? dict::reopenDictionary()
                                                         : dict::reopenDictionary(m_dictionaryPath);
    if (!status.isOk()) {
        platform::platform().message(this, QString::fromStdString(status.message()), QString(),
                                     platform::Buttons::kOk, platform::Icon::kCritical);
        platform::platform().exitProcess(1);
        return false;
    }

    m_translation->translator().setTranslateSelection(false);
    m_panels->applyStoredSettings();
    m_translation->readTranslateOnSelectSetting();
    m_ui->translateOnSelectCheck->setChecked(
        settings::getNumber(settings::keys::kTranslateOnSelect) == 1);
    m_palettes->showPaneColours();
    m_translation->writingTimer().start();
    return true;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const int widthTwips = pixelsToTwips(width());
    const auto setWidth = [](QWidget* w, int twips) {
        w->resize(std::max(0, twipsToPixels(twips)), w->height());
    };
    setWidth(m_ui->englishPane, widthTwips - 2200);
    setWidth(m_ui->windowBackground, widthTwips);
    setWidth(m_ui->thaiPane, widthTwips - 2200);
    setWidth(m_ui->missingWordsTitleBar, widthTwips + 600);
    keepFixedHeight();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    keepFixedHeight();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    // The window manager frames the window after it is shown, which moves it.
    QMainWindow::moveEvent(event);
    keepFixedHeight();
}

void MainWindow::keepFixedHeight() {
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const int inside = std::max(twipsToPixels(kHeightTwips) - frame.top() - frame.bottom(),
                                menuBar()->sizeHint().height() + m_layoutBottom);
    if (minimumHeight() != inside || maximumHeight() != inside) setFixedHeight(inside);
    if (height() != inside) resize(width(), inside);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_translation->closeWindowWhenStopped()) {
        event->ignore();
        return;
    }
    // The other windows are modal or already gone; nothing is asked or saved.
    event->accept();
}

void MainWindow::exitProgram() {
    platform::platform().exitProcess(0);
}

void MainWindow::showAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainWindow::showOptions() {
    OptionsDialog options(
        [this] { m_panels->applyStoredSettings(); },
        [this](bool checked) { m_ui->translateOnSelectCheck->setChecked(checked); }, this);
    options.exec();
}

void MainWindow::noAction() {}

void MainWindow::popupEnglishMenu() {
    m_ui->englishContextMenu->popup(QCursor::pos());
}

void MainWindow::popupThaiMenu() {
    m_ui->thaiContextMenu->popup(QCursor::pos());
}

void MainWindow::openFullScreen() {
    if (m_fullScreenView == nullptr) {
        m_fullScreenView = new FullScreenView(this);
    }
    m_fullScreenView->openFor(*m_ui->englishPane, *m_ui->thaiPane);
}

namespace {

// Row of the list's selected item, or -1.
int selectedRow(const QListView* list) {
    const QModelIndexList rows =
        list->selectionModel() ? list->selectionModel()->selectedIndexes() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

}  // namespace

void MainWindow::openDictionaryEditor() {
    EditorOpening opening;
    if (m_editorFlags.openForMissingWord) {
        opening.kind = EditorOpening::kMissingWord;
        opening.word = m_translation->missingWordsModel().at(selectedRow(m_ui->missingWordsList));
    } else if (m_editorFlags.openAtListWord) {
        opening.kind = EditorOpening::kListWord;
        const int i = m_editorFlags.listWordIndex;
        opening.word = i < 0
                           ? QString()
                           : QString::fromStdString(
                                 m_translation->translator().arrangementWords().at(std::size_t(i)));
    }
    DictionaryEditor editor(
        opening, [this] { m_editorFlags = EditorOpeningFlags{}; }, this);
    if (editor.load()) editor.exec();
}

void MainWindow::editArrangementWord() {
    // The translator keeps the English word of each arrangement line, line for line.
    m_editorFlags.openAtListWord = true;
    m_editorFlags.listWordIndex = selectedRow(m_ui->arrangementList);
    openDictionaryEditor();
}

void MainWindow::addMissingWord() {
    m_editorFlags.openForMissingWord = true;
    openDictionaryEditor();
}

void MainWindow::showMeaningUnderPointer() {
    if (!m_panels->showMeaning()) return;
    QWidget* viewport = m_ui->englishPane->viewport();
    const QString word =
        hover::wordUnderPointer(m_ui->englishPane, viewport->mapFromGlobal(QCursor::pos()));
    const hover::MeaningTip tip = hover::meaningTip(word, m_translation->lookupView());
    m_ui->englishPane->setToolTip(tip.toolTip);
    if (tip.found) m_ui->meaningText->setText(tip.toolTip);
    // A tip already on screen follows the pointer with the new text.
    if (QToolTip::isVisible()) QToolTip::showText(QCursor::pos(), tip.toolTip, viewport);
}

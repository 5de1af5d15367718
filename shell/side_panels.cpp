#include "shell/side_panels.h"

#include <QAction>
#include <QPlainTextEdit>

#include "settings/colors.h"
#include "settings/keys.h"
#include "settings/store.h"
#include "shell/colour_palettes.h"
#include "shell/twips.h"
#include "ui_main_window.h"

namespace shell {

SidePanels::SidePanels(Ui::MainWindow& ui, QObject* parent) : QObject(parent), m_ui(ui) {}

void SidePanels::setPaneGeometry(int leftTwips, int widthTwips) {
    for (QPlainTextEdit* pane : {m_ui.englishPane, m_ui.thaiPane}) {
        pane->setGeometry(twipsToPixels(leftTwips), pane->y(), twipsToPixels(widthTwips),
                          pane->height());
    }
}

void SidePanels::toggleDirectoryPanel() {
    // The item has already toggled its own check mark: unchecked now means it was checked.
    if (!m_ui.directoryPanelAction->isChecked()) {
        m_ui.directoryPanel->hide();
        setPaneGeometry(250, 10000);
    } else {
        m_ui.directoryPanel->show();
        setPaneGeometry(2100, 8190);
    }
}

void SidePanels::closeDirectoryPanel() {
    m_ui.directoryPanelAction->setChecked(false);
    m_ui.directoryPanel->hide();
    setPaneGeometry(250, 11000);
}

void SidePanels::toggleMissingWordsPanel() {
    const bool on = m_ui.missingWordsCheck->isChecked();
    m_ui.missingWordsPanel->setVisible(on);
    settings::saveFlag(settings::keys::kShowMissingWords, on);
}

void SidePanels::toggleArrangementPanel() {
    const bool on = m_ui.arrangementCheck->isChecked();
    m_ui.arrangementPanel->setVisible(on);
    settings::saveFlag(settings::keys::kShowArrangement, on);
}

void SidePanels::toggleMeaningPanel() {
    if (m_ui.meaningCheck->isChecked()) {
        settings::saveFlag(settings::keys::kShowMeaning, true);
        m_showMeaning = true;
        m_ui.meaningPanel->show();
    } else {
        settings::saveFlag(settings::keys::kShowMeaningUnchecked, false);
        m_showMeaning = false;
        m_ui.englishPane->setToolTip(QStringLiteral("แสดงเอกสารภาษาอังกฤษ"));
        m_ui.meaningPanel->hide();
    }
}

void SidePanels::toggleTranslateOnSelect() {
    settings::saveFlag(settings::keys::kTranslateOnSelect,
                       m_ui.translateOnSelectCheck->isChecked());
}

void SidePanels::closeMissingWordsPanel() {
    m_ui.missingWordsPanel->hide();
    settings::saveFlag(settings::keys::kShowMissingWords, m_ui.missingWordsCheck->isChecked());
    m_ui.missingWordsCheck->setChecked(false);
}

void SidePanels::closeArrangementPanel() {
    m_ui.arrangementPanel->hide();
    settings::saveFlag(settings::keys::kShowArrangement, m_ui.arrangementCheck->isChecked());
    m_ui.arrangementCheck->setChecked(false);
}

void SidePanels::hideMeaningPanel() {
    m_ui.meaningPanel->hide();
}

void SidePanels::applyStoredSettings() {
    using namespace settings::keys;
    const QString englishColour = settings::getSetting(kEnglishBackground);
    const QString missingWords = settings::getSetting(kShowMissingWords);
    const QString thaiColour = settings::getSetting(kThaiBackground);
    const QString arrangement = settings::getSetting(kShowArrangementRead);
    const QString meaning = settings::getSetting(kShowMeaning);

    const bool meaningOn = meaning != QLatin1String("0");
    m_ui.meaningCheck->setChecked(meaningOn);
    m_showMeaning = meaningOn;
    m_ui.meaningPanel->setVisible(meaningOn);

    const bool missingOn = missingWords != QLatin1String("0");
    m_ui.missingWordsCheck->setChecked(missingOn);
    m_ui.missingWordsPanel->setVisible(missingOn);

    const bool arrangementOn = arrangement != QLatin1String("0");
    m_ui.arrangementCheck->setChecked(arrangementOn);
    m_ui.arrangementPanel->setVisible(arrangementOn);

    const qint32 white = 16777215;
    setPaneBackground(m_ui.englishPane,
                      settings::colorFromStored(settings::storedFromText(englishColour, white)));
    setPaneBackground(m_ui.thaiPane,
                      settings::colorFromStored(settings::storedFromText(thaiColour, white)));
}

}  // namespace shell

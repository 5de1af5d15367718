// A loaded main window for tests: its own settings file and dictionary in a
// temporary folder, the scripted platform installed, the window shown offscreen.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/session.h"
#include "dictionary/store.h"
#include "documents/document_commands.h"
#include "platform/scripted_platform.h"
#include "settings/store.h"
#include "shell/colour_palettes.h"
#include "shell/main_window.h"
#include "shell/side_panels.h"
#include "shell/status_line.h"
#include "shell/translation_run.h"
#include "shell/views/edit_commands.h"
#include "ui_main_window.h"

namespace shelltest {

inline dict::DictRecord noun(const char* en, const char* th) {
    dict::DictRecord r;
    r[dict::kWordEn] = en;
    r[dict::kWordNoun] = th;
    return r;
}

// The words every translating test uses.
inline std::vector<dict::DictRecord> smallDictionary() {
    return {noun("cat", "แมว"), noun("dog", "หมา"), noun("house", "บ้าน")};
}

class Fixture {
public:
    Fixture() : m_guard(m_platform) {
        settings::useSettingsFile(m_dir.filePath(QStringLiteral("settings.ini")));
        dictPath = m_dir.filePath(QStringLiteral("dict.db")).toStdString();
    }
    ~Fixture() {
        form.reset();
        dict::setCurrentDictionary(nullptr);
        settings::useSettingsFile(QString());
    }

    // Writes the dictionary, creates the window, runs its load and shows it.
    bool load(const std::vector<dict::DictRecord>& records = smallDictionary()) {
        if (!records.empty() && !dict::DictionaryStore::create(dictPath, records).isOk()) {
            return false;
        }
        form = std::make_unique<MainWindow>();
        form->setDictionaryPath(dictPath);
        const bool ok = form->load();
        form->show();
        return ok;
    }

    Ui::MainWindow& ui() { return form->ui(); }
    QString dirPath(const QString& name) const { return m_dir.filePath(name); }

    platform::ScriptedPlatform& platform() { return m_platform; }

    std::string dictPath;
    std::unique_ptr<MainWindow> form;

private:
    QTemporaryDir m_dir;
    platform::ScriptedPlatform m_platform;
    platform::ScopedPlatform m_guard;
};

// Runs `fn` on the next modal window once it is open (looking for it for up to
// five seconds), so commands that open one return.
// A poll still waiting when the test ends goes with the application.
inline void onNextModal(std::function<void(QWidget*)> fn) {
    auto* poll = new QTimer(qApp);
    QElapsedTimer waited;
    waited.start();
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, waited, fn = std::move(fn)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && waited.elapsed() < 5000) return;
        poll->stop();
        poll->deleteLater();
        if (modal != nullptr) fn(modal);
    });
    poll->start();
}

// Closes whatever modal window opens next.
inline void closeNextModal() {
    onNextModal([](QWidget* w) { w->close(); });
}

}  // namespace shelltest

// A platform for tests: every dialog answers from a queue filled by the test,
// every call is recorded with its arguments, and exitProcess only records the
// status so the test can check it.
#pragma once

#include "platform/platform.h"

#include <deque>
#include <vector>

namespace platform {

// One recorded call to the platform.
struct PlatformCall {
    enum class Kind { kMessage, kInput, kColor, kOpenFile, kSaveFile, kPrint, kOpenApp, kExit };
    Kind kind = Kind::kMessage;
    QString text;   // message text, input prompt, opened path, file dialog start
    QString title;  // title as passed (empty stays empty)
    QString extra;  // input initial text or file filter
    Buttons buttons = Buttons::kOk;
    Icon icon = Icon::kNone;
    QColor color;  // colour the colour dialog was opened on
    PrintRequest printRequest;
    int status = 0;  // exit status
};

class ScriptedPlatform final : public Platform {
public:
    // Queues the answers handed out in order; an empty queue gives the default.
    void queueMessageAnswer(Answer answer) { m_messageAnswers.push_back(answer); }
    void queueInput(std::optional<QString> answer) { m_inputAnswers.push_back(std::move(answer)); }
    void queueColor(const QColor& color) { m_colors.push_back(color); }
    void queueFileName(const QString& name) { m_fileNames.push_back(name); }
    void queuePrintChoice(PrintChoice choice) { m_printChoices.push_back(choice); }
    void setOpenWithDefaultAppResult(bool ok) { m_openResult = ok; }

    // Every call so far, oldest first.
    const std::vector<PlatformCall>& calls() const { return m_calls; }
    // Only the calls of one kind, oldest first.
    std::vector<PlatformCall> callsOf(PlatformCall::Kind kind) const;
    // The status passed to exitProcess, if it was called.
    std::optional<int> exitStatus() const { return m_exitStatus; }
    // Forgets the recorded calls and the exit status (the queues stay).
    void clearCalls();

    // No scripted answer: kOk for kOk buttons, kNo for kYesNo.
    Answer message(QWidget* parent, const QString& text, const QString& title, Buttons buttons,
                   Icon icon) override;
    // No scripted answer: cancelled.
    std::optional<QString> inputText(QWidget* parent, const QString& prompt, const QString& title,
                                     const QString& initial) override;
    // No scripted colour: `current` (closed without a choice).
    QColor chooseColor(QWidget* parent, const QColor& current) override;
    // No scripted name: the empty text (cancelled).
    QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& start) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& start) override;
    // No scripted choice: cancelled.
    PrintChoice print(QWidget* parent, QPrinter& printer, const PrintRequest& request) override;
    bool openWithDefaultApp(const QString& path) override;
    // Records the status; the process goes on.
    void exitProcess(int status) override;

private:
    // Appends a call of the given kind, for the caller to fill in at once.
    PlatformCall& record(PlatformCall::Kind kind);
    // Records a file-dialog call and answers the next scripted file name.
    QString fileName(PlatformCall::Kind kind, const QString& title, const QString& filter,
                     const QString& start);

    std::deque<Answer> m_messageAnswers;
    std::deque<std::optional<QString>> m_inputAnswers;
    std::deque<QColor> m_colors;
    std::deque<QString> m_fileNames;
    std::deque<PrintChoice> m_printChoices;
    bool m_openResult = true;
    std::vector<PlatformCall> m_calls;
    std::optional<int> m_exitStatus;
};

// Installs a platform for the lifetime of the guard, then restores the desktop one.
class ScopedPlatform final {
public:
    explicit ScopedPlatform(Platform& p) { setPlatform(&p); }
    ~ScopedPlatform() { setPlatform(nullptr); }
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;
};

}  // namespace platform

#include "platform/scripted_platform.h"

namespace platform {

namespace {

template <typename T>
std::optional<T> takeFront(std::deque<T>& queue) {
    if (queue.empty()) {
        return std::nullopt;
    }
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

}  // namespace

std::vector<PlatformCall> ScriptedPlatform::callsOf(PlatformCall::Kind kind) const {
    std::vector<PlatformCall> result;
    for (const PlatformCall& call : m_calls) {
        if (call.kind == kind) {
            result.push_back(call);
        }
    }
    return result;
}

PlatformCall& ScriptedPlatform::record(PlatformCall::Kind kind) {
    PlatformCall& call = m_calls.emplace_back();
    call.kind = kind;
    return call;
}

void ScriptedPlatform::clearCalls() {
    m_calls.clear();
    m_exitStatus.reset();
}

Answer ScriptedPlatform::message(QWidget*, const QString& text, const QString& title,
                                 Buttons buttons, Icon icon) {
    PlatformCall& call = record(PlatformCall::Kind::kMessage);
    call.text = text;
    call.title = title;
    call.buttons = buttons;
    call.icon = icon;
    if (auto answer = takeFront(m_messageAnswers)) {
        return *answer;
    }
    return buttons == Buttons::kYesNo ? Answer::kNo : Answer::kOk;
}

std::optional<QString> ScriptedPlatform::inputText(QWidget*, const QString& prompt,
                                                   const QString& title, const QString& initial) {
    PlatformCall& call = record(PlatformCall::Kind::kInput);
    call.text = prompt;
    call.title = title;
    call.extra = initial;
    if (auto answer = takeFront(m_inputAnswers)) {
        return *answer;
    }
    return std::nullopt;
}

QColor ScriptedPlatform::chooseColor(QWidget*, const QColor& current) {
    PlatformCall& call = record(PlatformCall::Kind::kColor);
    call.color = current;
    return takeFront(m_colors).value_or(current);
}

QString ScriptedPlatform::fileName(PlatformCall::Kind kind, const QString& title,
                                   const QString& filter, const QString& start) {
    PlatformCall& call = record(kind);
    call.text = start;
    call.title = title;
    call.extra = filter;
    return takeFront(m_fileNames).value_or(QString());
}

QString ScriptedPlatform::openFileName(QWidget*, const QString& title, const QString& filter,
                                       const QString& start) {
    return fileName(PlatformCall::Kind::kOpenFile, title, filter, start);
}

QString ScriptedPlatform::saveFileName(QWidget*, const QString& title, const QString& filter,
                                       const QString& start) {
    return fileName(PlatformCall::Kind::kSaveFile, title, filter, start);
}

PrintChoice ScriptedPlatform::print(QWidget*, QPrinter&, const PrintRequest& request) {
    PlatformCall& call = record(PlatformCall::Kind::kPrint);
    call.title = request.title;
    call.printRequest = request;
    return takeFront(m_printChoices).value_or(PrintChoice::kCancelled);
}

bool ScriptedPlatform::openWithDefaultApp(const QString& path) {
    PlatformCall& call = record(PlatformCall::Kind::kOpenApp);
    call.text = path;
    return m_openResult;
}

void ScriptedPlatform::exitProcess(int status) {
    PlatformCall& call = record(PlatformCall::Kind::kExit);
    call.status = status;
    m_exitStatus = status;
}

}  // namespace platform

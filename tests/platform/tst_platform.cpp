#include <QApplication>
#include <QPrinter>
#include <QTest>

#include "platform/desktop_platform.h"
#include "platform/scripted_platform.h"

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using platform::PlatformCall;
using platform::PrintChoice;
using platform::ScriptedPlatform;

class TestPlatform final : public QObject {
    Q_OBJECT

private slots:
    void installedPlatformIsUsedAndNullRestoresDesktop() {
        ScriptedPlatform scripted;
        platform::setPlatform(&scripted);
        QCOMPARE(&platform::platform(), static_cast<platform::Platform*>(&scripted));
        platform::setPlatform(nullptr);
        QCOMPARE(&platform::platform(), &platform::desktopPlatform());
        {
            platform::ScopedPlatform guard(scripted);
            QCOMPARE(&platform::platform(), static_cast<platform::Platform*>(&scripted));
        }
        QCOMPARE(&platform::platform(), &platform::desktopPlatform());
    }

    void defaultTitleIsApplicationName() {
        QCOMPARE(platform::defaultTitle(), QCoreApplication::applicationName());
        QVERIFY(!platform::defaultTitle().isEmpty());
    }

    void unscriptedMessagesAnswerOkOrNoAndAreRecorded() {
        ScriptedPlatform p;
        QCOMPARE(p.message(nullptr, "a", "", Buttons::kOk, Icon::kInformation), Answer::kOk);
        QCOMPARE(p.message(nullptr, "b", "T", Buttons::kYesNo, Icon::kQuestion), Answer::kNo);
        p.queueMessageAnswer(Answer::kYes);
        QCOMPARE(p.message(nullptr, "c", "T", Buttons::kYesNo, Icon::kWarning), Answer::kYes);
        QCOMPARE(p.message(nullptr, "d", "T", Buttons::kYesNo, Icon::kWarning), Answer::kNo);

        const auto messages = p.callsOf(PlatformCall::Kind::kMessage);
        QCOMPARE(messages.size(), std::size_t{4});
        QCOMPARE(messages[0].text, QString("a"));
        QCOMPARE(messages[0].title, QString());
        QCOMPARE(messages[0].icon, Icon::kInformation);
        QCOMPARE(messages[1].buttons, Buttons::kYesNo);
        QCOMPARE(messages[2].icon, Icon::kWarning);
    }

    void queuesAnswerInOrderThenFallBack() {
        ScriptedPlatform p;
        p.queueInput(QString("first"));
        p.queueInput(std::nullopt);
        QCOMPARE(p.inputText(nullptr, "prompt", "t", "init"), std::optional<QString>("first"));
        QCOMPARE(p.inputText(nullptr, "prompt", "t", "init"), std::nullopt);
        QCOMPARE(p.inputText(nullptr, "prompt", "t", "init"), std::nullopt);
        QCOMPARE(p.calls().front().extra, QString("init"));

        p.queueColor(Qt::red);
        QCOMPARE(p.chooseColor(nullptr, Qt::black), QColor(Qt::red));
        QCOMPARE(p.chooseColor(nullptr, Qt::blue), QColor(Qt::blue));
        QCOMPARE(p.callsOf(PlatformCall::Kind::kColor)[1].color, QColor(Qt::blue));

        p.queueFileName("/x/a.txt");
        QCOMPARE(p.openFileName(nullptr, "Open", "*.txt", "/x"), QString("/x/a.txt"));
        QCOMPARE(p.saveFileName(nullptr, "Save", "*.txt", "/x/a.txt"), QString());

        QPrinter printer;
        platform::PrintRequest request;
        request.title = "Print";
        request.pageNumbersEnabled = false;
        request.selectionChosen = true;
        p.queuePrintChoice(PrintChoice::kSelection);
        QCOMPARE(p.print(nullptr, printer, request), PrintChoice::kSelection);
        QCOMPARE(p.print(nullptr, printer, request), PrintChoice::kCancelled);
        const auto prints = p.callsOf(PlatformCall::Kind::kPrint);
        QCOMPARE(prints.size(), std::size_t{2});
        QVERIFY(!prints[0].printRequest.pageNumbersEnabled);
        QVERIFY(prints[0].printRequest.selectionChosen);
    }

    void exitIsRecordedNotPerformed() {
        ScriptedPlatform p;
        QCOMPARE(p.exitStatus(), std::nullopt);
        p.exitProcess(3);
        QCOMPARE(p.exitStatus(), std::optional<int>(3));
        QCOMPARE(p.calls().back().kind, PlatformCall::Kind::kExit);
        p.setOpenWithDefaultAppResult(false);
        QVERIFY(!p.openWithDefaultApp("/x/doc.rtf"));
        QCOMPARE(p.calls().back().text, QString("/x/doc.rtf"));
        p.clearCalls();
        QVERIFY(p.calls().empty());
        QCOMPARE(p.exitStatus(), std::nullopt);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"

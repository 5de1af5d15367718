#include "platform/desktop_platform.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QUrl>

#include "platform/thai_file_columns.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

QMessageBox::Icon toQtIcon(Icon icon) {
    switch (icon) {
        case Icon::kQuestion:
            return QMessageBox::Question;
        case Icon::kInformation:
            return QMessageBox::Information;
        case Icon::kWarning:
            return QMessageBox::Warning;
        case Icon::kCritical:
            return QMessageBox::Critical;
        case Icon::kNone:
            break;
    }
    return QMessageBox::NoIcon;
}

QString titleOrDefault(const QString& title) {
    return title.isEmpty() ? defaultTitle() : title;
}

// An open or save dialog: the desktop's own where it offers one, as Qt
// chooses by default, else Qt's, with its file columns in Thai. The empty
// text when cancelled.
QString askFileName(QWidget* parent, const QString& title, const QString& filter,
                    const QString& start, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, title, start, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setProxyModel(new ThaiFileColumns(&dialog));
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
}

// Every call opens the real dialog (or starts or ends the real process).
class DesktopPlatform final : public Platform {
public:
    Answer message(QWidget* parent, const QString& text, const QString& title, Buttons buttons,
                   Icon icon) override {
        QMessageBox box(parent);
        box.setIcon(toQtIcon(icon));
        box.setWindowTitle(titleOrDefault(title));
        box.setText(text);
        if (buttons == Buttons::kYesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
        } else {
            box.setStandardButtons(QMessageBox::Ok);
        }
        const int result = box.exec();
        if (buttons == Buttons::kYesNo) {
            return result == QMessageBox::Yes ? Answer::kYes : Answer::kNo;
        }
        return Answer::kOk;
    }

    std::optional<QString> inputText(QWidget* parent, const QString& prompt, const QString& title,
                                     const QString& initial) override {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, titleOrDefault(title), prompt,
                                                   QLineEdit::Normal, initial, &ok);
        if (!ok) {
            return std::nullopt;
        }
        return text;
    }

    QColor chooseColor(QWidget* parent, const QColor& current) override {
        QColorDialog dialog(current, parent);
        dialog.exec();
        // Closed without a choice, the dialog still holds the colour it opened with.
        return dialog.result() == QDialog::Accepted ? dialog.selectedColor() : current;
    }

    QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& start) override {
        return askFileName(parent, title, filter, start, QFileDialog::AcceptOpen);
    }

    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& start) override {
        return askFileName(parent, title, filter, start, QFileDialog::AcceptSave);
    }

    PrintChoice print(QWidget* parent, QPrinter& printer, const PrintRequest& request) override {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(titleOrDefault(request.title));
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, request.pageNumbersEnabled);
        dialog.setOption(QAbstractPrintDialog::PrintSelection,
                         request.selectionAvailable || request.selectionChosen);
        dialog.setPrintRange(request.selectionChosen ? QAbstractPrintDialog::Selection
                                                     : QAbstractPrintDialog::AllPages);
        if (!request.pageNumbersEnabled) {
            // Qt's own (non-native) dialog re-enables its page-range fields when it
            // shows, whatever the option says; switch them off once it is up.
            QTimer::singleShot(0, &dialog, [&dialog] {
                for (const char* name :
                     {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit"}) {
                    if (auto* w = dialog.findChild<QWidget*>(QLatin1String(name)))
                        w->setEnabled(false);
                }
            });
        }
        if (dialog.exec() != QDialog::Accepted) {
            return PrintChoice::kCancelled;
        }
        return dialog.printRange() == QAbstractPrintDialog::Selection ? PrintChoice::kSelection
                                                                      : PrintChoice::kAll;
    }

    bool openWithDefaultApp(const QString& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    }

    void exitProcess(int status) override {
        std::fflush(nullptr);
        std::_Exit(status);
    }
};

}  // namespace

Platform& desktopPlatform() {
    static DesktopPlatform instance;
    return instance;
}

QString defaultTitle() {
    QString name = QCoreApplication::applicationName();
    if (name.isEmpty()) {
        name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    }
    return name;
}

}  // namespace platform

#include "platform/qt_translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include "vantrel/build_info.h"

namespace platform {

QStringList qtTranslationFolders() {
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(QStringLiteral("translations")),
            QDir::cleanPath(program.filePath(QStringLiteral(VANTREL_DATA_FROM_BINDIR "/translations")))};
}

QString installQtTranslation() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString name = QString::fromLatin1(kQtTranslationName);
    for (const QString& folder : qtTranslationFolders()) {
        if (translator->load(name, folder)) {
            QCoreApplication::installTranslator(translator);
            return translator->filePath();
        }
    }
    delete translator;
    return QString();
}

}  // namespace platform

#include "platform/thai_file_columns.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLocale>
#include <QMimeDatabase>

namespace platform {
namespace {

// The columns of QFileSystemModel.
enum Column { kName, kSize, kType, kModified };

class FileDialogWatch final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* dialog = qobject_cast<QFileDialog*>(watched);
            if (dialog && !dialog->proxyModel()) dialog->setProxyModel(new ThaiFileColumns(dialog));
        }
        return false;
    }
};

}  // namespace

QString ThaiFileColumns::sizeText(qint64 bytes) {
    static const char* const kUnits[] = {"กิโลไบต์", "เมกะไบต์", "กิกะไบต์", "เทระไบต์"};
    if (bytes < 1024) return QStringLiteral("%1 ไบต์").arg(bytes);
    double amount = static_cast<double>(bytes) / 1024;
    std::size_t unit = 0;
    for (; amount >= 1024 && unit + 1 < std::size(kUnits); ++unit) amount /= 1024;
    return QStringLiteral("%1 %2").arg(amount, 0, 'f', 1).arg(QString::fromUtf8(kUnits[unit]));
}

QString ThaiFileColumns::typeText(const QFileInfo& info) {
    if (info.isDir()) return QStringLiteral("โฟลเดอร์");
    if (QMimeDatabase().mimeTypeForFile(info).inherits(QStringLiteral("text/plain")))
        return QStringLiteral("เอกสารข้อความ");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("แฟ้ม") : QStringLiteral("แฟ้ม ") + suffix.toUpper();
}

QVariant ThaiFileColumns::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || index.column() == kName)
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QFileInfo info = files->fileInfo(source);
    // A drive (the root) keeps what Qt says of it, which the translation has.
    if (info.isRoot()) return QIdentityProxyModel::data(index, role);
    switch (index.column()) {
        case kSize:
            return info.isDir() ? QString() : sizeText(files->size(source));
        case kType:
            return typeText(info);
        case kModified:
            return QLocale(QLocale::Thai, QLocale::Thailand)
                .toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            return QIdentityProxyModel::data(index, role);
    }
}

void giveFileDialogsThaiColumns() {
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new FileDialogWatch(app));
}

}  // namespace platform

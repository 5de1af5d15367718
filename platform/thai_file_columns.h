// The columns of Qt's own file dialog that Qt writes from the system's locale
// and the file-type names of the desktop, which stay English where those are
// (no file type has a Thai name there): the size, the type and the date of
// the last change, written in Thai instead.
#pragma once

#include <QIdentityProxyModel>
#include <QString>

class QFileInfo;

namespace platform {

class ThaiFileColumns final : public QIdentityProxyModel {
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // A file's size: "41 ไบต์", "2.0 กิโลไบต์" and so on, by steps of 1024.
    static QString sizeText(qint64 bytes);
    // A file's type: a folder, a text document, or a file named by its
    // extension.
    static QString typeText(const QFileInfo& info);
};

// Gives these columns to every file dialog of Qt's own that the application
// shows without a proxy model of its own, such as the one the print dialog
// opens to choose the file to print to.
void giveFileDialogsThaiColumns();

}  // namespace platform

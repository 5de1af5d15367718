// The directory panel: a volume list, a folder list and a file list filtered
// by a pattern box, attached to widgets the window owns.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QWidget;

namespace documents {

class DirectoryPanel final : public QObject {
    Q_OBJECT

public:
    // The message and title shown when a volume cannot be read.
    static inline const QString kDriveMessage = QStringLiteral("กรุณาตรวจสอบไดรฟ์");
    static inline const QString kDriveTitle = QStringLiteral("พบข้อผิดพลาด");

    // Attaches to the four widgets (not owned) and shows the current folder
    // (the home folder when the current one cannot be read).
    DirectoryPanel(QComboBox* drive, QListWidget* dir, QListWidget* file, QComboBox* pattern,
                   QWidget* dialogParent);

    // The mounted volumes, root first, the others in name order.
    static QStringList mountedVolumes();

    // Replaces the volume list (the root is always put first).
    void setVolumes(const QStringList& roots);

    // Shows `folder` in the folder and file lists; false (lists unchanged) when
    // it cannot be read.
    bool setFolder(const QString& folder);

    // Chooses the volume at `root` as the user would in the volume list.
    void chooseVolume(const QString& root);

    QString folder() const { return m_folder; }
    QString pattern() const { return m_pattern; }
    // Sets the file pattern ("*.txt", "*.*", or several joined by ";") and refreshes the files.
    void setPattern(const QString& pattern);
    // The folder shown by each entry of the folder list, in order.
    QStringList folderEntries() const;
    // The names in the file list, in order.
    QStringList fileNames() const;
    // The full path of the file named `name` in the shown folder.
    QString filePath(const QString& name) const;

Q_SIGNALS:
    // A file was double-clicked (or activated) in the file list.
    void fileChosen(const QString& path);

private:
    void volumeChanged(int index);
    void folderActivated(QListWidgetItem* item);
    void refreshFolders();
    // Selects the volume holding `folder` in the volume list, without showing its root.
    void showVolumeOf(const QString& folder);
    void refreshFiles();

    QComboBox* m_drive;
    QListWidget* m_dir;
    QListWidget* m_file;
    QComboBox* m_patternBox;
    QWidget* m_dialogParent;
    QString m_folder;
    QString m_pattern;  // every kind of document at first
    bool m_reverting = false;
};

}  // namespace documents

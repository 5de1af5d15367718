#include "documents/directory_panel.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

#include "documents/document_io.h"
#include "platform/platform.h"

namespace documents {

namespace {

const QString kRoot = QStringLiteral("/");
constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 10;

// Draws each folder entry indented by its depth, so the list reads as a tree
// while the names stay plain for the list's type-ahead search.
class IndentDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->rect.adjust(index.data(kDepthRole).toInt() * kIndentPixels, 0, 0, 0);
    }
};

}  // namespace

DirectoryPanel::DirectoryPanel(QComboBox* drive, QListWidget* dir, QListWidget* file,
                               QComboBox* pattern, QWidget* dialogParent)
    : QObject(drive),
      m_drive(drive),
      m_dir(dir),
      m_file(file),
      m_patternBox(pattern),
      m_dialogParent(dialogParent),
      m_pattern(documentPattern()) {
    {
        const QSignalBlocker blocker(m_patternBox);
        m_patternBox->clear();
        m_patternBox->setEditable(true);
        m_patternBox->setInsertPolicy(QComboBox::NoInsert);
        m_patternBox->addItems({documentPattern(), QStringLiteral("*.txt"), QStringLiteral("*.*")});
        m_patternBox->setEditText(m_pattern);
        m_patternBox->lineEdit()->setCursorPosition(0);  // the long pattern shows its start
    }
    connect(m_patternBox, &QComboBox::editTextChanged, this, &DirectoryPanel::setPattern);
    connect(m_patternBox, &QComboBox::textActivated, this, &DirectoryPanel::setPattern);
    m_dir->setItemDelegate(new IndentDelegate(m_dir));
    connect(m_drive, &QComboBox::currentIndexChanged, this, &DirectoryPanel::volumeChanged);
    connect(m_dir, &QListWidget::itemActivated, this, &DirectoryPanel::folderActivated);
    // A file is loaded on a double-click (and on Enter where a double-click
    // activates); where the desktop activates on a single click, a click only picks it.
    const auto choose = [this](QListWidgetItem* item) {
        Q_EMIT fileChosen(item->data(kPathRole).toString());
    };
    if (m_file->style()->styleHint(QStyle::SH_ItemView_ActivateItemOnSingleClick, nullptr,
                                   m_file) != 0) {
        connect(m_file, &QListWidget::itemDoubleClicked, this, choose);
    } else {
        connect(m_file, &QListWidget::itemActivated, this, choose);
    }
    setVolumes(mountedVolumes());
    // Started from a terminal the panel shows the shell's folder; started from
    // the desktop's menu that is the home folder.
    if (setFolder(QDir::currentPath()) || setFolder(QDir::homePath())) {
        showVolumeOf(m_folder);
    }
}

void DirectoryPanel::showVolumeOf(const QString& folder) {
    // The volume whose root is the longest leading part of the folder.
    int best = 0;
    for (int i = 1; i < m_drive->count(); ++i) {
        const QString root = m_drive->itemText(i);
        if ((folder == root || folder.startsWith(root + QLatin1Char('/'))) &&
            root.size() > m_drive->itemText(best).size()) {
            best = i;
        }
    }
    const QSignalBlocker blocker(m_drive);
    m_drive->setCurrentIndex(best);
}

QStringList DirectoryPanel::mountedVolumes() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady()) {
            roots << volume.rootPath();
        }
    }
    return roots;
}

void DirectoryPanel::setVolumes(const QStringList& roots) {
    QStringList others;
    for (const QString& root : roots) {
        if (root != kRoot && !others.contains(root)) {
            others << root;
        }
    }
    std::sort(others.begin(), others.end());
    const QSignalBlocker blocker(m_drive);
    m_drive->clear();
    m_drive->addItem(kRoot);
    m_drive->addItems(others);
    m_drive->setCurrentIndex(0);
    setFolder(kRoot);
}

void DirectoryPanel::chooseVolume(const QString& root) {
    const int index = m_drive->findText(root);
    if (index >= 0) {
        m_drive->setCurrentIndex(index);
    }
}

void DirectoryPanel::volumeChanged(int index) {
    if (index < 0 || m_reverting) {
        return;
    }
    if (setFolder(m_drive->itemText(index))) {
        return;
    }
    platform::platform().message(m_dialogParent, kDriveMessage, kDriveTitle, platform::Buttons::kOk,
                                 platform::Icon::kCritical);
    m_reverting = true;
    m_drive->setCurrentIndex(0);
    m_reverting = false;
    setFolder(kRoot);
}

bool DirectoryPanel::setFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !QDir(folder).isReadable()) {
        return false;
    }
    m_folder = QDir::cleanPath(info.absoluteFilePath());
    refreshFolders();
    refreshFiles();
    return true;
}

void DirectoryPanel::folderActivated(QListWidgetItem* item) {
    const QString target = item->data(kPathRole).toString();
    if (!setFolder(target)) {
        platform::platform().message(m_dialogParent, kDriveMessage, kDriveTitle,
                                     platform::Buttons::kOk, platform::Icon::kCritical);
    }
}

void DirectoryPanel::refreshFolders() {
    // As a folder tree: the root and every folder down to the shown one, then
    // its subfolders one step further in; activating any entry shows it.
    m_dir->clear();
    m_dir->setToolTip(m_folder);
    const auto addEntry = [this](const QString& name, const QString& path, int depth) {
        auto* item = new QListWidgetItem(name, m_dir);
        item->setData(kPathRole, path);
        item->setData(kDepthRole, depth);
        return item;
    };
    QListWidgetItem* current = addEntry(kRoot, kRoot, 0);
    QString path = kRoot;
    int depth = 0;
    for (const QString& part : m_folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path = QDir(path).filePath(part);
        current = addEntry(part, path, ++depth);
    }
    const QFileInfoList entries = QDir(m_folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                               QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        addEntry(entry.fileName(), entry.absoluteFilePath(), depth + 1);
    }
    m_dir->setCurrentItem(current);
    m_dir->scrollToItem(current, QAbstractItemView::PositionAtTop);
}

void DirectoryPanel::setPattern(const QString& pattern) {
    m_pattern = pattern;
    refreshFiles();
}

void DirectoryPanel::refreshFiles() {
    m_file->clear();
    if (m_folder.isEmpty()) {
        return;
    }
    QStringList filters;
    for (const QString& part : m_pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = part.trimmed();
        // "*.*" matches every file, also those without a dot in the name.
        filters << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
    }
    if (filters.isEmpty()) {
        return;
    }
    const QFileInfoList entries =
        QDir(m_folder).entryInfoList(filters, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        auto* item = new QListWidgetItem(entry.fileName(), m_file);
        item->setData(kPathRole, entry.absoluteFilePath());
    }
}

QStringList DirectoryPanel::fileNames() const {
    QStringList names;
    for (int i = 0; i < m_file->count(); ++i) {
        names << m_file->item(i)->text();
    }
    return names;
}

QStringList DirectoryPanel::folderEntries() const {
    QStringList paths;
    for (int i = 0; i < m_dir->count(); ++i) {
        paths << m_dir->item(i)->data(kPathRole).toString();
    }
    return paths;
}

QString DirectoryPanel::filePath(const QString& name) const {
    return QDir(m_folder).filePath(name);
}

}  // namespace documents

// The mirror of the Thai pane: one per-user file "tmp.txt" holding the pane's
// whole text, rewritten on every change, which the Thai document is printed from.
#pragma once

#include <QString>

class QWidget;

namespace documents {

class MirrorFile final {
public:
    // The mirror in `directory`; the empty text means the per-user default.
    explicit MirrorFile(QString directory = QString());

    // The per-user folder of the mirror: the user's cache folder (else the
    // runtime folder) with the program's own subfolder.
    static QString defaultDirectory();

    // The full path of the mirror file.
    QString path() const;

    // Replaces the mirror with a new file holding `text`, readable by the user
    // alone in a folder only the user may enter; a link planted at the file's
    // or the folder's name is replaced, never written through. The first
    // failure after a success is reported over `parent`, repeats stay silent.
    // Returns whether it was written.
    bool write(const QString& text, QWidget* parent = nullptr);

private:
    QString m_directory;
    bool m_failureReported = false;
};

}  // namespace documents

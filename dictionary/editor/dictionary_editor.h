// The dictionary editor: shows one record at a time with one meaning and its
// part-of-speech label, steps through the table, finds a headword, adds,
// changes and deletes words. Every access goes through the browse view of the
// dictionary opened last. Create one for each opening, call load, then
// exec(); it moves to the first record and applies the opening when shown.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

namespace Ui {
class DictionaryEditor;
}
namespace dict {
class BrowseView;
class Status;
}  // namespace dict

// How the main window opens the editor.
struct EditorOpening {
    enum Kind {
        kMenu,         // at the first record
        kMissingWord,  // in add mode with `word` typed in
        kListWord,     // at the record of `word`, an English word of the arrangement list
    };
    Kind kind = kMenu;
    QString word;
};

class DictionaryEditor final : public QDialog {
    Q_OBJECT

public:
    // The caption of the window.
    static const QString kCaption;

    // `clearOpeningFlags` clears the main window's opening flags; the window
    // calls it when it is closed (button, frame or Escape). It may be empty.
    DictionaryEditor(EditorOpening opening, std::function<void()> clearOpeningFlags,
                     QWidget* parent = nullptr);
    ~DictionaryEditor() override;

    // Reopens the dictionary file opened last (or dict.db beside the
    // executable), replacing the program-wide views. Returns false when that
    // fails: the user was shown the file and the reason, and the views opened
    // before stay in use.
    bool load();

    // Moves to the last, then the first record and shows it, then applies the
    // opening; on an empty table tells the user and starts adding. Runs once
    // by itself when the window is first shown.
    void activate();

    // Shows the headword and the first meaning present of the current record.
    void showRecord();
    // Shows the position " / " count, or "เพิ่มข้อมูล" while adding.
    void showPosition();
    // Empties the headword and meaning, focuses the headword, and disables
    // the four navigation buttons.
    void clearFields();
    // Names the dictionary file in use and, while it is the shipped copy,
    // where the first change will be saved.
    void showDictionaryFile();

    bool addMode() const { return m_addMode; }
    const QString& searchWord() const { return m_searchWord; }

public Q_SLOTS:
    // Closing by any means runs the close button's steps: the opening flags
    // are cleared and a pending add or unsaved typing is dropped.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startAdding();     // add
    void saveRecord();      // save
    void deleteRecord();    // delete
    void giveBackRecord();  // give a record of the user's back to the shipped dictionary
    void searchHeadword();  // search
    void cancelPending();   // cancel
    void moveToFirst();     // first
    void moveToPrevious();  // previous
    void moveToLast();      // last
    void moveToNext();      // next

    // Makes `move` in the browse view and shows where it landed; a step past
    // either end comes back to the record at that end.
    void moveBy(dict::Status (dict::BrowseView::*move)());
    // The browse view of the dictionary opened last, or nullptr.
    dict::BrowseView* browse() const;
    dict::Status showCurrent();
    // Writes the controls into the pending add, or opens and writes a change.
    dict::Status writePending();
    // Drops a pending add or change and shows the record that was current;
    // false when there is none (the table is empty), which shows the empty state.
    bool dropPending();
    // After a save or delete reached the store (whose first write copies a
    // shipped dictionary to the user's place): names the file now in use and
    // shows a failure other than a duplicate headword as `failure` with the
    // store's reason (file name included) for its "%1".
    void afterWrite(const dict::Status& status, const QString& failure);
    // Shows whether the current record is the user's own and whether it can
    // be given back to the shipped dictionary.
    void showOwnership();
    void findWord(const QString& word);
    void showEmptyTable();
    void updateButtons();

    std::unique_ptr<Ui::DictionaryEditor> m_ui;
    EditorOpening m_opening;
    std::function<void()> m_clearOpeningFlags;
    bool m_addMode = false;
    bool m_empty = false;  // no record to show or return to
    bool m_activated = false;
    QString m_searchWord;
};

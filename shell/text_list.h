// The visible lists of the main window (arrangementList, missingWordsList) as the engine's
// work lists: a list model over a compact store of the run's entries, shown in a QListView.
#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include <string_view>

#include "engine/worklist.h"

// The items the engine appends, each distinct text stored once
// (engine::InternedTextList: a long run repeats most arrangement entries many
// times). A row becomes a QString only while a view draws it. Appends wait unseen until
// showAppended(), so a run that adds a million entries inserts them into the view a batch at a
// time.
class TextListModel final : public QAbstractListModel, public engine::WorkList {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Shows the items appended since the last call as new rows.
    void showAppended();
    // Text of row i, or the empty text past the end.
    QString at(int row) const;
    // Copies of every item, for tests and short lists.
    QStringList items() const;

    // engine::WorkList: clear() empties the rows at once, append() waits for
    // showAppended(); count() and item() see every item appended.
    void clear() override;
    void append(std::string_view item) override { m_items.append(item); }
    std::size_t count() const override { return m_items.count(); }
    std::string_view item(std::size_t index) const override { return m_items.view(index); }

private:
    engine::InternedTextList m_items;
    int m_shown = 0;  // rows the view knows of
};

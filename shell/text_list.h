// The visible lists of the main window (arrangementList, missingWordsList) as the engine's
// work lists: a plain list model shown in a QListView, fed in batches.
#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include <string>
#include <vector>

#include "engine/worklist.h"

// A list of display texts; rows are only ever appended in batches or cleared.
class TextListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Appends all of `items` as one insertion.
    void append(const QStringList& items);
    void clear();
    // Text of row i, or the empty text past the end.
    QString at(int row) const;
    const QStringList& items() const { return m_items; }

private:
    QStringList m_items;
};

// Engine work list over a TextListModel. Appends wait in a pending batch until
// flush(), so a run that adds hundreds of thousands of entries inserts them
// into the view a few hundred at a time; count() and item() see both parts.
class ListWorkList final : public engine::WorkList {
public:
    explicit ListWorkList(TextListModel& model) : m_model(model) {}

    void clear() override;
    void append(std::string item) override;
    std::size_t count() const override;
    std::string item(std::size_t index) const override;

    // Moves the pending entries into the model.
    void flush();

private:
    TextListModel& m_model;
    std::vector<std::string> m_pending;
};

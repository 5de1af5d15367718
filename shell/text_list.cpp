#include "shell/text_list.h"

int TextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_items.size());
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_items.size() || role != Qt::DisplayRole) {
        return {};
    }
    return m_items.at(index.row());
}

void TextListModel::append(const QStringList& items) {
    if (items.isEmpty()) {
        return;
    }
    const int first = static_cast<int>(m_items.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(items.size()) - 1);
    m_items.append(items);
    endInsertRows();
}

void TextListModel::clear() {
    beginResetModel();
    m_items.clear();
    endResetModel();
}

QString TextListModel::at(int row) const {
    return row >= 0 && row < m_items.size() ? m_items.at(row) : QString();
}

void ListWorkList::clear() {
    m_pending.clear();
    m_model.clear();
}

void ListWorkList::append(std::string item) {
    m_pending.push_back(std::move(item));
}

std::size_t ListWorkList::count() const {
    return static_cast<std::size_t>(m_model.rowCount()) + m_pending.size();
}

std::string ListWorkList::item(std::size_t index) const {
    const auto rows = static_cast<std::size_t>(m_model.rowCount());
    if (index < rows) {
        return m_model.at(static_cast<int>(index)).toStdString();
    }
    index -= rows;
    return index < m_pending.size() ? m_pending[index] : std::string();
}

void ListWorkList::flush() {
    if (m_pending.empty()) {
        return;
    }
    QStringList batch;
    batch.reserve(static_cast<qsizetype>(m_pending.size()));
    for (const std::string& s : m_pending) {
        batch.append(QString::fromStdString(s));
    }
    m_pending.clear();
    m_model.append(batch);
}

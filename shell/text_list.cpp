#include "shell/text_list.h"

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int TextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shown;
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_shown || role != Qt::DisplayRole) {
        return {};
    }
    return toQString(item(static_cast<std::size_t>(index.row())));
}

void TextListModel::showAppended() {
    const int total = static_cast<int>(m_items.count());
    if (total <= m_shown) {
        return;
    }
    beginInsertRows(QModelIndex(), m_shown, total - 1);
    m_shown = total;
    endInsertRows();
}

QString TextListModel::at(int row) const {
    return row >= 0 ? toQString(item(static_cast<std::size_t>(row))) : QString();
}

QStringList TextListModel::items() const {
    QStringList out;
    out.reserve(static_cast<qsizetype>(m_items.count()));
    for (std::size_t i = 0; i < m_items.count(); ++i) {
        out.append(toQString(item(i)));
    }
    return out;
}

void TextListModel::clear() {
    beginResetModel();
    m_items.release();
    m_shown = 0;
    endResetModel();
}

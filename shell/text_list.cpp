#include "shell/text_list.h"

#include <functional>

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::uint32_t hashText(std::string_view text) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
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
    const int total = static_cast<int>(m_rows.size());
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
    out.reserve(static_cast<qsizetype>(m_rows.size()));
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        out.append(toQString(item(i)));
    }
    return out;
}

void TextListModel::clear() {
    beginResetModel();
    m_texts.release();
    m_rows = {};
    m_slots = {};
    m_shown = 0;
    endResetModel();
}

std::string_view TextListModel::item(std::size_t index) const {
    return index < m_rows.size() ? m_texts.view(m_rows[index]) : std::string_view();
}

void TextListModel::append(std::string_view text) {
    if ((m_texts.count() + 1) * 2 > m_slots.size()) {
        growSlots();
    }
    const std::uint32_t hash = hashText(text);
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    for (; m_slots[i].text != 0; i = (i + 1) & mask) {
        if (m_slots[i].hash == hash && m_texts.view(m_slots[i].text - 1) == text) {
            m_rows.push_back(m_slots[i].text - 1);
            return;
        }
    }
    const auto index = static_cast<std::uint32_t>(m_texts.count());
    m_texts.append(text);
    m_slots[i] = Slot{index + 1, hash};
    m_rows.push_back(index);
}

void TextListModel::growSlots() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& s : old) {
        if (s.text == 0) {
            continue;
        }
        std::size_t i = s.hash & mask;
        while (m_slots[i].text != 0) {
            i = (i + 1) & mask;
        }
        m_slots[i] = s;
    }
}

#include "app/line_list_model.h"

#include "text/gbk_unicode.h"

namespace wy {

int LineListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant LineListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        std::string utf8 = GbkToUtf8(items_[static_cast<std::size_t>(index.row())]);
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }
    if (role == Qt::SizeHintRole && itemHeight_ > 0) return QSize(1, itemHeight_);
    return {};
}

std::string_view LineListModel::itemText(int row) const {
    if (row < 0 || row >= count()) return {};
    return items_[static_cast<std::size_t>(row)];
}

void LineListModel::setItems(TextArray items) {
    beginResetModel();
    items_ = std::move(items);
    endResetModel();
}

void LineListModel::clear() { setItems({}); }

void LineListModel::append(std::string_view line) {
    beginInsertRows({}, count(), count());
    items_.add(line);
    endInsertRows();
}

void LineListModel::removeAt(int row) {
    if (row < 0 || row >= count()) return;
    beginRemoveRows({}, row, row);
    items_.removeAt(static_cast<std::size_t>(row));
    endRemoveRows();
}

void LineListModel::replaceAt(int row, std::string_view line) {
    if (row < 0 || row >= count()) return;
    items_.replaceAt(static_cast<std::size_t>(row), line);
    emit dataChanged(index(row), index(row));
}

}  // namespace wy

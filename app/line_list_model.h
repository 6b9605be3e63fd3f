// The items of the list box: GBK byte strings, decoded only for display, so
// a line that is not valid GBK keeps its bytes through selection and editing.
#pragma once

#include <QAbstractListModel>
#include <QSize>

#include "text/text_array.h"

namespace wy {

class LineListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    int count() const { return static_cast<int>(items_.size()); }
    // The item's bytes; empty for a row outside the list.
    std::string_view itemText(int row) const;
    const TextArray& items() const { return items_; }

    // Replaces every item in one model reset, so a million lines list at once.
    void setItems(TextArray items);
    void clear();
    void append(std::string_view line);
    void removeAt(int row);
    void replaceAt(int row, std::string_view line);

    void setItemHeight(int height) { itemHeight_ = height; }

private:
    TextArray items_;
    int itemHeight_ = 0;
};

}  // namespace wy

#include "standin/qt/contact_model.h"

namespace standin_qt {

using standin::Column;

ContactModel::ContactModel(standin::ShownContacts& contacts, QObject* parent)
    : QAbstractTableModel(parent), contacts_(contacts) {
  contacts_.onChange([this] { beginResetModel(); },
                     [this] {
                       endResetModel();
                       emit shownChanged();
                     });
}

ContactModel::~ContactModel() {
  contacts_.onChange({}, {});
}

int ContactModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(contacts_.size());
}

int ContactModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : standin::kColumnCount;
}

QVariant ContactModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole || index.row() >= rowCount()) return {};
  return QString::fromStdString(standin::fieldOf(
      contacts_.at(static_cast<std::size_t>(index.row())), static_cast<Column>(index.column())));
}

QVariant ContactModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= standin::kColumnCount) return {};
  return QString::fromUtf8(standin::columnCaption(static_cast<Column>(section)));
}

void ContactModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= standin::kColumnCount) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  const std::vector<int>& shown = contacts_.rows();
  std::vector<int> rowsBefore;
  rowsBefore.reserve(static_cast<std::size_t>(before.size()));
  for (const QModelIndex& index : before) {
    rowsBefore.push_back(shown[static_cast<std::size_t>(index.row())]);
  }
  contacts_.sortBy(static_cast<Column>(column), order == Qt::DescendingOrder);
  // Persistent indexes (the selection, the current cell) follow their contact.
  if (!before.isEmpty()) {
    std::vector<int> positionOfRow(contacts_.table().contacts().size(), -1);
    for (std::size_t i = 0; i < shown.size(); ++i) {
      positionOfRow[static_cast<std::size_t>(shown[i])] = static_cast<int>(i);
    }
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
      const int newRow =
          positionOfRow[static_cast<std::size_t>(rowsBefore[static_cast<std::size_t>(i)])];
      after.push_back(index(newRow, before[i].column()));
    }
    changePersistentIndexList(before, after);
  }
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace standin_qt

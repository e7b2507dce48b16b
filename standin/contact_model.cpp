#include "standin/contact_model.h"

#include <algorithm>
#include <numeric>

namespace standin {
namespace {

const QString& field(const Contact& contact, int column) {
  switch (column) {
    case ContactModel::kCompany:
      return contact.company;
    case ContactModel::kName:
      return contact.name;
    case ContactModel::kCity:
      return contact.city;
    case ContactModel::kPhone:
      return contact.phone;
    default:
      return contact.id;
  }
}

}  // namespace

ContactModel::ContactModel(QObject* parent) : QAbstractTableModel(parent) {}

void ContactModel::setTable(ContactTable table) {
  beginResetModel();
  table_ = std::move(table);
  shown_.clear();
  endResetModel();
  showAll();
}

void ContactModel::showAll() {
  beginResetModel();
  shown_.resize(table_.contacts().size());
  std::iota(shown_.begin(), shown_.end(), 0);
  lookupActive_ = false;
  endResetModel();
  emit shownChanged();
}

void ContactModel::showLookup(std::vector<int> rows) {
  beginResetModel();
  shown_ = std::move(rows);
  lookupActive_ = true;
  endResetModel();
  emit shownChanged();
}

const Contact& ContactModel::contactAt(int row) const {
  return table_.contacts()[static_cast<std::size_t>(shown_[static_cast<std::size_t>(row)])];
}

int ContactModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int ContactModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ContactModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole || index.row() >= rowCount()) return {};
  return field(contactAt(index.row()), index.column());
}

QVariant ContactModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  switch (section) {
    case kCompany:
      return QStringLiteral("Firma");
    case kName:
      return QStringLiteral("Name");
    case kCity:
      return QStringLiteral("Ort");
    case kPhone:
      return QStringLiteral("Telefon");
    case kId:
      return QStringLiteral("ID");
    default:
      return {};
  }
}

void ContactModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= kColumnCount) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> rowsBefore;
  rowsBefore.reserve(static_cast<std::size_t>(before.size()));
  for (const QModelIndex& index : before) {
    rowsBefore.push_back(shown_[static_cast<std::size_t>(index.row())]);
  }
  const auto& contacts = table_.contacts();
  std::stable_sort(shown_.begin(), shown_.end(), [&](int a, int b) {
    const int c =
        QString::compare(field(contacts[static_cast<std::size_t>(a)], column),
                         field(contacts[static_cast<std::size_t>(b)], column), Qt::CaseInsensitive);
    return order == Qt::AscendingOrder ? c < 0 : c > 0;
  });
  // Persistent indexes (the selection, the current cell) follow their contact.
  if (!before.isEmpty()) {
    std::vector<int> positionOfRow(contacts.size(), -1);
    for (std::size_t i = 0; i < shown_.size(); ++i) {
      positionOfRow[static_cast<std::size_t>(shown_[i])] = static_cast<int>(i);
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

}  // namespace standin

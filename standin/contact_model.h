#pragma once
// The contacts the stand-in shows, as a table model: all contacts of the open
// table, or the rows of the current lookup in the order ACT! was handed them.
// Rows are indexes into the table's vector, so a lookup of 100,000 contacts
// is one vector and one model reset.

#include <QAbstractTableModel>
#include <vector>

#include "standin/contact_table.h"

namespace standin {

class ContactModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kCompany, kName, kCity, kPhone, kId, kColumnCount };

  explicit ContactModel(QObject* parent = nullptr);

  // Replaces the table and shows all of its contacts.
  void setTable(ContactTable table);
  const ContactTable& table() const { return table_; }

  // Shows every contact in file order; ends a lookup.
  void showAll();
  // Shows exactly these rows of the table, in this order, as the current lookup.
  void showLookup(std::vector<int> rows);

  bool lookupActive() const { return lookupActive_; }
  // The contact shown in `row` of the model.
  const Contact& contactAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  // Sorts the shown rows by one column, letter case ignored; rows that
  // compare equal keep their order.
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

 signals:
  // The shown rows or the lookup state changed.
  void shownChanged();

 private:
  ContactTable table_;
  std::vector<int> shown_;
  bool lookupActive_ = false;
};

}  // namespace standin

#pragma once
// The shown contacts (standin/shown_contacts.h) as a Qt table model for the
// main window's list. Every change of what is shown resets the model; a sort
// that the user asks for by clicking a header keeps the selection on its
// contacts.

#include <QAbstractTableModel>

#include "standin/shown_contacts.h"

namespace standin_qt {

class ContactModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Follows `contacts` from now on; `contacts` must outlive the model.
  explicit ContactModel(standin::ShownContacts& contacts, QObject* parent = nullptr);
  ~ContactModel() override;

  standin::ShownContacts& contacts() { return contacts_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

 signals:
  // The shown rows or the lookup state changed.
  void shownChanged();

 private:
  standin::ShownContacts& contacts_;
};

}  // namespace standin_qt

#pragma once
// The stand-in's main window: the shown contacts in a sortable table, a status
// line with their number and whether a lookup is active, a "Web-Links" menu
// with the links of the web-link folder, and File > Open for another contact
// table. The window shows what the model holds; it loads nothing itself
// except through the `openTable` callback.

#include <QMainWindow>
#include <functional>
#include <vector>

#include "standin/net_links.h"
#include "standin/qt/contact_model.h"

class QLabel;
class QTableView;

namespace standin_qt {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `openTable` loads a table file into the model; it returns an error text
  // (German) or the empty text. `windowTitleFor` gives the title for a table
  // path.
  MainWindow(ContactModel& model, std::vector<standin::WebLink> links,
             std::function<QString(const QString&)> openTable,
             std::function<QString(const QString&)> windowTitleFor);

  // The status line's text, for tests.
  QString statusText() const;

 private:
  void updateStatus();
  void chooseTable();

  ContactModel& model_;
  std::function<QString(const QString&)> openTable_;
  std::function<QString(const QString&)> windowTitleFor_;
  QTableView* table_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace standin_qt

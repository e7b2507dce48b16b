#include "standin/qt/main_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QStatusBar>
#include <QTableView>
#include <QUrl>

namespace standin_qt {
namespace {

void openAddress(const QString& address) {
  // xdg-open copes with what Qt's own handler lacks (no desktop session).
  if (!QDesktopServices::openUrl(QUrl::fromUserInput(address))) {
    QProcess::startDetached(QStringLiteral("xdg-open"), {address});
  }
}

}  // namespace

MainWindow::MainWindow(ContactModel& model, std::vector<standin::WebLink> links,
                       std::function<QString(const QString&)> openTable,
                       std::function<QString(const QString&)> windowTitleFor)
    : model_(model), openTable_(std::move(openTable)), windowTitleFor_(std::move(windowTitleFor)) {
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("contacts"));
  table_->setModel(&model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Sorting starts only when the user clicks a header: the table's order and
  // lookups keep ACT!'s order. (Enabling sorting sorts at once by the header's
  // indicator, which starts on the first column, descending: clear it first.)
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  table_->setSortingEnabled(true);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->setColumnWidth(static_cast<int>(standin::Column::kCompany), 220);
  table_->setColumnWidth(static_cast<int>(standin::Column::kName), 180);
  table_->setColumnWidth(static_cast<int>(standin::Column::kCity), 120);
  table_->setColumnWidth(static_cast<int>(standin::Column::kPhone), 120);
  setCentralWidget(table_);

  QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
  QAction* open = file->addAction(QStringLiteral("Ö&ffnen ..."), this, &MainWindow::chooseTable);
  open->setShortcut(QKeySequence::Open);
  file->addSeparator();
  file->addAction(QStringLiteral("&Beenden"), this, &QWidget::close);

  QMenu* web = menuBar()->addMenu(QStringLiteral("&Web-Links"));
  web->setObjectName(QStringLiteral("webLinks"));
  if (links.empty()) web->addAction(QStringLiteral("(keine Web-Links)"))->setEnabled(false);
  for (const standin::WebLink& link : links) {
    QAction* action = web->addAction(QString::fromStdString(link.caption));
    const QString address = QString::fromStdString(link.address);
    action->setToolTip(address);
    connect(action, &QAction::triggered, this, [address] { openAddress(address); });
  }

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));
  statusBar()->addWidget(status_, 1);
  connect(&model_, &ContactModel::shownChanged, this, &MainWindow::updateStatus);
  connect(&model_, &ContactModel::shownChanged, this, [this] {
    if (model_.contacts().lookupActive()) {
      table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    }
  });
  updateStatus();
  resize(900, 500);
}

QString MainWindow::statusText() const {
  return status_->text();
}

void MainWindow::updateStatus() {
  status_->setText(QString::fromStdString(model_.contacts().statusText()));
}

void MainWindow::chooseTable() {
  const QString path =
      QFileDialog::getOpenFileName(this, QStringLiteral("Kontakttabelle öffnen"),
                                   QString::fromStdString(model_.contacts().table().path()),
                                   QStringLiteral("Kontakttabellen (*.dbf *.DBF)"));
  if (path.isEmpty()) return;
  const QString error = openTable_(path);
  if (!error.isEmpty()) {
    QMessageBox::warning(this, QStringLiteral("ACT!"), error);
    return;
  }
  setWindowTitle(windowTitleFor_(QString::fromStdString(model_.contacts().table().path())));
}

}  // namespace standin_qt

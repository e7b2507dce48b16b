#include "standin/main_window.h"

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

namespace standin {
namespace {

void openAddress(const QString& address) {
  // xdg-open copes with what Qt's own handler lacks (no desktop session).
  if (!QDesktopServices::openUrl(QUrl::fromUserInput(address))) {
    QProcess::startDetached(QStringLiteral("xdg-open"), {address});
  }
}

}  // namespace

MainWindow::MainWindow(ContactModel& model, std::vector<WebLink> links,
                       std::function<QString(const QString&)> openTable,
                       std::function<QString(const QString&)> windowTitleFor)
    : model_(model), openTable_(std::move(openTable)), windowTitleFor_(std::move(windowTitleFor)) {
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("contacts"));
  table_->setModel(&model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSortingEnabled(true);
  // Sorting starts only when the user clicks a header: lookups keep ACT!'s order.
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->setColumnWidth(ContactModel::kCompany, 220);
  table_->setColumnWidth(ContactModel::kName, 180);
  table_->setColumnWidth(ContactModel::kCity, 120);
  table_->setColumnWidth(ContactModel::kPhone, 120);
  setCentralWidget(table_);

  QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
  QAction* open = file->addAction(QStringLiteral("Ö&ffnen ..."), this, &MainWindow::chooseTable);
  open->setShortcut(QKeySequence::Open);
  file->addSeparator();
  file->addAction(QStringLiteral("&Beenden"), this, &QWidget::close);

  QMenu* web = menuBar()->addMenu(QStringLiteral("&Web-Links"));
  web->setObjectName(QStringLiteral("webLinks"));
  if (links.empty()) web->addAction(QStringLiteral("(keine Web-Links)"))->setEnabled(false);
  for (WebLink& link : links) {
    QAction* action = web->addAction(link.caption);
    action->setToolTip(link.address);
    connect(action, &QAction::triggered, this, [address = link.address] { openAddress(address); });
  }

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));
  statusBar()->addWidget(status_, 1);
  connect(&model_, &ContactModel::shownChanged, this, &MainWindow::updateStatus);
  connect(&model_, &ContactModel::shownChanged, this, [this] {
    if (model_.lookupActive()) table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  });
  updateStatus();
  resize(900, 500);
}

QString MainWindow::statusText() const {
  return status_->text();
}

void MainWindow::updateStatus() {
  const int count = model_.rowCount();
  const QString contacts =
      count == 1 ? QStringLiteral("1 Kontakt") : QStringLiteral("%1 Kontakte").arg(count);
  status_->setText(model_.lookupActive()
                       ? QStringLiteral("%1 angezeigt – Lookup aktiv").arg(contacts)
                       : QStringLiteral("%1 angezeigt – alle Kontakte").arg(contacts));
}

void MainWindow::chooseTable() {
  const QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("Kontakttabelle öffnen"), model_.table().path(),
      QStringLiteral("Kontakttabellen (*.dbf *.DBF)"));
  if (path.isEmpty()) return;
  const QString error = openTable_(path);
  if (!error.isEmpty()) {
    QMessageBox::warning(this, QStringLiteral("ACT!"), error);
    return;
  }
  setWindowTitle(windowTitleFor_(model_.table().path()));
}

}  // namespace standin

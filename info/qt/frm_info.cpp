#include "info/qt/frm_info.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "info/program_version.h"
#include "info/qt/frm_screenshot.h"
#include "info/qt/picture_label.h"
#include "info/vendor.h"
#include "platform/qt/dialog_style.h"
#include "platform/shell_execute.h"
#include "resources/pictures.h"

namespace info_qt {
namespace {

using platform_qt::twipsRect;
using platform_qt::twipsToPixels;

QLabel* selfSizingLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                        const QFont& font) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setAccessibleName(text);
  label->setFont(font);
  label->move(twipsToPixels(left), twipsToPixels(top));
  label->adjustSize();
  return label;
}

// A horizontal rule from x1 to x2 at y (twips), one pixel thick.
void horizontalLine(QWidget* parent, const char* name, int x1, int y, int x2) {
  auto* line = new QFrame(parent);
  line->setObjectName(QLatin1String(name));
  line->setAccessibleName(QStringLiteral("Trennlinie"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Plain);
  line->setLineWidth(1);
  line->setGeometry(twipsToPixels(x1), twipsToPixels(y), twipsToPixels(x2 - x1), 1);
}

}  // namespace

FrmInfoWindow::FrmInfoWindow(platform::ShellBackend& shell, common::MessageBoxes& boxes)
    : QDialog(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      shell_(shell),
      boxes_(boxes) {
  setObjectName(QStringLiteral("frmInfo"));
  setWindowTitle(QStringLiteral("Informationen über das Programm"));
  setAccessibleName(windowTitle());
  setWindowIcon(resources::informationIcon());
  setFont(platform_qt::dialogFont());
  resize(twipsToPixels(3660), twipsToPixels(5505));

  // Created in tab order, so the focus chain runs OK, then Screenshot.
  auto* ok = new QPushButton(QStringLiteral("&OK"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setAccessibleName(QStringLiteral("OK"));
  ok->setGeometry(twipsRect(120, 5040, 735, 375));
  connect(ok, &QPushButton::clicked, this, &FrmInfoWindow::okClicked);

  auto* screenshot = new QPushButton(QStringLiteral("&Screenshot von Spurlix4"), this);
  screenshot->setObjectName(QStringLiteral("Command2"));
  screenshot->setAccessibleName(QStringLiteral("Screenshot von Spurlix4"));
  screenshot->setToolTip(
      QStringLiteral("Kicken Sie hier um ein Beispielfenster für die Spurlix4 zu sehen."));
  screenshot->setGeometry(twipsRect(960, 5040, 2655, 375));
  connect(screenshot, &QPushButton::clicked, this, &FrmInfoWindow::screenshotClicked);
  setTabOrder(ok, screenshot);

  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setAccessibleName(QStringLiteral("Informationstext"));
  text1_->setReadOnly(true);
  text1_->setFocusPolicy(Qt::NoFocus);
  text1_->setFont(platform_qt::arialFont());
  text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text1_->setGeometry(twipsRect(120, 1560, 3420, 1215));
  QPalette menuColoured = text1_->palette();
  menuColoured.setColor(QPalette::Base, QApplication::palette("QMenu").color(QPalette::Window));
  text1_->setPalette(menuColoured);

  auto* promotion = new PictureLabel(resources::Picture::kPromotion, this);
  promotion->setObjectName(QStringLiteral("Image2"));
  promotion->setAccessibleName(QStringLiteral("Die Vollversion Spurlix4"));
  promotion->setToolTip(
      QStringLiteral("Klicken Sie hier um mehr Informationen auf unserer Internetseite zu sehen."));
  promotion->setGeometry(twipsRect(120, 3000, 3495, 1935));
  connect(promotion, &PictureLabel::clicked, this, &FrmInfoWindow::promotionClicked);

  horizontalLine(this, "Line2", 120, 2880, 3600);
  horizontalLine(this, "Line1", 120, 1440, 3600);

  const QFont normal = platform_qt::dialogFont();
  const QFont bold = platform_qt::dialogBoldFont();
  lbVersion_ = selfSizingLabel(this, "lbVersion", QString(), 840, 480, bold);
  selfSizingLabel(this, "lbName", QStringLiteral("Spurlix light für ACT!"), 720, 120, bold);
  selfSizingLabel(this, "Label4", QStringLiteral("Version :"), 120, 480, normal);
  selfSizingLabel(this, "Label3", QStringLiteral("Name :"), 120, 120, normal);

  auto* logo = new PictureLabel(resources::Picture::kVendorLogo, this);
  logo->setObjectName(QStringLiteral("Image1"));
  logo->setAccessibleName(QString::fromUtf8(info::kVendorCompany));
  logo->setGeometry(twipsRect(675, 750, 2400, 600));

  selfSizingLabel(this, "Label2", QStringLiteral("© 1999–2001"), 2520, 480,
                  platform_qt::arialFont());

  ok->setFocus();
  platform_qt::centreOnScreen(*this);
  loadStep();
}

void FrmInfoWindow::loadStep() {
  lbVersion_->setText(QStringLiteral("%1.%2.%3")
                          .arg(info::kVersionMajor)
                          .arg(info::kVersionMinor)
                          .arg(info::kVersionRevision));
  lbVersion_->setAccessibleName(lbVersion_->text());
  lbVersion_->adjustSize();
}

void FrmInfoWindow::setFreeText(const std::string& text) {
  QString lines = QString::fromStdString(text);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text1_->setPlainText(lines);
}

void FrmInfoWindow::closeEvent(QCloseEvent* event) {
  closedThroughFrame_ = true;
  QDialog::closeEvent(event);
}

void FrmInfoWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void FrmInfoWindow::okClicked() {
  hide();
}

void FrmInfoWindow::screenshotClicked() {
  FrmScreenshot screenshot(shell_, boxes_);
  screenshot.exec();
}

void FrmInfoWindow::promotionClicked() {
  platform::CShellExecute launcher(shell_, boxes_);
  launcher.LaunchURL(static_cast<platform::WindowHandle>(winId()), info::kProductPage,
                     platform::kShowMaximized);
}

FrmInfo::FrmInfo(platform::ShellBackend& shell, common::MessageBoxes& boxes)
    : shell_(shell), boxes_(boxes) {}

FrmInfo::~FrmInfo() = default;

void FrmInfo::showModal(const std::string& freeText) {
  if (!window_) window_ = std::make_unique<FrmInfoWindow>(shell_, boxes_);
  window_->setFreeText(freeText);
  window_->exec();
  if (window_->closedThroughFrame()) window_.reset();
}

}  // namespace info_qt

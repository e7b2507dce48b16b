#include "search/qt/frm_suche.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "info/qt/picture_label.h"
#include "platform/qt/character_positions.h"
#include "platform/qt/dialog_style.h"
#include "resources/pictures.h"
#include "search/qt/windows_key_codes.h"

namespace search_qt {
namespace {

using platform_qt::twipsRect;
using platform_qt::twipsToPixels;

// The bar shows hundredths of a percent, so that 33.33 shows as such.
constexpr int kProgressSteps = 10000;

QPushButton* pushButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& accessibleName, const QRect& rect) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->setAccessibleName(accessibleName);
  button->setGeometry(rect);
  // No default button, but Enter presses a focused button, as on Windows.
  button->setAutoDefault(true);
  button->setDefault(false);
  return button;
}

QString qText(const std::string& text) {
  return QString::fromStdString(text);
}

// Changing the list of an editable combo box may put an item into its edit
// field (adding the first item selects it); the term box's text must stay as
// it is, as with a Windows combo box.
class KeepEditText {
 public:
  explicit KeepEditText(QComboBox& combo)
      : combo_(combo),
        text_(combo.currentText()),
        index_(combo.currentIndex()),
        cursor_(combo.lineEdit()->cursorPosition()) {}
  ~KeepEditText() {
    if (combo_.currentIndex() != index_) combo_.setCurrentIndex(index_);
    if (combo_.currentText() != text_) {
      combo_.setEditText(text_);
      combo_.lineEdit()->setCursorPosition(static_cast<int>(cursor_));
    }
  }
  KeepEditText(const KeepEditText&) = delete;
  KeepEditText& operator=(const KeepEditText&) = delete;

 private:
  QComboBox& combo_;
  QString text_;
  int index_;
  qsizetype cursor_;
};

}  // namespace

FrmSuche::FrmSuche(search::SearchServices services)
    : FrmSuche([services](search::SearchDialogView& view) {
        return search::makeLogicEvents(view, services);
      }) {}

FrmSuche::FrmSuche(const EventsFactory& makeEvents)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmSuche"));
  setWindowTitle(QStringLiteral("Spurlix light für ACT!"));
  setAccessibleName(windowTitle());
  // The window shows the application's icon (startup/app/main.cpp).
  setFont(platform_qt::dialogFont());
  setFixedSize(twipsToPixels(5430), twipsToPixels(2820));
  buildControls();
  platform_qt::centreOnScreen(*this);
  displayTimer_.setSingleShot(true);
  connect(&displayTimer_, &QTimer::timeout, this, [this] { showStatusAndProgress(); });

  // Key preview: the dialog sees the keys of all its controls first.
  qApp->installEventFilter(this);

  events_ = makeEvents(*this);
  events_->Form_Load();
}

FrmSuche::~FrmSuche() {
  qApp->removeEventFilter(this);
  if (hourglass_) QApplication::restoreOverrideCursor();
}

void FrmSuche::buildControls() {
  auto* frame = new QGroupBox(QStringLiteral("Eingabe"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setAccessibleName(QStringLiteral("Eingabe"));
  frame->setGeometry(twipsRect(120, 720, 5175, 1575));

  combo_ = new QComboBox(frame);
  combo_->setObjectName(QStringLiteral("cbxSuchbegriffe"));
  combo_->setAccessibleName(QStringLiteral("Suchbegriff"));
  combo_->setEditable(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  combo_->setDuplicatesEnabled(true);  // Enter must not pick an item on its own
  combo_->setCompleter(nullptr);       // the logic completes from the history
  combo_->setMaxVisibleItems(10);
  combo_->setGeometry(twipsRect(1200, 360, 3735, 315));
  combo_->setEditText(QString());

  QPushButton* cancel = pushButton(frame, "cmdAbbruch", QStringLiteral("&Abbruch"),
                                   QStringLiteral("Abbruch"), twipsRect(960, 960, 1215, 375));
  QPushButton* search = pushButton(frame, "cmdSuche", QStringLiteral("Neue &Suche"),
                                   QStringLiteral("Neue Suche"), twipsRect(2880, 960, 1215, 375));

  auto* label = new QLabel(QStringLiteral("Such&begriff:"), frame);
  label->setObjectName(QStringLiteral("Label1"));
  label->setAccessibleName(QStringLiteral("Suchbegriff"));
  label->setGeometry(twipsRect(240, 360, 855, 255));
  label->setBuddy(combo_);

  QPushButton* info = pushButton(this, "cmdInfo", QString(), QStringLiteral("Informationen"),
                                 twipsRect(4560, 120, 735, 480));
  info->setIcon(QIcon(resources::render(resources::Picture::kInfoSign, devicePixelRatioF())));
  info->setIconSize(resources::naturalSize(resources::Picture::kInfoSign));

  auto* statusBar = new QStatusBar(this);
  statusBar->setObjectName(QStringLiteral("StatusBar"));
  statusBar->setAccessibleName(QStringLiteral("Statusleiste"));
  statusBar->setSizeGripEnabled(false);
  statusBar->setGeometry(twipsRect(0, 2445, 5430, 375));
  for (const char* name : {"StatusPanel", "StatusPanel2"}) {
    auto* panel = new QLabel(statusBar);
    panel->setObjectName(QLatin1String(name));
    panel->setAccessibleName(QStringLiteral("Status"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedWidth(twipsToPixels(2880));
    statusBar->addWidget(panel);
    if (statusPanel_ == nullptr) statusPanel_ = panel;
  }

  // Created after the status bar, so it lies over the bar's right part.
  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName(QStringLiteral("Progressbar"));
  progressBar_->setAccessibleName(QStringLiteral("Fortschritt"));
  progressBar_->setRange(0, kProgressSteps);
  progressBar_->setValue(0);
  progressBar_->setTextVisible(false);
  progressBar_->setGeometry(twipsRect(2980, 2520, 2415, 255));

  auto* banner = new info_qt::PictureLabel(resources::Picture::kBanner, this);
  banner->setObjectName(QStringLiteral("Image2"));
  banner->setAccessibleName(QStringLiteral("SpurlixLight"));
  banner->setGeometry(twipsRect(120, 120, 2745, 480));

  connect(search, &QPushButton::clicked, this, [this] { events_->cmdSuche_Click(); });
  connect(cancel, &QPushButton::clicked, this, [this] { events_->cmdAbbruch_Click(); });
  connect(info, &QPushButton::clicked, this, [this] { events_->cmdInfo_Click(); });

  // Tab order: term box, search, cancel, information; the rest take no focus.
  setTabOrder(combo_, search);
  setTabOrder(search, cancel);
  setTabOrder(cancel, info);
  combo_->setFocus();
}

bool FrmSuche::belongsToDialog(const QWidget* widget) const {
  // Walks up across window borders too: the term box's open list is a
  // window of its own, inside the box.
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (w == this) return true;
  }
  return false;
}

bool FrmSuche::isTermBox(const QWidget* widget) const {
  return widget == combo_ || widget == combo_->lineEdit();
}

bool FrmSuche::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !events_) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || !belongsToDialog(widget)) return false;
  // A key the focused control does not take travels on to its parents; it
  // is reported once, where it arrives first.
  const QWidget* focus = QApplication::focusWidget();
  if (widget != focus && !(focus == nullptr && widget == this)) return false;

  const auto& key = *static_cast<QKeyEvent*>(event);
  if (type == QEvent::KeyPress) {
    if (const int code = windowsKeyCode(key.key()); code != 0) events_->Form_KeyDown(code);
    if (isTermBox(widget)) {
      if (const int ascii = keyAsciiOf(key); ascii != 0) events_->cbxSuchbegriffe_KeyPress(ascii);
    }
  } else if (!key.isAutoRepeat() && isTermBox(widget)) {
    events_->cbxSuchbegriffe_KeyUp();
  }
  return false;  // the key goes on unchanged
}

void FrmSuche::closeEvent(QCloseEvent* event) {
  events_->Form_Unload();
  event->accept();
}

std::string FrmSuche::comboText() const {
  return combo_->currentText().toStdString();
}

void FrmSuche::setComboText(const std::string& text) {
  combo_->setEditText(qText(text));
}

int FrmSuche::selectionStart() const {
  const QLineEdit* edit = combo_->lineEdit();
  const int units = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
  return platform_qt::charactersBefore(edit->text(), units);
}

void FrmSuche::setSelection(int start, int length) {
  QLineEdit* edit = combo_->lineEdit();
  const QString text = edit->text();
  const qsizetype from = platform_qt::codeUnitsBefore(text, start);
  const qsizetype to = platform_qt::codeUnitsBefore(text, start + (length > 0 ? length : 0));
  if (to > from) {
    edit->setSelection(static_cast<int>(from), static_cast<int>(to - from));
  } else {
    edit->setCursorPosition(static_cast<int>(from));
  }
}

int FrmSuche::listCount() const {
  return combo_->count();
}

std::string FrmSuche::listItem(int index) const {
  return combo_->itemText(index).toStdString();
}

void FrmSuche::addListItem(const std::string& text) {
  KeepEditText keep(*combo_);
  combo_->addItem(qText(text));
}

void FrmSuche::setListItem(int index, const std::string& text) {
  KeepEditText keep(*combo_);
  combo_->setItemText(index, qText(text));
}

void FrmSuche::focusCombo() {
  combo_->setFocus();
}

void FrmSuche::setStatusText(const std::string& text) {
  statusText_ = qText(text);
  refreshDisplay();
}

void FrmSuche::setProgress(float position) {
  progressPosition_ = position;
  refreshDisplay();
}

namespace {

// Whether two status texts are the same message, differing at most in the
// digits of a count ("Es wurden  4 ..." and "Es wurden  5 ..."). Compares in
// place: it runs once per row of a search.
bool sameMessage(const QString& a, const QString& b) {
  qsizetype i = 0, j = 0;
  for (;;) {
    while (i < a.size() && a[i].isDigit()) ++i;
    while (j < b.size() && b[j].isDigit()) ++j;
    if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
    if (a[i] != b[j]) return false;
    ++i;
    ++j;
  }
}

}  // namespace

void FrmSuche::refreshDisplay() {
  // A new message, and the bar's start and end, show at once; a running
  // count and the bar in between follow at the display interval.
  const bool newMessage = !sameMessage(statusText_, statusPanel_->text());
  const bool barAtAnEnd = progressPosition_ <= 0.0f || progressPosition_ >= 100.0f;
  if (newMessage || barAtAnEnd || !lastDisplay_.isValid() ||
      lastDisplay_.elapsed() >= kDisplayIntervalMs) {
    displayTimer_.stop();
    showStatusAndProgress();
  } else if (!displayTimer_.isActive()) {
    displayTimer_.start(kDisplayIntervalMs - static_cast<int>(lastDisplay_.elapsed()));
  }
}

void FrmSuche::showStatusAndProgress() {
  lastDisplay_.start();
  statusPanel_->setText(statusText_);
  const double clamped = qBound(0.0, static_cast<double>(progressPosition_), 100.0);
  progressBar_->setValue(static_cast<int>(clamped * (kProgressSteps / 100) + 0.5));
}

void FrmSuche::setMousePointer(search::MousePointer pointer) {
  const bool wanted = pointer == search::MousePointer::kHourglass;
  if (wanted == hourglass_) return;
  hourglass_ = wanted;
  if (wanted) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace search_qt

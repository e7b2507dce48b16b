#pragma once
// For the Qt test programs only: one QApplication for the whole test run,
// created before the first test and destroyed after the last. Runs on Qt's
// offscreen platform unless QT_QPA_PLATFORM says otherwise, so the tests
// need no display. Include it in one test source of a test program.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace platform_qt {

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "spurlix_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

inline ::testing::Environment* const kQtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// Runs `action` on the modal window named `objectName` once it is the active
// modal window and has the keyboard (checked every 10 ms); for code that blocks in exec(). Gives
// up after five seconds: the test then fails and whatever modal window is up
// is closed, so the test program does not hang.
inline void whenModalShows(const QString& objectName, std::function<void(QWidget&)> action,
                           int attemptsLeft = 500) {
  QTimer::singleShot(10, [objectName, action, attemptsLeft] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->objectName() == objectName && modal->isActiveWindow()) {
      action(*modal);
    } else if (attemptsLeft > 0) {
      // The offscreen platform does not always activate a window shown again.
      if (modal != nullptr && modal->objectName() == objectName)
        QApplication::setActiveWindow(modal);
      whenModalShows(objectName, action, attemptsLeft - 1);
    } else {
      ADD_FAILURE() << "no active modal window " << objectName.toStdString() << "; modal: "
                    << (modal ? modal->objectName().toStdString() : std::string("none"));
      if (modal != nullptr) modal->close();
    }
  });
}

}  // namespace platform_qt

#pragma once
// A picture control: one of the program's pictures shown at its natural
// size (sharp on high-density screens), optionally clickable. A click is a
// left-button press and release inside the picture, as with a button. The
// picture is rendered when the label is first painted, so a window's start
// does not wait for it.

#include <QLabel>

#include "resources/pictures.h"

namespace info_qt {

class PictureLabel : public QLabel {
  Q_OBJECT

 public:
  PictureLabel(resources::Picture picture, QWidget* parent);

  resources::Picture picture() const { return picture_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void renderPicture();

  resources::Picture picture_;
  bool rendered_ = false;
  bool pressed_ = false;
};

}  // namespace info_qt

#include "info/qt/picture_label.h"

#include <QMouseEvent>
#include <QPaintEvent>

namespace info_qt {

PictureLabel::PictureLabel(resources::Picture picture, QWidget* parent)
    : QLabel(parent), picture_(picture) {
  setFocusPolicy(Qt::NoFocus);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

// Rendered for the density of the screen the label is first shown on.
void PictureLabel::renderPicture() {
  rendered_ = true;
  setPixmap(resources::render(picture_, devicePixelRatioF()));
}

void PictureLabel::paintEvent(QPaintEvent* event) {
  if (!rendered_) renderPicture();
  QLabel::paintEvent(event);
}

void PictureLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QLabel::mousePressEvent(event);
}

void PictureLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) emit clicked();
}

}  // namespace info_qt

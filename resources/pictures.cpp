#include "resources/pictures.h"

#include <QPainter>
#include <QSvgRenderer>
#include <initializer_list>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerCompiledPictures() {
  Q_INIT_RESOURCE(pictures);
}

namespace resources {
namespace {

void ensureRegistered() {
  static const bool registered = [] {
    registerCompiledPictures();
    return true;
  }();
  (void)registered;
}

QPixmap renderSvg(QSvgRenderer& renderer, QSize size, qreal devicePixelRatio) {
  const qreal ratio = devicePixelRatio < 1.0 ? 1.0 : devicePixelRatio;
  QPixmap pixmap(size * ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixmap.size())));
  painter.end();
  pixmap.setDevicePixelRatio(ratio);
  return pixmap;
}

// The source is read once for all sizes.
QIcon iconAtSizes(const QString& path, std::initializer_list<int> sizes) {
  ensureRegistered();
  QSvgRenderer renderer(path);
  QIcon icon;
  for (int side : sizes) {
    icon.addPixmap(renderSvg(renderer, QSize(side, side), 1.0));
  }
  return icon;
}

}  // namespace

QSize naturalSize(Picture picture) {
  switch (picture) {
    case Picture::kBanner:
      return {183, 32};
    case Picture::kInfoSign:
      return {24, 24};
    case Picture::kVendorLogo:
      return {160, 40};
    case Picture::kPromotion:
      return {233, 129};
    case Picture::kFullEdition:
      return {699, 360};
  }
  return {};
}

QString sourcePath(Picture picture) {
  switch (picture) {
    case Picture::kBanner:
      return QStringLiteral(":/pictures/banner.svg");
    case Picture::kInfoSign:
      return QStringLiteral(":/pictures/info_sign.svg");
    case Picture::kVendorLogo:
      return QStringLiteral(":/pictures/vendor_logo.svg");
    case Picture::kPromotion:
      return QStringLiteral(":/pictures/promotion.svg");
    case Picture::kFullEdition:
      return QStringLiteral(":/pictures/full_edition.svg");
  }
  return {};
}

QPixmap render(Picture picture, qreal devicePixelRatio) {
  ensureRegistered();
  QSvgRenderer renderer(sourcePath(picture));
  return renderSvg(renderer, naturalSize(picture), devicePixelRatio);
}

QIcon programIcon() {
  return iconAtSizes(QStringLiteral(":/pictures/program_icon.svg"), {16, 24, 32, 48});
}

QIcon informationIcon() {
  return iconAtSizes(QStringLiteral(":/pictures/info_icon.svg"), {16, 32});
}

}  // namespace resources

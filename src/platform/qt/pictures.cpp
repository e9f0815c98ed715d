#include "platform/qt/pictures.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/qt/qt_util.h"

namespace kit::qt {

namespace {

void drawSheet(QPainter& p, double s) {
  QPainterPath sheet;
  sheet.moveTo(0.25 * s, 0.1 * s);
  sheet.lineTo(0.62 * s, 0.1 * s);
  sheet.lineTo(0.78 * s, 0.26 * s);
  sheet.lineTo(0.78 * s, 0.9 * s);
  sheet.lineTo(0.25 * s, 0.9 * s);
  sheet.closeSubpath();
  p.setBrush(Qt::white);
  p.drawPath(sheet);
}

void drawRadio(QPainter& p, double s) {
  p.setBrush(QColor(60, 60, 70));
  p.drawRoundedRect(QRectF(0.3 * s, 0.25 * s, 0.4 * s, 0.68 * s), 0.06 * s, 0.06 * s);
  p.drawRect(QRectF(0.58 * s, 0.05 * s, 0.06 * s, 0.2 * s));
  p.setBrush(QColor(150, 200, 150));
  p.drawRect(QRectF(0.36 * s, 0.32 * s, 0.28 * s, 0.16 * s));
}

void drawArrow(QPainter& p, double s, bool down, QColor color) {
  QPainterPath a;
  const double x = 0.12 * s, w = 0.22 * s;
  const double top = 0.3 * s, bottom = 0.85 * s;
  if (down) {
    a.moveTo(x + w * 0.3, top);
    a.lineTo(x + w * 0.7, top);
    a.lineTo(x + w * 0.7, bottom - w * 0.6);
    a.lineTo(x + w * 1.1, bottom - w * 0.6);
    a.lineTo(x + w * 0.5, bottom);
    a.lineTo(x - w * 0.1, bottom - w * 0.6);
    a.lineTo(x + w * 0.3, bottom - w * 0.6);
  } else {
    a.moveTo(x + w * 0.3, bottom);
    a.lineTo(x + w * 0.7, bottom);
    a.lineTo(x + w * 0.7, top + w * 0.6);
    a.lineTo(x + w * 1.1, top + w * 0.6);
    a.lineTo(x + w * 0.5, top);
    a.lineTo(x - w * 0.1, top + w * 0.6);
    a.lineTo(x + w * 0.3, top + w * 0.6);
  }
  a.closeSubpath();
  p.setBrush(color);
  p.drawPath(a);
}

}  // namespace

QPixmap drawPicture(const std::string& name, int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), std::max(1.0, size / 24.0)));
  const double s = size;
  if (name == "open") {
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(0.1 * s, 0.3 * s, 0.8 * s, 0.55 * s));
    p.drawRect(QRectF(0.1 * s, 0.22 * s, 0.3 * s, 0.08 * s));
  } else if (name == "save") {
    p.setBrush(QColor(70, 100, 180));
    p.drawRect(QRectF(0.12 * s, 0.12 * s, 0.76 * s, 0.76 * s));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.25 * s, 0.12 * s, 0.5 * s, 0.3 * s));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(0.3 * s, 0.58 * s, 0.4 * s, 0.3 * s));
  } else if (name == "edit_chann" || name == "edit") {
    drawSheet(p, s);
    for (int i = 0; i < 4; ++i)
      p.drawLine(QPointF(0.33 * s, (0.35 + 0.13 * i) * s), QPointF(0.7 * s, (0.35 + 0.13 * i) * s));
  } else if (name == "read") {
    drawRadio(p, s);
    drawArrow(p, s, true, QColor(40, 150, 60));
  } else if (name == "write") {
    drawRadio(p, s);
    drawArrow(p, s, false, QColor(200, 60, 40));
  } else if (name == "exit") {
    p.setBrush(QColor(150, 110, 70));
    p.drawRect(QRectF(0.2 * s, 0.1 * s, 0.45 * s, 0.8 * s));
    p.setBrush(QColor(230, 200, 60));
    p.drawEllipse(QPointF(0.55 * s, 0.5 * s), 0.04 * s, 0.04 * s);
    p.setPen(QPen(QColor(200, 40, 40), std::max(1.5, size / 12.0)));
    p.drawLine(QPointF(0.7 * s, 0.5 * s), QPointF(0.95 * s, 0.5 * s));
  } else if (name == "logo") {
    drawRadio(p, s);
  } else if (!name.empty()) {
    p.setBrush(QColor(90, 120, 170));
    p.drawRoundedRect(QRectF(0.08 * s, 0.08 * s, 0.84 * s, 0.84 * s), 0.15 * s, 0.15 * s);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(std::max(6, static_cast<int>(0.6 * s)));
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, qs(name).left(1).toUpper());
  }
  return pm;
}

QIcon pictureIcon(const std::string& name) {
  QIcon icon;
  for (int size : {16, 24, 32}) icon.addPixmap(drawPicture(name, size));
  return icon;
}

}  // namespace kit::qt

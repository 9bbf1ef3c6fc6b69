#include "ui/backends/qt/qt_images.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/framework/canvas.h"

namespace setup {

namespace {

constexpr int TREE_IMAGE_WIDTH = 16;
constexpr int TREE_IMAGE_HEIGHT = 15;

QPixmap Transparent(int width, int height) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A round badge with a sign in it (information, question, error).
void DrawBadge(QPainter& p, const QColor& fill, const QString& sign, int side) {
  p.setPen(QPen(fill.darker(150), side / 16.0));
  p.setBrush(fill);
  p.drawEllipse(QRectF(1, 1, side - 2, side - 2));
  QFont font("Sans Serif");
  font.setBold(true);
  font.setPixelSize(side * 2 / 3);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, side, side), Qt::AlignCenter, sign);
}

void DrawWarning(QPainter& p, int side) {
  QPainterPath triangle;
  triangle.moveTo(side / 2.0, 1);
  triangle.lineTo(side - 1, side - 2);
  triangle.lineTo(1, side - 2);
  triangle.closeSubpath();
  p.setPen(QPen(QColor(120, 90, 0), side / 16.0));
  p.setBrush(QColor(255, 210, 0));
  p.drawPath(triangle);
  QFont font("Sans Serif");
  font.setBold(true);
  font.setPixelSize(side / 2);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QRect(0, side / 4, side, side * 3 / 4 - 2), Qt::AlignCenter, "!");
}

// A computer with a disc before it: the program's own picture.
void DrawSetup(QPainter& p, int side) {
  double u = side / 32.0;
  p.setPen(QPen(Qt::black, u));
  p.setBrush(QColor(192, 192, 192));
  p.drawRect(QRectF(4 * u, 3 * u, 24 * u, 18 * u));
  p.setBrush(QColor(0, 0, 160));
  p.drawRect(QRectF(7 * u, 6 * u, 18 * u, 12 * u));
  p.setBrush(QColor(192, 192, 192));
  p.drawRect(QRectF(10 * u, 21 * u, 12 * u, 4 * u));
  p.setBrush(QColor(230, 230, 240));
  p.drawEllipse(QRectF(16 * u, 15 * u, 15 * u, 15 * u));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(21.5 * u, 20.5 * u, 4 * u, 4 * u));
}

void DrawFolder(QPainter& p, bool open) {
  p.setPen(QColor(128, 96, 0));
  p.setBrush(QColor(255, 220, 96));
  p.drawRect(1, 3, 6, 2);
  p.drawRect(1, 4, 13, 9);
  if (open) {
    QPolygon flap{QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)};
    p.setBrush(QColor(255, 240, 170));
    p.drawPolygon(flap);
  }
}

}  // namespace

QPixmap IconPixmap(int icon, int side) {
  QPixmap pixmap = Transparent(side, side);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (icon) {
    case ICON_WARNING:
      DrawWarning(p, side);
      break;
    case ICON_ERROR:
      DrawBadge(p, QColor(200, 0, 0), "X", side);
      break;
    case ICON_QUESTION:
    case ICON_REPLACE:
      DrawBadge(p, QColor(0, 64, 192), "?", side);
      break;
    case ICON_SETUP:
    case ICON_APPLICATION:
      DrawSetup(p, side);
      break;
    default:
      DrawBadge(p, QColor(0, 64, 192), "i", side);
  }
  return pixmap;
}

QPixmap TreeImage(int index) {
  if (index < 0 || index > 4) return QPixmap();
  QPixmap pixmap = Transparent(TREE_IMAGE_WIDTH, TREE_IMAGE_HEIGHT);
  QPainter p(&pixmap);
  switch (index) {
    case 0:  // hard disk: a grey box with a green light
      p.setPen(Qt::black);
      p.setBrush(QColor(192, 192, 192));
      p.drawRect(1, 5, 13, 6);
      p.fillRect(11, 8, 2, 2, QColor(0, 192, 0));
      p.drawLine(3, 8, 8, 8);
      break;
    case 1:  // floppy disk: a blue square with a shutter and a label
      p.setPen(Qt::black);
      p.setBrush(QColor(0, 0, 128));
      p.drawRect(2, 1, 11, 12);
      p.fillRect(5, 2, 6, 4, QColor(192, 192, 192));
      p.fillRect(4, 8, 8, 5, Qt::white);
      break;
    case 2:  // CD-ROM disc: a silver circle with its hole
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(Qt::black);
      p.setBrush(QColor(210, 210, 230));
      p.drawEllipse(QRectF(1.5, 1, 12, 12));
      p.setBrush(Qt::white);
      p.drawEllipse(QRectF(6, 5.5, 3, 3));
      break;
    default:
      DrawFolder(p, index == 4);
  }
  return pixmap;
}

}  // namespace setup

#include "ui/backends/qt/qt_canvas.h"

#include <QFontMetrics>
#include <cstdlib>

#include "ui/backends/qt/qt_images.h"
#include "ui/backends/qt/qt_text.h"

namespace setup {

QStringList QtCanvas::Families(const std::string& face) {
  return {QString::fromStdString(face),
          "Microsoft Sans Serif",
          "Arial",
          "Liberation Sans",
          "Nimbus Sans",
          "Helvetica"};
}

QFont QtCanvas::ToQFont(const Font& font) const {
  const Font dialog = DialogFont();
  if (font.face == dialog.face && font.height == dialog.height && font.weight == dialog.weight &&
      font.italic == dialog.italic)
    return dialog_font_;
  QFont q;
  q.setFamilies(Families(font.face));
  q.setStyleHint(QFont::SansSerif);
  q.setPixelSize(std::max(1, std::abs(font.height)));
  q.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
  q.setItalic(font.italic);
  return q;
}

void QtCanvas::FillRect(const Rect& rect, Rgb colour) {
  painter_.fillRect(ToQRect(rect), QColor(colour.r, colour.g, colour.b));
}

void QtCanvas::PaintText(Point at, const std::string& text, const Font& font, Rgb colour) {
  QFont q = ToQFont(font);
  painter_.save();
  painter_.setFont(q);
  painter_.setPen(QColor(colour.r, colour.g, colour.b));
  // The point is the text's top-left corner; Qt draws from the baseline.
  painter_.drawText(QPoint(at.x, at.y + QFontMetrics(q).ascent()), ToQt(code_page_, text));
  painter_.restore();
}

void QtCanvas::DrawIcon(Point at, int icon) {
  painter_.drawPixmap(at.x, at.y, IconPixmap(icon, ICON_SIZE));
}

Size QtCanvas::MeasureText(const std::string& text, const Font& font) const {
  QFontMetrics metrics(ToQFont(font));
  return Size{metrics.horizontalAdvance(ToQt(code_page_, text)), metrics.height()};
}

}  // namespace setup

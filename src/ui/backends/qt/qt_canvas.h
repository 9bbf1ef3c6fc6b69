#pragma once

#include <QFont>
#include <QPainter>
#include <QStringList>
#include <string>

#include "platform/code_page.h"
#include "ui/framework/canvas.h"

namespace setup {

// A Canvas on a QPainter: the same paint routines serve the headless and the Qt backend.
// Coordinates are the painter's (logical pixels; Qt scales them on high-DPI screens).
class QtCanvas : public Canvas {
 public:
  // `dialog_font` is the realized dialog's font: what DialogFont() means on this canvas.
  QtCanvas(QPainter& painter, Size client, const CodePage& code_page, QFont dialog_font)
      : painter_(painter), client_(client), code_page_(code_page), dialog_font_(dialog_font) {}

  Size ClientSize() const override { return client_; }
  void FillRect(const Rect& rect, Rgb colour) override;
  void PaintText(Point at, const std::string& text, const Font& font, Rgb colour) override;
  void DrawIcon(Point at, int icon) override;
  Size MeasureText(const std::string& text, const Font& font) const override;

  // The Qt font for a font as the dialogs ask for it: the dialog font is the dialog's own,
  // others by face, pixel height, weight and slant.
  QFont ToQFont(const Font& font) const;
  // The face the dialogs name, then faces of the same metrics that free systems carry, so
  // texts take the room the templates give them.
  static QStringList Families(const std::string& face);

 private:
  QPainter& painter_;
  Size client_;
  const CodePage& code_page_;
  QFont dialog_font_;
};

}  // namespace setup

#pragma once

#include <QRect>
#include <QString>
#include <string>

#include "platform/code_page.h"
#include "ui/framework/geometry.h"

namespace setup {

// Texts cross into Qt in UTF-8 and come back in the disc's code page.
inline QString ToQt(const CodePage& code_page, const std::string& text) {
  return QString::fromStdString(code_page.ToUtf8(text));
}

inline std::string FromQt(const CodePage& code_page, const QString& text) {
  return code_page.FromUtf8(text.toStdString());
}

inline QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

inline Rect FromQRect(const QRect& r) {
  return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// A label as a screen reader says it: mnemonic markers dropped, "&&" kept as one '&'.
QString WithoutMnemonics(const QString& text);

}  // namespace setup

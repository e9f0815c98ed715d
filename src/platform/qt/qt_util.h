// Small conversions between the kit's measures and texts and Qt's.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <algorithm>
#include <string>

namespace kit::qt {

inline constexpr double kTwipsPerPixel = 15;

inline int px(double twips) {
  return static_cast<int>(twips / kTwipsPerPixel + (twips >= 0 ? 0.5 : -0.5));
}
inline double twips(int pixels) {
  return pixels * kTwipsPerPixel;
}
inline QRect pxRect(double left, double top, double width, double height) {
  const int x = px(left), y = px(top);
  return QRect(x, y, px(left + width) - x, px(top + height) - y);
}

inline QString qs(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string utf8(const QString& s) {
  return s.toUtf8().toStdString();
}

// The font in which text fits a room of the given width: base itself, or
// base at the largest smaller pixel size that fits (not below 8 pixels), so
// a text that is a little too wide for its place shows whole.
inline QFont fittingFont(const QFont& base, const QString& text, int room) {
  QFont f = base;
  int size = f.pixelSize() > 0 ? f.pixelSize() : QFontMetrics(f).height() * 3 / 4;
  while (QFontMetrics(f).horizontalAdvance(text) > room && size > 8) f.setPixelSize(--size);
  return f;
}

// The kit counts text positions in characters (code points), Qt in UTF-16
// units; they differ only beyond the basic plane.
int codePointsBefore(const QString& s, int utf16Pos);
int utf16Offset(const QString& s, int codePoints);

}  // namespace kit::qt

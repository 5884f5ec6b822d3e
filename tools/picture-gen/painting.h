#pragma once
// Painting one picture: a white canvas six times the size of the box the
// layout shows it in (the layout counts 96 pixels per inch, so the bitmap
// carries 576 dots per inch and prints sharp), drawn in box units, then
// reduced to a small palette of inks and written as a bitmap.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace picturegen {

constexpr int kScale = 6;                       // bitmap pixels per layout pixel
constexpr int kLayoutDpi = 96;
constexpr int kPictureDpi = kLayoutDpi * kScale;  // 576

// A picture being painted. The painter works in layout pixels of the box
// (0..width, 0..height), antialiased.
class Canvas {
 public:
  explicit Canvas(QSize box);
  QPainter& painter() { return *painter_; }
  QSize box() const { return box_; }
  // The painted picture, reduced to white and the ramps of these inks (at
  // most 16 colours in all, so the bitmap is written with 4 bits a pixel);
  // black alone, or no ink, gives a one-bit black-and-white bitmap.
  QImage finish(const std::vector<QColor>& inks);

 private:
  QSize box_;
  QImage image_;
  std::unique_ptr<QPainter> painter_;
};

// A font by family name, exactly that family or an error naming it: a
// substitute would change every character without anyone noticing.
QFont requireFont(const QString& family, bool bold = false);

// Glyph outlines of texts at a common size: the largest of them fits
// `maxWidth` x `maxHeight` box units, and each is centred on `centre`.
// `squeezeTo` > 0 narrows any outline wider than that (two-digit numbers).
std::vector<QPainterPath> fittedGlyphs(const QStringList& texts, const QFont& font, double maxWidth,
                                       double maxHeight, QPointF centre, double squeezeTo = 0);

// Writes the image as a Windows bitmap carrying 576 dots per inch.
void writeBitmap(const QImage& image, const QString& path);

}  // namespace picturegen

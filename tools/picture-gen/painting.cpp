#include "painting.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTransform>

#include <cmath>
#include <stdexcept>

namespace picturegen {

Canvas::Canvas(QSize box) : box_(box), image_(box * kScale, QImage::Format_ARGB32_Premultiplied) {
  image_.fill(Qt::white);
  painter_ = std::make_unique<QPainter>(&image_);
  painter_->setRenderHint(QPainter::Antialiasing, true);
  painter_->scale(kScale, kScale);
}

QImage Canvas::finish(const std::vector<QColor>& inks) {
  painter_->end();
  // White plus an equal ramp from white to each ink.
  const int levels = inks.empty() ? 0 : 15 / static_cast<int>(inks.size());
  QList<QRgb> palette{qRgb(255, 255, 255)};
  for (const QColor& ink : inks)
    for (int l = 1; l <= levels; ++l) {
      auto mix = [&](int c) { return 255 + (c - 255) * l / levels; };
      palette.push_back(qRgb(mix(ink.red()), mix(ink.green()), mix(ink.blue())));
    }
  QImage out(image_.size(), QImage::Format_Indexed8);
  out.setColorTable(palette);
  for (int y = 0; y < image_.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
    uchar* dst = out.scanLine(y);
    for (int x = 0; x < image_.width(); ++x) {
      int best = 0;
      long bestDistance = -1;
      for (int i = 0; i < palette.size(); ++i) {
        const long dr = qRed(src[x]) - qRed(palette[i]), dg = qGreen(src[x]) - qGreen(palette[i]),
                   db = qBlue(src[x]) - qBlue(palette[i]);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
          best = i;
          bestDistance = d;
        }
      }
      dst[x] = static_cast<uchar>(best);
    }
  }
  const int dotsPerMeter = static_cast<int>(std::lround(kPictureDpi / 0.0254));
  out.setDotsPerMeterX(dotsPerMeter);
  out.setDotsPerMeterY(dotsPerMeter);
  return out;
}

QFont requireFont(const QString& family, bool bold) {
  if (!QFontDatabase::families().contains(family))
    throw std::runtime_error("font family \"" + family.toStdString() + "\" is not installed");
  QFont font(family);
  font.setBold(bold);
  font.setPixelSize(200);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::NoFontMerging);
  if (QFontInfo(font).family() != family)
    throw std::runtime_error("font family \"" + family.toStdString() + "\" resolves to \"" +
                             QFontInfo(font).family().toStdString() + "\"");
  return font;
}

std::vector<QPainterPath> fittedGlyphs(const QStringList& texts, const QFont& font, double maxWidth,
                                       double maxHeight, QPointF centre, double squeezeTo) {
  std::vector<QPainterPath> paths;
  double widest = 0, tallest = 0;
  for (const QString& t : texts) {
    QPainterPath p;
    p.addText(0, 0, font, t);
    const QRectF r = p.boundingRect();
    tallest = std::max(tallest, r.height());
    if (squeezeTo <= 0) widest = std::max(widest, r.width());
    paths.push_back(p);
  }
  const double scale = squeezeTo > 0 ? maxHeight / tallest : std::min(maxWidth / widest, maxHeight / tallest);
  for (QPainterPath& p : paths) {
    const QRectF r = p.boundingRect();
    double sx = scale;
    if (squeezeTo > 0 && r.width() * scale > squeezeTo) sx = squeezeTo / r.width();
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.scale(sx, scale);
    t.translate(-r.center().x(), -r.center().y());
    p = t.map(p);
  }
  return paths;
}

void writeBitmap(const QImage& image, const QString& path) {
  if (!image.save(path, "BMP"))
    throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace picturegen

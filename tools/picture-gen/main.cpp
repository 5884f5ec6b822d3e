// picture-gen OUTDIR
//   paints every picture of the chart into OUTDIR (Windows bitmaps at 576
//   dots per inch, six times their box in the layout). Running it again
//   writes the same bytes.
// picture-gen --contact-sheet SHEET.png DIR
//   lays the pictures of DIR out on one page, each enlarged and at its
//   natural size, with its name: for looking them all over at once.
// picture-gen --icons DIR
//   paints the desk's icon, the seal of the sheet's header, into DIR: an SVG
//   and PNGs of the icon theme's sizes (packaging/icons).
// Needs no display: run with QT_QPA_PLATFORM=offscreen.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <exception>
#include <string>

#include "icons.h"
#include "painting.h"
#include "pictures_set.h"

namespace picturegen {
namespace {

int writeAll(const QString& dir) {
  if (!QDir().mkpath(dir)) throw std::runtime_error("cannot create " + dir.toStdString());
  int n = 0;
  for (const Picture& p : allPictures()) {
    writeBitmap(p.paint(), QDir(dir).filePath(QString::fromStdString(p.name)));
    ++n;
  }
  std::fprintf(stderr, "picture-gen: %d pictures written to %s\n", n, dir.toStdString().c_str());
  return 0;
}

int contactSheet(const QString& sheetPath, const QString& dir) {
  const auto all = allPictures();
  constexpr int kColumns = 10, kCellWidth = 150, kCellHeight = 136, kEnlarge = 3;
  const int rows = (static_cast<int>(all.size()) + kColumns - 1) / kColumns;
  QImage sheet(kColumns * kCellWidth, rows * kCellHeight, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  QFont label = requireFont(QStringLiteral("DejaVu Sans"));
  label.setPixelSize(12);
  p.setFont(label);
  const QColor frame(170, 210, 230);
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Picture& pic = all[i];
    const QString name = QString::fromStdString(pic.name);
    QImage image(QDir(dir).filePath(name));
    if (image.isNull()) throw std::runtime_error("cannot read " + pic.name + " in " + dir.toStdString());
    const int x = static_cast<int>(i % kColumns) * kCellWidth + 6;
    const int y = static_cast<int>(i / kColumns) * kCellHeight + 6;
    const QRect big(x, y, pic.box.width() * kEnlarge, pic.box.height() * kEnlarge);
    const QRect natural(big.right() + 8, big.bottom() - pic.box.height() + 1, pic.box.width(),
                        pic.box.height());
    p.drawImage(big, image);
    p.drawImage(natural, image);
    p.setPen(frame);
    p.drawRect(big.adjusted(-1, -1, 0, 0));
    p.drawRect(natural.adjusted(-1, -1, 0, 0));
    p.setPen(Qt::black);
    p.drawText(QRect(x, y + 100, kCellWidth - 8, 20), Qt::AlignLeft | Qt::AlignVCenter, name);
  }
  p.end();
  if (!sheet.save(sheetPath, "PNG")) throw std::runtime_error("cannot write " + sheetPath.toStdString());
  return 0;
}

}  // namespace
}  // namespace picturegen

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  try {
    if (args.size() == 2 && !args[1].startsWith(QLatin1Char('-'))) return picturegen::writeAll(args[1]);
    if (args.size() == 4 && args[1] == QLatin1String("--contact-sheet"))
      return picturegen::contactSheet(args[2], args[3]);
    if (args.size() == 3 && args[1] == QLatin1String("--icons")) {
      const int n = picturegen::writeIcons(args[2]);
      std::fprintf(stderr, "picture-gen: %d icon files written to %s\n", n, args[2].toStdString().c_str());
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "picture-gen: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr,
               "usage: picture-gen OUTDIR\n       picture-gen --contact-sheet SHEET.png DIR\n"
               "       picture-gen --icons DIR\n");
  return 1;
}

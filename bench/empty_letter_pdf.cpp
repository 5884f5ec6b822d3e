// The floor of the platform for the engine's run: a Qt Widgets program, as
// vesprin-print is, that starts on the offscreen platform, writes one empty
// US Letter page to a PDF and ends. scripts/bench-print.sh times it beside
// the whole driven run.
#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: empty-letter-pdf FILE\n");
    return 1;
  }
  QApplication app(argc, argv);
  QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
  writer.setPageSize(QPageSize(QPageSize::Letter));
  writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
  QPainter painter;
  if (!painter.begin(&writer)) return 5;
  painter.end();
  return 0;
}

#pragma once
// Every picture the chart can ask for: its file name, the box the layout
// shows it in, and how it is painted.
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QSize>

#include <functional>
#include <string>
#include <vector>

namespace picturegen {

struct Picture {
  std::string name;  // the file name, as the picture naming functions spell it
  QSize box;         // layout pixels
  std::function<QImage()> paint;
};

std::vector<Picture> allPictures();

// The seal's character 命 as an outline in the box of the `logo` picture
// (46 x 46), which lies at 13,13 inside the sheet's 72 x 72 circle.
QPainterPath sealGlyph();
inline const QColor kSealNavy(0, 0, 128);

}  // namespace picturegen

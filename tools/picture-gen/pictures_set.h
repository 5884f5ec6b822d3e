#pragma once
// Every picture the chart can ask for: its file name, the box the layout
// shows it in, and how it is painted.
#include <QImage>
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

}  // namespace picturegen

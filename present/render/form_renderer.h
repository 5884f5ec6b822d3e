#pragma once
// Paints a report form: labels with their caption, font, colour and
// alignment; pictures stretched to their box or at their natural size in
// page units; shapes when enabled, with their pen and fill. Components print
// in stored order, the band's first, then those placed on the page.
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <QHash>
#include <QImage>
#include <QSizeF>
#include <QString>

#include "present/model/form.h"

class QPainter;

namespace vesprin {

// The file a picture name stands for, or none (the image stays empty).
using PictureFinder = std::function<std::optional<std::filesystem::path>(std::string_view)>;

// What one paint put on the page, in order: for tests and checks that read
// the sheet without looking at pixels. Rectangles are page pixels at 96 per
// inch from the paper's corner.
struct PaintedComponent {
  std::string name;
  ItemKind kind;
  double left, top, width, height;
  std::vector<std::string> lines;  // a label's text as drawn, line by line
  std::string picture;             // an image's file
  // Why an image that names a picture shows nothing: "NAME not found" or
  // "FILE cannot be read whole". Empty otherwise.
  std::string missing;
};

class FormRenderer {
 public:
  explicit FormRenderer(PictureFinder findPicture);

  // Paints the form with the painter's origin at the band's top-left corner
  // (the page's margins) and `scale` device units per layout pixel.
  // Returns what was painted; a component wholly covered by an opaque shape
  // stored after it in the same layer is left out, as it cannot be seen.
  std::vector<PaintedComponent> paint(QPainter& painter, const Form& form, double scale);

  // With a resolution, each picture is drawn from a copy averaged down to
  // that many dots per inch of paper: a screen that shows a whole page
  // samples a print-resolution bitmap too sparsely and breaks its thin
  // strokes. Without one (the default), pictures go out as they are.
  void setScreenPictures(std::optional<double> dotsPerInch);

 private:
  const QImage* picture(const std::string& name, std::string* file, std::string* missing);
  const QImage& onScreen(const QImage& image, QSizeF size);

  PictureFinder find_;
  QHash<QString, QImage> images_;  // by file path; a null image for a file that does not load whole
  // The files of the names looked up in the current paint: a sheet shows a
  // few dozen pictures in a few hundred places, and the folders searched do
  // not change while one page is painted.
  std::map<std::string, std::optional<std::filesystem::path>, std::less<>> found_;
  std::optional<double> screenDpi_;
  std::map<std::tuple<qint64, int, int>, QImage> scaled_;  // by image and size in pixels
};

// The family asked for, as the font system resolves it ("CordiaUPC" may be
// served by a stand-in with similar metrics).
QString resolvedFamily(const FontSpec& font);

}  // namespace vesprin

#pragma once
// Paints a report form: labels with their caption, font, colour and
// alignment; pictures stretched to their box or at their natural size in
// page units; shapes when enabled, with their pen and fill. Components print
// in stored order, the band's first, then those placed on the page.
#include <filesystem>
#include <functional>
#include <cstdint>
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

  // For many PDFs in a row (a folder of chart sheets): while on, each picture
  // is painted as a stand-in of its size and kind, plain but for its first
  // bytes, which name it and which PDF writers compress at once; the finished
  // PDF takes the real picture's data, compressed once for all the PDFs
  // (standInData). A PDF painted so shows blank pictures until it is
  // finished so. Pictures with transparency are painted as they are.
  void setPictureStandIns(bool on);
  // The real picture for a stand-in whose image data in the PDF is `size`
  // bytes starting with `head` (none for any other image): its data as a
  // PDF's image stream, compressed (zlib), and whether it is in colour,
  // three bytes a pixel (red, green, blue), or two-colour, one bit a pixel
  // as every stand-in is.
  struct RealPicture {
    const std::string* data;
    bool colour;
  };
  std::optional<RealPicture> standInData(std::string_view head, std::size_t size);
  // A folder where the real pictures' compressed data is kept between runs,
  // an entry per picture's data: a run that writes one sheet then compresses
  // only a picture that is new or changed. An entry is used only when it was
  // compressed from the same data (its hash and size), so a stale or damaged
  // one changes nothing but the time: an entry names the data it was made
  // from and the stream's own hash. A folder that cannot be written is not
  // used. None (the default): nothing kept.
  void setPictureCache(std::optional<std::filesystem::path> folder);
  // Distinct stand-ins painted since stand-ins were last turned on.
  std::size_t standInsPainted() const { return standInsPainted_.size(); }

 private:
  struct StandIn {
    std::uint32_t id = 0;  // its place in standInById_, written into its first bytes
    QImage image;         // what is painted: one bit a pixel, the real picture's size
    std::size_t size = 0;  // bytes of its image data in a PDF
    QImage real;
    std::uint64_t dataHash = 0;  // of the real picture's data as the PDF holds it
    std::size_t dataSize = 0;
    std::string data;     // the real picture's, compressed; made when first asked for
  };
  const QImage& standIn(const QImage& image);

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
  bool standIns_ = false;
  std::map<qint64, std::optional<StandIn>> standInOf_;  // by the real image; none for one painted as it is
  std::vector<StandIn*> standInById_;  // into standInOf_, whose nodes stay put
  std::vector<std::uint32_t> standInsPainted_;
  std::optional<std::filesystem::path> cache_;
};

// The family asked for, as the font system resolves it ("CordiaUPC" may be
// served by a stand-in with similar metrics).
QString resolvedFamily(const FontSpec& font);

}  // namespace vesprin

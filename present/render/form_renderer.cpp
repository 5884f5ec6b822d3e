#include "present/render/form_renderer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QSaveFile>
#include <QTextLayout>

namespace vesprin {
namespace {

QColor qColour(Colour c) { return QColor(c.r, c.g, c.b); }

// FNV-1a, 64 bits: names the kept picture streams and tells a whole one
// from a damaged one.
std::uint64_t fnv1a(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return h;
}

// CordiaUPC and AngsanaUPC set Thai small for their pixel height; a stand-in
// from the font system (a face of ordinary proportions) is set three
// quarters as large, so that captions keep about the length the layout was
// drawn for.
constexpr double kStandInScale = 0.75;

// Per thread, as Qt's fonts are: a process may paint sheets on several.
double standInScale(const QString& family) {
  thread_local QHash<QString, double> known;
  const auto it = known.constFind(family);
  if (it != known.constEnd()) return *it;
  const bool smallFace = family == QStringLiteral("CordiaUPC") || family == QStringLiteral("AngsanaUPC");
  // Asked of the font list, not by loading a font: each font loaded at a
  // size costs a match through the whole font system.
  return known[family] = smallFace && !QFontDatabase::hasFamily(family) ? kStandInScale : 1.0;
}

// Every text is measured and drawn with the font loaded once per face at
// this pixel size and scaled to the size asked for: each size loaded on its
// own costs a match through the whole font system, and a sheet asks for a
// dozen sizes, more while captions are shrunk to fit. The outlines are
// unhinted, so their widths scale with the size.
constexpr int kReferencePixels = 96;

QFont fontOf(const FontSpec& spec, bool bold) {
  const QString family = QString::fromStdString(spec.family);
  QFont font(family);
  font.setPixelSize(kReferencePixels);
  font.setBold(bold);
  // Unhinted outlines: the same line widths on a printer, in a PDF and on screen.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::PreferOutline);
  return font;
}

// The reference font of a face with its metrics and stand-in scale, asked of
// the font system once per face and weight for the whole process: a sheet
// sets a few hundred captions in a handful of faces, each tried at several
// sizes while it is shrunk to fit.
struct Face {
  QFont font;
  QFontMetricsF metrics;
  double standIn;
  // The width of each text measured in the reference font: a caption is
  // measured at every size tried while it is shrunk to fit, and again to be
  // placed, and most captions come back on every sheet. Cleared when it
  // grows large (a folder of many sheets, each with its own names).
  mutable QHash<QString, qreal> advances;
  qreal advance(const QString& text) const {
    if (const auto it = advances.constFind(text); it != advances.constEnd()) return *it;
    if (advances.size() >= kMostAdvances) advances.clear();
    const qreal width = metrics.horizontalAdvance(text);
    advances.insert(text, width);
    return width;
  }
  static constexpr qsizetype kMostAdvances = 1 << 14;
};

const Face& faceOf(const FontSpec& spec, bool bold) {
  // Kept to the end of the process, never destroyed: fonts must not outlive
  // the application's font system in the order static objects are torn down.
  // One set per thread: a font is used by the thread that made it.
  thread_local auto* faces = new std::map<std::pair<std::string, bool>, std::unique_ptr<const Face>>;
  auto& face = (*faces)[{spec.family, bold}];
  if (!face) {
    const QFont font = fontOf(spec, bold);
    face = std::make_unique<const Face>(Face{font, QFontMetricsF(font), standInScale(font.family()), {}});
  }
  return *face;
}

// A face at a whole pixel size, by way of the reference font.
class SizedFont {
 public:
  SizedFont(const FontSpec& spec, bool bold, double shrink)
      : SizedFont(faceOf(spec, bold), spec.pixelSize, shrink) {}
  SizedFont(const Face& face, double pixelSize, double shrink)
      : face_(face),
        font_(face.font),
        metrics_(face.metrics),
        scale_(std::max(1, static_cast<int>(pixelSize * face.standIn * shrink + 0.5)) / double(kReferencePixels)) {}

  double advance(const QString& text) const { return face_.advance(text) * scale_; }
  double lineSpacing() const { return metrics_.lineSpacing() * scale_; }
  double ascent() const { return metrics_.ascent() * scale_; }
  double descent() const { return metrics_.descent() * scale_; }
  QString elided(const QString& text, double width) const {
    return metrics_.elidedText(text, Qt::ElideRight, width / scale_);
  }

  // The lines of a paragraph broken at word boundaries within `width`.
  QStringList wrapped(const QString& paragraph, double width) const {
    QStringList lines;
    QTextLayout layout(paragraph, font_);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width / scale_);
      lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
  }

  // One run of glyphs with its baseline starting at `origin`.
  void draw(QPainter& p, QPointF origin, const QString& text) const {
    p.save();
    p.translate(origin);
    p.scale(scale_, scale_);
    p.setFont(font_);
    p.drawText(QPointF(0, 0), text);
    p.restore();
  }

 private:
  const Face& face_;
  const QFont& font_;
  const QFontMetricsF& metrics_;
  double scale_;
};

// The lines of a caption: a single CR separates them; a word-wrapped label
// breaks each at word boundaries within its width.
QStringList layoutLines(const QString& caption, const SizedFont& font, double width, bool wrap) {
  const QStringList paragraphs = caption.split(QChar(u'\r'));
  if (!wrap) return paragraphs;
  QStringList lines;
  for (const QString& paragraph : paragraphs) {
    // A paragraph that fits is one line; the word breaks of Thai, which need
    // a dictionary, are looked for only when a line must be broken.
    if (font.advance(paragraph) <= width)
      lines << paragraph.trimmed();
    else
      lines << font.wrapped(paragraph, width);
  }
  return lines;
}

double widest(const QStringList& lines, const SizedFont& font) {
  double w = 0;
  for (const QString& l : lines) w = std::max(w, font.advance(l));
  return w;
}

// Whether the box has room for the fewest lines a word-wrapped caption can
// take: one for each paragraph, two for each that is wider than the box.
bool roomToWrap(const QString& caption, const SizedFont& font, double width, const QRectF& box) {
  qsizetype fewest = 0;
  for (const QString& paragraph : caption.split(QChar(u'\r')))
    fewest += font.advance(paragraph) > width ? 2 : 1;
  return fewest == 1 || fewest * font.lineSpacing() <= box.height() + font.descent();
}

// A caption too large for its box is drawn a little smaller, down to
// kSmallestShrink; if it still does not fit, what runs over is cut at whole
// characters (Thai marks stay on their consonant) with an ellipsis, and
// lines below the box are left out. Never half a glyph.
constexpr double kSmallestShrink = 0.7;
// Widths are measured to a few hundredths of a pixel, which is all the
// difference between two ways of measuring: a caption that runs over its
// box by less than this, which no eye can see, is taken to fit.
constexpr double kFitSlack = 0.1;

void paintLabel(QPainter& p, const LayoutItem& item, const Component& c, const QRectF& box,
                PaintedComponent& record) {
  const QString caption = QString::fromStdString(c.caption);
  const double width = box.width() + kFitSlack;
  std::optional<SizedFont> font;
  QStringList lines;
  for (double shrink = 1.0; shrink >= kSmallestShrink - 1e-9; shrink -= 0.05) {
    const bool lastTry = shrink - 0.05 < kSmallestShrink - 1e-9;
    font.emplace(item.font, c.bold, shrink);
    // A size at which the wrapped lines cannot fit is passed over without
    // breaking them (Thai word breaks need a dictionary); the lines of the
    // last size are needed all the same, to be cut.
    if (item.wordWrap && !lastTry && !roomToWrap(caption, *font, width, box)) continue;
    lines = layoutLines(caption, *font, width, item.wordWrap);
    if (widest(lines, *font) <= width &&
        (lines.size() == 1 || lines.size() * font->lineSpacing() <= box.height() + font->descent()))
      break;
  }
  // Lines that do not fit below the first are dropped.
  const double lineHeight = font->lineSpacing();
  qsizetype fitting = 1;
  while (fitting < lines.size() && (fitting + 1) * lineHeight <= box.height() + font->descent())
    ++fitting;
  if (fitting < lines.size()) {
    // What does not fit runs into the last line, which is then cut with an ellipsis.
    QStringList rest = lines.mid(fitting - 1);
    lines = lines.mid(0, fitting);
    lines.last() = rest.join(QChar(u' '));
  }

  p.setPen(qColour(c.fontColour));
  // The text block sits in the middle of the box, whatever the face's line height.
  double y = box.top() + (box.height() - lines.size() * lineHeight) / 2;
  // The part of the caption that is never cut, when the component keeps one.
  const QString tail = c.keptTail > 0 && c.keptTail <= c.caption.size()
                           ? QString::fromStdString(c.caption.substr(c.caption.size() - c.keptTail))
                           : QString();
  for (QString& line : lines) {
    if (font->advance(line) > width) {
      const double tailWidth = font->advance(tail);
      if (!tail.isEmpty() && line.endsWith(tail) && tailWidth < box.width())
        line = font->elided(line.left(line.size() - tail.size()), box.width() - tailWidth) + tail;
      else
        line = font->elided(line, box.width());
    }
    // Each line is placed by its own width, trailing blanks left out, and
    // drawn as one run of glyphs: laying a single line out as a paragraph
    // would look for Thai word breaks it never uses.
    double x = box.left();
    if (item.align != Align::Left) {
      qsizetype end = line.size();
      while (end > 0 && line.at(end - 1).isSpace()) --end;
      const double free = box.width() - font->advance(line.left(end));
      x += item.align == Align::Right ? free : free / 2;
    }
    font->draw(p, QPointF(x, y + font->ascent()), line);
    record.lines.push_back(line.toStdString());
    y += lineHeight;
  }
}

void paintShape(QPainter& p, const LayoutItem& item, const Component& c, const QRectF& box) {
  QPen pen(qColour(c.penColour));
  pen.setWidthF(c.penWidth);
  pen.setStyle(c.penStyle == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
  // Dots are a pen width long with two between them: the 5-pixel end tick of
  // a dotted bracket would show one dot and read as a loose dash. A short
  // dotted line takes finer steps, so that at least three dots show.
  if (c.penStyle == PenStyle::Dotted &&
      (item.shape == ShapeKind::HorizontalLine || item.shape == ShapeKind::VerticalLine)) {
    const double length = item.shape == ShapeKind::HorizontalLine ? box.width() : box.height();
    constexpr double kDots = 3, kStandardStep = 3;  // Qt's dot and gap, in pen widths
    if (c.penWidth > 0 && length < (kDots * kStandardStep - 2) * c.penWidth) {
      const double dot = length / (2 * kDots - 1) / c.penWidth;  // dots and gaps alike
      pen.setDashPattern({dot, dot});
    }
  }
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(item.fill ? QBrush(qColour(*item.fill)) : QBrush(Qt::NoBrush));
  // The pen stays inside the shape's box.
  const double half = c.penWidth / 2.0;
  const QRectF inner = box.adjusted(half, half, -half, -half);
  switch (item.shape) {
    case ShapeKind::Rectangle:
      if (inner.width() < 0 || inner.height() < 0)
        p.fillRect(box, qColour(c.penColour));  // smaller than its pen: a dot
      else
        p.drawRect(inner);
      break;
    case ShapeKind::Circle:
      p.drawEllipse(inner);
      break;
    case ShapeKind::HorizontalLine: {
      const double y = box.top() + box.height() / 2;
      p.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
      break;
    }
    case ShapeKind::VerticalLine: {
      const double x = box.left() + box.width() / 2;
      p.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
      break;
    }
  }
}

bool drawable(const LayoutItem& item, const Component& c) {
  if (!c.visible) return false;
  switch (item.kind) {
    case ItemKind::Label: return !c.caption.empty();
    case ItemKind::Image: return !c.picture.empty();
    case ItemKind::Shape: return c.enabled;
    case ItemKind::Control: return false;
  }
  return false;
}

QRectF boxOf(const Component& c) { return QRectF(c.left, c.top, c.width, c.height); }

// An enabled, visible, filled rectangle hides whatever lies wholly inside it.
bool opaque(const LayoutItem& item, const Component& c) {
  return item.kind == ItemKind::Shape && item.shape == ShapeKind::Rectangle && item.fill &&
         c.enabled && c.visible;
}

// A PDF carries a one-bit picture as one bit a pixel only when its colour
// table reads black, white; any other table makes it three bytes a pixel,
// several times slower to write. The bitmap reader gives a black-and-white
// file the table white, black: the same picture is kept with its bits and
// table swapped.
void blackOnWhite(QImage& image) {
  const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
  if (image.depth() != 1 || image.colorTable() != QList<QRgb>{white, black}) return;
  image.invertPixels();
  image.setColorTable({black, white});
}

}  // namespace

QString resolvedFamily(const FontSpec& spec) { return QFontInfo(fontOf(spec, false)).family(); }

FormRenderer::FormRenderer(PictureFinder findPicture) : find_(std::move(findPicture)) {}

// Whether a bitmap file holds all the rows its header promises: the
// bitmap reader paints whatever a cut-off file leaves as noise rather than
// failing. Other formats are left to their readers.
bool bitmapWhole(const QByteArray& bytes) {
  if (!bytes.startsWith("BM")) return true;
  if (bytes.size() < 34) return false;
  const auto u32 = [&](int at) {
    return static_cast<quint32>(static_cast<quint8>(bytes[at])) |
           static_cast<quint32>(static_cast<quint8>(bytes[at + 1])) << 8 |
           static_cast<quint32>(static_cast<quint8>(bytes[at + 2])) << 16 |
           static_cast<quint32>(static_cast<quint8>(bytes[at + 3])) << 24;
  };
  const quint32 offset = u32(10), headerSize = u32(14);
  if (headerSize < 40) return true;  // the old OS/2 header: no compression field to read
  const qint64 width = static_cast<qint32>(u32(18)), height = static_cast<qint32>(u32(22));
  const quint32 bits = u32(28) & 0xFFFF, compression = u32(30);
  if (compression != 0 && compression != 3) return bytes.size() >= static_cast<qint64>(u32(2));
  const qint64 stride = (std::abs(width) * bits + 31) / 32 * 4;
  return bytes.size() >= static_cast<qint64>(offset) + stride * std::abs(height);
}

const QImage* FormRenderer::picture(const std::string& name, std::string* file, std::string* missing) {
  auto known = found_.find(name);
  if (known == found_.end())
    known = found_.emplace(name, find_ ? find_(name) : std::nullopt).first;
  const std::optional<std::filesystem::path>& path = known->second;
  if (!path) {
    *missing = name + " not found";
    return nullptr;
  }
  const QString key = QString::fromStdString(path->string());
  auto it = images_.find(key);
  if (it == images_.end()) {
    QImage image;
    QFile in(key);
    if (in.open(QIODevice::ReadOnly)) {
      const QByteArray bytes = in.readAll();
      // A bitmap goes to the bitmap reader by name: a picture of unknown
      // format has every image plugin loaded to ask whether it is theirs.
      if (bitmapWhole(bytes)) image.loadFromData(bytes, bytes.startsWith("BM") ? "BMP" : nullptr);
    }
    blackOnWhite(image);
    it = images_.insert(key, image);
  }
  *file = path->string();
  if (it->isNull()) *missing = path->string() + " cannot be read whole";
  return it->isNull() ? nullptr : &*it;
}

void FormRenderer::setScreenPictures(std::optional<double> dotsPerInch) {
  screenDpi_ = dotsPerInch;
  scaled_.clear();
}

const QImage& FormRenderer::onScreen(const QImage& image, QSizeF size) {
  if (!screenDpi_) return image;
  const QSize pixels(std::max(1, qRound(size.width() * *screenDpi_ / kLayoutDpi)),
                     std::max(1, qRound(size.height() * *screenDpi_ / kLayoutDpi)));
  if (pixels.width() >= image.width()) return image;
  const auto key = std::make_tuple(image.cacheKey(), pixels.width(), pixels.height());
  auto it = scaled_.find(key);
  if (it == scaled_.end())
    it = scaled_.emplace(key, image.convertToFormat(QImage::Format_ARGB32)
                                  .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
             .first;
  return it->second;
}

namespace {

// The first bytes of a stand-in's image data: these four, then its number.
constexpr char kStandInMark[4] = {'\x7f', 'V', 'S', 'i'};
constexpr std::size_t kStandInHead = 8;

// A PDF writer takes a picture whose table reads black, white as one bit a
// pixel, rows of whole bytes (a monochrome image), and any other picture as
// three bytes a pixel, red, green, blue, with a mask where it is not opaque.
bool monochrome(const QImage& image) {
  return image.depth() == 1 && image.colorTable() == QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)};
}

// The picture's image data as the PDF writer lays it out; none when it needs
// a mask.
std::optional<QByteArray> pdfImageData(const QImage& real) {
  if (monochrome(real)) {
    const QImage image = real.format() == QImage::Format_MonoLSB ? real.convertToFormat(QImage::Format_Mono) : real;
    const int bytesPerLine = (image.width() + 7) >> 3;
    QByteArray data(qsizetype(bytesPerLine) * image.height(), Qt::Uninitialized);
    for (int y = 0; y < image.height(); ++y)
      std::memcpy(data.data() + qsizetype(bytesPerLine) * y, image.constScanLine(y), bytesPerLine);
    return data;
  }
  const QImage image = real.format() == QImage::Format_RGB32 || real.format() == QImage::Format_ARGB32
                           ? real
                           : real.convertToFormat(QImage::Format_ARGB32);
  const bool opaque = image.format() == QImage::Format_RGB32;
  QByteArray data(qsizetype(3) * image.width() * image.height(), Qt::Uninitialized);
  auto* out = reinterpret_cast<uchar*>(data.data());
  for (int y = 0; y < image.height(); ++y) {
    const auto* rgb = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x, ++rgb) {
      if (!opaque && qAlpha(*rgb) != 255) return std::nullopt;
      *out++ = static_cast<uchar>(qRed(*rgb));
      *out++ = static_cast<uchar>(qGreen(*rgb));
      *out++ = static_cast<uchar>(qBlue(*rgb));
    }
  }
  return data;
}

// The cache entry of a picture's data: named by the data itself, so that an
// entry serves whichever file, program or Qt made the same pixels.
QString cacheEntry(const std::filesystem::path& folder, std::uint64_t dataHash) {
  char name[32];
  std::snprintf(name, sizeof name, "%016llx.z", static_cast<unsigned long long>(dataHash));
  return QString::fromStdString((folder / name).string());
}

// What an entry's stream was compressed from and must be compressed from
// now: the picture's data as the PDF holds it (its hash and size, and its
// kind, colour or two-colour), exactly what is compressed; then the
// stream's own size and hash, which tell a whole entry from a damaged one.
std::string cacheHead(std::uint64_t dataHash, std::size_t dataSize, bool colour) {
  char head[160];
  std::snprintf(head, sizeof head, "vesprin picture stream 2 data %016llx %zu %s\n",
                static_cast<unsigned long long>(dataHash), dataSize, colour ? "rgb" : "bits");
  return head;
}
std::string streamLine(std::string_view stream) {
  char line[64];
  std::snprintf(line, sizeof line, "stream %016llx %zu\n", static_cast<unsigned long long>(fnv1a(stream)),
                stream.size());
  return line;
}

// The kept stream of an entry compressed from the same data, whole; empty
// otherwise (no entry, another picture's, a damaged entry).
std::string cachedStream(const QString& entry, const std::string& head) {
  QFile in(entry);
  if (!in.open(QIODevice::ReadOnly) || in.size() > (qint64(1) << 28)) return {};
  const QByteArray bytes = in.readAll();
  const std::string_view all(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (!all.starts_with(head)) return {};
  const std::size_t lineEnd = all.find('\n', head.size());
  if (lineEnd == std::string_view::npos) return {};
  const std::string_view line = all.substr(head.size(), lineEnd + 1 - head.size());
  const std::string_view stream = all.substr(lineEnd + 1);
  if (stream.empty() || line != streamLine(stream)) return {};
  return std::string(stream);
}

// The most entries a folder holds: pictures come from a few fixed places,
// but a folder shared by runs from many places (tests, say) is emptied
// rather than left to grow.
constexpr qsizetype kMostKeptStreams = 1024;

// Keeps a picture's stream under its entry, whole or not at all (written
// aside and renamed); a folder that cannot be written is passed over.
void keepStream(const QString& entry, const std::string& head, const std::string& stream) {
  const QString folder = QFileInfo(entry).absolutePath();
  if (!QDir().mkpath(folder)) return;
  QDir kept(folder);
  if (const QStringList all = kept.entryList({QStringLiteral("*.z")}, QDir::Files); all.size() >= kMostKeptStreams)
    for (const QString& name : all) kept.remove(name);
  QSaveFile out(entry);
  if (!out.open(QIODevice::WriteOnly)) return;
  const std::string line = streamLine(stream);
  out.write(head.data(), static_cast<qint64>(head.size()));
  out.write(line.data(), static_cast<qint64>(line.size()));
  out.write(stream.data(), static_cast<qint64>(stream.size()));
  out.commit();
}

}  // namespace

void FormRenderer::setPictureStandIns(bool on) {
  standIns_ = on;
  if (on) standInsPainted_.clear();
}

const QImage& FormRenderer::standIn(const QImage& real) {
  auto [it, fresh] = standInOf_.try_emplace(real.cacheKey());
  if (fresh) {
    const std::optional<QByteArray> data = pdfImageData(real);
    if (data && static_cast<std::size_t>((real.width() + 7) >> 3) * static_cast<std::size_t>(real.height()) >=
                    kStandInHead) {
      const auto id = static_cast<std::uint32_t>(standInById_.size());
      char head[kStandInHead];
      std::memcpy(head, kStandInMark, 4);
      for (int k = 0; k < 4; ++k) head[4 + k] = static_cast<char>(id >> (8 * k) & 0xFF);
      // One bit a pixel whatever the picture: the PDF writer compresses a
      // twenty-fourth of a colour picture's bytes.
      StandIn s;
      s.id = id;
      const int bytesPerLine = (real.width() + 7) >> 3;
      s.size = static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(real.height());
      s.real = real;
      s.dataHash = fnv1a(std::string_view(data->constData(), static_cast<std::size_t>(data->size())));
      s.dataSize = static_cast<std::size_t>(data->size());
      s.image = QImage(real.size(), QImage::Format_Mono);
      s.image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
      s.image.fill(0);
      for (std::size_t k = 0; k < kStandInHead; ++k)
        s.image.scanLine(static_cast<int>(k) / bytesPerLine)[k % bytesPerLine] = static_cast<uchar>(head[k]);
      s.image.setDotsPerMeterX(real.dotsPerMeterX());
      s.image.setDotsPerMeterY(real.dotsPerMeterY());
      it->second = std::move(s);
      standInById_.push_back(&*it->second);
    }
  }
  if (!it->second) return real;
  const std::uint32_t id = it->second->id;
  if (std::find(standInsPainted_.begin(), standInsPainted_.end(), id) == standInsPainted_.end())
    standInsPainted_.push_back(id);
  return it->second->image;
}

std::optional<FormRenderer::RealPicture> FormRenderer::standInData(std::string_view head, std::size_t size) {
  if (head.size() < kStandInHead || std::memcmp(head.data(), kStandInMark, 4) != 0) return std::nullopt;
  std::uint32_t id = 0;
  for (int k = 0; k < 4; ++k) id |= static_cast<std::uint32_t>(static_cast<unsigned char>(head[4 + k])) << (8 * k);
  if (id >= standInById_.size() || standInById_[id]->size != size) return std::nullopt;
  StandIn& s = *standInById_[id];
  if (s.data.empty()) {
    const QString entry = cache_ ? cacheEntry(*cache_, s.dataHash) : QString();
    const std::string head = cacheHead(s.dataHash, s.dataSize, !monochrome(s.real));
    if (!entry.isEmpty()) s.data = cachedStream(entry, head);
    if (s.data.empty()) {
      // Compressed as the PDF writer compresses a picture: zlib at its
      // default level (qCompress puts the length before the stream).
      const QByteArray packed = qCompress(*pdfImageData(s.real));
      s.data.assign(packed.constData() + 4, static_cast<std::size_t>(packed.size() - 4));
      if (!entry.isEmpty()) keepStream(entry, head, s.data);
    }
  }
  return RealPicture{&s.data, !monochrome(s.real)};
}

void FormRenderer::setPictureCache(std::optional<std::filesystem::path> folder) { cache_ = std::move(folder); }

std::vector<PaintedComponent> FormRenderer::paint(QPainter& p, const Form& form, double scale) {
  const Layout& layout = form.layout();
  const auto& items = layout.items();
  const auto& state = form.components();
  const PageSetup page = layout.page().value_or(PageSetup{});
  std::vector<PaintedComponent> painted;
  found_.clear();  // a later page looks again: the current directory may be another

  std::vector<std::size_t> opaqueShapes;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (opaque(items[i], state[i])) opaqueShapes.push_back(i);
  auto hidden = [&](std::size_t i) {
    for (std::size_t j : opaqueShapes)
      if (j > i && items[j].onPage == items[i].onPage && boxOf(state[j]).contains(boxOf(state[i])))
        return true;
    return false;
  };

  p.save();
  p.scale(scale, scale);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  // Line art: a PDF keeps the pictures as drawn rather than as JPEG.
  p.setRenderHint(QPainter::LosslessImageRendering);
  for (bool onPage : {false, true}) {
    p.save();
    if (onPage)
      p.translate(-page.bandLeft, -page.bandTop);  // measured from the paper's corner
    else if (page.bandWidth > 0)
      p.setClipRect(QRectF(0, 0, page.bandWidth, page.bandHeight));
    for (std::size_t i = 0; i < items.size(); ++i) {
      const LayoutItem& item = items[i];
      const Component& c = state[i];
      if (item.onPage != onPage || !drawable(item, c) || hidden(i)) continue;
      const QRectF box = boxOf(c);
      PaintedComponent record{item.name, item.kind, box.left() + (onPage ? 0 : page.bandLeft),
                              box.top() + (onPage ? 0 : page.bandTop), box.width(), box.height(), {}, {}, {}};
      switch (item.kind) {
        case ItemKind::Label:
          paintLabel(p, item, c, box, record);
          break;
        case ItemKind::Image: {
          const QImage* image = c.picture.empty() ? nullptr : picture(c.picture, &record.picture, &record.missing);
          if (!image) {
            if (!record.missing.empty()) painted.push_back(std::move(record));
            continue;
          }
          if (item.stretch) {
            p.drawImage(box, standIns_ ? standIn(*image) : onScreen(*image, box.size()));
          } else {
            // Natural size in page units, from the resolution the bitmap carries.
            const double dpmX = image->dotsPerMeterX() > 0 ? image->dotsPerMeterX() : 96 / 0.0254;
            const double dpmY = image->dotsPerMeterY() > 0 ? image->dotsPerMeterY() : 96 / 0.0254;
            const QSizeF natural(image->width() * kLayoutDpi / (dpmX * 0.0254),
                                 image->height() * kLayoutDpi / (dpmY * 0.0254));
            p.save();
            p.setClipRect(box, Qt::IntersectClip);
            p.drawImage(QRectF(box.topLeft(), natural), standIns_ ? standIn(*image) : onScreen(*image, natural));
            p.restore();
          }
          break;
        }
        case ItemKind::Shape:
          paintShape(p, item, c, box);
          break;
        case ItemKind::Control:
          continue;
      }
      painted.push_back(std::move(record));
    }
    p.restore();
  }
  p.restore();
  return painted;
}

}  // namespace vesprin

#pragma once
// A PDF as Qt writes it, finished for those who read it: its title and
// subject name the client and the chart, and its text layer gives back the
// Thai texts as they were typed.
//
// Qt's PDF writer builds each font's ToUnicode map from the font's character
// map, so the Thai fonts' positioned forms of the marks (a mai ek lowered
// under a short consonant, a sara i moved left beside a tall one), which
// those fonts reach through private-use code points U+F700..U+F71A, come out
// as those code points: text extraction drops them, and a name loses its
// tone marks. The maps are rewritten after writing, each form back to the
// Thai character it draws.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vesprin {

// The document information of a chart sheet's PDF.
struct PdfDocumentInfo {
  std::string title;    // the client's name (UTF-8)
  std::string subject;  // the chart: "ดวงจีน" and the birth
  friend bool operator==(const PdfDocumentInfo&, const PdfDocumentInfo&) = default;
};

// The Thai character that a private-use positioned form U+F700..U+F71A
// draws; any other code point comes back as it is.
char32_t thaiFromPositionedForm(char32_t c);

// One ToUnicode CMap with every destination in U+F700..U+F71A given back as
// its Thai character; the source codes (glyph numbers) are left as they are.
std::string thaiToUnicodeMap(const std::string& cmap);

// The text a ToUnicode map gives each code.
std::map<unsigned, std::u32string> readToUnicodeMap(const std::string& cmap);

// The text of a run of glyphs in the order it is typed: a sara am that the
// fonts draw as a nikhahit and a sara aa (with the tone mark between them)
// is one character again, and the tab that the fonts' blank glyph maps to a
// blank.
std::u32string typedOrder(std::u32string glyphs);

// How the text objects are found in a page's contents: read as Qt writes
// them, where the contents hold nothing else (much the quicker), or always
// through qpdf's tokenizer. Both give the same document.
enum class ContentReading { AsQtWrites, Tokenized };

// For a PDF painted with picture stand-ins (FormRenderer::setPictureStandIns),
// two-colour images of the real pictures' sizes: the real picture for an
// image whose data is `size` bytes starting with `head`, or none. Its data
// compressed (zlib), and whether it is in colour (three bytes a pixel, red,
// green, blue) or two-colour (one bit a pixel) like the stand-in.
struct RealPicture {
  const std::string* data;
  bool colour;
};
using StandInData = std::function<std::optional<RealPicture>(std::string_view head, std::size_t size)>;

// The same on a PDF in memory: `pdf` is replaced by the finished document.
// An empty text when done, else why not (`pdf` is then unchanged).
// `standIns`: each image that is a stand-in takes its real picture's data;
// `replaced` receives how many.
std::string finishPdfBytes(std::string& pdf, const PdfDocumentInfo& info,
                           ContentReading reading = ContentReading::AsQtWrites, const StandInData& standIns = {},
                           std::size_t* replaced = nullptr);

// Rewrites the PDF at `file` with its ToUnicode maps mended and its title and
// subject set (an empty field keeps what the file has). The new file is
// written beside it and renamed over it (writeFileSafely), so `file` is
// either the finished PDF or the one that was there. An empty text when
// done, else why not.
std::string finishPdf(const std::filesystem::path& file, const PdfDocumentInfo& info);

}  // namespace vesprin

// Writing the PDF by hand: one page model needs a handful of objects, and the
// 14 standard faces need no font file, so no PDF library is built in.
#include "print/page_pdf.h"

#include <zlib.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "common/windows1252.h"
#include "print/sheet_place.h"

namespace {

// A4 in points (72 to the inch), the whole sheet printable.
constexpr double kPaperWidth = 595.28;
constexpr double kPaperHeight = 841.89;

// A Courier character's advance, in thousandths of the font's size.
constexpr double kCourierAdvance = 600;

const char* const kFaces[4] = {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique"};

int FaceOf(const PageText& text) { return (text.bold ? 1 : 0) + (text.italic ? 2 : 0); }

// A length with two decimals and a point, whatever the C locale says.
std::string Number(double value) {
  auto hundredths = static_cast<long long>(std::llround(value * 100));
  std::string text = hundredths < 0 ? "-" : "";
  unsigned long long magnitude = static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
  text += std::to_string(magnitude / 100);
  unsigned long long fraction = magnitude % 100;
  if (fraction != 0) {
    text += '.';
    text += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
  }
  return text;
}

// A literal string: the delimiters and the backslash escaped, the bytes
// outside printable ASCII as octal, so the file's text stays 7-bit.
std::string Literal(const std::string& bytes) {
  std::string out = "(";
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '(' || c == ')' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      out += '\\';
      out += static_cast<char>('0' + (byte >> 6));
      out += static_cast<char>('0' + ((byte >> 3) & 7));
      out += static_cast<char>('0' + (byte & 7));
    } else {
      out += c;
    }
  }
  return out + ")";
}

std::string Deflate(const std::string& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string out(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(data.data()),
                static_cast<uLong>(data.size()), Z_BEST_COMPRESSION) != Z_OK) {
    return std::string();
  }
  out.resize(size);
  return out;
}

// The dictionary's opening and the stream, compressed where zlib could.
std::string Stream(const std::string& dictionary, const std::string& data) {
  std::string packed = Deflate(data);
  bool flate = !packed.empty() || data.empty();
  const std::string& body = flate ? packed : data;
  return "<< " + dictionary + (flate ? " /Filter /FlateDecode" : "") + " /Length " +
         std::to_string(body.size()) + " >>\nstream\n" + body + "\nendstream";
}

struct Placed {
  GridPlace grid;
  double x(double columns) const { return grid.left + columns * grid.column; }
  // PDF's y runs up from the paper's bottom edge.
  double y(double rows) const { return kPaperHeight - (grid.top + rows * grid.row); }
};

void AddText(std::string& out, const Placed& place, const PageText& text) {
  double size = place.grid.row * text.height;
  // Characters as wide as their cells: double height alone presses them,
  // double width alone stretches them.
  double scaling = 100 * place.grid.column * text.width / (size * kCourierAdvance / 1000);
  out += "/F" + std::to_string(FaceOf(text) + 1) + " " + Number(size) + " Tf " + Number(scaling) +
         " Tz 1 0 0 1 " + Number(place.x(text.column)) + " " +
         Number(place.y(text.row + 0.8 * text.height)) + " Tm " + Literal(Narrow(text.text)) + " Tj\n";
}

std::string Contents(const PageModel& page, const Placed& place, bool withLogo) {
  std::string out;
  if (withLogo) {
    const PageImage& logo = page.logo;
    out += "q " + Number(logo.width * place.grid.column) + " 0 0 " + Number(logo.height * place.grid.row) +
           " " + Number(place.x(logo.left)) + " " + Number(place.y(logo.top + logo.height)) +
           " cm /Im1 Do Q\n";
  }
  if (!page.texts.empty()) {
    out += "BT\n";
    for (const PageText& text : page.texts) AddText(out, place, text);
    out += "ET\n";
  }
  if (!page.rules.empty()) {
    // About 0.25 mm, the weight of a dot-matrix rule; round ends, so that the
    // rules meet at the boxes' corners.
    out += Number(place.grid.row / 20) + " w 1 J\n";
    for (const PageRule& rule : page.rules) {
      out += Number(place.x(rule.x1 / 2.0)) + " " + Number(place.y(rule.y1 / 2.0)) + " m " +
             Number(place.x(rule.x2 / 2.0)) + " " + Number(place.y(rule.y2 / 2.0)) + " l\n";
    }
    out += "S\n";
  }
  return out;
}

bool HasPixels(const PageImage& logo) {
  return logo.pixelsWide > 0 && logo.pixelsHigh > 0 && logo.width > 0 && logo.height > 0 &&
         logo.rgb.size() == static_cast<std::size_t>(logo.pixelsWide) * static_cast<std::size_t>(logo.pixelsHigh) * 3;
}

}  // namespace

std::string PagePdf(const PageModel& page) {
  Paper paper;
  paper.width = paper.areaWidth = kPaperWidth;
  paper.height = paper.areaHeight = kPaperHeight;
  paper.perInchX = paper.perInchY = 72;
  Placed place{PlaceSheet(paper, page.rows)};
  bool withLogo = HasPixels(page.logo);

  // Objects 1 catalogue, 2 pages, 3 page, 4 contents, then the faces the
  // page uses and the logo.
  std::vector<std::string> objects(4);
  objects[0] = "<< /Type /Catalog /Pages 2 0 R >>";
  objects[1] = "<< /Type /Pages /Kids [3 0 R] /Count 1 >>";
  objects[3] = Stream("", Contents(page, place, withLogo));
  bool used[4] = {false, false, false, false};
  for (const PageText& text : page.texts) used[FaceOf(text)] = true;
  std::string fonts;
  for (int face = 0; face < 4; ++face) {
    if (!used[face]) continue;
    objects.push_back(std::string("<< /Type /Font /Subtype /Type1 /BaseFont /") + kFaces[face] +
                      " /Encoding /WinAnsiEncoding >>");
    fonts += " /F" + std::to_string(face + 1) + " " + std::to_string(objects.size()) + " 0 R";
  }
  std::string resources = "/Resources <<";
  if (!fonts.empty()) resources += " /Font <<" + fonts + " >>";
  if (withLogo) {
    const PageImage& logo = page.logo;
    objects.push_back(Stream("/Type /XObject /Subtype /Image /Width " + std::to_string(logo.pixelsWide) +
                                 " /Height " + std::to_string(logo.pixelsHigh) +
                                 " /ColorSpace /DeviceRGB /BitsPerComponent 8",
                             std::string(logo.rgb.begin(), logo.rgb.end())));
    resources += " /XObject << /Im1 " + std::to_string(objects.size()) + " 0 R >>";
  }
  resources += " >>";
  objects[2] = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Number(kPaperWidth) + " " +
               Number(kPaperHeight) + "] " + resources + " /Contents 4 0 R >>";

  // The second line's bytes above 127 mark the file as binary to tools
  // that look.
  std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(out.size());
    out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  std::size_t table = out.size();
  out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets) {
    std::string digits = std::to_string(offset);
    out += std::string(10 - digits.size(), '0') + digits + " 00000 n \n";
  }
  out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(table) + "\n%%EOF\n";
  return out;
}

std::string QuotePdf(const QuoteRecord& quote, int32_t number, const CompanyData& company) {
  return PagePdf(QuotePage(quote, number, company));
}

// The letterhead: the business's name and particulars in large decorated type.
#include "print/letterhead.h"

#include <initializer_list>
#include <string>

namespace {

constexpr char ESC = 0x1B;
constexpr std::size_t kPageColumns = 80;
constexpr char kMargin = 5;  // the letterhead's left margin

HeadPiece Code(std::initializer_list<char> bytes) {
  return HeadPiece{true, SheetText{std::string(bytes), std::wstring()}};
}

HeadPiece Text(const SheetText& text) { return HeadPiece{false, text}; }

// One of the business's lines after `indent` spaces, cut to `room`.
SheetText Line(std::size_t indent, const std::string& text, std::size_t room) {
  return Ascii(std::string(indent, ' ')) + Typed(text.substr(0, room));
}

static_assert(kNameRoom == (kPageColumns - kMargin) / 2, "the name in double width");
static_assert(kActivityRoom == kPageColumns - kMargin - 21, "the activity after 21 spaces");
static_assert(kAddressRoom == kPageColumns - kMargin - 9, "the address after 9 spaces");
static_assert(kPhoneRoom == kPageColumns - kMargin - 15, "the phone after 15 spaces");
static_assert(kOtherRoom == kPageColumns - kMargin - 23, "the rest after 23 spaces");

}  // namespace

std::vector<HeadPiece> JobHead(const CompanyData& company) {
  return {
      Text(Ascii("\n\n")),
      Code({ESC, 'W', 1}),  // double width on
      // Double height is asked for twice; printers take the repeat as a no-op.
      Code({ESC, 'w', 1}),
      Code({ESC, 'w', 1}),
      Code({ESC, 'k', 4}),  // Script
      Code({ESC, 'P'}),     // 10 cpi
      Code({ESC, 'E'}),     // bold on
      Code({ESC, '4'}),     // italic on
      Code({ESC, 'l', kMargin}),
      Text(Ascii("\n\n\n\n") + Line(0, company.name, kNameRoom) + Ascii("\n\n")),
      Code({ESC, '5'}),     // italic off
      Code({ESC, 'W', 0}),  // double width off
      Text(Line(21, company.activity, kActivityRoom) + Ascii("\n\n\n")),
      Code({ESC, 'w', 0}),  // double height off
      Code({ESC, 'q', 3}),  // outline with shadow
      Text(Line(9, company.address, kAddressRoom) + Ascii("\n")),
      Text(Line(15, company.phone, kPhoneRoom) + Ascii("\n")),
      Text(Line(23, company.other, kOtherRoom) + Ascii("\n\n\n")),
      Code({ESC, 'q', 0}),  // normal style
      Code({ESC, 'F'}),     // bold off
      Code({ESC, 'q', 0}),
      Code({ESC, 'k', 7}),  // Orator for the sheet
      Code({ESC, 'l', 0}),  // left margin 0
      Text(Ascii("\n\n\n")),
  };
}

void WriteJobHead(PrinterStream& stream, const CompanyData& company) {
  for (const HeadPiece& piece : JobHead(company)) WriteText(stream, piece.text.printer);
  stream.out.flush();
}

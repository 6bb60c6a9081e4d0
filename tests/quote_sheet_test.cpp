// The printed quote sheet, byte for byte, the printer character table, and
// the same sheet as the drawn page lays it out.
#include <cmath>
#include <cstdint>
#include <sstream>
#include <tuple>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <iconv.h>

#include "print/body_rows.h"
#include "common/picture.h"
#include "print/page_model.h"
#include "print/printer_charset.h"
#include "print/printer_stream.h"
#include "print/quote_sheet.h"
#include "tests/test_folder.h"

namespace {
// A Windows-1252 text in another code page by the C library's tables, or
// nothing where that code page lacks some character of it.
std::string Reencoded(const std::string& text, const char* to) {
  iconv_t converter = iconv_open(to, "WINDOWS-1252");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::string();
  std::string out(text.size() * 4, '\0');
  char* in = const_cast<char*>(text.data());
  char* at = out.data();
  std::size_t inLeft = text.size(), outLeft = out.size();
  bool done = iconv(converter, &in, &inLeft, &at, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(converter);
  return done ? out.substr(0, out.size() - outLeft) : std::string();
}

std::string Sp(std::size_t n) { return std::string(n, ' '); }
std::string Rep(std::size_t n, char c) { return std::string(n, c); }
const std::string V = "\xB3";
const std::string Blank = V + Sp(78) + V;

// The sheet for CurrentQuote, split at its CR LF line ends.
std::vector<std::string> SheetLines(int32_t number, const std::string& vatRate = "") {
  CompanyData company;
  company.vatRate = vatRate;
  std::ostringstream out;
  PrinterStream stream{out};
  WriteQuoteSheet(stream, CurrentQuote, number, company);
  EXPECT_FALSE(stream.failed);
  std::string bytes = out.str();
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "bytes after the last line end";
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray CR or LF: " << line;
  }
  EXPECT_EQ(lines.size(), 42u);
  lines.resize(42);
  return lines;
}

// The euro sign on paper: C struck over with =.
const std::string Euro = "C\b=";

std::string Row(const std::string& text) { return V + " " + text + Sp(76 - text.size()) + " " + V; }

// Body rows 1 to 25 of a sheet.
std::vector<std::string> SheetBodyRows(const std::vector<std::string>& lines) {
  return std::vector<std::string>(lines.begin() + 6, lines.begin() + 31);
}

// The 25 rows expected: blank first, then `texts`, then blank.
std::vector<std::string> ExpectedRows(const std::vector<std::string>& texts) {
  std::vector<std::string> rows(25, Blank);
  for (std::size_t i = 0; i < texts.size(); ++i) rows[i + 1] = Row(texts[i]);
  return rows;
}
}  // namespace

TEST(QuoteSheet, WorkedExampleLineByLine) {
  SetCurrentQuote("Reparacion de tejado\r\n\r\nMano de obra", "Pe\xF1" "a e hijos", "6/12/2026",
                  "C/ Mayor 1", "1.234,56");
  std::vector<std::string> expected = {
      "\xDA" + Rep(78, '\xC4') + "\xBF",
      Blank,
      V + " Presupuesto N\xA7 7     Nombre: Pe\xA4" "a e hijos" + Sp(36) + V,
      V + " Fecha: 6/12/2026     Domicilio: C/ Mayor 1" + Sp(35) + V,
      Blank,
      "\xC3" + Rep(78, '\xC4') + "\xB4",
      Blank,
      V + " Reparacion de tejado" + Sp(57) + V,
      Blank,
      V + " Mano de obra" + Sp(65) + V,
  };
  for (int i = 0; i < 21; ++i) expected.push_back(Blank);
  const std::string boxTop = Sp(66) + "\xDA" + Rep(12, '\xC4') + "\xBF";
  const std::string boxBottom = Sp(66) + "\xC0" + Rep(12, '\xC4') + "\xD9";
  std::vector<std::string> tail = {
      "\xC0" + Rep(78, '\xC4') + "\xD9",
      "",
      boxTop,
      Sp(57) + "Subtotal " + V + " 1.234,56 " + Euro + " " + V,
      boxBottom,
      boxTop,
      Sp(57) + "IVA    % " + V + Sp(12) + V,
      boxBottom,
      boxTop,
      Sp(60) + "Total " + V + Sp(12) + V,
      boxBottom,
  };
  expected.insert(expected.end(), tail.begin(), tail.end());

  std::vector<std::string> lines = SheetLines(7);
  for (std::size_t i = 0; i < 42; ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
  for (std::size_t i = 0; i < 42; ++i) {
    EXPECT_EQ(expected[i].size(), i == 32 ? 0u : i == 34 ? 82u : 80u);
  }
}

TEST(QuoteSheet, PrinterCharsetHasEveryLetterOfTheIbmTable) {
  // Against the C library's own tables: what code page 437 has goes out as
  // its byte there; what it lacks takes one column all the same.
  for (int byte = 0x20; byte < 256; ++byte) {
    if (byte == 0x7F) continue;
    std::string one(1, static_cast<char>(byte));
    std::string printed = ToPrinterCharset(one);
    std::string cp437 = Reencoded(one, "CP437");
    if (byte == 0x80) {
      EXPECT_EQ(printed, Euro);
    } else if (!cp437.empty()) {
      EXPECT_EQ(printed, cp437) << std::hex << byte;
    } else {
      EXPECT_EQ(printed.size(), 1u) << std::hex << byte;
      EXPECT_TRUE(static_cast<unsigned char>(printed[0]) >= 0x20) << std::hex << byte;
    }
  }
  // Capitals without their accent; ª º ñ Ñ ¿ ¡ as the table has them.
  EXPECT_EQ(ToPrinterCharset("Jos\xE9 N\xFA\xF1" "ez \xBF\xC1vila? \xA1S\xED!"),
            "Jos\x82 N\xA3\xA4" "ez \xA8" "Avila? \xADS\xA1!");
  EXPECT_EQ(ToPrinterCharset("\xC0\xC1\xC8\xCD\xD3\xDA\xD1\xC7\xDC\xC9 1\xAA 2\xBA"),
            "AAEIOU\xA5\x80\x9A\x90 1\xA6 2\xA7");
  // Every capital the table lacks, as its letter without the accent.
  EXPECT_EQ(ToPrinterCharset("\xC0\xC1\xC2\xC3\xC8\xCA\xCB\xCC\xCD\xCE\xCF\xD2\xD3\xD4\xD5\xD9\xDA\xDB\xDD"),
            "AAAAEEEIIIIOOOOUUUY");
}

TEST(QuoteSheet, BodyWrapsAtSpacesAsTheEditControlDoes) {
  std::string a74 = Rep(74, 'a'), b75 = Rep(75, 'b'), c76 = Rep(76, 'c');
  // Lines up to a row long take one row each; a longer one breaks at its
  // last space that fits, the spaces there ending the row; a word longer
  // than a row is cut at the row's width.
  std::string words = "Impermeabilizaci\xF3n de la cubierta con l\xE1mina asf\xE1ltica y "
                      "protecci\xF3n de grava, incluida la retirada de escombros";
  std::string word90 = Rep(90, 'w');
  std::string printedWords = ToPrinterCharset(words);
  std::string d40e35 = Rep(40, 'd') + " " + Rep(35, 'e');
  struct Case {
    std::string body;
    std::vector<std::string> rows;
  } cases[] = {
      {a74 + "\r\n" + b75 + "\r\n" + c76 + "\r\n" + words + "\r\n" + word90 + " fin\r\n" + c76 +
           "   \r\nlf\nsolo",
       {a74, b75, c76, printedWords.substr(0, 70), printedWords.substr(71), Rep(76, 'w'),
        Rep(14, 'w') + " fin", c76, "lf", "solo"}},
      {d40e35 + " fin", {d40e35, "fin"}},  // a space in column 77, just past the row
      {"\r\nPrimera linea\r\n", {"", "Primera linea"}},
      // Tabs reach the edit control's stops, every eight columns counted
      // from the row's start, also in the rows of a wrapped line.
      {"a\tb\r\n12345678\tx\r\n" + Rep(70, 'k') + "\tsigue\r\n" + Rep(70, 'k') + " bbbbbbbbbb\tc",
       {"a" + Sp(7) + "b", "12345678" + Sp(8) + "x", Rep(70, 'k'), "sigue", Rep(70, 'k'),
        "bbbbbbbbbb" + Sp(6) + "c"}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SetCurrentQuote(c.body, "", "", "", "");
    EXPECT_EQ(SheetBodyRows(SheetLines(1)), ExpectedRows(c.rows)) << c.body;
  }

  // Whether the text fits the sheet's 24 rows: empty rows after it do not count.
  std::string lines24;
  for (int i = 0; i < 24; ++i) lines24 += "x\r\n";
  EXPECT_TRUE(RowsFit(BodyRows(lines24 + "\r\n   \r\n"), 24));
  EXPECT_FALSE(RowsFit(BodyRows(lines24 + "y"), 24));
  EXPECT_FALSE(RowsFit(BodyRows(Rep(23 * 76, 'z') + " " + Rep(77, 'z')), 24));
}

TEST(QuoteSheet, BodyBeyondTwentyFourRowsIsDropped) {
  std::string body;
  std::vector<std::string> texts;
  for (int i = 1; i <= 30; ++i) {
    std::string line = "Linea " + std::to_string(i);
    body += line + "\r\n";
    if (i <= 24) texts.push_back(line);
  }
  SetCurrentQuote(body, "", "", "", "");
  EXPECT_EQ(SheetBodyRows(SheetLines(1)), ExpectedRows(texts));

  // A full body with no breaks: 23 rows of 76 and the last 51 bytes.
  std::string full;
  for (int i = 0; i < 1799; ++i) full += static_cast<char>('a' + i % 26);
  SetCurrentQuote(full, "", "", "", "");
  texts.clear();
  for (int i = 0; i < 24; ++i) texts.push_back(full.substr(76 * i, 76));
  EXPECT_EQ(texts.back().size(), 51u);
  EXPECT_EQ(SheetBodyRows(SheetLines(1)), ExpectedRows(texts));
}

TEST(QuoteSheet, SmallBoxesShowTheTotalAndWorkOutIva) {
  // total, IVA rate: what the Subtotal, IVA and Total cells hold before
  // their closing space (the euro sign, C struck over with =, takes one
  // column of three bytes); "" for an empty IVA or Total box.
  struct Case {
    std::string total, rate, subtotal, vatLabel, vat, sum;
  };
  const Case cases[] = {
      {"", "", Sp(10) + Euro, "IVA    % ", "", ""},
      // Where IVA is worked out the Subtotal is an amount like the other two.
      {"123456,78", "21,5%", "123.456,78" + Euro, "IVA 21,5 % ", "26.543,21 " + Euro,
       "149.999,99" + Euro},
      // A typed total one column too wide loses the space before the sign.
      {"1234567,89", "", "1234567,89" + Euro, "IVA    % ", "", ""},
      // Worked-out amounts keep to their cell: without the space, then the dots.
      {"900.000", "21", "900.000,00" + Euro, "IVA 21 % ", "189.000,00" + Euro,
       "1089000,00" + Euro},
      // Wider than the cell in every form: in full, the box widened leftwards.
      {"1.234.567,89", "", "1.234.567,89 " + Euro, "IVA    % ", "", ""},
      {"12.345.678,90", "21", "12.345.678,90 " + Euro, "IVA 21 % ", "2592592,57" + Euro,
       "14.938.271,47 " + Euro},
      {"999999999999", "21", "999.999.999.999,00 " + Euro, "IVA 21 % ",
       "209.999.999.999,79 " + Euro, "1.209.999.999.998,79 " + Euro},
      {"mil doscientos treinta y cuatro euros", "", "mil doscientos treinta y cuatro euros " + Euro,
       "IVA    % ", "", ""},
      {"1.234,56", "21", " 1.234,56 " + Euro, "IVA 21 % ", "   259,26 " + Euro,
       " 1.493,82 " + Euro},
      // Typed with its own euro sign: no second one.
      {"1234,56 \x80", " 21 ", " 1.234,56 " + Euro, "IVA 21 % ", "   259,26 " + Euro,
       " 1.493,82 " + Euro},
      {"1234", "5,5", " 1.234,00 " + Euro, "IVA 5,5 % ", "    67,87 " + Euro,
       " 1.301,87 " + Euro},
      // Half a cent rounds up.
      {"0,10", "5", "   0,10 " + Euro, "IVA 5 % ", "     0,01 " + Euro, "     0,11 " + Euro},
      {"0,10", "4", "   0,10 " + Euro, "IVA 4 % ", "     0,00 " + Euro, "     0,10 " + Euro},
      // Not an amount, or no usable rate: the boxes stay empty.
      {"mil euros", "21", "mil euros " + Euro, "IVA    % ", "", ""},
      {"12.34", "21", "    12.34 " + Euro, "IVA    % ", "", ""},
      {"1234.567", "21", " 1234.567 " + Euro, "IVA    % ", "", ""},  // no group of four
      {"1,234", "21", "    1,234 " + Euro, "IVA    % ", "", ""},
      {"-5", "21", "       -5 " + Euro, "IVA    % ", "", ""},
      {"100", "veintiuno", "      100 " + Euro, "IVA    % ", "", ""},
      {"100", "101", "      100 " + Euro, "IVA    % ", "", ""},
      {"100", "1.5", "      100 " + Euro, "IVA    % ", "", ""},
  };
  // A box of `cell` and its closing space, right rule in column 79, the
  // label right before it.
  auto box = [](const std::string& label, const std::string& cell) {
    std::size_t columns = cell.size() - 2 * (cell.find(Euro) != std::string::npos) + 1;
    std::size_t inside = std::max<std::size_t>(columns, 12);
    std::string padded = Sp(inside - columns) + cell + " ";
    std::size_t left = 78 - inside;
    return std::vector<std::string>{Sp(left) + "\xDA" + Rep(inside, '\xC4') + "\xBF",
                                    Sp(left - label.size()) + label + V + padded + V,
                                    Sp(left) + "\xC0" + Rep(inside, '\xC4') + "\xD9"};
  };
  for (const Case& c : cases) {
    SetCurrentQuote("", "", "", "", c.total);
    std::vector<std::string> lines = SheetLines(1, c.rate);
    std::vector<std::string> expected = box("Subtotal ", c.subtotal);
    for (const auto& more : {box(c.vatLabel, c.vat), box("Total ", c.sum)}) {
      expected.insert(expected.end(), more.begin(), more.end());
    }
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 33, lines.end()), expected)
        << c.total << " " << c.rate;
  }
}

TEST(QuoteSheet, HeaderColumnsFollowDateAndNumberWidths) {
  SetCurrentQuote("", "Ana", "", "Sol 2", "");
  std::vector<std::string> lines = SheetLines(7);
  EXPECT_EQ(lines[2], V + " Presupuesto N\xA7 7    Nombre: Ana" + Sp(46) + V);
  EXPECT_EQ(lines[3], V + " Fecha: " + Sp(5) + "Domicilio: Sol 2" + Sp(49) + V);

  SetCurrentQuote("", "Ana", "6/12/2026", "", "");
  EXPECT_EQ(SheetLines(0)[2], V + " Presupuesto N\xA7   " + Sp(4) + "Nombre: Ana" + Sp(45) + V);
  EXPECT_EQ(SheetLines(7)[2], V + " Presupuesto N\xA7 7 " + Sp(4) + "Nombre: Ana" + Sp(45) + V);
  EXPECT_EQ(SheetLines(99)[2], V + " Presupuesto N\xA7 99" + Sp(4) + "Nombre: Ana" + Sp(45) + V);
  EXPECT_EQ(SheetLines(100)[2], V + " Presupuesto N\xA7 100" + Sp(4) + "Nombre: Ana" + Sp(44) + V);
  EXPECT_EQ(SheetLines(100)[3], V + " Fecha: 6/12/2026" + Sp(5) + "Domicilio: " + Sp(45) + V);
}

TEST(QuoteSheet, LongHeaderPushesTheClosingRuleOut) {
  std::string name = Rep(39, 'n'), date = Rep(39, 'f');
  SetCurrentQuote("", name, date, "", "");
  std::vector<std::string> lines = SheetLines(7);
  EXPECT_EQ(lines[2], V + " Presupuesto N\xA7 7" + Sp(31) + Sp(4) + "Nombre: " + name + V);
  EXPECT_EQ(lines[2].size(), 101u);
  EXPECT_EQ(lines[3], V + " Fecha: " + date + Sp(5) + "Domicilio: " + Sp(15) + V);
}

TEST(QuoteSheet, ControlBytesPrintAsSpacesAndLettersInThePrinterTable) {
  SetCurrentQuote("\x1B@o\x7Fjo\r\nuno\rdos\ttres\r\n\xE1\xF1\x80\xBA", "A\x0C" "B\xF1",
                  "1\n2\xBA", "C/\x1B" "E \xD1", "9\x07\xAA");
  std::vector<std::string> lines = SheetLines(5);
  EXPECT_EQ(lines[2], V + " Presupuesto N\xA7 5" + Sp(4) + "Nombre: A B\xA4" + Sp(45) + V);
  EXPECT_EQ(lines[3], V + " Fecha: 1 2\xA7" + Sp(5) + "Domicilio: C/ E \xA5" + Sp(44) + V);
  std::vector<std::string> rows = ExpectedRows({" @o jo", "uno dos tres"});
  rows[3] = V + " \xA0\xA4" + Euro + "\xA7" + Sp(72) + " " + V;
  EXPECT_EQ(SheetBodyRows(lines), rows);
  EXPECT_EQ(lines[34], Sp(57) + "Subtotal " + V + Sp(6) + "9 \xA6 " + Euro + " " + V);
}

namespace {
// The page one item a line: texts as "row column size style text", rules as
// "rule x1,y1 x2,y2" in half cells.
std::wstring PageDump(const PageModel& page) {
  std::wostringstream out;
  out << page.columns << L"x" << page.rows << L"\n";
  for (const PageText& text : page.texts) {
    out << text.row << L" " << text.column << L" " << text.width << L"x" << text.height
        << (text.bold ? L" B" : L"") << (text.italic ? L" I" : L"") << L" " << text.text << L"\n";
  }
  for (const PageRule& rule : page.rules) {
    out << L"rule " << rule.x1 << L"," << rule.y1 << L" " << rule.x2 << L"," << rule.y2 << L"\n";
  }
  return out.str();
}
}  // namespace

TEST(QuoteSheet, PageShowsTheLetterheadAndTheSheetAsTyped) {
  std::string line76 = "Instalaci\xF3n de ca\xF1" "er\xED" "a en el ba\xF1o del 2\xBA piso, "
                       "con grifer\xED" "a nueva y desag\xFC" "e";
  line76 += Rep(76 - line76.size(), '.');
  SetCurrentQuote(line76 + "\r\n\xBFIVA? Se a\xF1" "ade al final: 21 \x80\r\nA\xF1o 2026",
                  "Mu\xF1oz N\xFA\xF1" "ez 1\xAA", "", "C/ \xD1" "and\xFA 2\xBA", "1.234.567,89");
  // The letterhead at one indent after the logo's box, the name larger;
  // the 76-character line fills its row, the next line has the next
  // row; the wide total widens its box leftwards, its closing rule staying
  // in column 79.
  std::wstring expected =
      L"80x61\n"
      L"5 20 1.5x1.5 B Nombre empresa.\n"
      L"7 20 1x1 I Datos\n"
      L"9 20 1x1 Direccion\n"
      L"10 20 1x1 Telefono\n"
      L"11 20 1x1 Datos\n"
      L"21 2 1x1 Presupuesto N\u00BA 12    Nombre: Mu\u00F1oz N\u00FA\u00F1ez 1\u00AA\n"
      L"22 2 1x1 Fecha:      Domicilio: C/ \u00D1and\u00FA 2\u00BA\n"
      L"26 2 1x1 Instalaci\u00F3n de ca\u00F1er\u00EDa en el ba\u00F1o del 2\u00BA piso, "
      L"con grifer\u00EDa nueva y desag\u00FCe.\n"
      L"27 2 1x1 \u00BFIVA? Se a\u00F1ade al final: 21 \u20AC\n"
      L"28 2 1x1 A\u00F1o 2026\n"
      L"53 54 1x1 Subtotal\n"
      L"53 64 1x1 1.234.567,89 \u20AC\n"
      L"56 57 1x1 IVA    %\n"
      L"59 60 1x1 Total\n"
      L"rule 1,39 159,39\n"
      L"rule 1,49 159,49\n"
      L"rule 1,101 159,101\n"
      L"rule 127,105 159,105\n"
      L"rule 127,109 159,109\n"
      L"rule 133,111 159,111\n"
      L"rule 133,115 159,115\n"
      L"rule 133,117 159,117\n"
      L"rule 133,121 159,121\n"
      L"rule 1,39 1,101\n"
      L"rule 159,39 159,101\n"
      L"rule 127,105 127,109\n"
      L"rule 159,105 159,109\n"
      L"rule 133,111 133,115\n"
      L"rule 159,111 159,115\n"
      L"rule 133,117 133,121\n"
      L"rule 159,117 159,121\n";
  EXPECT_EQ(PageDump(QuotePage(CurrentQuote, 12, CompanyData())), expected);
}

TEST(QuoteSheet, PageLetterheadFitsItsLinesAndTheLogoInTheirBoxes) {
  SetCurrentQuote("", "", "", "", "");
  CompanyData company;
  // A name of its whole room, 37 characters, fits half as large again; an
  // address of 66 is narrowed to the 60 columns up to the sheet's edge.
  company.name = std::string(37, 'N');
  company.address = std::string(66, 'D');
  company.activity = "  ";
  PageModel page = QuotePage(CurrentQuote, 1, company);
  ASSERT_GE(page.texts.size(), 2u);
  EXPECT_EQ(page.texts[1].text, std::wstring(66, L'D'));  // no line for the blank activity
  EXPECT_DOUBLE_EQ(page.texts[1].width, 60.0 / 66);
  // The logo in its box of 1.8 x 7/6 inches (18 columns, 7 rows) from row 5,
  // halfway down; the letterhead in column 20 after it, logo or none.
  const struct {
    int wide, high;
    double left, top, width, height;
  } logos[] = {{400, 200, 0, 5.8, 18, 5.4}, {100, 200, 0, 5, 70.0 / 12, 7}, {0, 0, 0, 0, 0, 0}};
  auto milli = [](double v) { return std::lround(v * 1000); };
  for (const auto& l : logos) {
    company.logoPicture = Picture{l.wide, l.high, std::vector<std::uint8_t>(l.wide * l.high * 3u, 0x80)};
    page = QuotePage(CurrentQuote, 1, company);
    const PageImage& logo = page.logo;
    EXPECT_EQ(std::make_tuple(logo.pixelsWide, milli(logo.left), milli(logo.top), milli(logo.width),
                              milli(logo.height)),
              std::make_tuple(l.wide, milli(l.left), milli(l.top), milli(l.width), milli(l.height)));
    EXPECT_EQ(std::make_tuple(page.texts[0].column, page.texts[0].width, page.texts[0].height),
              std::make_tuple(20, 1.5, 1.5));
  }
}

TEST(QuoteSheet, PicturesShrinkByAveragingKeepingTheirProportions) {
  // 4 x 2 pixels, grey levels 0..7 in each channel, into 2 x 2: the box
  // keeps 2 x 1, each pixel the average of a 2 x 2 block.
  Picture picture{4, 2, {}};
  for (int level : {0, 2, 4, 6, 1, 3, 5, 7}) picture.rgb.insert(picture.rgb.end(), 3, level);
  Picture shrunk = ShrunkToFit(picture, 2, 2);
  EXPECT_EQ(std::make_tuple(shrunk.wide, shrunk.high), std::make_tuple(2, 1));
  EXPECT_EQ(shrunk.rgb, (std::vector<std::uint8_t>{2, 2, 2, 6, 6, 6}));
  EXPECT_EQ(ShrunkToFit(picture, 10, 10).rgb, picture.rgb);
}

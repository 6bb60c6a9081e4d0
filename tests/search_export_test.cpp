// The search's word finding and the export's file: case and accents folded,
// fields kept apart, the fast finding against the byte-by-byte one, the
// spreadsheet fields, and the export and search over a real datos.dat.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <random>
#include <vector>

#include "common/csv_text.h"
#include "common/search_text.h"
#include "dialogs/quote_search.h"
#include "store/quote_export.h"
#include "store/quote_file.h"
#include "store/quote_scan.h"
#include "tests/store_fixture.h"

namespace {

// A field of exactly `width` bytes on the heap, so that the sanitizer
// catches a read past it.
std::vector<char> FieldOf(const std::string& bytes, std::size_t width) {
  std::vector<char> field(width, '\0');
  std::copy(bytes.begin(), bytes.begin() + static_cast<long>(std::min(bytes.size(), width)),
            field.begin());
  return field;
}

bool Holds(const std::vector<char>& field, const std::string& typed) {
  std::string word = SearchWords(typed).at(0);
  SearchField one{field.data(), field.size()};
  bool slow = FieldHoldsWordByteByByte(one, word);
  EXPECT_EQ(FieldsHoldWord(&one, 1, word), slow) << typed;
  return slow;
}

TEST(SearchText, WordsAreFoundInTheTextOfAFieldWhateverTheirCaseAndAccents) {
  std::string longLine(31, '.');
  struct Case {
    std::string field;
    std::size_t width;
    std::string typed;
    bool found;
  };
  const Case cases[] = {
      {"Pe\xF1" "a e hijos", 40, "pena", true},
      {"MAR\xCD" "A PE\xD1" "A", 40, "pe\xF1" "a", true},
      {"Construcciones Pena", 40, "PE\xD1" "A", true},
      {"Garc\xED" "a", 40, "garcia", true},
      {"Ag\xFC" "ero", 40, "aguero", true},
      {"\xC1\xC9\xCD\xD3\xDA \xE0\xE8\xEC\xF2\xF9 \xC7\xE7", 40, "aeiou", true},
      {"2\xBA piso, 1\xAA", 40, "2o", true},
      {"Pe\xF1" "a", 40, "pe\xF1" "as", false},
      {"Pena", 40, "pe\xF1" "o", false},
      // Leftovers after the text's zero byte are not text.
      {std::string("Ana\0Pena", 8), 40, "pena", false},
      // A field with no zero byte: its whole width, and not a byte more.
      {std::string(36, 'x') + "Pena", 40, "pena", true},
      {std::string(37, 'x') + "Pena", 40, "pena", false},
      // Across the 32-byte steps of the fast way, and at the end of the text.
      {longLine + "Pe\xF1" "a" + longLine, 1800, "pena", true},
      {longLine + "X", 1800, "x", true},
      {longLine + "\xD1", 1800, "n", true},
      {longLine + longLine + "oBRa", 1800, "obra", true},
      {longLine + longLine + "ob", 1800, "obra", false},
      {"Linea 1\r\n- Desmontaje", 1800, "desmontaje", true},
      {"\xC6sop \xDF", 40, "\xE6sop", true},
      {"ventas@pena_hijos.es", 40, "S@PENA_H", true},
      {"\xBF" "Plazo?", 40, "plazo?", true},
      {"", 40, "a", false},
      // Both ends of the capitals, in both ways.
      {"ZAPATER\xCD" "A AZUL", 40, "zapateria", true},
      {longLine + longLine + "Zinc", 1800, "ZINC", true},
      {"Azul", 40, "AZUL", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Holds(FieldOf(c.field, c.width), c.typed), c.found) << c.field << " / " << c.typed;
  }
  EXPECT_EQ(SearchWords(" \tPe\xF1" "a  12\r\n"), (std::vector<std::string>{"pena", "12"}));
  EXPECT_TRUE(SearchWords("  ").empty());
}

TEST(SearchText, TheFastFindingAgreesWithTheByteByByteOne) {
  // Short words from few letters, in fields of every width up to 100 with
  // their zero byte anywhere, so that every place and step boundary occurs.
  const std::string letters("aAbB\xE1\xF1\xD1n\0 @`", 12);
  std::mt19937 random(7);
  auto pick = [&](std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text += letters[random() % letters.size()];
    return text;
  };
  for (int round = 0; round < 3000; ++round) {
    std::size_t width = 1 + random() % 100;
    std::vector<char> field = FieldOf(pick(width), width);
    std::string word;
    while (word.empty() || word.find('\0') != std::string::npos || word.find(' ') != std::string::npos) {
      word = pick(1 + random() % 3);
    }
    Holds(field, word);
  }
}

TEST(CsvField, QuotedUtf8WithQuotesDoubledBreaksKeptAndFormulasGuarded) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "\"\""},
      {"Pe\xF1" "a, 2\xBA \x80", "\"Pe\xC3\xB1" "a, 2\xC2\xBA \xE2\x82\xAC\""},
      {"Dice \"hola\"; adi\xF3s", "\"Dice \"\"hola\"\"; adi\xC3\xB3s\""},
      {"Linea 1\r\nLinea 2\n", "\"Linea 1\r\nLinea 2\n\""},
      {"=SUMA(A1)", "\"'=SUMA(A1)\""},
      {"+34 600", "\"'+34 600\""},
      {"- Desmontaje", "\"'- Desmontaje\""},
      {"@cliente", "\"'@cliente\""},
      {"\t=1+1", "\"'\t=1+1\""},
      {"\r\n=HIPERVINCULO(\"x\")", "\"'\r\n=HIPERVINCULO(\"\"x\"\")\""},
      {"\nLinea", "\"\nLinea\""},
      {"1-2 = 3", "\"1-2 = 3\""},
      {" =1", "\" =1\""},
      {"\x81\x9D", "\"\xC2\x81\xC2\x9D\""},
  };
  for (const auto& [text, field] : cases) {
    std::string out = "x";
    AppendCsvField(out, text);
    EXPECT_EQ(out, "x" + field) << text;
  }
}

using SearchStore = StoreTest;

// Three stored quotes, the first with bytes left after its texts; the count
// says four, so quote 4 cannot be read.
void StoreFourCounted() {
  std::string first = RecordBytes("- Desmontaje\r\n\"Obra\" nueva", "Pe\xF1" "a e hijos", "1/12/2026",
                                  "C/ Mayor 1", "=1+1");
  first[1800 + 13] = 'Z';  // after the name's zero byte
  WriteBytes("datos.dat", first + RecordBytes("Pintura", "Luis", "2/12/2026", "", "50") +
                              RecordBytes("Tejado", "PE\xD1" "A", "3/12/2026", "Avda. 4", "70"));
  WriteBytes("config.cfg", SettingsBytes(4, 1));
}

TEST_F(SearchStore, ExportWritesTheStoredFieldsInNumberOrderAndCountsTheUnreadable) {
  StoreFourCounted();
  const std::string header =
      "\xEF\xBB\xBF\"N\xC3\xBAmero\";\"Fecha\";\"Nombre\";\"Domicilio\";\"Total\";\"Texto\"\r\n";
  const std::string row1 =
      "\"1\";\"1/12/2026\";\"Pe\xC3\xB1" "a e hijos\";\"C/ Mayor 1\";\"'=1+1\";"
      "\"'- Desmontaje\r\n\"\"Obra\"\" nueva\"\r\n";
  const std::string row3 = "\"3\";\"3/12/2026\";\"PE\xC3\x91" "A\";\"Avda. 4\";\"70\";\"Tejado\"\r\n";
  const std::string row2 = "\"2\";\"2/12/2026\";\"Luis\";\"\";\"50\";\"Pintura\"\r\n";

  ExportResult all = ExportQuotes(L"todos.csv", StoredQuoteCount());
  EXPECT_TRUE(all.written);
  EXPECT_EQ(all.exported, 3);
  EXPECT_EQ(all.unreadable, 1);
  EXPECT_EQ(ReadBytes("todos.csv"), header + row1 + row2 + row3);

  std::vector<int32_t> listed = {4, 3, 1};
  ExportResult some = ExportQuotes(L"algunos.csv", 4, &listed);
  EXPECT_EQ(some.exported, 2);
  EXPECT_EQ(some.unreadable, 1);
  EXPECT_EQ(ReadBytes("algunos.csv"), header + row1 + row3);

  ExportResult refused = ExportQuotes(L"no-existe/lista.csv", 4);
  EXPECT_FALSE(refused.written);
  EXPECT_FALSE(Exists("no-existe"));

  // An earlier file is replaced only by a whole one: where the new one
  // cannot be put in its place, what was there stays, and nothing beside it.
  WriteBytes("todos.csv", "antes");
  EXPECT_TRUE(ExportQuotes(L"todos.csv", 4).written);
  EXPECT_EQ(ReadBytes("todos.csv"), header + row1 + row2 + row3);
  ASSERT_EQ(mkdir("ocupado.csv", 0777), 0);
  WriteBytes("ocupado.csv/dentro", "x");
  ExportResult blocked = ExportQuotes(L"ocupado.csv", 4);
  EXPECT_FALSE(blocked.written);
  EXPECT_EQ(blocked.cause, DiskCause::NoPermission);  // as Windows refuses it
  EXPECT_EQ(ReadBytes("ocupado.csv/dentro"), "x");
  EXPECT_FALSE(Exists("ocupado.csv.tmp"));

  // A file of the user's under the temporary's name stays as it was.
  WriteBytes("todos.csv.tmp", "del usuario");
  EXPECT_TRUE(ExportQuotes(L"todos.csv", 4).written);
  EXPECT_EQ(ReadBytes("todos.csv.tmp"), "del usuario");
  EXPECT_FALSE(Exists("todos.csv.2.tmp"));
  // With every name for the temporary taken, none is written over.
  for (int n = 2; n < 100; ++n) WriteBytes("todos.csv." + std::to_string(n) + ".tmp", "del usuario");
  EXPECT_TRUE(ExportQuotes(L"todos.csv", 4).temporariesTaken);
  for (int n = 2; n < 100; ++n) EXPECT_EQ(ReadBytes("todos.csv." + std::to_string(n) + ".tmp"), "del usuario");
  EXPECT_EQ(ReadBytes("todos.csv.tmp"), "del usuario");
}

TEST_F(SearchStore, AnExportReachingTheProgramsFilesByAnotherPathIsRefused) {
  // A link to the working folder, a hard link to datos.dat, a backup.
  StoreFourCounted();
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(symlink(here, "enlace"), 0);
  ASSERT_EQ(mkdir("otra", 0777), 0);
  ASSERT_EQ(link("datos.dat", "otra/mia.csv"), 0);
  ASSERT_EQ(mkdir("6-12-2026", 0777), 0);
  WriteBytes("6-12-2026/config.cfg", "12345678");
  const std::string quotes = ReadBytes("datos.dat");
  struct Row {
    const wchar_t* path;
    const char* refused;
  } rows[] = {
      {L"enlace/datos.dat", "datos.dat"},
      {L"otra/mia.csv", "datos.dat"},
      {L"enlace/otra/../config.cfg", "config.cfg"},
      {L"enlace/datos.dat.tmp", "datos.dat.tmp"},  // not there: compared through its folder
      {L"enlace/copia", "copia.tmp"},
      {L"enlace/6-12-2026/config.cfg", "6-12-2026\\config.cfg"},
      {L"enlace/6-12-2026/lista.csv", ""},
      {L"enlace/otra/lista.csv", ""},
  };
  for (const Row& row : rows) {
    ExportResult result = ExportQuotes(row.path, 4);
    EXPECT_EQ(result.programFile, row.refused);
    EXPECT_EQ(result.written, !*row.refused);
  }
  EXPECT_TRUE(ReadBytes("datos.dat") == quotes);
  EXPECT_TRUE(ReadBytes("otra/mia.csv") == quotes);
  EXPECT_EQ(ReadBytes("6-12-2026/config.cfg"), "12345678");
  EXPECT_FALSE(Exists("datos.dat.tmp"));
  EXPECT_FALSE(Exists("copia.tmp"));
}

TEST_F(SearchStore, FindListsTheMatchingQuotesNewestFirstAndReadsOneByNumber) {
  StoreFourCounted();
  EXPECT_EQ(FindQuotes("", 4), (std::vector<int32_t>{4, 3, 2, 1}));
  EXPECT_EQ(FindQuotes("pe\xF1" "a", 4), (std::vector<int32_t>{3, 1}));
  // Words in different fields; none across two; the number is a field.
  EXPECT_EQ(FindQuotes("pena obra", 4), (std::vector<int32_t>{1}));
  EXPECT_EQ(FindQuotes("hijos1", 4), (std::vector<int32_t>{}));
  EXPECT_EQ(FindQuotes("4", 4), (std::vector<int32_t>{4, 3}));
  EXPECT_EQ(FindQuotes("z", 4), (std::vector<int32_t>{}));
  // A damaged count of two thousand million: only the first missing quotes
  // are looked at.
  EXPECT_EQ(FindQuotes("", INT32_MAX).size(), 3u + kMostMissingListed);

  QuoteRecord record;
  ASSERT_TRUE(LoadQuote(3, record));
  EXPECT_STREQ(record.name, "PE\xD1" "A");
}

}  // namespace

// Test support for the quote dialogs: drives a dialog procedure through the
// stand-in over a scratch folder holding a hand-built quote file.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "common/number_text.h"
#include "resources/resource.h"
#include "store/disk.h"
#include "store/quote_record.h"
#include "tests/disk_faults.h"
#include "tests/test_folder.h"
#include "winstub/stand_in.h"

inline INT_PTR Open(DLGPROC proc) { return proc(StandInDialog(), WM_INITDIALOG, 0, 0); }
inline INT_PTR Press(DLGPROC proc, int id, int notification = 0) {
  return proc(StandInDialog(), WM_COMMAND, MAKEWPARAM(id, notification), 0);
}
inline void Type(int id, const std::string& text) { StandIn().controlText[id] = StandInWiden(text); }
inline std::string Shown(int id) { return StandInNarrow(StandIn().controlText[id]); }
inline std::string Label(const std::string& number) { return "Presupuesto N\xBA: " + number; }
// The number label as printed on LPT1, with the space that follows it.
inline std::string PrintedLabel(int number) {
  return "Presupuesto N\xA7 " + std::to_string(number) + " ";
}

// The five texts of stored quote n, and its record bytes.
struct QuoteTexts {
  std::string body, name, date, address, total;
};
inline QuoteTexts Stored(int n) {
  std::string tag = std::to_string(n);
  return {"Linea " + tag + "\r\notra", "Cliente " + tag, tag + "/12/2026", "Calle " + tag,
          tag + ",00"};
}
inline std::string Bytes(const QuoteTexts& q) {
  return RecordBytes(q.body, q.name, q.date, q.address, q.total);
}

// datos.dat with quotes 1..count and config.cfg counting them (launch 3).
inline std::string StoreQuotes(int count) {
  std::string file;
  for (int n = 1; n <= count; ++n) file += Bytes(Stored(n));
  WriteBytes("datos.dat", file);
  WriteBytes("config.cfg", SettingsBytes(count, 3));
  RecordCount = count;
  return file;
}

inline void TypeQuote(const QuoteTexts& q) {
  Type(IDC_BODY, q.body);
  Type(IDC_NAME, q.name);
  Type(IDC_DATE, q.date);
  Type(IDC_ADDRESS, q.address);
  Type(IDC_TOTAL, q.total);
}

// What the five edits and the label show.
inline void ExpectShown(const QuoteTexts& q, const std::string& number) {
  EXPECT_EQ(Shown(IDC_BODY), q.body);
  EXPECT_EQ(Shown(IDC_NAME), q.name);
  EXPECT_EQ(Shown(IDC_DATE), q.date);
  EXPECT_EQ(Shown(IDC_ADDRESS), q.address);
  EXPECT_EQ(Shown(IDC_TOTAL), q.total);
  EXPECT_EQ(Shown(IDC_NUMBER), Label(number));
}

inline DiskFault FailEveryDiskOp(DiskOp) { return DiskFault::Error; }
// A full disk: writes put down half their bytes, everything else works.
inline DiskFault FailWrites(DiskOp op) {
  return op == DiskOp::Write ? DiskFault::ShortWrite : DiskFault::None;
}

constexpr unsigned kQuestionType = 0x33;
constexpr unsigned kNoticeType = 0x30;
const char kQuestion[] = "No se ha guardado el presupuesto actual, \xBF" "desea guardarlo?";
const char kSaveFailed[] = "No se ha podido guardar el presupuesto.";
const char kDiskFull[] = "\nCausa: el disco est\xE1 lleno.";
const char kPrintFailed[] = "No se ha podido imprimir el presupuesto en LPT1.";
const char kNoPrinter[] = "No hay ninguna impresora instalada en este equipo.";
const char kPrinterFailed[] = "No se ha podido imprimir el presupuesto en la impresora elegida.";

inline void ExpectNotice(const StandInMessageBox& box, const std::string& text, unsigned type = kNoticeType) {
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.caption, "Presupuestos");
  EXPECT_EQ(box.type, type);
}

// Each test in its own folder, with a fresh stand-in and no quotes counted.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StandInReset();
    RecordCount = 0;
    DiskHook = nullptr;
    TodayText = "6/12/2026";
  }
  void TearDown() override { DiskHook = nullptr; }
  TestFolder folder;
};

// The business's data in empresa.ini, however Notepad saved it, and the
// dialog that edits it.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/text_file.h"
#include "dialogs/company_dialog.h"
#include "resources/resource.h"
#include "store/company_file.h"
#include "store/disk.h"
#include "tests/dialog_driver.h"
#include "tests/disk_faults.h"

namespace {

// The same file as Notepad saves it in each of its encodings.
const std::wstring kIni =
    L"; Datos de la empresa\r\n[Empresa]\r\nNombre=Reformas Pe\u00F1a S.L.\r\n"
    L"Direccion = C/ Mayor 1, 2\u00BA\r\nTelefono=912 345 678\r\nOtros=\r\nIVA=21\r\n"
    L"Impresora=elegir\r\nPie1=Validez: 30 d\u00EDas\r\nPie3=IBAN ES12 3456\r\nLogo=logo.png\r\n";

std::string Utf8(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else {
      bytes += static_cast<char>(0xC0 | (c >> 6));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return bytes;
}

void ExpectTheBusiness(const CompanyData& company) {
  EXPECT_EQ(company.name, "Reformas Pe\xF1" "a S.L.");
  EXPECT_EQ(company.activity, "Datos");  // no key: the placeholder
  EXPECT_EQ(company.address, "C/ Mayor 1, 2\xBA");
  EXPECT_EQ(company.phone, "912 345 678");
  EXPECT_EQ(company.other, "");  // an empty key prints nothing
  EXPECT_EQ(company.vatRate, "21");
  EXPECT_TRUE(company.choosePrinter);
  EXPECT_EQ(company.footer[0] + "|" + company.footer[1] + "|" + company.footer[2],
            "Validez: 30 d\xED" "as||IBAN ES12 3456");
  EXPECT_EQ(company.logo, "logo.png");
}

class CompanyFile : public DialogTest {};

}  // namespace

TEST_F(CompanyFile, ReadAlikeFromEveryFormNotepadSaves) {
  const std::string forms[] = {
      Utf8(kIni),                              // UTF-8, Notepad's default
      "\xEF\xBB\xBF" + Utf8(kIni),             // UTF-8 with its mark
      StandInNarrow(kIni),                     // ANSI
      Utf16FileBytes(kIni),                    // Unicode
      Utf16FileBytes(kIni).substr(2),          // UTF-16 without its mark
      Utf8(kIni) + std::string(1, '\0'),       // a stray zero a crash left is no
      Utf8(kIni) + std::string(2, '\0'),       // UTF-16, at either offset
  };
  for (const std::string& form : forms) {
    WriteBytes("empresa.ini", form);
    ExpectTheBusiness(ReadCompanyData());
    // Kept as UTF-16, every line in place, for the profile functions.
    EXPECT_EQ(ReadBytes("empresa.ini"), Utf16FileBytes(kIni));
  }
  EXPECT_EQ(DecodeTextFile("a\xF1" "b\xC3"), L"a\u00F1b\u00C3");  // not UTF-8
  EXPECT_EQ(DecodeTextFile(std::string("\xFE\xFF\x00\xF1", 4)), L"\u00F1");

  // Where it cannot be rewritten (a read-only folder), read as decoded by
  // the profile functions' rules and left as it was: the first of a key and
  // of the section count, and lines may end in CR alone.
  DiskHook = [](DiskOp op) { return op == DiskOp::Write ? DiskFault::Denied : DiskFault::None; };
  const std::string unwritable = Utf8(kIni + L"IVA=10\r\nNombre = 'otra'\r\n[Otra]\r\nAlgo=1\r\n");
  WriteBytes("empresa.ini", unwritable);
  ExpectTheBusiness(ReadCompanyData());
  EXPECT_EQ(ReadBytes("empresa.ini"), unwritable);
  WriteBytes("empresa.ini", "[Empresa]\rNombre=Reformas CR\rIVA=21\r[Empresa]\rOtros=no\r");
  CompanyData crOnly = ReadCompanyData();
  DiskHook = nullptr;
  EXPECT_EQ(crOnly.name + "|" + crOnly.vatRate + "|" + crOnly.other, "Reformas CR|21|Datos");

  // No file: every placeholder, LPT1.
  std::remove("empresa.ini");
  CompanyData none = ReadCompanyData();
  EXPECT_EQ(none.name, "Nombre empresa.");
  EXPECT_EQ(none.vatRate, "");
  EXPECT_FALSE(none.choosePrinter);
}

TEST_F(CompanyFile, TheDialogShowsChecksAndStoresTheData) {
  WriteBytes("empresa.ini", Utf8(kIni));
  EXPECT_EQ(Open(CompanyDialogProc), FALSE);
  EXPECT_EQ(Shown(IDC_COMPANY_NAME), "Reformas Pe\xF1" "a S.L.");
  // A placeholder shows as an empty field with its grey hint; beside each
  // line, what it can print.
  EXPECT_EQ(Shown(IDC_COMPANY_ACTIVITY), "");
  EXPECT_FALSE(StandIn().cueBanners[IDC_COMPANY_ACTIVITY].empty());
  EXPECT_EQ(Shown(IDC_COMPANY_FOOTER1), "Validez: 30 d\xED" "as");
  EXPECT_TRUE(StandIn().checked[IDC_PRINTER_CHOOSE]);
  EXPECT_EQ(StandIn().typingLimit[IDC_COMPANY_NAME], 37);
  EXPECT_EQ(Shown(IDC_ROOM_NAME), "37 caracteres");
  EXPECT_EQ(Shown(IDC_ROOM_FOOTER), "76 caracteres");
  EXPECT_EQ(StandIn().focusId, IDC_COMPANY_NAME);

  // A rate that is no number is refused, and nothing is written.
  Type(IDC_COMPANY_VAT, "veintiuno");
  Press(CompanyDialogProc, IDOK);
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_FALSE(StandIn().ended);
  EXPECT_EQ(ReadCompanyData().vatRate, "21");

  Type(IDC_COMPANY_ACTIVITY, "Fontaner\xED" "a");
  Type(IDC_COMPANY_VAT, "10");
  CheckRadioButton(StandInDialog(), IDC_PRINTER_LPT1, IDC_PRINTER_CHOOSE, IDC_PRINTER_LPT1);
  Press(CompanyDialogProc, IDOK);
  EXPECT_TRUE(StandIn().ended);
  EXPECT_EQ(StandIn().endResult, 1);
  CompanyData stored = ReadCompanyData();
  EXPECT_EQ(stored.name, "Reformas Pe\xF1" "a S.L.");
  EXPECT_EQ(stored.activity, "Fontaner\xED" "a");
  EXPECT_EQ(stored.vatRate, "10");
  EXPECT_FALSE(stored.choosePrinter);
  EXPECT_EQ(DecodeTextFile(ReadBytes("empresa.ini")).rfind(L"; Datos de la empresa\r\n", 0), 0u);

  // Spaces and quotes around a value come back as they were typed.
  Open(CompanyDialogProc);
  Type(IDC_COMPANY_NAME, "  \"La Casa\"  ");
  Type(IDC_COMPANY_OTHER, "'NIF'");
  Type(IDC_COMPANY_PHONE, "\"91\" 1");
  Press(CompanyDialogProc, IDOK);
  stored = ReadCompanyData();
  EXPECT_EQ(stored.name + "|" + stored.other + "|" + stored.phone, "  \"La Casa\"  |'NIF'|\"91\" 1");

  // A file that is there but cannot be read is told, and the dialog closes
  // rather than offer placeholders to write over it.
  std::string before = ReadBytes("empresa.ini");
  DiskHook = [](DiskOp op) { return op == DiskOp::Read ? DiskFault::Error : DiskFault::None; };
  StandInReset();
  Open(CompanyDialogProc);
  DiskHook = nullptr;
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_EQ(StandIn().boxes[0].text.rfind("No se ha podido leer empresa.ini", 0), 0u);
  EXPECT_TRUE(StandIn().ended);
  EXPECT_EQ(ReadBytes("empresa.ini"), before);

  // The first start: "Aceptar" on the empty fields keeps the name's
  // placeholder and prints nothing for the other lines.
  std::remove("empresa.ini");
  StandInReset();
  Open(CompanyDialogProc);
  EXPECT_EQ(Shown(IDC_COMPANY_NAME), "");
  Press(CompanyDialogProc, IDOK);
  stored = ReadCompanyData();
  EXPECT_EQ(stored.name + "|" + stored.activity + "|" + stored.phone, "Nombre empresa.||");

  // "Cancelar" writes nothing, even where there is no file yet.
  std::remove("empresa.ini");
  StandInReset();
  Open(CompanyDialogProc);
  Type(IDC_COMPANY_NAME, "Otra");
  Press(CompanyDialogProc, IDCANCEL);
  EXPECT_EQ(StandIn().endResult, 0);
  EXPECT_FALSE(Exists("empresa.ini"));
}

TEST_F(CompanyFile, AFileThatHoldsNoTextIsKeptAsideAndAFolderIsNamed) {
  std::string garbage;
  for (int i = 0; i < 600; ++i) garbage += static_cast<char>((i * 37 + 11) % 256);
  WriteBytes("empresa.ini", garbage);
  WriteBytes("empresa.ini.anterior", "de antes");
  Open(CompanyDialogProc);
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_EQ(StandIn().boxes[0].text.rfind("empresa.ini no contiene los datos de la empresa", 0), 0u);
  EXPECT_FALSE(StandIn().ended);
  EXPECT_EQ(Shown(IDC_COMPANY_NAME), "");  // the placeholder, shown empty
  EXPECT_EQ(ReadBytes("empresa.ini"), garbage);  // not rewritten on reading
  Type(IDC_COMPANY_NAME, "Reformas");
  Press(CompanyDialogProc, IDOK);
  EXPECT_EQ(StandIn().endResult, 1);
  ASSERT_EQ(StandIn().boxes.size(), 2u);
  EXPECT_NE(StandIn().boxes[1].text.find("como empresa.ini.anterior2."), std::string::npos);
  EXPECT_EQ(ReadBytes("empresa.ini.anterior2"), garbage);
  EXPECT_EQ(ReadBytes("empresa.ini.anterior"), "de antes");
  EXPECT_EQ(ReadCompanyData().name, "Reformas");

  // A folder under the file's name is told as such, not as a file in use.
  std::remove("empresa.ini");
  ASSERT_EQ(DiskMakeFolder("empresa.ini"), true);
  StandInReset();
  Open(CompanyDialogProc);
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_NE(StandIn().boxes[0].text.find("empresa.ini es una carpeta, no un archivo"), std::string::npos);
  EXPECT_EQ(StandIn().boxes[0].text.find("Cierre el programa"), std::string::npos);
  DiskRemoveFolder("empresa.ini");
}

TEST_F(CompanyFile, TheLogoIsCopiedInOnAcceptAndReadBack) {
  // 2 x 1 pixels, red then blue, as a 24-bit BMP file: each pixel blue,
  // green, red, the row padded to 8 bytes.
  const std::string picture(
      "BM\x3E\0\0\0\0\0\0\0\x36\0\0\0" "\x28\0\0\0\x02\0\0\0\x01\0\0\0\x01\0\x18\0"
      "\0\0\0\0\x08\0\0\0\x13\x0B\0\0\x13\x0B\0\0\0\0\0\0\0\0\0\0" "\0\0\xFF\xFF\0\0\0\0", 62);
  WriteBytes("marca de la casa.bmp", picture);
  WriteBytes("nota.txt", "no es una imagen");
  StandIn().openFileChoices = {L"nota.txt", L"marca de la casa.bmp"};
  Open(CompanyDialogProc);
  // Not a picture: told, nothing shown. A picture: shown, not yet copied.
  Press(CompanyDialogProc, IDC_LOGO_BROWSE);
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_NE(StandIn().boxes[0].text.find("nota.txt no es una imagen"), std::string::npos);
  EXPECT_EQ(StandIn().controlImages[IDC_LOGO_PREVIEW], nullptr);
  Press(CompanyDialogProc, IDC_LOGO_BROWSE);
  EXPECT_NE(StandIn().controlImages[IDC_LOGO_PREVIEW], nullptr);
  EXPECT_EQ(StandIn().dibSections.back(), (std::vector<unsigned char>{0, 0, 255, 255, 0, 0, 0, 0}));
  EXPECT_FALSE(Exists("logo.bmp"));

  Press(CompanyDialogProc, IDOK);
  EXPECT_EQ(ReadBytes("logo.bmp"), picture);
  CompanyRead read = ConvertAndReadCompanyFile();
  // Its pixels decoded as the preview's were.
  EXPECT_EQ(std::make_tuple(read.data.logo, read.logoUnreadable, read.data.logoPicture.wide),
            std::make_tuple("logo.bmp", false, 2));

  // A logo file gone bad: no picture (what the outputs then tell, once, is
  // checked under Wine by pdf_mail_test).
  WriteBytes("logo.bmp", "BM roto");
  read = ConvertAndReadCompanyFile();
  EXPECT_TRUE(read.logoUnreadable);
  EXPECT_TRUE(IsEmpty(read.data.logoPicture));

  // "Quitar": empresa.ini names no logo; the copy stays in the folder.
  StandInReset();
  Open(CompanyDialogProc);
  Press(CompanyDialogProc, IDC_LOGO_REMOVE);
  Press(CompanyDialogProc, IDOK);
  EXPECT_EQ(ReadCompanyData().logo, "");
  EXPECT_TRUE(Exists("logo.bmp"));
}

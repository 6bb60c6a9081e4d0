// The quote's PDF: what the writer puts in the page's stream, the file's name
// and place, the e-mail handed to Simple MAPI, and /pdf on the command line.
// The file's structure, text, fonts and logo are read back by qpdf and
// poppler in tests/e2e/pdf_mail_test.sh.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "app/pdf_command.h"
#include "common/simple_mapi.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/working_copy.h"
#include "print/page_pdf.h"
#include "store/pdf_folder.h"
#include "tests/dialog_driver.h"

namespace {

// The mail program the dialogs find in mapi32.dll: records each message.
uint32_t WINAPI RecordMail(uintptr_t, uintptr_t owner, MapiMessageW* message, uint32_t flags,
                           uint32_t) {
  StandIn().mails.push_back({StandInNarrow(message->lpszSubject), StandInNarrow(message->lpszNoteText),
                             message->nFileCount == 1 ? message->lpFiles[0].lpszFileName : L"",
                             reinterpret_cast<HWND>(owner), flags});
  return StandIn().mailAnswer;
}

const bool kMailInstalled =
    (StandInMailEntry = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordMail)), true);

using QuotePdfTest = DialogTest;

// The page's drawing instructions: the first stream, inflated.
std::string Contents(const std::string& pdf) {
  std::size_t start = pdf.find("stream\n") + 7;
  std::string packed = pdf.substr(start, pdf.find("\nendstream", start) - start);
  std::string out(1 << 16, '\0');
  uLongf size = out.size();
  EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(&out[0]), &size,
                       reinterpret_cast<const Bytef*>(packed.data()), packed.size()),
            Z_OK);
  out.resize(size);
  return out;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string Full(const std::wstring& relative) {
  wchar_t buffer[MAX_PATH];
  GetFullPathNameW(relative.c_str(), MAX_PATH, buffer, nullptr);
  return StandInNarrow(buffer);
}

}  // namespace

TEST(PdfWriter, EachTextInItsFaceStretchedToItsCellsTheLogoAsAnImage) {
  PageModel page;
  page.texts.push_back({3, 5, L"(1\\2) \u20AC a\u00F1o", 2, 1, true, true});
  page.rows = 50;
  page.logo = {1, 1, 8, 4, 2, 1, {255, 0, 0, 0, 0, 255}};
  std::string pdf = PagePdf(page);
  std::string contents = Contents(pdf);
  // Double width on A4's 80 columns scaled into 10 mm margins (12 points a
  // row becomes 11.22): twice a Courier character's advance.
  EXPECT_TRUE(Has(contents, "/F4 11.22 Tf 200 Tz")) << contents;
  EXPECT_TRUE(Has(contents, "(\\(1\\\\2\\) \\200 a\\361o) Tj")) << contents;
  EXPECT_TRUE(Has(pdf, "/BaseFont /Courier-BoldOblique /Encoding /WinAnsiEncoding"));
  EXPECT_FALSE(Has(pdf, "/BaseFont /Courier "));  // only the faces used
  EXPECT_TRUE(Has(pdf, "/Subtype /Image /Width 2 /Height 1 /ColorSpace /DeviceRGB"));
  EXPECT_TRUE(Has(contents, " cm /Im1 Do"));
}

TEST(PdfFolder, TheFileIsNamedAfterTheQuoteAndItsCustomerAsWindowsAllows) {
  const struct {
    int32_t number;
    const char* customer;
    const wchar_t* file;
  } cases[] = {
      {12, "Garc\xED" "a L\xF3pez", L"Presupuesto 12 - Garc\u00EDa L\u00F3pez.pdf"},
      {3, "  A/B: \"C\" <d>|e?*  ", L"Presupuesto 3 - A_B_ _C_ _d__e__.pdf"},
      {7, "Pe\xF1" "a S.L.", L"Presupuesto 7 - Pe\u00F1a S.L.pdf"},
      {8, "..oculto", L"Presupuesto 8 - oculto.pdf"},
      {5, "", L"Presupuesto 5.pdf"},
      {6, " - / . ", L"Presupuesto 6.pdf"},
  };
  for (const auto& c : cases) EXPECT_EQ(PdfFileName(c.number, c.customer), c.file) << c.customer;
}

TEST_F(QuotePdfTest, ANewQuoteIsStoredFirstAndItsPdfTakesItsPlaceInThePdfFolder) {
  StoreQuotes(1);
  Open(NewQuoteDialogProc);
  TypeQuote({"Tejado (nuevo)", "Garc\xED" "a L\xF3pez", "7/12/2026", "C/ Sol 1", "100,00"});
  StandIn().boxAnswers = {IDYES};
  Press(NewQuoteDialogProc, IDC_SAVE_PDF);
  EXPECT_EQ(RecordCount, 2);
  std::string file = "PDF/Presupuesto 2 - Garc\xC3\xAD" "a L\xC3\xB3pez.pdf";
  EXPECT_EQ(ReadBytes(file), QuotePdf(CurrentQuote, 2, CompanyData()));
  EXPECT_FALSE(Exists(file + ".tmp"));
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_EQ(StandIn().boxes[0].text,
            "Se ha guardado el PDF del presupuesto 2 en la carpeta PDF:\n" +
                Full(L"PDF/Presupuesto 2 - Garc\u00EDa L\u00F3pez.pdf") +
                "\n\n\xBF" "Desea abrir la carpeta?");
  EXPECT_EQ(StandIn().calls.back(), "ShellExecuteW explore " + Full(L"PDF"));  // "Sí"

  // A file named PDF where the folder should be: said, nothing else made.
  std::remove(file.c_str());
  rmdir("PDF");
  WriteBytes("PDF", "");
  Press(NewQuoteDialogProc, IDC_SAVE_PDF);
  EXPECT_EQ(StandIn().boxes.back().text,
            "No se ha podido guardar el PDF del presupuesto 2: no se ha podido crear la carpeta PDF.");
  EXPECT_EQ(RecordCount, 2);
}

// "Correo" as the modify dialog has it, on the menu under its "PDF" button;
// the list's button goes through the same under Wine.
TEST_F(QuotePdfTest, TheMailProgramGetsThePdfAndTheTextOrWhatWentWrongIsSaid) {
  StoreQuotes(2);
  WriteBytes("empresa.ini", "[Empresa]\r\nNombre=Reformas Pe\xF1" "a S.L.\r\nIVA=21\r\n");
  Open(ModifyQuoteDialogProc);
  Press(ModifyQuoteDialogProc, IDC_PDF_MENU);  // closed without a choice
  EXPECT_EQ(StandIn().menuItems,
            (std::vector<std::string>{"220 &Guardar PDF", "221 Enviar por c&orreo"}));
  EXPECT_FALSE(Exists("PDF"));
  StandIn().menuChoice = IDC_MAIL;
  Press(ModifyQuoteDialogProc, IDC_PDF_MENU);
  ASSERT_EQ(StandIn().mails.size(), 1u);
  const StandInMail mail = StandIn().mails[0];
  EXPECT_EQ(mail.body,
            "Buenos d\xED" "as:\r\n\r\nLe enviamos adjunto el presupuesto n\xBA 2, por un total de "
            "2,42 \x80 (IVA incluido).\r\n\r\nQuedamos a su disposici\xF3n para cualquier "
            "consulta.\r\n\r\nUn saludo,\r\nReformas Pe\xF1" "a S.L.\r\n");
  EXPECT_EQ(mail.fileName, L"Presupuesto 2 - Cliente 2.pdf");
  // MAPI_DIALOG | MAPI_LOGON_UI: the message is shown to the user, over the dialog.
  EXPECT_EQ(std::make_pair(mail.owner, mail.flags), std::make_pair(StandInDialog(), 0x9u));
  EXPECT_TRUE(StandIn().boxes.empty());

  // Closed unsent (MAPI_USER_ABORT), or no mail program: said, with where the PDF is.
  const std::string where = "El PDF est\xE1 guardado en la carpeta PDF";
  const std::string path = Full(L"PDF/Presupuesto 2 - Cliente 2.pdf");
  StandIn().mailAnswer = 1;
  Press(ModifyQuoteDialogProc, IDC_PDF_MENU);
  EXPECT_EQ(StandIn().boxes.back().text,
            "No se ha enviado el correo: el mensaje se cerr\xF3 sin enviarlo.\n" + where + ":\n" + path);
  StandIn().mailProgram = false;
  Press(ModifyQuoteDialogProc, IDC_PDF_MENU);
  EXPECT_EQ(StandIn().boxes.back().text,
            "No se ha podido abrir un mensaje nuevo: no hay ning\xFAn programa de correo preparado "
            "en este equipo.\n" + where + ", para adjuntarlo a mano:\n" + path);

  // With no business named, the subject is the quote's alone.
  std::remove("empresa.ini");
  StandIn().mailProgram = true;
  Press(ModifyQuoteDialogProc, IDC_PDF_MENU);
  EXPECT_EQ(StandIn().mails.back().subject, "Presupuesto N\xBA 2");
}

// Its bytes, the same as the button's, are checked under Wine.
TEST_F(QuotePdfTest, SlashPdfTakesANumberAndAPathAndRefusesWhatExportRefuses) {
  StoreQuotes(2);
  StandIn().commandLine = L"presupuestos.exe /PDF 2 \"salida 2.pdf\"";
  int32_t number = 0;
  std::wstring path;
  ASSERT_TRUE(PdfRequested(number, path));
  EXPECT_EQ(std::make_pair(number, path), std::make_pair(2, std::wstring(L"salida 2.pdf")));

  const struct {
    int32_t number;
    const wchar_t* path;
  } refused[] = {{2, L"datos.dat"}, {2, L"config.cfg.tmp"}, {2, L"LPT1"}, {2, L"nul.pdf"},
                 {3, L"x.pdf"}, {0, L"x.pdf"}, {2, L""}, {2, L"falta/x.pdf"}};
  for (const auto& r : refused) {
    EXPECT_EQ(RunPdfCommand(r.number, r.path), 1) << StandInNarrow(r.path);
  }
  EXPECT_EQ(ReadBytes("datos.dat"), Bytes(Stored(1)) + Bytes(Stored(2)));
  StandIn().commandLine = L"presupuestos.exe /pdf dos x.pdf";
  ASSERT_TRUE(PdfRequested(number, path));
  EXPECT_EQ(number, 0);
}

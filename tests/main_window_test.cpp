// Start-up and the main window, run through the Win32 stand-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "app/main_window.h"
#include "dialogs/failure_message.h"
#include "common/number_text.h"
#include "resources/resource.h"
#include "stand_in.h"
#include "store/dated_backup.h"
#include "store/disk.h"
#include "store/folder_lock.h"
#include "store/quote_record.h"
#include "tests/disk_faults.h"
#include "tests/test_folder.h"

namespace {

MSG Command(int id) {
  MSG msg{};
  msg.message = WM_COMMAND;
  msg.wParam = MAKEWPARAM(id, 0);
  return msg;
}

class Startup : public ::testing::Test {
 protected:
  void SetUp() override { StandInReset(); }
  TestFolder folder;
};

}  // namespace

TEST_F(Startup, MainWindowClassButtonsAndCommands) {
  StandIn().queue = {Command(ID_NEW), Command(ID_LIST), Command(ID_MODIFY), Command(ID_SEARCH),
                     Command(999), Command(ID_EXIT), Command(ID_NEW)};
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);

  const WNDCLASSEXW& cls = StandIn().registeredClass;
  EXPECT_EQ(StandIn().registeredClassName, "NUESTRA_CLASE");
  EXPECT_EQ(cls.style, 3u);
  EXPECT_EQ(cls.lpfnWndProc, MainWindowProc);
  EXPECT_EQ(cls.lpszMenuName, nullptr);

  const std::vector<StandInWindow>& w = StandIn().windows;
  ASSERT_EQ(w.size(), 8u);
  EXPECT_EQ(w[0].className, "NUESTRA_CLASE");
  EXPECT_EQ(w[0].text, "Programa de Presupuestos. Nombre empresa");
  EXPECT_EQ(w[0].style, 0xCF0000u);
  EXPECT_EQ(w[0].width, 640);
  EXPECT_EQ(w[0].height, 480);
  EXPECT_EQ(w[1].className, "STATIC");
  EXPECT_EQ(w[1].style, 0x5000000Eu);
  EXPECT_EQ(w[1].width, 480);
  EXPECT_EQ(w[1].height, 640);
  // Text metrics of the stand-in: average width 8, height 16.
  const char* texts[] = {"Nuevo Presupuesto", "Listar Presupuesto", "Modificar Presupuesto",
                         "Salir", "Datos de la empresa", "Buscar Presupuesto"};
  const int ys[] = {150, 200, 250, 325, 50, 100};
  for (int i = 0; i < 6; ++i) {
    const StandInWindow& button = w[2 + i];
    EXPECT_EQ(button.className, "button");
    EXPECT_EQ(button.text, texts[i]);
    EXPECT_EQ(button.style, 0x50000000u);
    EXPECT_EQ(button.x, 240);
    EXPECT_EQ(button.y, ys[i]);
    EXPECT_EQ(button.width, 184);
    EXPECT_EQ(button.height, 32);
    EXPECT_EQ(button.id, 100 + i);
  }
  // The first start in a folder asks for the business's data; "Salir"
  // ends the loop: the command queued after it is never handled.
  EXPECT_EQ(StandIn().dialogsOpened,
            (std::vector<std::string>{"DatosEmpresa", "NuevoPresupuesto", "ListarPresupuesto",
                                      "ModificarPresupuesto", "BuscarPresupuesto"}));
  EXPECT_EQ(std::vector<LPARAM>(StandIn().dialogParams.begin() + 1, StandIn().dialogParams.end()),
            (std::vector<LPARAM>{0, 0, 0, 0}));
  // The launch was counted before the window existed.
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(0, 1));
  auto& calls = StandIn().calls;
  // The folder is joined before anything else: the lock file made, and this
  // PC's copy on the folder named.
  EXPECT_EQ(calls[0].rfind("CreateMutexW Local\\Presupuestos.", 0), 0u) << calls[0];
  EXPECT_TRUE(Exists("presupuestos.lck"));
  EXPECT_LT(std::find(calls.begin(), calls.end(), "LoadImageW fondo.bmp"), calls.end());
  EXPECT_LT(std::find(calls.begin(), calls.end(), "ShowWindow 10"), calls.end());
  // The class carries the file's own icon, large and small.
  EXPECT_LT(std::find(calls.begin(), calls.end(), "LoadIconW #1"), calls.end());
  EXPECT_LT(std::find(calls.begin(), calls.end(), "LoadImageW #1 16x16"), calls.end());
}

// The 96-dpi layout scaled as a whole, picture included; the buttons in the
// dialogs' font at the screen's size. The stand-in's System font stays 8 x 16
// at every resolution, as Wine's keeps its width.
TEST_F(Startup, MainWindowFitsTheScreensResolution) {
  struct Screen {
    int dpi, windowWidth, windowHeight, x, ys[6], buttonWidth, buttonHeight, fontHeight;
    const char* pictureCopy;
  };
  const Screen screens[] = {
      {96, 640, 480, 240, {150, 200, 250, 325, 50, 100}, 184, 32, -12, nullptr},
      {144, 960, 720, 360, {225, 300, 375, 488, 75, 150}, 253, 48, -18, "CopyImage 960x720"},
  };
  for (const Screen& screen : screens) {
    StandInReset();
    StandIn().screenDpi = screen.dpi;
    StandIn().queue = {Command(ID_EXIT)};
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    const std::vector<StandInWindow>& w = StandIn().windows;
    ASSERT_EQ(w.size(), 8u);
    EXPECT_EQ(w[0].width, screen.windowWidth);
    EXPECT_EQ(w[0].height, screen.windowHeight);
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(w[2 + i].x, screen.x);
      EXPECT_EQ(w[2 + i].y, screen.ys[i]);
      EXPECT_EQ(w[2 + i].width, screen.buttonWidth);
      EXPECT_EQ(w[2 + i].height, screen.buttonHeight);
    }
    auto& calls = StandIn().calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "SendMessageW 48"), 6);
    ASSERT_EQ(StandIn().fonts.size(), 1u);
    EXPECT_EQ(StandIn().fonts[0].lfHeight, screen.fontHeight);
    EXPECT_EQ(std::wstring(StandIn().fonts[0].lfFaceName), L"Courier New");
    auto isCopy = [](const std::string& call) { return call.rfind("CopyImage", 0) == 0; };
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), isCopy), screen.pictureCopy ? 1 : 0);
    if (screen.pictureCopy) {
      EXPECT_NE(std::find(calls.begin(), calls.end(), screen.pictureCopy), calls.end());
    }
  }
}

TEST_F(Startup, TheTitleNamesTheBusinessAndItsDataAreAButtonAway) {
  WriteBytes("config.cfg", SettingsBytes(0, 1));
  WriteBytes("empresa.ini", "[Empresa]\r\nNombre=Reformas Pe\xC3\xB1" "a S.L.\r\n");
  StandIn().queue = {Command(ID_COMPANY), Command(ID_EXIT)};
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  EXPECT_EQ(StandIn().windows.at(0).text, "Programa de Presupuestos. Reformas Pe\xF1" "a S.L.");
  EXPECT_EQ(StandIn().dialogsOpened, std::vector<std::string>{"DatosEmpresa"});
}

TEST_F(Startup, ClosingTheWindowEndsWithZero) {
  MSG destroy{};
  destroy.message = WM_DESTROY;
  MSG close{};
  close.message = WM_CLOSE;
  StandIn().queue = {close, destroy};
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  EXPECT_EQ(StandIn().calls.back(), "PostQuitMessage 0");
  EXPECT_NE(std::find(StandIn().calls.begin(), StandIn().calls.end(), "DefWindowProcW 16"),
            StandIn().calls.end());
}

// The name of the session's mutex for the working folder, from its device
// and inode as the native build reads them.
std::string FolderMutex() {
  struct stat here {};
  EXPECT_EQ(stat(".", &here), 0);
  char name[80];
  std::snprintf(name, sizeof name, "Local\\Presupuestos.%llx.%llx",
                static_cast<unsigned long long>(here.st_dev),
                static_cast<unsigned long long>(here.st_ino));
  return name;
}

// Answers the n-th ask about presupuestos.lck's lock (its open to lock is
// the first) as planned, from a list of answers.
std::vector<DiskFault> LockAnswers;
// And refuses that many opens of datos.dat, as a folder this PC may only read.
int QuoteOpensDenied = 0;
DiskFault AnswerLocks(DiskOp op) {
  if (op == DiskOp::Open && QuoteOpensDenied > 0 && std::string(DiskHookPath) == "datos.dat") {
    --QuoteOpensDenied;
    return DiskFault::Denied;
  }
  if (op != DiskOp::Lock || LockAnswers.empty()) return DiskFault::None;
  DiskFault answer = LockAnswers.front();
  LockAnswers.erase(LockAnswers.begin());
  return answer;
}

TEST_F(Startup, SecondCopyTouchesNothing) {
  DiskWaitFn savedWait = DiskWait;
  DiskWait = [](int) {};
  const std::string open = "El programa ya est\xE1 abierto.";
  const std::string unusable =
      "No se puede abrir el archivo presupuestos.lck de esta carpeta, con el que las copias del "
      "programa que la usan se turnan para guardar. Compruebe que es un archivo (no una carpeta) "
      "y que se puede escribir en \xE9l, o b\xF3rrelo con el programa cerrado.";
  // A copy on this PC (its mutex), or one that holds the lock file alone
  // (where the folder has no byte-range locks, or an older program): the
  // program says so and does not start; nor where a lock file is there and
  // cannot be opened, which would let two copies change the files at once.
  // A read-only folder (no lock file there or made, or none this PC may
  // write beside quotes it may not) runs unguarded; a folder without
  // byte-range locks runs alone, and says so.
  enum Lock { None, File, Folder };
  struct Case {
    const char* what;
    bool runningHere;
    Lock lock;
    std::vector<DiskFault> answers;  // to the lock file's open, then its lock
    std::string told;
    int quoteOpensDenied = 0;  // opens of datos.dat (there, empty) refused
  } cases[] = {
      {"a copy on this PC", true, File, {}, open},
      {"a copy holding it alone", false, File, {DiskFault::InUse}, open},
      {"no permission", false, File, {DiskFault::Denied}, unusable},
      {"a folder of that name", false, Folder, {}, unusable},
      {"a read-only folder", false, None, {DiskFault::Denied}, ""},
      {"a folder this PC may only read", false, File, {DiskFault::Denied}, "", 21},
      {"no byte-range locks", false, File, {DiskFault::None, DiskFault::Error},
       "Esta carpeta no admite los bloqueos de archivo con los que varios equipos trabajan a la "
       "vez en ella: mientras el programa est\xE9 abierto aqu\xED, no se podr\xE1 abrir en otro "
       "equipo."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StandInReset();
    LeaveWorkingFolder();
    std::system("rm -rf presupuestos.lck config.cfg");
    WriteBytes("datos.dat", "");
    QuoteOpensDenied = c.quoteOpensDenied;
    if (c.lock == File) WriteBytes("presupuestos.lck", "");
    if (c.lock == Folder) mkdir("presupuestos.lck", 0777);
    if (c.runningHere) StandIn().mutexes.insert(FolderMutex());
    LockAnswers = c.answers;
    // A refusal that passes is asked again at every retry.
    if (c.answers.size() == 1) LockAnswers.resize(30, c.answers[0]);
    DiskHook = AnswerLocks;
    bool starts = c.told != open && c.told != unusable;
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), starts ? 0 : 1);
    DiskHook = nullptr;
    std::vector<std::string> told;
    for (const auto& box : StandIn().boxes) told.push_back(box.text);
    EXPECT_EQ(told, c.told.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.told});
    EXPECT_EQ(ReadBytes("config.cfg"), starts ? SettingsBytes(0, 1) : "");
    EXPECT_EQ(StandIn().windows.empty(), !starts);
    EXPECT_EQ(Exists("presupuestos.lck"), c.lock != None);
  }

  // A copy on another PC in the middle of a save for longer than start-up
  // waits: this one opens on the files as they are, mends and counts
  // nothing, and takes no backup.
  LeaveWorkingFolder();
  std::system("rm -rf presupuestos.lck");
  DiskFile* other = DiskOpen("presupuestos.lck", DiskMode::Shared);
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(DiskTryLock(other, 0, 1), DiskLock::Taken);
  WriteBytes("config.cfg", SettingsBytes(0, 4));
  WriteBytes("config.cfg.tmp", SettingsBytes(0, 9));
  StandInReset();
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  EXPECT_TRUE(StandIn().boxes.empty());
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(0, 4));
  EXPECT_TRUE(Exists("config.cfg.tmp"));
  EXPECT_FALSE(Exists(BackupFolderName(TodayText)));
  DiskClose(other);
  DiskWait = savedWait;
}

// A second copy raises the one copy whose window carries the identity of this
// folder, as that copy marked it, and no copy of another folder.
TEST_F(Startup, SecondCopyBringsTheCopyOfItsFolderForward) {
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  std::map<std::string, HANDLE> marks = StandIn().marks;
  ASSERT_EQ(marks.size(), 2u);
  std::map<std::string, HANDLE> otherVolume = marks, otherFile = marks;
  otherVolume.begin()->second = reinterpret_cast<HANDLE>(0x51000000);
  std::next(otherFile.begin())->second = reinterpret_cast<HANDLE>(0x42);

  struct Case {
    bool minimised, dialogOpen;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {false, false, {"BringWindowToTop copy 2", "SetForegroundWindow copy 2"}},
      {true, false,
       {"ShowWindow copy 2 9", "BringWindowToTop copy 2", "SetForegroundWindow copy 2"}},
      {true, true,
       {"ShowWindow copy 2 9", "BringWindowToTop copy 2",
        "SetForegroundWindow copy 2 dialog"}},
  };
  for (const Case& c : cases) {
    StandInReset();
    StandIn().mutexes.insert(FolderMutex());
    StandIn().runningCopies = {{otherVolume, false, false},
                               {otherFile, false, false},
                               {marks, c.minimised, c.dialogOpen}};
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 1);
    std::vector<std::string> raised;
    for (const std::string& call : StandIn().calls) {
      if (call.find(" copy ") != std::string::npos) raised.push_back(call);
    }
    EXPECT_EQ(raised, c.expected);
    // After the box: the user has read it when the other window comes up.
    EXPECT_EQ(StandIn().boxes.size(), 1u);
  }

  // Only copies of other folders: nothing is raised.
  StandInReset();
  StandIn().mutexes.insert(FolderMutex());
  StandIn().runningCopies = {{otherVolume, false, false}, {otherFile, true, true}};
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 1);
  for (const std::string& call : StandIn().calls) EXPECT_EQ(call.find(" copy "), std::string::npos);
}

TEST_F(Startup, AFailedBackupIsToldOnceTheWindowIsOpen) {
  WriteBytes("config.cfg", SettingsBytes(0, 4));
  DiskHook = [](DiskOp op) { return op == DiskOp::MakeFolder ? DiskFault::Error : DiskFault::None; };
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  DiskHook = nullptr;
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_EQ(StandIn().boxes[0].text,
            "No se ha podido hacer la copia de seguridad de los datos. Se intentar\xE1 de nuevo "
            "dentro de cinco arranques.");
  EXPECT_EQ(StandIn().boxes[0].type, 0x30u);
  EXPECT_NE(StandIn().boxes[0].owner, nullptr);
  auto& calls = StandIn().calls;
  EXPECT_LT(std::find(calls.begin(), calls.end(), "ShowWindow 10"),
            std::find(calls.begin(), calls.end(), "MessageBoxW Presupuestos"));
  EXPECT_FALSE(Exists(BackupFolderName(TodayText)));
  EXPECT_FALSE(Exists(kBackupWorkFolder));
}

namespace {

std::string FolderBoxText(const std::string& name, const std::string& what) {
  return "En la carpeta de los datos hay una carpeta llamada " + name + ", donde el programa "
         "guarda " + what + " en un archivo de ese nombre. Mientras est\xE9 ah\xED no se pueden "
         "guardar presupuestos. Cierre el programa, mire qu\xE9 contiene esa carpeta, y c\xE1mbiela "
         "de nombre o s\xE1quela de la carpeta de los datos.";
}

}  // namespace

TEST_F(Startup, WhatKeepsTheProgramFromWritingIsToldByName) {
  DiskWaitFn savedWait = DiskWait;
  DiskWait = [](int) {};
  const std::string configFolder = FolderBoxText("config.cfg", "la cuenta de los presupuestos");
  const std::string quotesFolder = FolderBoxText("datos.dat", "los presupuestos");
  struct Row {
    const char* what;
    bool settings;  // a config.cfg there already
    DiskOp op;      // the operation refused (a denied access)
    const char* box;
    bool companyDialog;       // the business's data asked for
    const char* folder = "";  // a folder under the name of one of the files
  } rows[] = {
      // In a folder that takes no file every start would be a first one.
      {"read-only folder", false, DiskOp::Write,
       "No se puede escribir en la carpeta de los datos: se pueden ver e imprimir los "
       "presupuestos, pero no guardarlos, y no se hacen copias de seguridad. Para trabajar con "
       "ellos, copie la carpeta (el programa y sus datos) a un lugar en el que se pueda "
       "escribir, como Documentos.", false},
      {"read-only config.cfg", true, DiskOp::Replace,
       "No se ha podido escribir en config.cfg: no se pueden guardar presupuestos mientras no "
       "se pueda.\nCausa: no hay permiso para cambiar config.cfg (puede estar marcado como de "
       "solo lectura).", false},
      {"day's name taken", true, DiskOp::MakeFolder,
       "No se ha podido hacer la copia de seguridad de los datos. Se intentar\xE1 de nuevo "
       "dentro de cinco arranques.\nCausa: ya hay en la carpeta un archivo o una carpeta "
       "llamado HOY que no es una copia; c\xE1mbielo de nombre o s\xE1quelo de la carpeta.",
       false},
      {"a folder for config.cfg", false, DiskOp::Truncate, configFolder.c_str(),
       false, "config.cfg"},
      {"a folder for datos.dat", true, DiskOp::Truncate, quotesFolder.c_str(), false,
       "datos.dat"},
  };
  static DiskOp refused;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    StandInReset();
    BuildTodayText();  // as the program does, from the clock
    std::remove("config.cfg");
    if (row.settings) WriteBytes("config.cfg", SettingsBytes(0, 4));
    if (row.op == DiskOp::MakeFolder) WriteBytes(BackupFolderName(TodayText), "otra cosa");
    if (*row.folder) {
      ASSERT_TRUE(DiskMakeFolder(row.folder));
    }
    refused = row.op;
    DiskHook = [](DiskOp op) {
      return op == refused && refused != DiskOp::MakeFolder ? DiskFault::Denied : DiskFault::None;
    };
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    DiskHook = nullptr;
    std::remove(BackupFolderName(TodayText).c_str());
    ASSERT_EQ(StandIn().boxes.size(), 1u);
    std::string box = row.box;
    if (box.find("HOY") != std::string::npos) box.replace(box.find("HOY"), 3, BackupFolderName(TodayText));
    EXPECT_EQ(StandIn().boxes[0].text, box);
    EXPECT_EQ(!StandIn().dialogsOpened.empty(), row.companyDialog);
    if (*row.folder) {
      // The save box names it too.
      EXPECT_EQ(CauseSentence({DiskCause::NoPermission, row.folder}),
                "\nCausa: " + std::string(row.folder) + " es una carpeta, no un archivo. C\xE1mbiela "
                "de nombre o s\xE1quela de la carpeta de los datos.");
      DiskRemoveFolder(row.folder);
    }
  }
  DiskWait = savedWait;
}

TEST_F(Startup, ExportCommandWritesEveryQuoteWithNoWindowAndTellsByItsExitCode) {
  WriteBytes("datos.dat", RecordBytes("Tejado", "Pe\xF1" "a", "1/12/2026", "", "10") +
                              RecordBytes("Pintura", "Luis", "2/12/2026", "", "20"));
  WriteBytes("config.cfg", SettingsBytes(2, 4));
  StandIn().commandLine = L"\"C:\\Presupuestos\\presupuestos.exe\" /EXPORTAR \"lista de hoy.csv\"";
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  EXPECT_TRUE(Exists("lista de hoy.csv"));
  // No window, no box, no lock on the folder, no launch counted.
  EXPECT_TRUE(StandIn().windows.empty());
  EXPECT_TRUE(StandIn().boxes.empty());
  EXPECT_TRUE(StandIn().calls.empty());
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(2, 4));

  // Refused, writing nothing: no path, two, a folder that is not there, and
  // the program's own files.
  const std::string quotes = ReadBytes("datos.dat");
  for (const wchar_t* line : {L"presupuestos.exe /exportar", L"presupuestos.exe /exportar a.csv b.csv",
                              L"presupuestos.exe /exportar falta/a.csv",
                              L"presupuestos.exe /exportar datos.dat",
                              L"presupuestos.exe /exportar ./Config.Cfg",
                              L"presupuestos.exe /exportar copia",
                              L"presupuestos.exe /exportar LPT1.csv"}) {
    StandIn().commandLine = line;
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 1);
  }
  EXPECT_TRUE(StandIn().windows.empty());
  EXPECT_TRUE(StandIn().boxes.empty());
  EXPECT_TRUE(ReadBytes("datos.dat") == quotes);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(2, 4));
  for (const char* name : {"datos.dat.tmp", "Config.Cfg.tmp", "copia", "copia.tmp", "LPT1.csv"}) {
    EXPECT_FALSE(Exists(name)) << name;
  }

  // Started in a folder with neither file (the wrong one): an empty list
  // would pass for the quotes; refused, and an earlier export kept.
  ASSERT_EQ(mkdir("otra", 0777), 0);
  ASSERT_EQ(chdir("otra"), 0);
  WriteBytes("lista.csv", "anterior");
  StandIn().commandLine = L"presupuestos.exe /exportar lista.csv";
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 1);
  EXPECT_EQ(ReadBytes("lista.csv"), "anterior");
  ASSERT_EQ(chdir(".."), 0);
}

TEST_F(Startup, QuotesTakenBackAreToldAndTheRestAsked) {
  // Quotes 4 and 5 in trasvase.dat, quote 6 nowhere: told, then asked,
  // before the main window. "No" changes nothing ("S\xED": see the
  // end-to-end tests).
  std::string quotes;
  for (int n = 1; n <= 5; ++n) quotes += RecordBytes("q" + std::to_string(n), "", "", "", "");
  WriteBytes("trasvase.dat", quotes);
  WriteBytes("datos.dat", quotes.substr(0, 3 * kRecordSize));
  WriteBytes("config.cfg", SettingsBytes(6, 1));
  const std::string asked =
      "Faltan presupuestos en datos.dat: config.cfg cuenta 6, pero solo se pueden leer 5, y "
      "los que faltan no est\xE1n en trasvase.dat ni en las copias de seguridad.\n\n\xBF" "Desea "
      "numerar los presupuestos nuevos a partir del 6? El n\xFAmero 6 se dar\xE1 otra vez.\n\n"
      "Si responde No, no se cambia nada por ahora (y no se pueden guardar presupuestos). Para "
      "traer una copia de seguridad, cierre el programa y copie datos.dat y config.cfg de la "
      "carpeta de la copia (la de su fecha, como 6-12-2026) en esta carpeta, como explica "
      "LEEME.txt.";
  StandIn().boxAnswers = {IDOK, IDNO};
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  ASSERT_EQ(StandIn().boxes.size(), 2u);
  EXPECT_EQ(StandIn().boxes[0].text, "Los presupuestos 4 y 5 se han recuperado de trasvase.dat.");
  EXPECT_EQ(StandIn().boxes[0].type, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(StandIn().boxes[1].text, asked);
  EXPECT_EQ(StandIn().boxes[1].type, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(StandIn().boxes[1].owner, nullptr);
  auto& calls = StandIn().calls;
  EXPECT_LT(std::find(calls.begin(), calls.end(), "MessageBoxW Presupuestos"),
            std::find(calls.begin(), calls.end(), "ShowWindow 10"));
  EXPECT_TRUE(ReadBytes("datos.dat") == quotes);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(6, 2));

  // With no quote left to read, the question says so in words.
  std::remove("datos.dat");
  std::remove("trasvase.dat");
  StandInReset();
  StandIn().boxAnswers = {IDNO};
  WinMain(nullptr, nullptr, nullptr, 0);
  ASSERT_FALSE(StandIn().boxes.empty());
  EXPECT_EQ(StandIn().boxes[0].text.rfind("Faltan presupuestos en datos.dat: config.cfg cuenta "
                                          "6, pero no se puede leer ninguno, y los que faltan",
                                          0),
            0u);

  // A damaged count: the count with thousands dots, the quote numbers as
  // they are written everywhere.
  WriteBytes("datos.dat", quotes.substr(0, 2 * kRecordSize));
  WriteBytes("config.cfg", SettingsBytes(1094795585, 1));
  StandInReset();
  StandIn().boxAnswers = {IDNO};
  WinMain(nullptr, nullptr, nullptr, 0);
  ASSERT_FALSE(StandIn().boxes.empty());
  const std::string& damaged = StandIn().boxes[0].text;
  EXPECT_EQ(damaged.rfind("Faltan presupuestos en datos.dat: config.cfg cuenta 1.094.795.585, pero "
                          "solo se pueden leer 2,",
                          0),
            0u)
      << damaged;
  EXPECT_NE(damaged.find("a partir del 3? Los n\xFAmeros 3 a 1094795585 se dar\xE1n otra vez."),
            std::string::npos)
      << damaged;

  // Quotes 4 and 5 in a trasvase.dat that another program holds: told,
  // naming it and the cause, and nothing asked; their numbers stay theirs.
  WriteBytes("trasvase.dat", quotes);
  WriteBytes("datos.dat", quotes.substr(0, 3 * kRecordSize));
  WriteBytes("config.cfg", SettingsBytes(5, 1));
  StandInReset();
  DiskWaitFn wait = DiskWait;
  DiskWait = [](int) {};
  DiskHook = [](DiskOp op) {
    return op == DiskOp::Open && std::string(DiskHookPath) == "trasvase.dat" ? DiskFault::InUse
                                                                             : DiskFault::None;
  };
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  DiskHook = nullptr;
  DiskWait = wait;
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_EQ(StandIn().boxes[0].text,
            "Faltan presupuestos en datos.dat: config.cfg cuenta 5, pero solo se pueden leer 3, y "
            "no se ha podido leer trasvase.dat, que puede tenerlos.\nCausa: otro programa est\xE1 "
            "usando trasvase.dat.\n\nCierre el programa que lo est\xE9 usando, o d\xE9le permiso "
            "para leerlo, y vuelva a abrir Presupuestos. Si no se puede leer de ning\xFAn modo (una "
            "copia da\xF1" "ada), saque trasvase.dat de esta carpeta: el programa preguntar\xE1 "
            "entonces qu\xE9 hacer con los n\xFAmeros que faltan. Hasta entonces no se pueden "
            "guardar presupuestos, y esos n\xFAmeros no se dan a otros.");
  EXPECT_EQ(StandIn().boxes[0].type, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(StandIn().boxes[0].owner, nullptr);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(5, 2));
  EXPECT_TRUE(ReadBytes("datos.dat") == quotes.substr(0, 3 * kRecordSize));

  // A correction finished from datos.dat.tmp is told too.
  std::remove("datos.dat");
  std::remove("trasvase.dat");
  WriteBytes("datos.dat.tmp", quotes);
  WriteBytes("trasvase.dat.tmp", quotes);
  StandInReset();
  WinMain(nullptr, nullptr, nullptr, 0);
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_EQ(StandIn().boxes[0].text,
            "Una correcci\xF3n de un presupuesto qued\xF3 a medias: se ha terminado, y datos.dat se "
            "ha tomado de datos.dat.tmp, que la conten\xED" "a entera.");
  EXPECT_TRUE(ReadBytes("datos.dat") == quotes);
}

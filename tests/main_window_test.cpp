// Start-up and the main window, run through the Win32 stand-in.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "common/number_text.h"
#include "resources/resource.h"
#include "stand_in.h"
#include "store/dated_backup.h"
#include "store/disk.h"
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
  StandIn().queue = {Command(ID_NEW), Command(ID_LIST), Command(ID_MODIFY), Command(999),
                     Command(ID_EXIT), Command(ID_NEW)};
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);

  const WNDCLASSW& cls = StandIn().registeredClass;
  EXPECT_EQ(StandIn().registeredClassName, "NUESTRA_CLASE");
  EXPECT_EQ(cls.style, 3u);
  EXPECT_EQ(cls.lpfnWndProc, MainWindowProc);
  EXPECT_EQ(cls.lpszMenuName, nullptr);

  const std::vector<StandInWindow>& w = StandIn().windows;
  ASSERT_EQ(w.size(), 7u);
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
                         "Salir", "Datos de la empresa"};
  const int ys[] = {150, 200, 250, 325, 50};
  for (int i = 0; i < 5; ++i) {
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
                                      "ModificarPresupuesto"}));
  // The launch was counted before the window existed.
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(0, 1));
  auto& calls = StandIn().calls;
  EXPECT_EQ(calls[0], "CreateFileW presupuestos.lck c0000000 0 4");
  EXPECT_LT(std::find(calls.begin(), calls.end(), "LoadImageW fondo.bmp"), calls.end());
  EXPECT_LT(std::find(calls.begin(), calls.end(), "ShowWindow 10"), calls.end());
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

TEST_F(Startup, SecondCopyTouchesNothing) {
  // The lock file is opened for reading and writing, shared with no one,
  // made when missing; when that is denied, opened for reading alone.
  const std::string openToWrite = "CreateFileW presupuestos.lck c0000000 0 4";
  const std::string openToRead = "CreateFileW presupuestos.lck 80000000 0 3";
  const std::vector<std::vector<DWORD>> heldElsewhere = {
      {ERROR_SHARING_VIOLATION}, {ERROR_LOCK_VIOLATION},
      {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}};
  for (const std::vector<DWORD>& errors : heldElsewhere) {
    StandInReset();
    StandIn().openErrors = errors;
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 1);
    ASSERT_EQ(StandIn().boxes.size(), 1u);
    EXPECT_EQ(StandIn().boxes[0].text, "El programa ya est\xE1 abierto.");
    EXPECT_FALSE(Exists("config.cfg"));
    EXPECT_TRUE(StandIn().windows.empty());
    EXPECT_EQ(StandIn().calls[0], openToWrite);
  }
  EXPECT_EQ(StandIn().calls[1], openToRead);

  // A read-only folder, where the lock file can be neither made nor opened:
  // the program runs, unguarded, and counts the launch as ever.
  StandInReset();
  StandIn().openErrors = {ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED};
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  EXPECT_TRUE(StandIn().boxes.empty());
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(0, 1));
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

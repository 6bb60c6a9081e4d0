// The main window and its buttons; everything else happens in the dialogs
// they open.
#include "app/main_window.h"

#include <iterator>

#include "app/screen_scale.h"
#include "common/windows1252.h"
#include "dialogs/company_dialog.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/search_dialog.h"
#include "resources/resource.h"
#include "store/company_file.h"
#include "store/file_names.h"

const wchar_t kMainClassName[] = L"NUESTRA_CLASE";

namespace {

HINSTANCE Instance = nullptr;
int CharWidth = 0;
int CharHeight = 0;
constexpr int kButtonCount = 6;
HWND Buttons[kButtonCount] = {};

struct ButtonPlace {
  const wchar_t* text;
  int y;
  int id;
};
// The four of every copy of the program, then the business's own data,
// above them where the eye starts, and the search between.
const ButtonPlace kButtons[kButtonCount] = {
    {L"Nuevo Presupuesto", 150, ID_NEW},
    {L"Listar Presupuesto", 200, ID_LIST},
    {L"Modificar Presupuesto", 250, ID_MODIFY},
    {L"Salir", 325, ID_EXIT},
    {L"Datos de la empresa", 50, ID_COMPANY},
    {L"Buscar Presupuesto", 100, ID_SEARCH},
};

HMENU MenuId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

void Create(HWND window, const CREATESTRUCTW* create) {
  Instance = create->hInstance;
  int dpi = ScreenDpi();
  HDC dc = GetDC(window);
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  ButtonCell(metrics, dpi, &CharWidth, &CharHeight);

  HANDLE bitmap = PictureForScreen(
      LoadImageW(Instance, Widen(kPictureFile).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), dpi);
  HWND picture = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0,
                                 480, 640, window, MenuId(0), Instance, nullptr);
  SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));

  for (int i = 0; i < kButtonCount; ++i) {
    Buttons[i] = CreateWindowExW(0, L"button", kButtons[i].text, WS_CHILD | WS_VISIBLE, 240,
                                 kButtons[i].y, 23 * CharWidth, 2 * CharHeight, window,
                                 MenuId(kButtons[i].id), create->hInstance, nullptr);
  }
  FitButtonsToScreen(Buttons, static_cast<int>(std::size(Buttons)), dpi);
  ReleaseDC(window, dc);
}

void Command(HWND window, int id) {
  switch (id) {
    case ID_NEW:
      DialogBoxParamW(Instance, L"NuevoPresupuesto", window, NewQuoteDialogProc, 0);
      break;
    case ID_LIST:
      DialogBoxParamW(Instance, L"ListarPresupuesto", window, ListQuoteDialogProc, 0);
      break;
    case ID_MODIFY:
      DialogBoxParamW(Instance, L"ModificarPresupuesto", window, ModifyQuoteDialogProc, 0);
      break;
    case ID_COMPANY:
      OpenCompanyDialog(window);
      break;
    case ID_SEARCH:
      OpenSearch(window);
      break;
    case ID_EXIT:
      PostQuitMessage(0);
      break;
    default:
      break;
  }
}

}  // namespace

std::string MainWindowTitle(const CompanyData& company) {
  // Until the business gives its name, the title the program has always had.
  bool named = company.name != CompanyData().name;
  return "Programa de Presupuestos. " + (named ? company.name : std::string("Nombre empresa"));
}

void OpenCompanyDialog(HWND window) {
  if (DialogBoxParamW(Instance, L"DatosEmpresa", window, CompanyDialogProc, 0) == 1) {
    SetWindowTextW(window, Widen(MainWindowTitle(ReadCompanyData())).c_str());
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Create(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
      return 0;
    case WM_COMMAND:
      Command(window, LOWORD(wParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND OpenMainWindow(HINSTANCE instance) {
  WNDCLASSEXW windowClass;
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = instance;
  // The file's own icon, so that the taskbar and the caption show it too; the
  // large one at the screen's icon size.
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = kMainClassName;
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  RegisterClassExW(&windowClass);

  HWND window = CreateWindowExW(0, kMainClassName,
                                Widen(MainWindowTitle(ReadCompanyData())).c_str(),
                                WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, ToScreen(640, ScreenDpi()),
                                ToScreen(480, ScreenDpi()), nullptr, nullptr,
                                instance, nullptr);
  ShowWindow(window, SW_SHOWDEFAULT);
  return window;
}

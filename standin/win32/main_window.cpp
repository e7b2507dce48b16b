#include "standin/win32/main_window.h"

#include <commdlg.h>
#include <shellapi.h>

#include <array>

#include "platform/win32/wide_text.h"

namespace standin_win32 {
namespace {

using platform_win32::utf8FromWide;
using platform_win32::wideFromUtf8;

constexpr UINT_PTR kOpenCommand = 100;
constexpr UINT_PTR kEndCommand = 101;
constexpr UINT_PTR kFirstLinkCommand = 1000;
constexpr int kColumnWidths[standin::kColumnCount] = {220, 180, 120, 120, 110};

std::wstring textOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

MainWindow::MainWindow(standin::ShownContacts& contacts, Settings settings)
    : contacts_(contacts), settings_(std::move(settings)) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  className_ = wideFromUtf8(settings_.className);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));      // IDI_APPLICATION
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  windowClass.lpszClassName = className_.c_str();
  RegisterClassExW(&windowClass);  // a class registered before (tests) serves as well

  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, kOpenCommand, L"Ö&ffnen ...");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_STRING, kEndCommand, L"&Beenden");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&Datei");
  webMenu_ = CreatePopupMenu();
  if (settings_.links.empty())
    AppendMenuW(webMenu_, MF_STRING | MF_GRAYED, 0, L"(keine Web-Links)");
  for (std::size_t i = 0; i < settings_.links.size(); ++i) {
    AppendMenuW(webMenu_, MF_STRING, kFirstLinkCommand + i,
                wideFromUtf8(settings_.links[i].caption).c_str());
  }
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(webMenu_), L"&Web-Links");

  window_.reset(CreateWindowExW(0, className_.c_str(), wideFromUtf8(settings_.title).c_str(),
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                                900, 500, nullptr, bar, instance, this));
  if (!window_) {
    DestroyMenu(bar);
    webMenu_ = nullptr;
    return;
  }
  contacts_.onChange({}, [this] { showContacts(); });
  showContacts();
  if (settings_.visible) {
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    UpdateWindow(window_.get());
  }
}

MainWindow::~MainWindow() {
  contacts_.onChange({}, {});
}

std::string MainWindow::statusText() const {
  return utf8FromWide(textOf(status_));
}

int MainWindow::listedRows() const {
  return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

std::vector<std::string> MainWindow::webLinkCaptions() const {
  std::vector<std::string> captions;
  for (int i = 0; i < GetMenuItemCount(webMenu_); ++i) {
    std::array<wchar_t, 512> text{};
    GetMenuStringW(webMenu_, static_cast<UINT>(i), text.data(), static_cast<int>(text.size()),
                   MF_BYPOSITION);
    captions.push_back(utf8FromWide(text.data()));
  }
  return captions;
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    (void)self->window_.release();  // gone already
    self->list_ = self->status_ = nullptr;
    self->webMenu_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->handle(window, message, wParam, lParam);
}

LRESULT MainWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      createChildren(window);
      return 0;
    case WM_SIZE: {
      RECT statusRect{};
      SendMessageW(status_, WM_SIZE, 0, 0);
      GetWindowRect(status_, &statusRect);
      MoveWindow(list_, 0, 0, LOWORD(lParam), HIWORD(lParam) - (statusRect.bottom - statusRect.top),
                 TRUE);
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == list_ && header->code == LVN_GETDISPINFOW) {
        fillItem(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
      } else if (header->hwndFrom == list_ && header->code == LVN_COLUMNCLICK) {
        const int column = reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem;
        sortDescending_ = column == sortColumn_ && !sortDescending_;
        sortColumn_ = column;
        contacts_.sortBy(static_cast<standin::Column>(column), sortDescending_);
        InvalidateRect(list_, nullptr, TRUE);
      }
      return 0;
    }
    case WM_COMMAND: {
      const UINT_PTR command = LOWORD(wParam);
      if (command == kOpenCommand) chooseTable();
      if (command == kEndCommand) DestroyWindow(window);
      if (command >= kFirstLinkCommand && command - kFirstLinkCommand < settings_.links.size()) {
        ShellExecuteW(window, L"open",
                      wideFromUtf8(settings_.links[command - kFirstLinkCommand].address).c_str(),
                      nullptr, nullptr, SW_SHOWNORMAL);
      }
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void MainWindow::createChildren(HWND window) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 0,
                          0, 0, 0, window, nullptr, instance, nullptr);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (int column = 0; column < standin::kColumnCount; ++column) {
    std::wstring caption =
        wideFromUtf8(standin::columnCaption(static_cast<standin::Column>(column)));
    LVCOLUMNW description{};
    description.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    description.pszText = caption.data();
    description.cx = kColumnWidths[column];
    description.iSubItem = column;
    SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&description));
  }
  status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                            0, 0, window, nullptr, instance, nullptr);
}

void MainWindow::showContacts() {
  // A new lookup shows ACT!'s order; sorting starts again with a click.
  if (contacts_.lookupActive()) sortColumn_ = -1;
  SendMessageW(list_, LVM_SETITEMCOUNT, contacts_.size(), 0);
  InvalidateRect(list_, nullptr, TRUE);
  SetWindowTextW(status_, wideFromUtf8(contacts_.statusText()).c_str());
}

void MainWindow::fillItem(NMLVDISPINFOW& item) {
  if ((item.item.mask & LVIF_TEXT) == 0 || item.item.pszText == nullptr ||
      item.item.cchTextMax <= 0) {
    return;
  }
  const auto position = static_cast<std::size_t>(item.item.iItem);
  if (item.item.iItem < 0 || position >= contacts_.size() || item.item.iSubItem < 0 ||
      item.item.iSubItem >= standin::kColumnCount) {
    item.item.pszText[0] = L'\0';
    return;
  }
  itemText_ = wideFromUtf8(
      standin::fieldOf(contacts_.at(position), static_cast<standin::Column>(item.item.iSubItem)));
  lstrcpynW(item.item.pszText, itemText_.c_str(), item.item.cchTextMax);
}

void MainWindow::chooseTable() {
  std::wstring file(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window_.get();
  dialog.lpstrFilter = L"Kontakttabellen (*.dbf)\0*.dbf\0Alle Dateien\0*.*\0";
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = L"Kontakttabelle öffnen";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&dialog)) return;
  file.resize(file.find(L'\0'));
  const std::string error = settings_.openTable(utf8FromWide(file));
  if (!error.empty()) {
    MessageBoxW(window_.get(), wideFromUtf8(error).c_str(), L"ACT!", MB_OK | MB_ICONWARNING);
    return;
  }
  SetWindowTextW(window_.get(), wideFromUtf8(settings_.titleFor(contacts_.table().path())).c_str());
}

}  // namespace standin_win32

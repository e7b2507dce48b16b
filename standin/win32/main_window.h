#pragma once
// The stand-in's main window on Windows: a top-level window of the class ACT!
// registers ("act3.0frameclass" unless told otherwise) with the contacts in a
// virtual list view (only the shown rows are asked for, so 100,000 open at
// once; a click on a header sorts), a status line saying what is shown, a
// "Datei" menu (open another table, end) and a "Web-Links" menu with the
// links of the web-link folder, opened in the browser.
//
// The window shows what the ShownContacts hold and follows their changes; it
// loads nothing itself except through `openTable`. Closing it ends the
// message loop (PostQuitMessage).

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/win32_handles.h"
#include "standin/net_links.h"
#include "standin/shown_contacts.h"

namespace standin_win32 {

class MainWindow {
 public:
  struct Settings {
    std::string className;
    std::string title;
    bool visible = true;
    std::vector<standin::WebLink> links;
    // Loads a table file (UTF-8 path) into the shown contacts; an error
    // text (German) or the empty text.
    std::function<std::string(const std::string&)> openTable;
    // The title for a table path after one was opened.
    std::function<std::string(const std::string&)> titleFor;
  };

  MainWindow(standin::ShownContacts& contacts, Settings settings);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Null when the window could not be made.
  HWND handle() const { return window_.get(); }

  // For tests: the status line's text (UTF-8), the rows the list holds, and
  // the captions of the "Web-Links" menu.
  std::string statusText() const;
  int listedRows() const;
  std::vector<std::string> webLinkCaptions() const;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void createChildren(HWND window);
  void showContacts();
  void fillItem(NMLVDISPINFOW& item);
  void chooseTable();

  standin::ShownContacts& contacts_;
  Settings settings_;
  std::wstring className_;
  platform_win32::UniqueWindow window_;
  HWND list_ = nullptr;  // children: destroyed with the window
  HWND status_ = nullptr;
  HMENU webMenu_ = nullptr;  // part of the window's menu
  std::wstring itemText_;    // the text last handed to the list view
  int sortColumn_ = -1;
  bool sortDescending_ = false;
};

}  // namespace standin_win32

#include "standin/win32/standin_app.h"

#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <optional>

#include "common/path_text.h"
#include "platform/win32/wide_text.h"
#include "standin/options.h"
#include "standin/user_store.h"
#include "standin/win32/com_registration.h"
#include "standin/win32/com_server.h"
#include "standin/win32/main_window.h"

namespace standin_win32 {
namespace {

using platform_win32::wideFromUtf8;

// To a console as wide text, to anything else (a pipe, a file) as UTF-8 bytes.
void writeOut(DWORD stream, const std::string& text) {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = wideFromUtf8(text);
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  } else {
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

void report(const std::string& text) {
  writeOut(STD_ERROR_HANDLE, "act-standin: " + text + "\n");
}

std::wstring programPath() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

// A Windows status as Windows prints it: 0x80040154.
std::string hexOf(unsigned long status) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08lX", status);
  return text;
}

std::string baseNameOf(const std::string& path) {
  return common::utf8FromPath(common::pathFromUtf8(path).stem());
}

// The single-threaded apartment of the stand-in's one thread.
class Apartment {
 public:
  Apartment() : status_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~Apartment() {
    if (SUCCEEDED(status_)) CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
  HRESULT status() const { return status_; }

 private:
  HRESULT status_;
};

// The table to open: the one named, else the one opened last (which may be
// gone: then none).
standin::LoadedTable openFirstTable(const standin::Options& options) {
  if (!options.contactTable.empty()) {
    standin::LoadedTable loaded = standin::loadContactTable(options.contactTable);
    if (loaded.table) standin::writeUserString(kSettingsKey, kLastTableValue, loaded.table->path());
    return loaded;
  }
  const auto last = standin::readUserString(kSettingsKey, kLastTableValue);
  standin::LoadedTable loaded =
      last ? standin::loadContactTable(*last) : standin::LoadedTable{std::nullopt, {}};
  if (!loaded.table) loaded.table = standin::ContactTable();
  return loaded;
}

}  // namespace

int runStandin(const std::vector<std::string>& arguments) {
  const standin::ParsedOptions parsed = standin::parseOptions(arguments, standin::Front::kWin32);
  if (!parsed.helpText.empty()) {
    writeOut(STD_OUTPUT_HANDLE, parsed.helpText);
    return 0;
  }
  if (!parsed.options) {
    report(parsed.error);
    return 2;
  }
  const standin::Options& options = *parsed.options;

  const Apartment apartment;
  if (FAILED(apartment.status())) {
    report("COM lässt sich nicht starten.");
    return 1;
  }
  if (options.unregister) {
    if (removeRegistration() != ERROR_SUCCESS) {
      report("Die COM-Registrierung von ACTOLE.APPOBJECT ließ sich nicht ganz entfernen.");
      return 1;
    }
    return 0;
  }

  auto state = std::make_shared<ServerState>(options.misbehaviour);
  standin::LoadedTable loaded = openFirstTable(options);
  if (!loaded.table) {
    report(loaded.error);
    return 2;
  }
  state->contacts.setTable(std::move(*loaded.table));
  if (options.logFile && !state->log.open(*options.logFile)) {
    report("Die Protokolldatei \"" + *options.logFile + "\" kann nicht geöffnet werden.");
    return 2;
  }
  state->busyUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(options.busyMs);
  if (options.embedding) state->lastObjectGone = [] { PostQuitMessage(0); };

  // One server of ACTOLE.APPOBJECT at a time, as one bus name on Linux.
  platform_win32::UniqueHandle serving;
  std::unique_ptr<ComServer> server;
  if (options.noApplication) {
    // Nothing may create the object: not this process, nor one COM would start.
    removeRegistration();
  } else {
    serving.reset(CreateMutexW(nullptr, FALSE, L"Local\\ACTOLE.APPOBJECT"));
    if (!serving || GetLastError() == ERROR_ALREADY_EXISTS) {
      report("ACTOLE.APPOBJECT ist schon belegt: es läuft bereits ein ACT!.");
      return 1;
    }
    const LSTATUS registered = writeRegistration(programPath());
    if (registered != ERROR_SUCCESS) {
      report("Die COM-Registrierung von ACTOLE.APPOBJECT ließ sich nicht schreiben (Fehler " +
             std::to_string(registered) + ").");
    }
    server = std::make_unique<ComServer>(state);
    if (FAILED(server->status())) {
      report("COM nimmt den Server von ACTOLE.APPOBJECT nicht an (Fehler " +
             hexOf(static_cast<unsigned long>(server->status())) + ").");
      return 1;
    }
    state->leaveWithoutAnswer = [&server] {
      server->revoke();
      ExitProcess(0);
    };
  }

  const std::filesystem::path netLinks = options.netLinksFolder
                                             ? common::pathFromUtf8(*options.netLinksFolder)
                                             : standin::defaultNetLinksFolder();
  if (!standin::announceNetLinksFolder(netLinks)) {
    report("Der Web-Link-Ordner \"" + common::utf8FromPath(netLinks) +
           "\" konnte nicht in der Registrierung eingetragen werden.");
  }

  const auto titleFor = [&options](const std::string& tablePath) {
    if (options.title) return *options.title;
    return tablePath.empty() ? std::string("ACT!") : "ACT! - " + baseNameOf(tablePath);
  };
  MainWindow::Settings settings;
  settings.className = options.windowClass.value_or(kDefaultWindowClass);
  settings.title = titleFor(state->contacts.table().path());
  settings.visible = !options.hidden;
  settings.links = standin::readWebLinks(netLinks);
  settings.openTable = [&state](const std::string& path) {
    standin::LoadedTable next = standin::loadContactTable(path);
    if (!next.table) return next.error;
    standin::writeUserString(kSettingsKey, kLastTableValue, next.table->path());
    state->contacts.setTable(std::move(*next.table));
    return std::string();
  };
  settings.titleFor = titleFor;
  MainWindow window(state->contacts, std::move(settings));
  if (window.handle() == nullptr) {
    report("Das Hauptfenster lässt sich nicht öffnen.");
    return 1;
  }

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (server) server->revoke();
  return 0;
}

}  // namespace standin_win32

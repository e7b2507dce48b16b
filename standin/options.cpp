#include "standin/options.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <span>

namespace standin {
namespace {

struct Switch {
  const char* name;
  const char* valueName;  // nullptr: a switch without value
  const char* help;
  bool win32Only;
};

constexpr Switch kSwitches[] = {
    {"title", "TEXT", "Fenstertitel statt \"ACT! - <Tabelle>\".", false},
    {"class", "KLASSE", "Fensterklasse statt act3.0frameclass.", false},
    {"hidden", nullptr, "Hauptfenster verborgen starten.", false},
    {"no-app", nullptr, "Kein Anwendungsobjekt: ACTOLE.APPOBJECT lässt sich nicht erzeugen.",
     false},
    {"no-views", nullptr, "Views liefert kein Objekt.", false},
    {"refuse-views", "N", "Create liefert N-mal kein Objekt, danach Ansichten.", false},
    {"lookup-result", "N", "CreateLookup antwortet N statt 0/100.", false},
    {"quit-on-lookup", nullptr, "Bei CreateLookup ohne Antwort enden.", false},
    {"hang-on", "AUFRUF", "Den Aufruf AUFRUF (etwa CreateLookup) annehmen und nie beantworten.",
     false},
    {"hang-ms", "N", "Mit --hang-on: nach N Millisekunden doch antworten.", false},
    {"log", "DATEI", "Jeden Automatisierungsaufruf als JSON-Zeile in DATEI schreiben.", false},
    {"netlinks", "ORDNER", "Web-Link-Ordner statt des Standardordners.", false},
    {"busy-ms", "N", "N Millisekunden nach dem Start jeden Aufruf als \"beschäftigt\" abweisen.",
     true},
    {"unregister", nullptr, "Die COM-Registrierung entfernen und enden.", true},
};

std::string helpText(Front front) {
  std::string text =
      front == Front::kQt
          ? "Aufruf: act-standin [Optionen] KONTAKTTABELLE.dbf\n\n"
            "Stand-in für ACT!: zeigt die Kontakte einer Kontakttabelle und bedient ACT!s\n"
            "Automatisierung (ACTOLE.APPOBJECT) auf dem Sitzungsbus.\n"
            "Standard-Web-Link-Ordner: $XDG_DATA_HOME/act-standin/netlinks\n\nOptionen:\n"
          : "Aufruf: act-standin [Optionen] [KONTAKTTABELLE.dbf]\n\n"
            "Stand-in für ACT!: zeigt die Kontakte einer Kontakttabelle und bedient ACT!s\n"
            "Automatisierung (ACTOLE.APPOBJECT) als COM-Server. Ohne Tabelle öffnet er die\n"
            "zuletzt geöffnete.\n"
            "Standard-Web-Link-Ordner: %LOCALAPPDATA%\\act-standin\\netlinks\n\nOptionen:\n";
  const auto line = [&text](std::string left, const char* help) {
    left.resize(std::max<std::size_t>(left.size() + 2, 24), ' ');
    text += "  " + left + help + "\n";
  };
  line("-h, --help", "Diese Hilfe.");
  for (const Switch& s : kSwitches) {
    if (s.win32Only && front != Front::kWin32) continue;
    line(std::string("--") + s.name + (s.valueName ? std::string(" ") + s.valueName : ""), s.help);
  }
  return text;
}

// What COM passes to a local server it starts, in any letter case.
bool isEmbeddingSwitch(std::string_view argument) {
  if (argument.size() < 2 || (argument[0] != '-' && argument[0] != '/')) return false;
  std::string word(argument.substr(1));
  for (char& c : word) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return word == "embedding" || word == "automation";
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A whole number within [lowest, highest], or nullopt.
std::optional<int> numberIn(std::string_view text, int lowest, int highest) {
  text = trimmed(text);
  if (text.starts_with('+')) text.remove_prefix(1);
  long long number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < lowest ||
      number > highest) {
    return std::nullopt;
  }
  return static_cast<int>(number);
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& arguments, Front front) {
  ParsedOptions parsed;
  std::vector<std::pair<const Switch*, std::string>> given;
  std::vector<std::string> positional;
  bool help = false;
  bool embedding = false;
  bool onlyPositional = false;
  const auto args = std::span(arguments).subspan(arguments.empty() ? 0 : 1);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (onlyPositional || arg == "-" || !(arg.starts_with('-') || arg.starts_with('/'))) {
      positional.push_back(arg);
    } else if (front == Front::kWin32 && isEmbeddingSwitch(arg)) {
      embedding = true;
    } else if (arg.starts_with('/')) {
      positional.push_back(arg);
    } else if (arg == "--") {
      onlyPositional = true;
    } else if (arg == "-h" || arg == "-?" || arg == "--help") {
      help = true;
    } else {
      const std::size_t equals = arg.find('=');
      const std::string name =
          arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
      const Switch* known = nullptr;
      for (const Switch& s : kSwitches) {
        if (arg.starts_with("--") && name == s.name && (!s.win32Only || front == Front::kWin32)) {
          known = &s;
        }
      }
      if (known == nullptr) {
        parsed.error = "Unbekannte Option \"" + arg + "\".";
        return parsed;
      }
      std::string value;
      if (known->valueName != nullptr) {
        if (equals != std::string::npos) {
          value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
          value = args[++i];
        } else {
          parsed.error = "Nach \"" + arg + "\" fehlt der Wert " + known->valueName + ".";
          return parsed;
        }
      } else if (equals != std::string::npos) {
        parsed.error = "Die Option \"--" + name + "\" hat keinen Wert.";
        return parsed;
      }
      given.emplace_back(known, std::move(value));
    }
  }
  if (help) {
    parsed.helpText = helpText(front);
    return parsed;
  }
  if (positional.size() > 1) {
    parsed.error = "Nur eine Kontakttabelle kann geöffnet werden.";
    return parsed;
  }
  if (positional.empty() && front == Front::kQt) {
    parsed.error = "Keine Kontakttabelle angegeben.";
    return parsed;
  }

  Options options;
  options.embedding = embedding;
  if (!positional.empty()) options.contactTable = positional.front();
  for (const auto& [s, value] : given) {
    const std::string_view name = s->name;
    if (name == "title") options.title = value;
    if (name == "class") {
      if (value.empty()) {
        parsed.error = "Die Fensterklasse darf nicht leer sein.";
        return parsed;
      }
      options.windowClass = value;
    }
    if (name == "hidden") options.hidden = true;
    if (name == "no-app") options.noApplication = true;
    if (name == "no-views") options.misbehaviour.noViews = true;
    if (name == "quit-on-lookup") options.misbehaviour.quitOnLookup = true;
    if (name == "log") options.logFile = value;
    if (name == "netlinks") options.netLinksFolder = value;
    if (name == "unregister") options.unregister = true;
    if (name == "refuse-views" || name == "busy-ms") {
      const auto count = numberIn(value, 0, name == "busy-ms" ? 86'400'000 : 1'000'000);
      if (!count) {
        parsed.error =
            "--" + std::string(name) + " erwartet eine Zahl ab 0, nicht \"" + value + "\".";
        return parsed;
      }
      (name == "busy-ms" ? options.busyMs : options.misbehaviour.refuseViews) = *count;
    }
    if (name == "hang-on") {
      const bool known = std::find(std::begin(kCallNames), std::end(kCallNames), value) !=
                         std::end(kCallNames);
      if (!known) {
        parsed.error = "--hang-on erwartet Views, Create, GetOpenDBName, LookupAll oder "
                       "CreateLookup, nicht \"" + value + "\".";
        return parsed;
      }
      options.misbehaviour.hangOn = value;
    }
    if (name == "hang-ms") {
      options.misbehaviour.hangMs = numberIn(value, 0, 86'400'000);
      if (!options.misbehaviour.hangMs) {
        parsed.error = "--hang-ms erwartet eine Zahl ab 0, nicht \"" + value + "\".";
        return parsed;
      }
    }
    if (name == "lookup-result") {
      options.misbehaviour.lookupResult =
          numberIn(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
      if (!options.misbehaviour.lookupResult) {
        parsed.error = "--lookup-result erwartet eine ganze Zahl, nicht \"" + value + "\".";
        return parsed;
      }
    }
  }
  parsed.options = std::move(options);
  return parsed;
}

}  // namespace standin

#include "standin/automation.h"

#include <charconv>
#include <chrono>
#include <thread>

namespace standin {

Automation::Automation(ShownContacts& contacts, CallLog& log, Misbehaviour misbehaviour)
    : contacts_(contacts),
      log_(log),
      misbehaviour_(misbehaviour),
      refusalsLeft_(misbehaviour.refuseViews) {}

void Automation::hangIfAsked(std::string_view call) const {
  if (misbehaviour_.hangOn != call) return;
  if (misbehaviour_.hangMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(*misbehaviour_.hangMs));
    return;
  }
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

std::string Automation::views() {
  hangIfAsked("Views");
  const std::string result = misbehaviour_.noViews ? kNoObject : kViewsPath;
  log_.write(LogEntry("Views").text("result", result));
  return result;
}

std::string Automation::getOpenDBName() {
  hangIfAsked("GetOpenDBName");
  const std::string& result = contacts_.table().path();
  log_.write(LogEntry("GetOpenDBName").text("result", result));
  return result;
}

namespace {

std::variant<std::int64_t, std::string> logged(const CreateArgument& argument) {
  if (const auto* number = std::get_if<int>(&argument)) return std::int64_t{*number};
  return std::get<std::string>(argument);
}

}  // namespace

std::string Automation::create(const CreateArgument& first, const CreateArgument& second) {
  hangIfAsked("Create");
  std::string result;
  if (refusalsLeft_ > 0) {
    --refusalsLeft_;
    result = kNoObject;
  } else {
    result = std::string(kViewsPath) + '/' + std::to_string(++viewsMade_);
  }
  log_.write(LogEntry("Create").values("args", {logged(first), logged(second)}).text("result", result));
  return result;
}

int Automation::viewNumber(std::string_view path) const {
  const std::string prefix = std::string(kViewsPath) + '/';
  if (!path.starts_with(prefix)) return 0;
  const std::string_view digits = path.substr(prefix.size());
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size()) return 0;
  return number >= 1 && number <= viewsMade_ ? number : 0;
}

int Automation::lookupAll(int view) {
  hangIfAsked("LookupAll");
  contacts_.showAll();
  log_.write(LogEntry("LookupAll").number("view", view).number("result", kLookupAllFound));
  return kLookupAllFound;
}

std::optional<int> Automation::createLookup(int view, std::string_view idList) {
  hangIfAsked("CreateLookup");
  LogEntry entry("CreateLookup");
  entry.number("view", view);
  const auto ids = splitIdList(idList);
  if (!ids) {
    log_.write(entry.text("idList", idList).number("result", kLookupBadIdList));
    return kLookupBadIdList;
  }
  entry.texts("ids", *ids);
  if (misbehaviour_.quitOnLookup) {
    log_.write(entry.null("result"));
    return std::nullopt;
  }
  LookupRows found = resolveIds(contacts_.table(), *ids);
  const int result =
      misbehaviour_.lookupResult.value_or(found.allFound ? kLookupAllFound : kLookupSomeMissing);
  contacts_.showLookup(std::move(found.rows));
  log_.write(entry.number("result", result));
  return result;
}

}  // namespace standin

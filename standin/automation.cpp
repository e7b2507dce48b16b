#include "standin/automation.h"

#include <charconv>

namespace standin {

Automation::Automation(ShownContacts& contacts, CallLog& log, Misbehaviour misbehaviour)
    : contacts_(contacts),
      log_(log),
      misbehaviour_(misbehaviour),
      refusalsLeft_(misbehaviour.refuseViews) {}

std::string Automation::views() {
  const std::string result = misbehaviour_.noViews ? kNoObject : kViewsPath;
  log_.write(LogEntry("Views").text("result", result));
  return result;
}

std::string Automation::getOpenDBName() {
  const std::string& result = contacts_.table().path();
  log_.write(LogEntry("GetOpenDBName").text("result", result));
  return result;
}

std::string Automation::create(std::int16_t first, std::int16_t second) {
  std::string result;
  if (refusalsLeft_ > 0) {
    --refusalsLeft_;
    result = kNoObject;
  } else {
    result = std::string(kViewsPath) + '/' + std::to_string(++viewsMade_);
  }
  log_.write(LogEntry("Create").numbers("args", {first, second}).text("result", result));
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
  contacts_.showAll();
  log_.write(LogEntry("LookupAll").number("view", view).number("result", kLookupAllFound));
  return kLookupAllFound;
}

std::optional<int> Automation::createLookup(int view, std::string_view idList) {
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

#include "standin/automation.h"

#include <QJsonArray>

namespace standin {

Automation::Automation(ContactModel& model, CallLog& log, Misbehaviour misbehaviour)
    : model_(model),
      log_(log),
      misbehaviour_(misbehaviour),
      refusalsLeft_(misbehaviour.refuseViews) {}

QString Automation::views() {
  const QString result =
      misbehaviour_.noViews ? QString::fromUtf16(kNoObject) : QString::fromUtf16(kViewsPath);
  log_.write({{"call", "Views"}, {"result", result}});
  return result;
}

QString Automation::getOpenDBName() {
  const QString result = model_.table().path();
  log_.write({{"call", "GetOpenDBName"}, {"result", result}});
  return result;
}

QString Automation::create(qint16 first, qint16 second) {
  QString result;
  if (refusalsLeft_ > 0) {
    --refusalsLeft_;
    result = QString::fromUtf16(kNoObject);
  } else {
    result = QString::fromUtf16(kViewsPath) + u'/' + QString::number(++viewsMade_);
  }
  log_.write({{"call", "Create"}, {"args", QJsonArray{first, second}}, {"result", result}});
  return result;
}

int Automation::viewNumber(const QString& path) const {
  const QString prefix = QString::fromUtf16(kViewsPath) + u'/';
  if (!path.startsWith(prefix)) return 0;
  bool ok = false;
  const int number = path.sliced(prefix.size()).toInt(&ok);
  return ok && number >= 1 && number <= viewsMade_ ? number : 0;
}

int Automation::lookupAll(int view) {
  model_.showAll();
  log_.write({{"call", "LookupAll"}, {"view", view}, {"result", kLookupAllFound}});
  return kLookupAllFound;
}

std::optional<int> Automation::createLookup(int view, const QString& idList) {
  QJsonObject entry{{"call", "CreateLookup"}, {"view", view}};
  const auto ids = splitIdList(idList);
  if (!ids) {
    entry.insert("idList", idList);
    entry.insert("result", kLookupBadIdList);
    log_.write(entry);
    return kLookupBadIdList;
  }
  QJsonArray idArray;
  for (const QString& id : *ids) idArray.append(id);
  entry.insert("ids", idArray);
  if (misbehaviour_.quitOnLookup) {
    entry.insert("result", QJsonValue::Null);
    log_.write(entry);
    return std::nullopt;
  }
  LookupRows found = resolveIds(model_.table(), *ids);
  const int result =
      misbehaviour_.lookupResult.value_or(found.allFound ? kLookupAllFound : kLookupSomeMissing);
  model_.showLookup(std::move(found.rows));
  entry.insert("result", result);
  log_.write(entry);
  return result;
}

}  // namespace standin

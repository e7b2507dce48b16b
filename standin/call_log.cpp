#include "standin/call_log.h"

#include <QJsonDocument>

namespace standin {

bool CallLog::open(const QString& path) {
  file_.setFileName(path);
  return file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void CallLog::write(const QJsonObject& entry) {
  if (!file_.isOpen()) return;
  file_.write(QJsonDocument(entry).toJson(QJsonDocument::Compact));
  file_.write("\n");
  file_.flush();
}

}  // namespace standin

#pragma once
// The log of automation calls for tests: one JSON object per line and per
// call, appended and flushed before the call is answered, so a test that
// has its answer can read the entry. A closed log (no file given) writes
// nothing.
//
// Entries: "call" (the member name), the arguments ("args" for Create, "ids"
// for CreateLookup, "view" for the number of the view called), and "result"
// (null when the stand-in left without answering).

#include <QFile>
#include <QJsonObject>
#include <QString>

namespace standin {

class CallLog {
 public:
  CallLog() = default;
  // Opens `path` for appending; false (and a closed log) when it cannot.
  bool open(const QString& path);
  bool isOpen() const { return file_.isOpen(); }

  void write(const QJsonObject& entry);

 private:
  QFile file_;
};

}  // namespace standin

#pragma once
// What the stand-in answers to the seven automation operations, apart from
// the bus: the bus objects (bus_objects.h) hand every call to this class.
// It also carries the switches that make the stand-in misbehave on purpose
// and writes every call to the call log before the answer leaves.
//
// Object paths: the views collection is kViewsPath, view number n (counted
// from 1 per run) is kViewsPath + "/n", and "no object" is kNoObject.

#include <QString>
#include <optional>

#include "standin/call_log.h"
#include "standin/contact_model.h"

namespace standin {

inline constexpr char16_t kApplicationPath[] = u"/Application";
inline constexpr char16_t kViewsPath[] = u"/Application/Views";
inline constexpr char16_t kNoObject[] = u"/";

// CreateLookup's answers.
inline constexpr int kLookupAllFound = 0;
inline constexpr int kLookupSomeMissing = 100;
// The ID list's length is not a multiple of 12; nothing was changed.
inline constexpr int kLookupBadIdList = 5;

struct Misbehaviour {
  bool noViews = false;             // Views gives no object
  int refuseViews = 0;              // Create gives no object this many times
  std::optional<int> lookupResult;  // CreateLookup answers this instead of 0/100
  bool quitOnLookup = false;        // CreateLookup leaves without answering
};

class Automation {
 public:
  Automation(ContactModel& model, CallLog& log, Misbehaviour misbehaviour);

  QString views();
  QString getOpenDBName();
  // A new view's path; kNoObject while views are refused.
  QString create(qint16 first, qint16 second);
  // The number of the view at `path`, or 0 when no view of that path was made.
  int viewNumber(const QString& path) const;

  int lookupAll(int view);
  // The answer, or nullopt when the stand-in is to leave the bus now without
  // answering (the model is then left as it was).
  std::optional<int> createLookup(int view, const QString& idList);

 private:
  ContactModel& model_;
  CallLog& log_;
  Misbehaviour misbehaviour_;
  int viewsMade_ = 0;
  int refusalsLeft_ = 0;
};

}  // namespace standin

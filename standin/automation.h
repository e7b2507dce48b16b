#pragma once
// What the stand-in answers to the seven automation operations, apart from
// the way they arrive (D-Bus in the Qt front, COM in the Win32 front): the
// fronts hand every call to this class. It also carries the switches that
// make the stand-in misbehave on purpose and writes every call to the call
// log before the answer leaves.
//
// Objects are named by paths, the same in both fronts and in the log: the
// views collection is kViewsPath, view number n (counted from 1 per run) is
// kViewsPath + "/n", and "no object" is kNoObject.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "standin/call_log.h"
#include "standin/shown_contacts.h"

namespace standin {

inline constexpr char kApplicationPath[] = "/Application";
inline constexpr char kViewsPath[] = "/Application/Views";
inline constexpr char kNoObject[] = "/";

// CreateLookup's answers.
inline constexpr int kLookupAllFound = 0;
inline constexpr int kLookupSomeMissing = 100;
// The ID list's length is not a multiple of 12; nothing was changed.
inline constexpr int kLookupBadIdList = 5;

// An argument of Views.Create: a late-bound client passes a number or a
// text ("CV"), and a late-bound server takes either.
using CreateArgument = std::variant<int, std::string>;

struct Misbehaviour {
  bool noViews = false;             // Views gives no object
  int refuseViews = 0;              // Create gives no object this many times
  std::optional<int> lookupResult;  // CreateLookup answers this instead of 0/100
  bool quitOnLookup = false;        // CreateLookup leaves without answering
  std::optional<std::string> hangOn;  // this call is taken and not answered ...
  std::optional<int> hangMs;          // ... for this long (unset: never)
};

// The calls, by name, as --hang-on names them.
inline constexpr const char* kCallNames[] = {"Views", "Create", "GetOpenDBName", "LookupAll",
                                            "CreateLookup"};

class Automation {
 public:
  Automation(ShownContacts& contacts, CallLog& log, Misbehaviour misbehaviour);

  std::string views();
  std::string getOpenDBName();
  // A new view's path; kNoObject while views are refused.
  std::string create(const CreateArgument& first, const CreateArgument& second);
  // The number of the view at `path`, or 0 when no view of that path was made.
  int viewNumber(std::string_view path) const;

  int lookupAll(int view);
  // The answer, or nullopt when the stand-in is to leave now without
  // answering (what is shown then stays as it was).
  std::optional<int> createLookup(int view, std::string_view idList);

 private:
  ShownContacts& contacts_;
  CallLog& log_;
  Misbehaviour misbehaviour_;
  // Holds the call up as the misbehaviour asks.
  void hangIfAsked(std::string_view call) const;

  int viewsMade_ = 0;
  int refusalsLeft_ = 0;
};

}  // namespace standin

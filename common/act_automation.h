#pragma once
// ACT!'s automation server as the program uses it: an application object
// created by its ProgID, the application's views collection, and a view made
// from it. Members are called by name at run time, so anything that serves
// these names will do.
//
// Errors are values: a call that fails (server gone, member missing, no
// answer within the backend's time limit) gives "no object" (nullptr) or
// nullopt. Nothing here throws, and no call blocks without bound.
//
// Releasing an object is destroying it; the program releases the view, then
// the views collection, then the application.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace common {

class ActView {
 public:
  virtual ~ActView() = default;
  // Lets ACT! show all contacts. False when the call failed.
  virtual bool LookupAll() = 0;
  // Makes exactly the contacts of the ID list (12 characters per contact,
  // blanks on the right, no separator) ACT!'s current lookup. ACT!'s answer
  // (0 and 100 mean success), or nullopt when the call failed.
  virtual std::optional<std::int32_t> CreateLookup(std::string& idList) = 0;
};

class ActViews {
 public:
  virtual ~ActViews() = default;
  // A new view, or nullptr when ACT! gives none or the call failed.
  virtual std::unique_ptr<ActView> Create(std::int16_t first, std::int16_t second) = 0;
};

class ActApplication {
 public:
  virtual ~ActApplication() = default;
  // The views collection, or nullptr when ACT! gives none or the call failed.
  virtual std::unique_ptr<ActViews> Views() = 0;
  // The full path of the database open in ACT!, or nullopt when the call failed.
  virtual std::optional<std::string> GetOpenDBName() = 0;
};

class ActAutomation {
 public:
  virtual ~ActAutomation() = default;
  // The application object registered under `progId` ("ACTOLE.APPOBJECT"),
  // or nullptr when nobody serves it or the server cannot be reached.
  //
  // `meanwhile` (when set) is work of the caller's that need not wait for
  // the answer: it runs exactly once, on the calling thread, before
  // CreateObject returns, in every outcome. Where the backend can, it runs
  // while the server's answer is outstanding, so the two overlap.
  virtual std::unique_ptr<ActApplication> CreateObject(std::string_view progId,
                                                       const std::function<void()>& meanwhile) = 0;
  std::unique_ptr<ActApplication> CreateObject(std::string_view progId) {
    return CreateObject(progId, {});
  }
};

}  // namespace common

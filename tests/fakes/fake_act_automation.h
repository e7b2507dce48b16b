#pragma once
// A scripted ACT! automation server for unit tests. Configure it through
// `config()`, hand it to the code under test, then read `calls()`: every call
// of every object it handed out, in order, with its arguments, and every
// release (an object destroyed) as "ReleaseView", "ReleaseViews" or
// "ReleaseApplication". With `config().journal` set, each of them is also
// noted there as one text ("Create 1,2"), between whatever else the test
// notes. Objects stay valid after the fake is gone and keep recording.

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/act_automation.h"

namespace fakes {

using Journal = std::vector<std::string>;

struct ActCall {
  std::string name;               // "CreateObject", "Views", "Create", ...
  std::vector<std::string> args;  // Create: {"1", "2"}; CreateLookup: {the ID list}
};

struct FakeActConfig {
  int refuseCreate = 0;  // Create gives nullptr this many times, then views
  std::int32_t lookupResult = 0;
  std::string openDBName = "/home/act/KONTAKTE.dbf";
  // Calls that give nothing, as a broken connection or a server without the
  // object would: nullptr, nullopt or false. The call is still recorded.
  std::set<std::string> failingCalls;
  Journal* journal = nullptr;
};

namespace fake_act_detail {

struct State {
  FakeActConfig config;
  std::vector<ActCall> calls;
  bool record(std::string name, std::vector<std::string> args = {}) {
    if (config.journal != nullptr) {
      std::string entry = name;
      for (std::size_t k = 0; k < args.size(); ++k) entry += (k == 0 ? " " : ",") + args[k];
      config.journal->push_back(entry);
    }
    const bool fails = config.failingCalls.count(name) != 0;
    calls.push_back({std::move(name), std::move(args)});
    return !fails;
  }
};
using StatePtr = std::shared_ptr<State>;

// One object plays the application, the views collection and a view alike;
// `kind_` says which it was handed out as.
class Object : public common::ActApplication, public common::ActViews, public common::ActView {
 public:
  Object(StatePtr state, std::string kind) : state_(std::move(state)), kind_(std::move(kind)) {}
  ~Object() override { state_->record("Release" + kind_); }

  std::unique_ptr<common::ActViews> Views() override {
    if (!state_->record("Views")) return nullptr;
    return std::make_unique<Object>(state_, "Views");
  }
  std::optional<std::string> GetOpenDBName() override {
    if (!state_->record("GetOpenDBName")) return std::nullopt;
    return state_->config.openDBName;
  }
  std::unique_ptr<common::ActView> Create(std::int16_t first, std::int16_t second) override {
    if (!state_->record("Create", {std::to_string(first), std::to_string(second)})) return nullptr;
    if (state_->config.refuseCreate-- > 0) return nullptr;
    return std::make_unique<Object>(state_, "View");
  }
  bool LookupAll() override { return state_->record("LookupAll"); }
  std::optional<std::int32_t> CreateLookup(std::string& idList) override {
    if (!state_->record("CreateLookup", {idList})) return std::nullopt;
    return state_->config.lookupResult;
  }

 private:
  StatePtr state_;
  std::string kind_;
};

}  // namespace fake_act_detail

class FakeActAutomation : public common::ActAutomation {
 public:
  std::unique_ptr<common::ActApplication> CreateObject(std::string_view progId) override {
    if (!state_->record("CreateObject", {std::string(progId)})) return nullptr;
    return std::make_unique<fake_act_detail::Object>(state_, "Application");
  }

  FakeActConfig& config() { return state_->config; }
  const std::vector<ActCall>& calls() const { return state_->calls; }
  // The arguments of every call of that name, in order.
  std::vector<std::string> argsOf(const std::string& name) const {
    std::vector<std::string> found;
    for (const ActCall& call : state_->calls) {
      if (call.name == name) found.insert(found.end(), call.args.begin(), call.args.end());
    }
    return found;
  }

 private:
  fake_act_detail::StatePtr state_ = std::make_shared<fake_act_detail::State>();
};

}  // namespace fakes

#pragma once
// A scripted ACT! automation server for unit tests. Configure it through
// `config()`, hand it to the code under test, then read `calls()`: every call
// of every object it handed out, in order, with its arguments as text, and
// every release (the destruction of an object) as "ReleaseView",
// "ReleaseViews" or "ReleaseApplication".
//
//   fakes::FakeActAutomation act;
//   act.config().refuseCreate = 2;            // two "no view" answers first
//   act.config().lookupResult = 100;
//   ... run the code ...
//   EXPECT_EQ(act.calls(), (std::vector<fakes::ActCall>{{"CreateObject", {"ACTOLE.APPOBJECT"}},
//   ...}));
//
// Objects stay valid after the fake is gone; they keep recording into the
// shared call list.

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/act_automation.h"

namespace fakes {

struct ActCall {
  std::string name;               // "CreateObject", "Views", "Create", ...
  std::vector<std::string> args;  // Create: {"1", "2"}; CreateLookup: {the ID list}
  friend bool operator==(const ActCall&, const ActCall&) = default;
  friend void PrintTo(const ActCall& call, std::ostream* out) {
    *out << call.name << "(";
    for (std::size_t i = 0; i < call.args.size(); ++i)
      *out << (i ? ", " : "") << '"' << call.args[i] << '"';
    *out << ")";
  }
};

struct FakeActConfig {
  bool noApplication = false;  // CreateObject gives nullptr
  bool noViews = false;        // Views gives nullptr
  int refuseCreate = 0;        // Create gives nullptr this many times, then views
  std::int32_t lookupResult = 0;
  std::string openDBName = "/home/act/KONTAKTE.dbf";
  // Names of calls that fail as a broken connection would: CreateObject,
  // Views and Create give nullptr, GetOpenDBName and CreateLookup nullopt,
  // LookupAll false. The call is still recorded.
  std::set<std::string> failingCalls;
};

namespace fake_act_detail {

struct State {
  FakeActConfig config;
  std::vector<ActCall> calls;
  bool record(std::string name, std::vector<std::string> args = {}) {
    const bool fails = config.failingCalls.count(name) != 0;
    calls.push_back({std::move(name), std::move(args)});
    return !fails;
  }
};

class View : public common::ActView {
 public:
  explicit View(std::shared_ptr<State> state) : state_(std::move(state)) {}
  ~View() override { state_->record("ReleaseView"); }
  bool LookupAll() override { return state_->record("LookupAll"); }
  std::optional<std::int32_t> CreateLookup(std::string& idList) override {
    if (!state_->record("CreateLookup", {idList})) return std::nullopt;
    return state_->config.lookupResult;
  }

 private:
  std::shared_ptr<State> state_;
};

class Views : public common::ActViews {
 public:
  explicit Views(std::shared_ptr<State> state) : state_(std::move(state)) {}
  ~Views() override { state_->record("ReleaseViews"); }
  std::unique_ptr<common::ActView> Create(std::int16_t first, std::int16_t second) override {
    if (!state_->record("Create", {std::to_string(first), std::to_string(second)})) return nullptr;
    if (state_->config.refuseCreate > 0) {
      --state_->config.refuseCreate;
      return nullptr;
    }
    return std::make_unique<View>(state_);
  }

 private:
  std::shared_ptr<State> state_;
};

class Application : public common::ActApplication {
 public:
  explicit Application(std::shared_ptr<State> state) : state_(std::move(state)) {}
  ~Application() override { state_->record("ReleaseApplication"); }
  std::unique_ptr<common::ActViews> Views() override {
    if (!state_->record("Views") || state_->config.noViews) return nullptr;
    return std::make_unique<fake_act_detail::Views>(state_);
  }
  std::optional<std::string> GetOpenDBName() override {
    if (!state_->record("GetOpenDBName")) return std::nullopt;
    return state_->config.openDBName;
  }

 private:
  std::shared_ptr<State> state_;
};

}  // namespace fake_act_detail

class FakeActAutomation : public common::ActAutomation {
 public:
  std::unique_ptr<common::ActApplication> CreateObject(std::string_view progId) override {
    if (!state_->record("CreateObject", {std::string(progId)}) || state_->config.noApplication) {
      return nullptr;
    }
    return std::make_unique<fake_act_detail::Application>(state_);
  }

  FakeActConfig& config() { return state_->config; }
  const std::vector<ActCall>& calls() const { return state_->calls; }
  // The names of the calls so far, in order.
  std::vector<std::string> callNames() const {
    std::vector<std::string> names;
    for (const ActCall& call : state_->calls) names.push_back(call.name);
    return names;
  }

 private:
  std::shared_ptr<fake_act_detail::State> state_ = std::make_shared<fake_act_detail::State>();
};

}  // namespace fakes

#pragma once
// A scripted ACT! automation server for unit tests. Configure it through
// `config()`, hand it to the code under test, then read the journal: every
// call of every object it handed out, in order, as one text with its
// arguments ("Create 1,2", "CreateLookup <the ID list>"), and every release
// (an object destroyed) as "ReleaseView", "ReleaseViews" or
// "ReleaseApplication", between whatever else the test notes there. Objects
// stay valid after the fake is gone and keep recording.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/act_automation.h"

namespace fakes {

using Journal = std::vector<std::string>;

struct FakeActConfig {
  Journal* journal = nullptr;  // where the calls go; must be set
  int refuseCreate = 0;        // Create gives nullptr this many times, then views
  std::int32_t lookupResult = 0;
  std::string openDBName = "/home/act/KONTAKTE.dbf";
  // Calls that give nothing, as a broken connection or a server without the
  // object would: nullptr, nullopt or false. The call is still recorded.
  std::set<std::string> failingCalls;
};

namespace fake_act_detail {

// One object plays the application, the views collection and a view alike;
// `kind_` says which it was handed out as.
class Object : public common::ActApplication, public common::ActViews, public common::ActView {
 public:
  Object(std::shared_ptr<FakeActConfig> config, std::string kind)
      : config_(std::move(config)), kind_(std::move(kind)) {}
  ~Object() override { record("Release" + kind_); }

  std::unique_ptr<common::ActViews> Views() override {
    return record("Views") ? std::make_unique<Object>(config_, "Views") : nullptr;
  }
  std::optional<std::string> GetOpenDBName() override {
    if (!record("GetOpenDBName")) return std::nullopt;
    return config_->openDBName;
  }
  std::unique_ptr<common::ActView> Create(std::int16_t first, std::int16_t second) override {
    if (!record("Create", std::to_string(first) + "," + std::to_string(second))) return nullptr;
    if (config_->refuseCreate-- > 0) return nullptr;
    return std::make_unique<Object>(config_, "View");
  }
  bool LookupAll() override { return record("LookupAll"); }
  std::optional<std::int32_t> CreateLookup(std::string& idList) override {
    if (!record("CreateLookup", idList)) return std::nullopt;
    return config_->lookupResult;
  }

  // Notes the call; false when it is to fail.
  static bool record(FakeActConfig& config, const std::string& name, const std::string& args) {
    config.journal->push_back(args.empty() ? name : name + " " + args);
    return config.failingCalls.count(name) == 0;
  }

 private:
  bool record(const std::string& name, const std::string& args = "") {
    return record(*config_, name, args);
  }
  std::shared_ptr<FakeActConfig> config_;
  std::string kind_;
};

}  // namespace fake_act_detail

// CreateObject runs `meanwhile` right after noting the call, as if the
// answer were outstanding.
class FakeActAutomation : public common::ActAutomation {
 public:
  using common::ActAutomation::CreateObject;
  std::unique_ptr<common::ActApplication> CreateObject(
      std::string_view progId, const std::function<void()>& meanwhile) override {
    const bool gives =
        fake_act_detail::Object::record(*config_, "CreateObject", std::string(progId));
    if (meanwhile) meanwhile();
    if (!gives) return nullptr;
    return std::make_unique<fake_act_detail::Object>(config_, "Application");
  }
  FakeActConfig& config() { return *config_; }

 private:
  std::shared_ptr<FakeActConfig> config_ = std::make_shared<FakeActConfig>();
};

}  // namespace fakes

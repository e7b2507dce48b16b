#pragma once
// The contract of ActAutomation (act_automation.h) as test bodies that every
// platform's adapter runs against the real stand-in ACT!, which the
// platform's test starts through a StandinRig: the operations and what the
// stand-in logs of them, the stand-in's misbehaviour switches, a stand-in
// that leaves during a lookup, and a list of 100,000 IDs.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/act_automation.h"
#include "common/utf8.h"
#include "tests/fixture_ids.h"
#include "tests/scratch.h"

namespace common {

// One stand-in process, ended when the object goes.
class TestStandin {
 public:
  virtual ~TestStandin() = default;
  virtual bool waitUntilServing() = 0;      // false when it ended first or took too long
  virtual int waitForExit() = 0;            // its exit status; -1 when it did not end in time
  virtual std::string standardError() = 0;  // once it has ended (UTF-8)
};

// What a platform's test provides. A stand-in started with "--no-app" counts
// as serving once it has had the time to serve, had it tried.
struct StandinRig {
  using Starter = std::function<std::unique_ptr<TestStandin>(const std::vector<std::string>&)>;
  StandinRig(Starter starter, ActAutomation* adapter, std::string fixture)
      : start(std::move(starter)), automation(adapter), table(std::move(fixture)) {}

  test_support::ScratchFolder scratch;
  Starter start;              // starts a stand-in with these arguments (UTF-8; a table's path last)
  ActAutomation* automation;  // the adapter under test; nullptr when a test needs none
  std::string table;          // the fixture table tests/data/sql/KONTAKTE.dbf
  std::string log = scratch.file("calls.jsonl");
  std::vector<std::string> logLines() const { return test_support::readLines(pathFromUtf8(log)); }
};

// Each ID padded to 12 characters (not bytes).
inline std::string paddedIds(const std::vector<std::string>& ids) {
  std::string list;
  for (const std::string& id : ids) list += id + std::string(12 - utf8Length(id), ' ');
  return list;
}

// The objects from the application to a view, as the start-up walks them;
// those after a step that gave none stay empty.
struct ActObjects {
  std::unique_ptr<ActApplication> application;
  std::unique_ptr<ActViews> views;
  std::unique_ptr<ActView> view;
};

// CreateObject with work to do meanwhile, which runs exactly once, on the
// calling thread, whatever the answer.
inline std::unique_ptr<ActApplication> createWithWorkMeanwhile(ActAutomation& automation,
                                                               std::string_view progId) {
  int runs = 0;
  const std::thread::id caller = std::this_thread::get_id();
  auto application = automation.CreateObject(progId, [&] {
    ++runs;
    EXPECT_EQ(std::this_thread::get_id(), caller);
  });
  EXPECT_EQ(runs, 1) << progId;
  return application;
}

inline ActObjects openView(ActAutomation& automation) {
  ActObjects act;
  act.application = createWithWorkMeanwhile(automation, "ACTOLE.APPOBJECT");
  if (act.application) act.views = act.application->Views();
  if (act.views) act.view = act.views->Create(1, 2);
  return act;
}

// The stand-in's answers to the lookups come back as they are, and the ID
// list stays as the caller passed it. (That the calls reach the stand-in in
// order and the table it names is used, the end-to-end tests check.)
inline void expectLookupAnswersComeBackAndTheListStays(StandinRig& rig) {
  const auto act = rig.start({rig.table});
  ASSERT_TRUE(act->waitUntilServing()) << act->standardError();
  auto [application, views, view] = openView(*rig.automation);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->LookupAll());
  // IDs as ACT! makes them: quotes, brackets, "*", "?", "#", "%", a
  // backslash, blanks inside and in front, letters beyond ASCII.
  const auto& id = test_support::kFixtureIds;
  std::string allFound = paddedIds({"X1", id[1], id[3], id[4], id[7]});
  std::string oneMissing = paddedIds({id[5], id[8], "NOPE"});  // 8 is deleted
  std::string badLength = allFound + "Ä";
  EXPECT_EQ(view->CreateLookup(allFound), 0);
  EXPECT_EQ(view->CreateLookup(oneMissing), 100);
  EXPECT_EQ(view->CreateLookup(badLength), 5);
  EXPECT_EQ(allFound, paddedIds({"X1", id[1], id[3], id[4], id[7]}));
  EXPECT_EQ(badLength, paddedIds({"X1", id[1], id[3], id[4], id[7]}) + "Ä");
}

inline void expectMisbehaviourSwitchesBecomeNoObjectOrTheChosenResult(StandinRig& rig) {
  {
    const auto act = rig.start({"--no-app", rig.table});
    ASSERT_TRUE(act->waitUntilServing());
    EXPECT_EQ(createWithWorkMeanwhile(*rig.automation, "ACTOLE.APPOBJECT"), nullptr);
    EXPECT_EQ(createWithWorkMeanwhile(*rig.automation, ""), nullptr);
  }
  {
    const auto act = rig.start({"--no-views", rig.table});
    ASSERT_TRUE(act->waitUntilServing());
    const ActObjects objects = openView(*rig.automation);
    ASSERT_NE(objects.application, nullptr);
    EXPECT_EQ(objects.views, nullptr);
    EXPECT_TRUE(objects.application->GetOpenDBName()) << "the application still answers";
  }
  const auto act = rig.start({"--refuse-views", "2", "--lookup-result", "-1", rig.table});
  ASSERT_TRUE(act->waitUntilServing());
  auto [application, views, view] = openView(*rig.automation);
  ASSERT_NE(views, nullptr);
  EXPECT_EQ(view, nullptr);
  EXPECT_EQ(views->Create(1, 2), nullptr);
  view = views->Create(1, 2);
  ASSERT_NE(view, nullptr);
  std::string ids = paddedIds({"X1"});
  EXPECT_EQ(view->CreateLookup(ids), -1);
}

// The stand-in leaves without answering the lookup: that call and every later
// one fail, quickly.
inline void expectAStandinThatLeavesGivesFailuresQuickly(StandinRig& rig) {
  const auto act = rig.start({"--quit-on-lookup", "--log", rig.log, rig.table});
  ASSERT_TRUE(act->waitUntilServing());
  auto [application, views, view] = openView(*rig.automation);
  ASSERT_NE(view, nullptr);
  const auto start = std::chrono::steady_clock::now();
  std::string ids = paddedIds({"X1"});
  EXPECT_EQ(view->CreateLookup(ids), std::nullopt);
  EXPECT_FALSE(view->LookupAll());
  EXPECT_EQ(application->GetOpenDBName(), std::nullopt);
  EXPECT_EQ(application->Views(), nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_EQ(act->waitForExit(), 0);
  EXPECT_EQ(rig.logLines().back(),
            R"({"call":"CreateLookup","ids":["X1"],"result":null,"view":1})");
}

// None of these IDs is in the table: the stand-in looks every one up.
inline void expectHundredThousandIdsAreLookedUpInTheirOrder(StandinRig& rig) {
  std::vector<std::string> ids;
  for (int i = 100'000; i > 0; --i) ids.push_back("K" + std::to_string(i));
  {
    const auto act = rig.start({"--log", rig.log, rig.table});
    ASSERT_TRUE(act->waitUntilServing()) << act->standardError();
    const ActObjects objects = openView(*rig.automation);
    ASSERT_NE(objects.view, nullptr);
    std::string list = paddedIds(ids);
    EXPECT_EQ(objects.view->CreateLookup(list), 100);
  }
  const std::string entry = rig.logLines().back();
  EXPECT_TRUE(entry.starts_with(R"({"call":"CreateLookup","ids":["K100000","K99999",)"));
  EXPECT_TRUE(entry.ends_with(R"(,"K2","K1"],"result":100,"view":1})"));
  EXPECT_EQ(std::count(entry.begin(), entry.end(), ','), 100'000 + 2);
}

// All of the above, one after the other.
inline void expectActAutomationContract(StandinRig& rig) {
  for (const auto part : {&expectLookupAnswersComeBackAndTheListStays,
                          &expectMisbehaviourSwitchesBecomeNoObjectOrTheChosenResult,
                          &expectAStandinThatLeavesGivesFailuresQuickly,
                          &expectHundredThousandIdsAreLookedUpInTheirOrder}) {
    part(rig);
  }
}

}  // namespace common

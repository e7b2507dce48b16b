#pragma once
// The four program-wide references: ACT!'s automation objects and the one
// query object. The start-up fills them once; the search run reads ActView
// and ActDB; ende releases ActView, ActViews and ActApp in that order.

#include <memory>

#include "actdb/cl_act_dbf.h"
#include "common/act_automation.h"

namespace search {

struct ProgramGlobals {
  std::unique_ptr<common::ActApplication> ActApp;
  std::unique_ptr<common::ActViews> ActViews;
  std::unique_ptr<common::ActView> ActView;
  std::unique_ptr<actdb::clActDBF> ActDB;
};

}  // namespace search

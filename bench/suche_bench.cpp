// The fragment search in-process: clActDBF::Suche over a generated
// ACT!-shaped contact table, walked the way the search run walks it (move to
// the last row for the count, then every row's UNIQUE_ID).
//
// The table is generated once into $SPURLIX_BENCH_CACHE (default
// build/bench-cache) and reused. Rows: $SPURLIX_BENCH_ROWS (default 100000).
// bench/run sets both and runs one case at a time.
//
// Counters: hits and rows; rss_anon_mb, the process's anonymous resident
// memory (the heap) with the last search's result still open: it grows with
// the hits, not with the table.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "actdb/cl_act_dbf.h"
#include "platform/linux/realpath_short_path.h"
#include "tools/demo_data/demo_contacts.h"

namespace {

class StderrMessageBoxes : public common::MessageBoxes {
 public:
  common::MessageAnswer show(const common::MessageBoxRequest& request) override {
    std::fprintf(stderr, "%s\n", request.text.c_str());
    return common::MessageAnswer::Ok;
  }
};
class NoSettings : public common::SettingsStore {
 public:
  std::string read(std::string_view, std::string_view, std::string_view,
                   std::string_view fallback) const override {
    return std::string(fallback);
  }
  bool write(std::string_view, std::string_view, std::string_view, std::string_view) override {
    return false;
  }
};
class NoClipboard : public common::Clipboard {
 public:
  void clear() override {}
  void setText(std::string_view) override {}
};
class NoEvents : public common::EventPump {
 public:
  void processPendingEvents() override {}
};

// A "Name:   123 kB" line of /proc/self/status, in MB; -1 where absent.
double statusMegabytes(const char* name) {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  double result = -1;
  const std::size_t length = std::strlen(name);
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
      result = std::strtod(line + length + 1, nullptr) / 1024.0;
      break;
    }
  }
  std::fclose(status);
  return result;
}

std::uint32_t benchRows() {
  const char* rows = std::getenv("SPURLIX_BENCH_ROWS");
  return rows ? static_cast<std::uint32_t>(std::strtoul(rows, nullptr, 10)) : 100000u;
}

std::filesystem::path demoTable() {
  const char* cache = std::getenv("SPURLIX_BENCH_CACHE");
  const std::uint32_t rows = benchRows();
  const std::filesystem::path folder =
      std::filesystem::path(cache ? cache : "build/bench-cache") / ("rows-" + std::to_string(rows));
  const std::filesystem::path table = folder / "KONTAKTE.dbf";
  if (!std::filesystem::exists(table)) demo_data::writeDemoDatabase(folder, rows);
  return table;
}

struct Services {
  StderrMessageBoxes boxes;
  NoSettings settings;
  NoClipboard clipboard;
  NoEvents events;
  platform_linux::RealpathShortPath paths;
  actdb::ActDbServices all() { return {boxes, settings, clipboard, events, paths}; }
};

void BM_Suche(benchmark::State& state, const std::string& fragment) {
  static const std::filesystem::path table = demoTable();
  Services services;
  actdb::clActDBF db(services.all());
  if (!db.init(table.string())) {
    state.SkipWithError("init failed");
    return;
  }
  std::int64_t hits = 0;
  double anonMegabytes = 0;
  for (auto _ : state) {
    auto rows = db.Suche("COMPANY,NAME", "", fragment, "OR", false);
    std::string ids;
    if (rows->RecordCount() > 0) {
      rows->MoveLast(0);
      const std::int32_t n = rows->RecordCount();
      rows->MoveFirst();
      ids.reserve(static_cast<std::size_t>(n) * 12);
      for (std::int32_t i = 0; i < n; ++i) {
        ids += rows->value("UNIQUE_ID").toText();
        rows->MoveNext();
      }
    }
    hits = rows->RecordCount();
    state.PauseTiming();
    anonMegabytes = statusMegabytes("RssAnon");
    state.ResumeTiming();
    rows->Close();
    benchmark::DoNotOptimize(ids);
  }
  state.counters["hits"] = static_cast<double>(hits);
  state.counters["rss_anon_mb"] = anonMegabytes;
  state.counters["rows"] = benchRows();
}

void BM_Init(benchmark::State& state) {
  static const std::filesystem::path table = demoTable();
  Services services;
  for (auto _ : state) {
    actdb::clActDBF db(services.all());
    benchmark::DoNotOptimize(db.init(table.string()));
  }
}

BENCHMARK_CAPTURE(BM_Suche, rare_mue, std::string("mü"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Suche, common_e, std::string("e"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Suche, absent_xyzq, std::string("xyzq"))->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Init)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

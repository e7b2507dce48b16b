// actdb-sql FOLDER ['SQL TEXT']: opens FOLDER with the embedded engine and
// runs one SQL text, or, without one, each line of standard input. Rows go to
// standard output as tab-separated UTF-8 with a header line (Null as the
// empty field; tabs, line breaks and backslashes inside values escaped as
// \t \n \r \\, the other control characters as \xHH); the row count and
// the time taken go to standard error. An engine error is printed as the
// program's database error report and makes the exit status 1.

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "actdb/database_error_report.h"
#include "dbengine/db_engine.h"
#include "tools/console_tool.h"

namespace {

void appendEscaped(std::string& out, const std::string& value) {
  for (char c : value) {
    switch (c) {
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        // Other control characters (NUL, 0x1A, ...) would break the lines
        // for whatever reads them.
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') {
          static constexpr char kHex[] = "0123456789ABCDEF";
          const auto byte = static_cast<unsigned char>(c);
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0x0F];
        } else {
          out += c;
        }
    }
  }
}

void flush(std::string& out) {
  std::fwrite(out.data(), 1, out.size(), stdout);
  out.clear();
}

// The database error report, with the terminal's line breaks.
void printReport(const dbengine::EngineError& error) {
  for (char c : actdb::databaseErrorReportText(error)) {
    if (c != '\r') std::fputc(c, stderr);
  }
  std::fputc('\n', stderr);
}

// Runs one statement; false after an engine error.
bool run(dbengine::Database& database, const std::string& sql) {
  const auto start = std::chrono::steady_clock::now();
  try {
    std::unique_ptr<dbengine::Recordset> rows = database.OpenRecordset(sql);
    const dbengine::Fields fields = rows->fields();
    const int columns = fields.Count();
    std::string out;
    for (int c = 0; c < columns; ++c) {
      if (c > 0) out += '\t';
      appendEscaped(out, fields.Item(c).Name());
    }
    out += '\n';
    std::size_t count = 0;
    for (; !rows->Eof(); rows->MoveNext(), ++count) {
      for (int c = 0; c < columns; ++c) {
        if (c > 0) out += '\t';
        appendEscaped(out, rows->value(c).toText());
      }
      out += '\n';
      if (out.size() > (1 << 16)) flush(out);
    }
    flush(out);
    std::fflush(stdout);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "%zu Zeilen in %.3f s\n", count, seconds);
    return true;
  } catch (const dbengine::EngineError& error) {
    printReport(error);
    return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = tools::startConsoleTool(argc, argv);
  if (args.size() < 2 || args.size() > 3) {
    std::fprintf(stderr, "Aufruf: actdb-sql ORDNER ['SQL-TEXT']\n");
    return 2;
  }
  std::unique_ptr<dbengine::Database> database;
  try {
    dbengine::DBEngine engine;
    database = engine.OpenDatabase(args[1], false, true, "FoxPro 2.6;");
  } catch (const dbengine::EngineError& error) {
    printReport(error);
    return 1;
  }
  if (args.size() == 3) return run(*database, args[2]) ? 0 : 1;

  bool ok = true;
  for (std::string line; std::getline(std::cin, line);) {
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    ok = run(*database, line) && ok;
  }
  return ok ? 0 : 1;
}

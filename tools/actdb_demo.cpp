// actdb-demo FOLDER ROWS [BASENAME]: writes a deterministic ACT!-shaped demo
// database (contact table BASENAME.dbf and group table BASENAME.gdb, default
// base name KONTAKTE) into FOLDER.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "common/path_text.h"
#include "tools/console_tool.h"
#include "tools/demo_data/demo_contacts.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args = tools::startConsoleTool(argc, argv);
  if (args.size() < 3 || args.size() > 4) {
    std::fprintf(stderr, "Aufruf: actdb-demo ORDNER ZEILEN [BASISNAME]\n");
    return 2;
  }
  char* end = nullptr;
  const unsigned long rows = std::strtoul(args[2].c_str(), &end, 10);
  if (*end != '\0' || rows > 50'000'000ul) {
    std::fprintf(stderr, "actdb-demo: ungültige Zeilenzahl '%s'\n", args[2].c_str());
    return 2;
  }
  try {
    const demo_data::DemoSummary s = demo_data::writeDemoDatabase(
        common::pathFromUtf8(args[1]), static_cast<std::uint32_t>(rows),
        args.size() == 4 ? args[3] : "KONTAKTE");
    std::printf("%s: %u Kontakte (%u gelöscht), %s: %u Gruppen\n",
                common::utf8FromPath(s.contactTable).c_str(), s.liveContacts, s.deletedContacts,
                common::utf8FromPath(s.groupTable).c_str(), s.groups);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "actdb-demo: %s\n", error.what());
    return 1;
  }
  return 0;
}

// actdb-demo FOLDER ROWS [BASENAME]: writes a deterministic ACT!-shaped demo
// database (contact table BASENAME.dbf and group table BASENAME.gdb, default
// base name KONTAKTE) into FOLDER.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "tools/demo_data/demo_contacts.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "Aufruf: actdb-demo ORDNER ZEILEN [BASISNAME]\n");
    return 2;
  }
  char* end = nullptr;
  const unsigned long rows = std::strtoul(argv[2], &end, 10);
  if (*end != '\0' || rows > 50'000'000ul) {
    std::fprintf(stderr, "actdb-demo: ungültige Zeilenzahl '%s'\n", argv[2]);
    return 2;
  }
  try {
    const demo_data::DemoSummary s = demo_data::writeDemoDatabase(
        argv[1], static_cast<std::uint32_t>(rows), argc == 4 ? argv[3] : "KONTAKTE");
    std::printf("%s: %u Kontakte (%u gelöscht), %s: %u Gruppen\n", s.contactTable.c_str(),
                s.liveContacts, s.deletedContacts, s.groupTable.c_str(), s.groups);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "actdb-demo: %s\n", error.what());
    return 1;
  }
  return 0;
}

#pragma once
// A deterministic ACT!-shaped demo database: a contact table of the chosen
// size (UNIQUE_ID C12, COMPANY C40, NAME C40 and about sixty further fields,
// records of about 1,100 bytes, Windows-1252) with German names and companies
// (umlauts, some blank companies, some names in capitals, about 1 % deleted
// records), with unique contact IDs of the kind ACT! makes (punctuation,
// letters, blanks inside and in front, some shorter than 12 characters), and
// a group table whose ID_NR column is numbered K-1, K-2, ...
//
// The same row count always gives the same files, so tests and benchmarks
// can rely on the counts they measured once.

#include <cstdint>
#include <filesystem>
#include <string>

namespace demo_data {

struct DemoSummary {
  std::filesystem::path contactTable;  // <folder>/<baseName>.dbf
  std::filesystem::path groupTable;    // <folder>/<baseName>.gdb
  std::uint32_t liveContacts = 0;
  std::uint32_t deletedContacts = 0;
  std::uint32_t groups = 0;
};

// Writes both tables into `folder` (created when missing). Throws
// std::runtime_error when the files cannot be written.
DemoSummary writeDemoDatabase(const std::filesystem::path& folder, std::uint32_t rows,
                              const std::string& baseName = "KONTAKTE");

}  // namespace demo_data

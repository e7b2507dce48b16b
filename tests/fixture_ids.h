#pragma once
// The UNIQUE_IDs of the fixture table tests/data/sql/KONTAKTE.dbf by record
// number, 1 to 9 (its README.txt): records 1, 3, 4 and 7 of the kind ACT!
// makes (punctuation, blanks inside, record 3's in front, shorter than 12
// characters, beyond ASCII), the rest plain. Record 8 is deleted.

namespace test_support {

inline constexpr const char* kFixtureIds[] = {"",
                                              "*[A1]?#%\"Ü'x",
                                              "A00000000002",
                                              " 3 \"€\" [*]",
                                              "(4) '*' \\#",
                                              "A00000000005",
                                              "A00000000006",
                                              "[!7]*?#%'\"§",
                                              "A00000000008",
                                              "X1"};

}  // namespace test_support

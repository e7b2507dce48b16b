#include "tools/demo_data/demo_contacts.h"

#include <array>
#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "common/path_text.h"
#include "tools/demo_data/dbf_writer.h"

namespace demo_data {
namespace {

// splitmix64: small, fast and the same on every machine.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
  bool percent(unsigned p) { return below(10000) < p * 100; }
  bool permille(unsigned p) { return below(1000) < p; }
  template <std::size_t N>
  const char* pick(const std::array<const char*, N>& list) {
    return list[below(N)];
  }

 private:
  std::uint64_t state_;
};

constexpr std::array<const char*, 60> kLastNames = {
    "Müller",   "Schmidt",   "Schneider", "Fischer",    "Weber",  "Meyer",    "Wagner",  "Becker",
    "Schulz",   "Hoffmann",  "Schäfer",   "Koch",       "Bauer",  "Richter",  "Klein",   "Wolf",
    "Schröder", "Neumann",   "Schwarz",   "Zimmermann", "Braun",  "Krüger",   "Hofmann", "Hartmann",
    "Lange",    "Schmitt",   "Werner",    "Schmitz",    "Krause", "Meier",    "Lehmann", "Köhler",
    "Herrmann", "König",     "Walter",    "Mayer",      "Huber",  "Kaiser",   "Fuchs",   "Peters",
    "Möller",   "Weiß",      "Jäger",     "Günther",    "Böhm",   "Krämer",   "Groß",    "Kühn",
    "Dürr",     "Mühlbauer", "Hübner",    "Krümmüller", "Vögele", "Lührmann", "Fuß",     "Bürger",
    "O'Neil",   "Nußbaum",   "Öztürk",    "Ängström"};

constexpr std::array<const char*, 40> kFirstNames = {
    "Anna",   "Jürgen", "Björn",    "Sören",      "Jörg",   "Günter", "Käthe",   "Hans",
    "Peter",  "Klaus",  "Monika",   "Ursula",     "Renate", "Heinz",  "Dieter",  "Brigitte",
    "Gisela", "Helga",  "Wolfgang", "Uwe",        "Bärbel", "Thomas", "Michael", "Andreas",
    "Stefan", "Sabine", "Petra",    "Birgit",     "Frank",  "Jörn",   "Lena",    "Lukas",
    "Mia",    "Jonas",  "Leonie",   "Maximilian", "Zoë",    "Chloé",  "René",    "Ümit"};

constexpr std::array<const char*, 30> kCities = {
    "Berlin",        "Hamburg",    "München",      "Köln",      "Frankfurt am Main",
    "Stuttgart",     "Düsseldorf", "Leipzig",      "Dortmund",  "Essen",
    "Bremen",        "Dresden",    "Hannover",     "Nürnberg",  "Duisburg",
    "Bochum",        "Wuppertal",  "Bielefeld",    "Bonn",      "Münster",
    "Mannheim",      "Karlsruhe",  "Augsburg",     "Wiesbaden", "Mönchengladbach",
    "Gelsenkirchen", "Aachen",     "Braunschweig", "Kiel",      "Lübeck"};

constexpr std::array<const char*, 12> kCompanyForms = {
    "%s GmbH",      "%s & Söhne KG", "Bäckerei %s",     "%s AG",
    "Autohaus %s",  "Elektro %s",    "%s Maschinenbau", "Steuerbüro %s",
    "Gärtnerei %s", "%s & Partner",  "Schreinerei %s",  "Ingenieurbüro %s"};

constexpr std::array<const char*, 8> kStreets = {"Hauptstraße",   "Schulstraße", "Gartenweg",
                                                 "Bahnhofstraße", "Kirchplatz",  "Lindenallee",
                                                 "Mühlenweg",     "Am Süßbach"};

constexpr std::array<const char*, 6> kStatus = {"Kunde",   "Interessent", "Lieferant",
                                                "Partner", "Presse",      "Ehemalig"};

std::vector<FieldSpec> contactFields() {
  std::vector<FieldSpec> f = {
      {"UNIQUE_ID", 'C', 12},  {"COMPANY", 'C', 50},    {"NAME", 'C', 50},
      {"CONTACT", 'C', 40},    {"SALUTATION", 'C', 15}, {"FIRSTNAME", 'C', 20},
      {"LASTNAME", 'C', 25},   {"TITLE", 'C', 30},      {"DEPARTMENT", 'C', 30},
      {"ADDRESS1", 'C', 40},   {"ADDRESS2", 'C', 40},   {"CITY", 'C', 30},
      {"STATE", 'C', 20},      {"ZIP", 'C', 10},        {"COUNTRY", 'C', 20},
      {"PHONE", 'C', 25},      {"PHONE_EXT", 'C', 6},   {"FAX", 'C', 25},
      {"MOBILE", 'C', 25},     {"HOME_PHONE", 'C', 25}, {"EMAIL", 'C', 60},
      {"WEBSITE", 'C', 60},    {"ID_STATUS", 'C', 20},  {"REFERREDBY", 'C', 30},
      {"LASTRESULT", 'C', 40}, {"ASSISTANT", 'C', 30},  {"ASST_TITLE", 'C', 30},
      {"ASST_PHONE", 'C', 25}, {"SPOUSE", 'C', 20},     {"TICKER", 'C', 10},
      {"BIRTHDAY", 'D', 8},    {"CREATEDATE", 'D', 8},  {"EDITDATE", 'D', 8},
      {"LASTMEET", 'D', 8},    {"LASTREACH", 'D', 8},   {"LASTATTMPT", 'D', 8},
      {"LETTERDATE", 'D', 8},  {"REVENUE", 'N', 14, 2}, {"EMPLOYEES", 'N', 8},
      {"PUBLIC", 'L', 1},      {"RECORDMGR", 'C', 20},  {"CREATEDBY", 'C', 20},
      {"EDITEDBY", 'C', 20},
  };
  for (int i = 1; i <= 15; ++i) {
    f.push_back({"USER" + std::to_string(i), 'C', 8});
  }
  return f;
}

// IDs as ACT! makes them, as users who exported them describe them: 12
// characters of printable Windows-1252, punctuation and letters mixed
// (quotes, brackets, *, ?, #, %, blanks). The four characters after an
// optional leading blank spell the index, shuffled (times a number prime to
// 94^4, modulo 94^4) and in base 94, so every ID is unique (up to 94^4 rows)
// and neighbours look unalike; the rest is noise, with blanks inside. About
// 3 % begin with a blank and 5 % are shorter; none ends in a blank, which a
// table cannot keep. It takes five numbers from `rows`, as it always has, so
// the rest of a row stays as it was.
std::string uniqueId(std::uint32_t index, Random& rows) {
  std::uint64_t seed = 0;
  for (int i = 0; i < 5; ++i) seed = seed * 31 + rows.next();
  Random random(seed);
  static constexpr std::string_view kVisible =
      "!\"#$%&'()*+,-./"
      "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
  static constexpr std::array<const char*, 8> kBeyondAscii = {"§", "°", "Ä", "ö",
                                                              "ß", "€", "µ", "»"};
  static_assert(kVisible.size() == 94);
  std::string id = random.percent(3) ? " " : "";
  constexpr std::uint64_t kCodes = 94ull * 94 * 94 * 94;
  std::uint64_t code = index * 48271ull % kCodes;
  for (int i = 0; i < 4; ++i, code /= 94) id += kVisible[static_cast<std::size_t>(code % 94)];
  const std::size_t length = random.percent(5) ? 6 + random.below(6) : 12;
  for (std::size_t characters = id.size(); characters < length; ++characters) {
    const bool last = characters + 1 == length;
    if (!last && random.percent(8)) {
      id += ' ';
    } else if (random.percent(3)) {
      id += random.pick(kBeyondAscii);
    } else {
      id += kVisible[random.below(kVisible.size())];
    }
  }
  return id;
}

std::string format(const char* pattern, const std::string& value) {
  std::vector<char> out(256);
  std::snprintf(out.data(), out.size(), pattern, value.c_str());
  return out.data();
}

std::string date(Random& random, int firstYear, int years) {
  char text[9];
  std::snprintf(text, sizeof text, "%04d%02d%02d",
                firstYear + static_cast<int>(random.below(static_cast<std::size_t>(years))),
                1 + static_cast<int>(random.below(12)), 1 + static_cast<int>(random.below(28)));
  return text;
}

std::string upper(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 'a' && c <= 'z') {
      out += static_cast<char>(c - 32);
    } else if (c == 0xC3 && i + 1 < text.size()) {
      // Latin-1 small letters U+00E0..U+00FE (but not ß, ÷) in UTF-8: C3 A0..BE.
      unsigned char d = static_cast<unsigned char>(text[i + 1]);
      out += static_cast<char>(c);
      out += static_cast<char>(d >= 0xA0 && d <= 0xBE && d != 0xB7 ? d - 0x20 : d);
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

DemoSummary writeDemoDatabase(const std::filesystem::path& folder, std::uint32_t rows,
                              const std::string& baseName) {
  if (rows > 94ull * 94 * 94 * 94) throw std::runtime_error("too many rows for unique IDs");
  std::filesystem::create_directories(folder);
  DemoSummary summary;
  summary.contactTable = folder / common::pathFromUtf8(baseName + ".dbf");
  summary.groupTable = folder / common::pathFromUtf8(baseName + ".gdb");

  Random random(0x5EED0000u + rows);
  const std::vector<FieldSpec> fields = contactFields();
  DbfWriter contacts(summary.contactTable, fields, rows);
  std::vector<std::string> values(fields.size());
  for (std::uint32_t i = 0; i < rows; ++i) {
    const std::string last = random.pick(kLastNames);
    const std::string first = random.pick(kFirstNames);
    const std::string city = random.pick(kCities);
    std::string name = first + " " + last;
    if (random.percent(2)) name = upper(name);
    std::string company;
    if (!random.percent(6)) company = format(random.pick(kCompanyForms), random.pick(kLastNames));
    if (random.percent(1)) company = upper(company);

    std::size_t v = 0;
    values[v++] = uniqueId(i, random);
    values[v++] = company;
    values[v++] = name;
    values[v++] = name;
    values[v++] = random.percent(50) ? "Herr" : "Frau";
    values[v++] = first;
    values[v++] = last;
    values[v++] = random.percent(30) ? "Geschäftsführer" : "";
    values[v++] = random.percent(40) ? "Einkauf" : "Vertrieb";
    values[v++] = std::string(random.pick(kStreets)) + " " + std::to_string(1 + random.below(120));
    values[v++] = random.percent(10) ? "Hinterhaus" : "";
    values[v++] = city;
    values[v++] = "";
    values[v++] = std::to_string(10000 + random.below(89999));
    values[v++] = "Deutschland";
    values[v++] = "0" + std::to_string(30 + random.below(900)) + " " +
                  std::to_string(100000 + random.below(899999));
    values[v++] = random.percent(20) ? std::to_string(random.below(999)) : "";
    values[v++] = random.percent(50) ? "0" + std::to_string(30 + random.below(900)) + " 555" : "";
    values[v++] = "0170 " + std::to_string(1000000 + random.below(8999999));
    values[v++] = "";
    values[v++] = random.percent(80) ? "info@firma" + std::to_string(i) + ".example" : "";
    values[v++] = random.percent(50) ? "https://firma" + std::to_string(i) + ".example" : "";
    values[v++] = random.pick(kStatus);
    values[v++] = random.percent(10) ? "Messe Köln" : "";
    values[v++] = random.percent(30) ? "Angebot geschickt" : "";
    values[v++] = random.percent(10) ? std::string(random.pick(kFirstNames)) + " Groß" : "";
    values[v++] = "";
    values[v++] = "";
    values[v++] = random.percent(20) ? random.pick(kFirstNames) : "";
    values[v++] = "";
    values[v++] = random.percent(50) ? date(random, 1950, 50) : "";
    values[v++] = date(random, 1995, 5);
    values[v++] = date(random, 1998, 3);
    values[v++] = random.percent(40) ? date(random, 1998, 3) : "";
    values[v++] = random.percent(40) ? date(random, 1998, 3) : "";
    values[v++] = "";
    values[v++] = random.percent(20) ? date(random, 1998, 3) : "";
    values[v++] = random.percent(30) ? std::to_string(random.below(10000000)) + "." +
                                           std::to_string(10 + random.below(90))
                                     : "";
    values[v++] = random.percent(30) ? std::to_string(1 + random.below(5000)) : "";
    values[v++] = random.percent(50) ? "T" : "F";
    values[v++] = "Anna Vertrieb";
    values[v++] = "Anna Vertrieb";
    values[v++] = random.percent(30) ? "Jörg Innendienst" : "";
    while (v < values.size()) values[v++] = random.percent(5) ? "Notiz" : "";

    const bool deleted = random.permille(10);
    contacts.add(values, deleted);
    if (deleted) {
      ++summary.deletedContacts;
    } else {
      ++summary.liveContacts;
    }
  }
  contacts.finish();

  summary.groups = std::max<std::uint32_t>(10, rows / 50);
  DbfWriter groups(summary.groupTable,
                   {{"ID_NR", 'C', 10}, {"GROUPNAME", 'C', 40}, {"UNIQUE_ID", 'C', 12}},
                   summary.groups);
  for (std::uint32_t g = 1; g <= summary.groups; ++g) {
    groups.add({"K-" + std::to_string(g), std::string("Gruppe ") + random.pick(kCities),
                uniqueId(g, random)});
  }
  groups.finish();
  return summary;
}

}  // namespace demo_data

#pragma once
// One value of a row as the engine hands it out: Null, a text, a number, a
// logical, a date, a date-time or a currency amount. Text is UTF-8.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <variant>

namespace dbengine {

struct Date {
  int year = 0, month = 0, day = 0;
  friend bool operator==(const Date&, const Date&) = default;
  friend auto operator<=>(const Date&, const Date&) = default;
};

struct DateTime {
  Date date;
  std::int32_t millisecondsOfDay = 0;
  friend bool operator==(const DateTime&, const DateTime&) = default;
  friend auto operator<=>(const DateTime&, const DateTime&) = default;
};

// Currency: a fixed-point amount in units of 1/10000.
struct Currency {
  std::int64_t tenThousandths = 0;
  friend bool operator==(const Currency&, const Currency&) = default;
  friend auto operator<=>(const Currency&, const Currency&) = default;
};

struct Null {
  friend bool operator==(const Null&, const Null&) = default;
};

class Value {
 public:
  using Variant =
      std::variant<Null, std::string, double, std::int64_t, bool, Date, DateTime, Currency>;

  Value() = default;
  Value(Null) {}
  Value(std::string text) : v_(std::move(text)) {}
  Value(const char* text) : v_(std::string(text)) {}
  Value(double number) : v_(number) {}
  Value(std::int64_t integer) : v_(integer) {}
  Value(int integer) : v_(std::int64_t{integer}) {}
  Value(bool logical) : v_(logical) {}
  Value(Date date) : v_(date) {}
  Value(DateTime dateTime) : v_(dateTime) {}
  Value(Currency amount) : v_(amount) {}

  bool isNull() const { return std::holds_alternative<Null>(v_); }
  bool isText() const { return std::holds_alternative<std::string>(v_); }
  bool isNumber() const {
    return std::holds_alternative<double>(v_) || std::holds_alternative<std::int64_t>(v_) ||
           std::holds_alternative<Currency>(v_);
  }
  const Variant& variant() const { return v_; }

  // The text form, as a program converting the value to a string sees it:
  // texts unchanged, numbers in plain decimal form (no grouping, "." as the
  // decimal point), logicals "True"/"False", dates "DD.MM.YYYY",
  // Null the empty text.
  std::string toText() const;

  friend bool operator==(const Value&, const Value&) = default;
  // Readable test output (GoogleTest finds it): the kind and the text form.
  friend void PrintTo(const Value& value, std::ostream* out);

 private:
  Variant v_;
};

}  // namespace dbengine

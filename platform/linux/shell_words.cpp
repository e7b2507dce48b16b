#include "platform/linux/shell_words.h"

#include <cstdlib>
#include <optional>

namespace platform_linux {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isNameChar(char c) {
  return isNameStart(c) || (c >= '0' && c <= '9');
}

}  // namespace

std::vector<std::string> splitShellWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;  // a word has begun, possibly still empty ("")
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    char c = text[i];
    if (isBlank(c)) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      ++i;
    } else if (c == '\'') {
      inWord = true;
      std::size_t end = text.find('\'', i + 1);
      if (end == std::string_view::npos) end = n;
      word.append(text.substr(i + 1, end - i - 1));
      i = end + 1;
    } else if (c == '"') {
      inWord = true;
      ++i;
      while (i < n && text[i] != '"') {
        if (text[i] == '\\' && i + 1 < n) {
          char next = text[i + 1];
          if (next == '\n') {
            i += 2;
            continue;
          }
          if (next == '$' || next == '`' || next == '"' || next == '\\') {
            word += next;
            i += 2;
            continue;
          }
        }
        word += text[i];
        ++i;
      }
      ++i;  // the closing quote, or past the end
    } else if (c == '\\') {
      if (i + 1 < n) {
        if (text[i + 1] != '\n') {
          word += text[i + 1];
          inWord = true;
        }
        i += 2;
      } else {
        word += c;
        inWord = true;
        ++i;
      }
    } else {
      word += c;
      inWord = true;
      ++i;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

std::string expandEnvironment(std::string_view text, const EnvironmentLookup& lookup) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    char c = text[i];
    std::optional<std::string> name;
    std::size_t end = i;  // one past the whole reference
    if (c == '$' && i + 1 < n && text[i + 1] == '{') {
      std::size_t close = text.find('}', i + 2);
      if (close != std::string_view::npos && close > i + 2 && isNameStart(text[i + 2])) {
        std::string_view candidate = text.substr(i + 2, close - i - 2);
        bool valid = true;
        for (char ch : candidate) valid = valid && isNameChar(ch);
        if (valid) {
          name = std::string(candidate);
          end = close + 1;
        }
      }
    } else if (c == '$' && i + 1 < n && isNameStart(text[i + 1])) {
      end = i + 1;
      while (end < n && isNameChar(text[end])) ++end;
      name = std::string(text.substr(i + 1, end - i - 1));
    } else if (c == '%') {
      std::size_t close = text.find('%', i + 1);
      if (close != std::string_view::npos && close > i + 1) {
        std::string_view candidate = text.substr(i + 1, close - i - 1);
        bool valid = true;
        for (char ch : candidate) valid = valid && isNameChar(ch);
        if (valid) {
          name = std::string(candidate);
          end = close + 1;
        }
      }
    }
    const char* value = name ? lookup(*name) : nullptr;
    if (value != nullptr) {
      out += value;
      i = end;
    } else if (name) {
      out.append(text.substr(i, end - i));
      i = end;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

std::string expandEnvironment(std::string_view text) {
  return expandEnvironment(text, [](const std::string& name) { return std::getenv(name.c_str()); });
}

}  // namespace platform_linux

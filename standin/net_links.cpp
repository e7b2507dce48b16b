#include "standin/net_links.h"

#include <algorithm>
#include <fstream>

#include "common/cp1252.h"
#include "common/path_text.h"
#include "standin/user_store.h"

namespace standin {
namespace {

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool isWebFile(const std::filesystem::path& path) {
  std::string ending = common::utf8FromPath(path.extension());
  std::transform(ending.begin(), ending.end(), ending.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return ending == ".web";
}

}  // namespace

std::optional<WebLink> parseWebLink(std::string_view fileBytes) {
  const std::string_view line = fileBytes.substr(0, fileBytes.find_first_of("\r\n"));
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  WebLink link{common::cp1252ToUtf8(line.substr(1, close - 1)),
               common::cp1252ToUtf8(trimmed(line.substr(close + 1)))};
  if (link.address.empty()) return std::nullopt;
  return link;
}

std::vector<WebLink> readWebLinks(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (entry->is_regular_file(error) && isWebFile(entry->path())) files.push_back(entry->path());
  }
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
    return common::utf8FromPath(a.filename()) < common::utf8FromPath(b.filename());
  });
  std::vector<WebLink> links;
  for (const auto& path : files) {
    // A link file is one short line; anything larger is not one of ours.
    std::ifstream file(path, std::ios::binary);
    if (!file) continue;
    std::string bytes(4096, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    if (auto link = parseWebLink(bytes)) links.push_back(std::move(*link));
  }
  return links;
}

bool announceNetLinksFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder, error)) return false;
  std::filesystem::path full = std::filesystem::absolute(folder, error).lexically_normal();
  if (error) return false;
  std::string path = common::utf8FromPath(full.make_preferred());
  while (path.size() > 1 && (path.back() == '/' || path.back() == '\\') &&
         path[path.size() - 2] != ':') {
    path.pop_back();
  }
  return writeUserString(kActKey, kNetLinksValue, path);
}

}  // namespace standin

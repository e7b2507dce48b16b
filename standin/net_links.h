#pragma once
// ACT!'s web links as the stand-in keeps them: a folder of ".web" files, each
// one line "[Caption]address" in Windows-1252 ("&" in the caption marks the
// access key). The folder is announced in the registry, where add-ons look
// for it: HKEY_CURRENT_USER, "Software\Symantec\ACT!", "NetLinks File Type".

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct WebLink {
  std::string caption;  // between the brackets, "&" kept; UTF-8
  std::string address;  // behind the closing bracket, surrounding blanks removed
};

// The links of the folder's "*.web" files (ending matched in any letter
// case), in file-name order. Files whose first line is not "[caption]address"
// with a non-empty address are left out; a missing folder has no links.
std::vector<WebLink> readWebLinks(const std::filesystem::path& folder);

// The link of one file's text, or nullopt when it is not a link line.
std::optional<WebLink> parseWebLink(std::string_view fileBytes);

// Creates the folder when missing and records its absolute path (without a
// trailing separator) in the platform's registry (user_store.h). False when
// either fails.
bool announceNetLinksFolder(const std::filesystem::path& folder);

// Where ACT! records the folder.
inline constexpr char kActKey[] = "Software\\Symantec\\ACT!";
inline constexpr char kNetLinksValue[] = "NetLinks File Type";

}  // namespace standin

#pragma once
// ACT!'s web links as the stand-in keeps them: a folder of ".web" files, each
// one line "[Caption]address" in Windows-1252 ("&" in the caption marks the
// access key). The folder is announced in the registry, where add-ons look
// for it: HKEY_CURRENT_USER, "Software\Symantec\ACT!", "NetLinks File Type".

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct WebLink {
  QString caption;  // between the brackets, "&" kept
  QString address;  // behind the closing bracket, surrounding blanks removed
};

// ${XDG_DATA_HOME:-$HOME/.local/share}/act-standin/netlinks
QString defaultNetLinksFolder();

// The links of the folder's "*.web" files (ending matched in any letter
// case), in file-name order. Files whose first line is not "[caption]address"
// with a non-empty address are left out; a missing folder has no links.
std::vector<WebLink> readWebLinks(const QString& folder);

// The link of one file's text, or nullopt when it is not a link line.
std::optional<WebLink> parseWebLink(std::string_view fileBytes);

// Creates the folder when missing and records its absolute path (without a
// trailing separator) as REG_SZ in the registry file `userRegPath`. False
// when either fails.
bool announceNetLinksFolder(const QString& folder, const std::string& userRegPath);

}  // namespace standin

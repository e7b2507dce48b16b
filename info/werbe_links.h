#pragma once
// Places two web links into ACT!: the link files "0100morede.web" (the
// German add-on catalogue) and "0100morefe.web" (the German user forum) in
// the folder where ACT! keeps its web links. ACT! names that folder in the
// registry (HKEY_CURRENT_USER, "Software\Symantec\ACT!", value "NetLinks File
// Type").
//
// Each file is written only when no ordinary file of its path exists, so a
// user's edits survive and a deleted link comes back at the next start. A
// written file holds exactly one line in Windows-1252, ending in CR LF:
//     [ACT! Add-ons (&deutsch)]<catalogue address>
//     [ACT! deutsches &Forum]<forum address>
//
// Silent: the first failure (folder missing, no right to write, disk full, a
// folder or link of that name in the way) ends the work; the second link is
// then not tried, and a file written before stays. Nothing is shown, except
// the registry reader's own report of an unexpected failure inside it.
//
// The registry value is used as a folder and only as one, written into as
// the system resolves it (so "/home/u/act/../links" is a folder like any
// other); nothing is written when it is
//   - absent, empty or not a text,
//   - not an absolute path: a relative one names no place a user meant, it
//     would land wherever the program happens to run (on Windows "C:links"
//     and "\links", relative to the current folder or drive, are not
//     absolute either),
//   - the root of the file system or of a drive, as spelled ("/", "/x/..",
//     "C:\", "\\server\share") or, when it exists, where it leads (a link
//     to the root).
// The rule is the same on every platform, with that platform's path rules.
// The file names come from our own table alone. A file appearing between the
// existence test and the creation is never overwritten.

#include "common/message_boxes.h"
#include "platform/registry_backend.h"

namespace info {

void WerbeLinksAnlegen(platform::RegistryBackend& registry, common::MessageBoxes& boxes);

}  // namespace info

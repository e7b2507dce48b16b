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
// The registry value is used as a folder and only as one; nothing is written
// when it is
//   - absent, empty or not a text,
//   - not an absolute path (a relative one would land wherever the program
//     happens to run),
//   - a path with ".." components (ACT! writes plain full paths; a value that
//     climbs out of its folder is not trusted).
// The file names come from our own table alone. A file appearing between the
// existence test and the creation is never overwritten.

#include "common/message_boxes.h"
#include "platform/registry_backend.h"

namespace info {

void WerbeLinksAnlegen(platform::RegistryBackend& registry, common::MessageBoxes& boxes);

}  // namespace info

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include <string>

class QMainWindow;

// Says in `window`'s status bar that a file was written ("Page written:"
// followed by its full path) with a link that opens its folder, so a file
// that went into a folder the user never chose can still be found.
void ShowWrittenFile(QMainWindow& window, const QString& what, const std::string& path);
// The folder of `path` in the file manager; false when none could start.
bool OpenFolderOf(const std::string& path);

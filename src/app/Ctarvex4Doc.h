// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// The document carries no data: the form holds everything. Opening one only
// checks that the file can be read, and reads nothing.
class Ctarvex4Doc {
public:
    bool OnNewDocument() { return true; }
    bool OnOpenDocument(const std::string& path);
};

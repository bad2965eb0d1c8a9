// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

class SqlDatabase;

namespace wordbooks {

// Opens the words database of a fill, sampling or wordbook command. A path
// where no file exists is a failure (CppSQLite3Exception), not a new empty
// database: an empty words6.db in the data folder would stop the delivered
// one from ever being copied there.
void OpenWordsDatabase(SqlDatabase& db, const std::string& path);

// Draw from a range: r = rand() reduced to 0..m by repeated subtraction
// (0 only when rand() gave 0). m must be at least 1.
int DrawFromRange(int m);

}  // namespace wordbooks

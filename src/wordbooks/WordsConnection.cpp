// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordbooks/WordsConnection.h"

#include "db/CppSQLite3Exception.h"
#include "db/SqlDatabase.h"
#include "support/Random.h"

#include <filesystem>

namespace wordbooks {

namespace {
constexpr int kCantOpen = 14;  // SQLITE_CANTOPEN
}

void OpenWordsDatabase(SqlDatabase& db, const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        const std::string detail = "unable to open database file " + path;
        throw CppSQLite3Exception(kCantOpen, detail.c_str());
    }
    db.Open(path);
}

int DrawFromRange(int m) {
    const int r = rng::Next();
    // The same as `while (r > m) r -= m;`, without the loop.
    return r <= m ? r : (r - 1) % m + 1;
}

}  // namespace wordbooks

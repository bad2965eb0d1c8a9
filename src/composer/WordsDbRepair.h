// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

class UserInterface;

// What the user is told and offered when words6.db is broken, in the window
// and on the command line.

inline constexpr const char* kWordsDbCaption = "Words database";

// What is wrong with the words database of `dataFolder`, in one sentence
// naming the file; empty when the database is in order.
std::string WordsDbProblem(const std::string& dataFolder);

// At start: when the words database is broken, says what is wrong and asks
// whether to put the delivered copy in place (the broken file is kept beside
// it). Returns true when the database is usable afterwards.
bool OfferWordsDbRestore(const std::string& dataFolder, const std::string& installedFolder, UserInterface& ui);

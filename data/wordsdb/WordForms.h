// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

// Candidate inflections by the regular English spelling rules. Where a rule
// is ambiguous (doubling a final consonant, keeping a silent e) every variant
// is returned; a word list decides which ones are real words.
namespace wordforms {

std::vector<std::string> Plurals(const std::string& noun);
std::vector<std::string> Pasts(const std::string& verb);
std::vector<std::string> IngForms(const std::string& verb);
std::vector<std::string> ThirdPersons(const std::string& verb);
std::vector<std::string> LyAdverbs(const std::string& adjective);

}  // namespace wordforms

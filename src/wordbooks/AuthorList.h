// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string_view>

// The classic authors and texts offered by the authors dialog, in dialog
// order. Each entry is also the AUNAME of its row in authornames, matched
// character for character, so the words database is built from this list.
namespace wordbooks {

constexpr std::string_view kSelectAuthor = "Select Author";
constexpr std::string_view kSelectWordbook = "Select Wordbook";

constexpr std::size_t kAuthorCount = 49;

const std::array<std::string_view, kAuthorCount>& AuthorList();

}  // namespace wordbooks

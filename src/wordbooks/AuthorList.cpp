// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordbooks/AuthorList.h"

namespace wordbooks {

const std::array<std::string_view, kAuthorCount>& AuthorList() {
    static constexpr std::array<std::string_view, kAuthorCount> kAuthors = {
        "Shakespeare, William", "Milton, John",
        "Chaucer, Geoffrey",    "Spenser, Edmund",
        "Dryden, John",         "Pope, Alexander",
        "Swift, Jonathan",      "Addison, Joseph",
        "Bacon, Francis",       "Locke, John",
        "Jonson, Ben",          "Beaumont and Fletcher",
        "Chapman, George",      "Sidney, Philip",
        "Hooker, Richard",      "Taylor, Jeremy",
        "Fuller, Thomas",       "South, Robert",
        "Tillotson, John",      "Atterbury, Francis",
        "Evelyn, John",         "Clarendon, Edward Hyde",
        "Prior, Matthew",       "Arbuthnot, John",
        "Watts, Isaac",         "Goldsmith, Oliver",
        "Burke, Edmund",        "Cowper, William",
        "Wordsworth, William",  "Coleridge, Samuel Taylor",
        "Scott, Walter",        "Byron, George Gordon",
        "De Quincey, Thomas",   "Macaulay, Thomas Babington",
        "Irving, Washington",   "Prescott, William Hickling",
        "Hawthorne, Nathaniel", "Longfellow, Henry Wadsworth",
        "Tennyson, Alfred",     "Thackeray, William Makepeace",
        "Bierce, Ambrose",      "The Book of Genesis",
        "The Book of Job",      "The Psalms",
        "The Proverbs",         "Ecclesiastes",
        "The Book of Isaiah",   "The Revelation of St. John",
        "cooking recipes",
    };
    return kAuthors;
}

}  // namespace wordbooks

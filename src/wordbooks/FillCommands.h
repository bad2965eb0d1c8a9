// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>

class RichEditControl;
class SqlDatabase;
class UserInterface;
struct MainFormState;
struct TrackState;

// The "fill" and "authors" commands of the main form and of a track window:
// random words from the word class tables, samples of a classic author's
// texts, and entries of a custom wordbook, poured into the window's text.
namespace wordbooks {

// What a command works on: the window's own connection, path, text, undo
// text and user interface (which also shows the window's wait box).
struct FillTarget {
    SqlDatabase& db;
    std::string databasePath;
    RichEditControl& text;
    std::string& undoText;
    UserInterface& ui;
    // Track windows show "Brisko database error" for the first failing
    // look-up of a command; the main form goes on silently unless the file
    // is damaged.
    bool reportLookupFailures = false;
};

// The command's connection `db` is the caller's: the state holds none.
FillTarget MainFormTarget(MainFormState& form, SqlDatabase& db, UserInterface& ui);
// A track window has its own connection.
FillTarget TrackTarget(TrackState& track, SqlDatabase& db, UserInterface& ui);

struct FillOutcome {
    bool replaced = false;  // the text was replaced by `text`
    std::string text;       // the result text as built (before rendering)
    int failedLookups = 0;  // look-ups that failed and gave an empty text
    bool found = true;      // the author or wordbook was there
    std::string failure;    // the message shown when the command could not run
};

// Constants of the draws.
inline constexpr int kFillWords = 150;
inline constexpr int kAuthorSamples = 150;
inline constexpr int kWordbookDraws = 300;
inline constexpr int kLastTokenIndex = 10;

// Fill: 150 words from the nine word class tables in turn.
FillOutcome FillRandomWords(FillTarget& target);
// 150 random samples of the author's texts, runs of spaces made single.
FillOutcome SampleAuthorText(FillTarget& target, const std::string& authorName);
// 300 draws of entries of the wordbook: a one-word entry whole, else one of
// its first eleven words. A wordbook chosen in the list is looked up by its
// catalogue record (`bookId`), as names may repeat; by name when it is 0.
FillOutcome SampleWordbook(FillTarget& target, const std::string& bookName, long bookId = 0);

// The authors dialog, as a port: runs modally on the database; nothing when
// cancelled.
struct AuthorChoice {
    std::string authorName;
    std::string bookName;
    long bookId = 0;  // the chosen wordbook's catalogue record
};
class AuthorChooser {
public:
    virtual ~AuthorChooser() = default;
    virtual std::optional<AuthorChoice> ChooseAuthorOrWordbook(const std::string& databasePath) = 0;
};

// The "authors" button: the dialog, then the author or the wordbook sampling.
FillOutcome FillAuthorOrWordbook(FillTarget& target, AuthorChooser& chooser);

// First column of the first row of `statement`; empty when there is no row
// or the query fails (a failure is counted in `outcome`, and shown when the
// target reports look-ups).
std::string LookupText(FillTarget& target, const std::string& statement, FillOutcome& outcome);

// Copies `text` leaving out every space directly followed by another.
std::string CollapseSpaces(const std::string& text);

// Messages of the commands that cannot run (caption "db error").
std::string NoSamplesMessage(const std::string& authorName);
std::string NoWordbookMessage(const std::string& bookName);
std::string EmptyWordbookMessage(const std::string& bookName);
// The start of the message for a wordbook whose table cannot be read; the
// database's own report follows.
std::string UnreadableWordbookMessage(const std::string& bookName, const std::string& tableName);

}  // namespace wordbooks

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordbooks/FillCommands.h"

#include "db/CppSQLite3Exception.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"
#include "form/MainFormState.h"
#include "form/TrackState.h"
#include "richtext/RichTextOps.h"
#include "support/UserInterface.h"
#include "wordbooks/AuthorList.h"
#include "wordbooks/WordsConnection.h"

#include <cstdlib>
#include <vector>

namespace wordbooks {

namespace {

// Closes the target's connection however the command ends.
class ConnectionScope {
public:
    explicit ConnectionScope(SqlDatabase& db) : m_db(db) {}
    ~ConnectionScope() { m_db.Close(); }
    ConnectionScope(const ConnectionScope&) = delete;
    ConnectionScope& operator=(const ConnectionScope&) = delete;

private:
    SqlDatabase& m_db;
};

// Shows `text` with the caption of every database message and keeps it as
// the outcome's failure.
void Fail(FillTarget& target, FillOutcome& outcome, const std::string& text) {
    outcome.failure = text;
    target.ui.ShowMessage(text, wordsdb::kErrorCaption);
}

// A broken file would fail every look-up: one message for the whole
// command, naming the file and how to restore it.
bool Open(FillTarget& target, FillOutcome& outcome) {
    try {
        OpenWordsDatabase(target.db, target.databasePath);
    } catch (const CppSQLite3Exception& e) {
        Fail(target, outcome, wordsdb::ExplainedFailure(e));
        return false;
    }
    const std::string damage = wordsdb::DamageReport(target.databasePath);
    if (damage.empty()) return true;
    target.db.Close();
    Fail(target, outcome, std::string(wordsdb::kFixedErrorText) + "\n" + damage);
    return false;
}

void Show(FillTarget& target, FillOutcome& outcome, const std::string& text) {
    LoadMarkup(target.text, text);
    outcome.text = text;
    outcome.replaced = true;
}

// The entry's tokens at single spaces, counted from 0; two adjacent spaces
// give an empty token.
std::vector<std::string> SplitAtSpaces(const std::string& entry) {
    std::vector<std::string> tokens;
    std::size_t start = 0;
    for (;;) {
        const std::size_t space = entry.find(' ', start);
        tokens.push_back(entry.substr(start, space == std::string::npos ? std::string::npos : space - start));
        if (space == std::string::npos) return tokens;
        start = space + 1;
    }
}

}  // namespace

FillTarget MainFormTarget(MainFormState& form, SqlDatabase& db, UserInterface& ui) {
    return FillTarget{db, form.DatabasePath(), *form.m_mainText, form.m_undoText, ui, false};
}

FillTarget TrackTarget(TrackState& track, SqlDatabase& db, UserInterface& ui) {
    return FillTarget{db, track.m_trackDatabasePath, *track.m_trackText, track.m_trackUndoText, ui, true};
}

std::string LookupText(FillTarget& target, const std::string& statement, FillOutcome& outcome) {
    try {
        SqlQuery query = target.db.Query(statement);
        if (query.IsEof() || query.FieldCount() < 1) return {};
        const char* text = query.FieldText(0);
        return text ? text : "";
    } catch (const CppSQLite3Exception& e) {
        // The first failure of a command is shown, never one box per look-up;
        // a damaged file is worth telling the main form too.
        ++outcome.failedLookups;
        const bool damaged = wordsdb::IsDamageCode(e.Code());
        if (outcome.failedLookups == 1 && (target.reportLookupFailures || damaged)) {
            const std::string text = wordsdb::ExplainedFailure(wordsdb::kFixedErrorText, target.databasePath, e.Code());
            target.ui.ShowMessage(text, wordsdb::kErrorCaption);
        }
        return {};
    }
}

std::string CollapseSpaces(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') continue;
        out += text[i];
    }
    return out;
}

std::string NoSamplesMessage(const std::string& authorName) {
    return "The texts of \"" + authorName + "\" hold no samples.";
}

std::string NoWordbookMessage(const std::string& bookName) {
    return "There is no wordbook named \"" + bookName + "\".";
}

std::string EmptyWordbookMessage(const std::string& bookName) {
    return "The wordbook \"" + bookName + "\" holds no entries.";
}

std::string UnreadableWordbookMessage(const std::string& bookName, const std::string& tableName) {
    return "The table \"" + tableName + "\" of the wordbook \"" + bookName + "\" cannot be read: ";
}

FillOutcome FillRandomWords(FillTarget& target) {
    FillOutcome outcome;
    if (!Open(target, outcome)) return outcome;
    ConnectionScope scope(target.db);
    target.ui.ShowWaitMessage();
    target.undoText = target.text.StreamRtfOut();
    const auto& tables = wordsdb::WordCategories();
    std::string result;
    std::size_t table = 0;
    for (int i = 0; i < kFillWords; ++i) {
        const int id = DrawFromRange(tables[table].rowCount);
        result += LookupText(target, wordsdb::SelectWordById(tables[table].table, id), outcome);
        result += ' ';
        table = (table + 1) % tables.size();
    }
    target.ui.HideWaitMessage();
    target.text.ScrollToFirstLine();
    Show(target, outcome, result);
    return outcome;
}

FillOutcome SampleAuthorText(FillTarget& target, const std::string& authorName) {
    FillOutcome outcome;
    if (!Open(target, outcome)) return outcome;
    ConnectionScope scope(target.db);
    target.ui.ShowWaitMessage();
    try {
        SqlQuery range = target.db.Query(wordsdb::SelectAuthorRange(authorName));
        outcome.found = !range.IsEof();
        if (outcome.found) {
            const char* startText = range.FieldText(0);
            const char* endText = range.FieldText(1);
            const long start = std::atol(startText ? startText : "");
            const long span = std::atol(endText ? endText : "") - start;
            range.Finalize();
            // A span of 0 or less would never end the draw below.
            if (span <= 0) {
                target.ui.HideWaitMessage();
                Fail(target, outcome, NoSamplesMessage(authorName));
                return outcome;
            }
            // rand() never exceeds 32767, so a larger span draws as 32767 does.
            const int drawMax = static_cast<int>(span > 32767 ? 32767 : span);
            std::string result;
            for (int i = 0; i < kAuthorSamples; ++i) {
                const long id = start + DrawFromRange(drawMax);
                result += LookupText(target, wordsdb::SelectAuthorText(id), outcome);
                result += ' ';
            }
            Show(target, outcome, CollapseSpaces(result));
        }
    } catch (const CppSQLite3Exception& e) {
        target.ui.HideWaitMessage();
        Fail(target, outcome, wordsdb::ExplainedFailure(wordsdb::kFixedErrorText, target.databasePath, e.Code()));
        return outcome;
    }
    target.ui.HideWaitMessage();
    target.text.ScrollToFirstLine();
    return outcome;
}

FillOutcome SampleWordbook(FillTarget& target, const std::string& bookName, long bookId) {
    FillOutcome outcome;
    if (!Open(target, outcome)) return outcome;
    ConnectionScope scope(target.db);
    std::string table;
    int maxId = 0;
    try {
        SqlQuery book = target.db.Query(bookId > 0 ? wordsdb::SelectTableNameOfBookId(bookId)
                                                   : wordsdb::SelectTableNameOfBook(bookName));
        if (book.IsEof()) {
            outcome.found = false;
            Fail(target, outcome, NoWordbookMessage(bookName));
            return outcome;
        }
        const char* name = book.FieldText(0);
        table = name ? name : "";
        book.Finalize();
        SqlQuery max = target.db.Query(wordsdb::SelectMaxId(table));
        maxId = max.IsEof() ? 0 : max.FieldInt(0, 0);
    } catch (const CppSQLite3Exception& e) {
        Fail(target, outcome, UnreadableWordbookMessage(bookName, table) + e.Message());
        return outcome;
    }
    // An empty wordbook would never end the draw below.
    if (maxId <= 0) {
        Fail(target, outcome, EmptyWordbookMessage(bookName));
        return outcome;
    }
    std::string result;
    for (int i = 0; i < kWordbookDraws; ++i) {
        const int id = DrawFromRange(maxId);
        const std::string entry = LookupText(target, wordsdb::SelectWordById(table, id), outcome);
        const auto k = static_cast<std::size_t>(DrawFromRange(kLastTokenIndex));
        if (entry.find(' ') == std::string::npos) {
            result += ' ';
            result += entry;
            continue;
        }
        const std::vector<std::string> tokens = SplitAtSpaces(entry);
        if (k < tokens.size()) {
            result += ' ';
            result += tokens[k];
        }
    }
    target.db.Close();
    Show(target, outcome, result);
    return outcome;
}

FillOutcome FillAuthorOrWordbook(FillTarget& target, AuthorChooser& chooser) {
    std::string authorName;
    std::string bookName;
    long bookId = 0;
    if (std::optional<AuthorChoice> choice = chooser.ChooseAuthorOrWordbook(target.databasePath)) {
        authorName = choice->authorName;
        bookName = choice->bookName;
        bookId = choice->bookId;
    }
    if (authorName.find(kSelectAuthor) == std::string::npos) {
        if (authorName.size() > 1) return SampleAuthorText(target, authorName);
    } else if (!bookName.empty() && bookName.find(kSelectWordbook) == std::string::npos) {
        return SampleWordbook(target, bookName, bookId);
    }
    FillOutcome nothing;
    nothing.found = false;
    return nothing;
}

}  // namespace wordbooks

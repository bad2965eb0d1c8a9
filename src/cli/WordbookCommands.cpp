// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 wordbook ...: the wordbook commands of the authors dialog and the
// wordbook sampling, without the window.
#include "cli/CliRegistry.h"
#include "cli/WordsCommandSupport.h"
#include "db/CppSQLite3Exception.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "form/MainFormState.h"
#include "support/ConsoleUserInterface.h"
#include "wordbooks/FillCommands.h"
#include "wordbooks/WordbookCatalogue.h"
#include "wordbooks/WordbookLoader.h"
#include "wordbooks/WordsConnection.h"

#include <nlohmann/json.hpp>

#include <unistd.h>

#include <csignal>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>

namespace {

struct WordbookOptions {
    std::optional<std::uint32_t> seed;
    std::string data;
    std::string file;
    bool excludeShort = false;
    std::string name;
    std::string newName;
    bool json = false;
};

// Ended by Ctrl+C, as a shell reports a program stopped by SIGINT.
[[noreturn]] void Interrupted() { throw CLI::RuntimeError(128 + SIGINT); }

std::string DatabaseOf(const WordbookOptions& options, const std::string& verb) {
    return wordsdb::DatabasePath(cli::WordsDataFolder(options.data, "wordbook " + verb));
}

// Ctrl+C during a load acts as STOP: what was stored stays.
std::atomic<std::atomic<bool>*> g_stopFlag{nullptr};

extern "C" void StopOnInterrupt(int) {
    if (std::atomic<bool>* flag = g_stopFlag.load()) flag->store(true);
}

class InterruptAsStop {
public:
    explicit InterruptAsStop(std::atomic<bool>& flag) {
        g_stopFlag = &flag;
        struct sigaction action {};
        action.sa_handler = StopOnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previous);
    }
    ~InterruptAsStop() {
        sigaction(SIGINT, &m_previous, nullptr);
        g_stopFlag = nullptr;
    }
    InterruptAsStop(const InterruptAsStop&) = delete;
    InterruptAsStop& operator=(const InterruptAsStop&) = delete;

private:
    struct sigaction m_previous {};
};

// The file chooser answers with the command's FILE.
class FileAnsweringInterface : public ConsoleUserInterface {
public:
    FileAnsweringInterface(std::ostream& err, std::string path) : ConsoleUserInterface(err), m_path(std::move(path)) {}
    std::optional<FileChoice> ChooseOpenFile(const std::string&, const std::string&) override {
        return FileChoice{m_path, std::filesystem::path(m_path).filename().string()};
    }

private:
    std::string m_path;
};

// The bookname dialog answers with NEW; the loader runs here, with a
// progress line when stderr is a terminal.
class CommandLineDialogs : public wordbooks::WordbookDialogs {
public:
    CommandLineDialogs(UserInterface& ui, std::string newName, bool excludeShort)
            : m_ui(ui), m_newName(std::move(newName)), m_excludeShort(excludeShort) {}

    std::optional<std::string> AskNewBookName() override { return m_newName; }

    wordbooks::LoadResult RunLoader(const wordbooks::LoaderSetup& setup) override {
        auto request = std::make_unique<wordbooks::LoadRequest>();
        request->m_filePath = setup.filePath;
        request->m_tableName = setup.tableName;
        request->m_databasePath = setup.databasePath;
        request->m_bookName = setup.bookName;
        request->m_excludeShort = m_excludeShort;
        wordbooks::WordbookLoad load;
        InterruptAsStop interrupt(request->m_stop);
        try {
            load.Start(std::move(request), [this] {
                std::lock_guard lock(m_mutex);
                m_finished = true;
                m_done.notify_all();
            });
        } catch (const CppSQLite3Exception& e) {
            m_ui.ShowMessage(e.Message(), wordsdb::kErrorCaption);
            return {};
        }
        WaitShowingProgress(*load.Request());
        load.Wait();
        const wordbooks::LoadRequest& done = *load.Request();
        m_stopped = done.m_stop.load();
        return {true, done.m_entriesStored.load(), m_stopped, done.m_fileOpened.load(), done.m_failure};
    }

    bool Stopped() const { return m_stopped; }

private:
    void WaitShowingProgress(const wordbooks::LoadRequest& request) {
        const bool terminal = isatty(STDERR_FILENO) == 1;
        std::unique_lock lock(m_mutex);
        while (!m_done.wait_for(lock, std::chrono::milliseconds(200), [this] { return m_finished; })) {
            if (!terminal) continue;
            const std::int64_t size = request.m_fileSize.load();
            const std::int64_t percent = size > 0 ? request.m_bytesRead.load() * 100 / size : 0;
            std::cerr << "\rloading: " << percent << "%, " << request.m_entriesStored.load() << " entries stored"
                      << std::flush;
        }
        if (terminal) std::cerr << "\r\033[K" << std::flush;
    }

    UserInterface& m_ui;
    std::string m_newName;
    bool m_excludeShort;
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    bool m_stopped = false;
};

void RunList(const WordbookOptions& options) {
    const std::string path = DatabaseOf(options, "list");
    SqlDatabase db;
    nlohmann::ordered_json books = nlohmann::ordered_json::array();
    try {
        wordbooks::OpenWordsDatabase(db, path);
        for (SqlQuery rows = db.Query(wordsdb::SelectBookNamesAndTables()); !rows.IsEof(); rows.NextRow()) {
            const std::string book = rows.FieldText(0) ? rows.FieldText(0) : "";
            const std::string table = rows.FieldText(1) ? rows.FieldText(1) : "";
            long count = 0;
            try {
                SqlQuery counted = db.Query(wordsdb::CountWords(table));
                count = counted.IsEof() ? 0 : counted.FieldInt(0, 0);
            } catch (const CppSQLite3Exception&) {
                std::cerr << "tarvex4 wordbook list: the table of \"" << book << "\" is missing\n";
            }
            if (options.json)
                books.push_back({{"name", book}, {"table", table}, {"entries", count}});
            else
                std::cout << book << '\t' << table << '\t' << count << '\n';
        }
    } catch (const CppSQLite3Exception& e) {
        std::cerr << "tarvex4 wordbook list: " << e.Message() << '\n';
        cli::Failed();
    }
    if (options.json) std::cout << books.dump(2) << '\n';
}

void RunCreate(const WordbookOptions& options) {
    // Only a regular file is opened: a named pipe or a device would block
    // the load (and Ctrl+C) for good.
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(options.file, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        std::cerr << "tarvex4 wordbook create: not a regular file: " << options.file << '\n';
        cli::Failed();
    }
    if (!std::filesystem::exists(status) || !std::ifstream(options.file)) {
        std::cerr << "tarvex4 wordbook create: cannot open " << options.file << '\n';
        cli::Failed();
    }
    FileAnsweringInterface ui(std::cerr, options.file);
    CommandLineDialogs dialogs(ui, "", options.excludeShort);
    wordbooks::AuthorsDialogState state;
    state.m_databasePath = DatabaseOf(options, "create");
    const std::optional<wordbooks::CreatedWordbook> created = wordbooks::CreateWordbook(state, ui, dialogs);
    if (dialogs.Stopped()) {
        const long kept = created ? created->load.stored : 0;
        if (created) std::cout << created->bookName << '\t' << created->tableName << '\t' << kept << std::endl;
        std::cerr << "tarvex4 wordbook create: interrupted; " << kept << (kept == 1 ? " entry" : " entries")
                  << " kept\n";
        Interrupted();
    }
    if (!created) {
        if (ui.MessageCount() == 0)
            std::cerr << "tarvex4 wordbook create: the file name needs more than 4 characters (name.txt)\n";
        cli::Failed();
    }
    std::cout << created->bookName << '\t' << created->tableName << '\t' << created->load.stored << std::endl;
    if (ui.MessageCount() > 0) cli::Failed();
}

void RunSample(const WordbookOptions& options) {
    ConsoleUserInterface ui(std::cerr);
    MainFormState state;
    state.m_dataFolder = cli::WordsDataFolder(options.data, "wordbook sample");
    SqlDatabase db;
    wordbooks::FillTarget target = wordbooks::MainFormTarget(state, db, ui);
    cli::SeedGenerator(options.seed);
    // Names may repeat: BOOK is looked up as the other commands do, and a
    // catalogue that cannot be read is left to the sampling to report.
    std::ostringstream quiet;
    ConsoleUserInterface lookupUi(quiet);
    wordbooks::AuthorsDialogState books;
    books.m_databasePath = wordsdb::DatabasePath(state.m_dataFolder);
    wordbooks::FillWordbookList(books, lookupUi, false);
    const int entry = wordbooks::FindWordbookEntry(books, options.name);
    if (entry < 0) {
        std::cerr << "tarvex4 wordbook sample: several wordbooks are named \"" << options.name
                  << "\"; name the one you mean by its table (see tarvex4 wordbook list)\n";
        cli::Failed();
    }
    const auto index = static_cast<std::size_t>(entry);
    const wordbooks::FillOutcome outcome =
        entry > 0 ? wordbooks::SampleWordbook(target, books.m_wordbookList[index], books.m_wordbookIds[index])
                  : wordbooks::SampleWordbook(target, options.name);
    if (!outcome.failure.empty() || !outcome.replaced) cli::Failed();
    if (!cli::PrintResult(outcome.text)) cli::Failed();
    if (outcome.failedLookups > 0) {
        std::cerr << "tarvex4 wordbook sample: " << outcome.failedLookups << " look-ups failed\n";
        cli::Failed();
    }
}

// The list as the dialog shows it, with the entry named `name` selected.
wordbooks::AuthorsDialogState SelectedState(const WordbookOptions& options, const std::string& verb,
                                            ConsoleUserInterface& ui) {
    wordbooks::AuthorsDialogState state;
    state.m_databasePath = DatabaseOf(options, verb);
    wordbooks::FillWordbookList(state, ui, false);
    state.m_wordbookSelection = wordbooks::FindWordbookEntry(state, options.name);
    if (state.m_wordbookSelection < 0) {
        std::cerr << "tarvex4 wordbook " << verb << ": several wordbooks are named \"" << options.name
                  << "\"; name the one you mean by its table (see tarvex4 wordbook list)\n";
        cli::Failed();
    }
    // The dialog's own words say only that nothing is selected; say what was asked for.
    if (state.m_wordbookSelection == 0 && ui.MessageCount() == 0)
        std::cerr << "tarvex4 wordbook " << verb << ": there is no wordbook named \"" << options.name
                  << "\" (see tarvex4 wordbook list)\n";
    return state;
}

void RunRename(const WordbookOptions& options) {
    ConsoleUserInterface ui(std::cerr);
    wordbooks::AuthorsDialogState state = SelectedState(options, "rename", ui);
    CommandLineDialogs dialogs(ui, options.newName, false);
    const bool renamed = wordbooks::RenameWordbook(state, ui, dialogs);
    if (!renamed || ui.MessageCount() > 0) cli::Failed();
    std::cout << wordbooks::SanitisedNewName(options.newName) << '\n';
}

void RunDelete(const WordbookOptions& options) {
    ConsoleUserInterface ui(std::cerr);
    wordbooks::AuthorsDialogState state = SelectedState(options, "delete", ui);
    const bool deleted = wordbooks::DeleteWordbook(state, ui);
    if (!deleted || ui.MessageCount() > 0) cli::Failed();
}

void AddData(CLI::App* command, WordbookOptions& options) {
    command->add_option("--data", options.data, "Data folder DIR holding words6.db (default: the user's data folder)");
}

const cli::CliRegistration wordbookCommands{
    "wordbook", [](CLI::App& root) {
        auto o = std::make_shared<WordbookOptions>();
        CLI::App* wordbook =
            root.add_subcommand("wordbook", "Custom wordbooks: list, create from a text file, sample, rename, delete.");
        wordbook->require_subcommand(1);

        CLI::App* list = wordbook->add_subcommand("list", "One line per wordbook: BOOKNAME, TABLENAME, entries (tabs)");
        AddData(list, *o);
        list->add_flag("--json", o->json, "Print a JSON array of objects with name, table and entries");
        list->callback([o] { RunList(*o); });

        CLI::App* create = wordbook->add_subcommand(
            "create",
            "Make a wordbook of a text file (named after the file, e.g. notes.txt -> notes) and load its\n"
            "lines; prints BOOKNAME, TABLENAME and the entries stored (tabs). A one-word line is one\n"
            "entry; running text is stored ten words to an entry, the rest of a line as a shorter one.\n"
            "A file that gives no entry makes no wordbook (exit 1). Only regular files are read.\n"
            "Ctrl+C stops the load, keeps what was stored and exits 130.");
        create->add_option("FILE", o->file, "The text file (*.txt)")->required();
        create->add_flag("--exclude-short", o->excludeShort, "Exclude words < 4 characters long");
        AddData(create, *o);
        create->callback([o] { RunCreate(*o); });

        CLI::App* sample = wordbook->add_subcommand(
            "sample", "Draw 300 times from wordbook BOOK, as the authors dialog does, and print the text");
        sample->add_option("BOOK", o->name, "The wordbook's name (BOOKNAME; its table when names repeat)")->required();
        sample->add_option("--seed", o->seed, "Seed the random generator with N (default: the time)");
        AddData(sample, *o);
        sample->callback([o] { RunSample(*o); });

        CLI::App* rename = wordbook->add_subcommand(
            "rename",
            "Give wordbook OLD the name NEW (\" | & ! ? % $ @ ( ) # ` : ; become -); prints the name stored.\n"
            "NEW may not be empty, hold tabs or line breaks, be another wordbook's name or contain\n"
            "nonsensewords or velnarphrases.");
        rename->add_option("OLD", o->name, "The wordbook's name now (or its table, when names repeat)")->required();
        rename->add_option("NEW", o->newName, "Its new name")->required();
        AddData(rename, *o);
        rename->callback([o] { RunRename(*o); });

        CLI::App* remove = wordbook->add_subcommand("delete", "Delete wordbook NAME and its table");
        remove->add_option("NAME", o->name, "The wordbook's name (or its table, when names repeat)")->required();
        AddData(remove, *o);
        remove->callback([o] { RunDelete(*o); });
    }};

}  // namespace

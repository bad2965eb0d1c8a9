// SPDX-License-Identifier: GPL-3.0-or-later
// Builds words6.db from the WordNet files, word lists, public-domain texts and
// the drawn picture library. Usage:
//   tarvex4_build_wordsdb out=<file> wordnet=<folder> wordlists=<a:b> gcide=<dict.dz>
//                         devil=<dict.dz> bible=<command> pictures=<manifest>
#include "AuthorSamples.h"
#include "DeliveredWordbooks.h"
#include "ImageLibrary.h"
#include "WordNet.h"
#include "WordTables.h"
#include "db/CppSQLite3Exception.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

std::map<std::string, std::string> ParseArguments(int argc, char** argv) {
    std::map<std::string, std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto eq = a.find('=');
        if (eq == std::string::npos) throw std::runtime_error("argument without '=': " + a);
        args[a.substr(0, eq)] = a.substr(eq + 1);
    }
    for (const char* key : {"out", "wordnet", "wordlists", "gcide", "devil", "bible", "pictures"})
        if (!args.count(key)) throw std::runtime_error(std::string("missing argument ") + key + "=");
    return args;
}

std::vector<std::string> SplitColons(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ':');)
        if (!part.empty()) parts.push_back(part);
    return parts;
}

void WriteWordTables(SqlDatabase& db, const std::vector<wordtables::Table>& tables) {
    for (const auto& table : tables)
        for (const std::string& word : table.words) db.Execute(wordsdb::InsertWord(table.name, word));
}

void WriteAuthors(SqlDatabase& db, const std::vector<authorsamples::Author>& authors) {
    long id = 0;
    for (const auto& author : authors) {
        const long start = id;
        for (const std::string& sample : author.samples)
            db.Execute("INSERT INTO authortext (ID,TEXTSAMPLE) VALUES(" + std::to_string(++id) + "," +
                       wordsdb::Literal(sample) + ")");
        db.Execute("INSERT INTO authornames (AUNAME,STARTID,ENDID) VALUES(" + wordsdb::Literal(author.name) + "," +
                   std::to_string(start) + "," + std::to_string(id) + ")");
    }
}

void WriteWordbooks(SqlDatabase& db, const std::vector<deliveredbooks::Wordbook>& books) {
    for (const auto& book : books) {
        db.Execute(wordsdb::InsertWordbook(book.bookName, book.tableName));
        db.Execute(wordsdb::CreateWordTable(book.tableName));
        for (const std::string& entry : book.entries) db.Execute(wordsdb::InsertWord(book.tableName, entry));
    }
}

void Build(const std::map<std::string, std::string>& args) {
    std::fprintf(stderr, "words database: reading WordNet\n");
    const wordnet::Database wn(args.at("wordnet"));
    const auto wordList = wordtables::ReadWordLists(SplitColons(args.at("wordlists")));
    const auto tables = wordtables::Build(wn, wordList);
    std::fprintf(stderr, "words database: author samples\n");
    const auto authors = authorsamples::Build({args.at("gcide"), args.at("devil"), args.at("bible")}, wn);
    const auto books = deliveredbooks::Build(tables, wordList);
    const auto pictures = imagelibrary::ReadManifest(args.at("pictures"));

    const std::string out = args.at("out");
    const std::string partial = out + ".partial";
    std::filesystem::remove(partial);
    SqlDatabase db;
    db.Open(partial);
    db.Execute("PRAGMA journal_mode=OFF");
    db.Execute("BEGIN");
    for (const auto& table : wordsdb::DeliveredTables()) db.Execute(table.createStatement);
    WriteWordTables(db, tables);
    WriteAuthors(db, authors);
    WriteWordbooks(db, books);
    imagelibrary::Write(db, pictures);
    db.Execute(wordsdb::InsertOutputFolder(""));
    db.Execute("COMMIT");
    db.Close();
    std::filesystem::rename(partial, out);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Build(ParseArguments(argc, argv));
        return 0;
    } catch (const CppSQLite3Exception& e) {
        std::fprintf(stderr, "words database: %s\n", e.Message());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "words database: %s\n", e.what());
    }
    return 1;
}

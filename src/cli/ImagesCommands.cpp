// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 images: the image library's import and source selection without
// the window, with the same code as the two dialogs.
#include "cli/CliRegistry.h"
#include "cli/WordsCommandSupport.h"
#include "db/CppSQLite3Exception.h"
#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"
#include "images/ImageImport.h"
#include "images/ImageSources.h"
#include "support/ConsoleUserInterface.h"
#include "support/PictureFormat.h"
#include "db/DataFolder.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <set>

namespace {

struct ImagesOptions {
    std::string data;
    // import
    std::string folder;
    std::string category;
    std::string newCategory;
    bool reduce = false;
    // select
    std::string list;
    bool none = false;
    bool json = false;
};

[[noreturn]] void Fail(const std::string& command, const std::string& message) {
    std::cerr << "tarvex4 images " << command << ": " << message << '\n';
    throw CLI::RuntimeError(1);
}

// Opening a missing file would make an empty database there: say so instead.
std::string DatabasePath(const ImagesOptions& o, const std::string& command) {
    return wordsdb::DatabasePath(cli::WordsDataFolder(o.data, "images " + command));
}

// The list prints names between tabs, one a line: a name holding either
// would read as other columns or rows.
void CheckNewName(const std::string& name) {
    if (name.find_first_not_of(" \t") == std::string::npos)
        throw CLI::ValidationError("--new-category", "give the new category a name");
    if (name.find_first_of("\t\r\n") != std::string::npos)
        throw CLI::ValidationError("--new-category", "a category name holds no tab or line break");
}

void RunImport(const ImagesOptions& o, const CLI::Option* categoryOption, const CLI::Option* newCategoryOption) {
    if (categoryOption->count() == 0 && newCategoryOption->count() == 0) {
        throw CLI::RequiredError("--category or --new-category");
    }
    if (newCategoryOption->count() > 0) CheckNewName(o.newCategory);
    ConsoleUserInterface ui(std::cerr);
    ImageImporter importer(DatabasePath(o, "import"), o.folder);
    importer.SetReduceLarge(o.reduce);
    importer.SetRefuseEmptyFolder(true);
    CategoryChoice choice;
    choice.newCategory = newCategoryOption->count() > 0;
    choice.selected = o.category;
    choice.typed = o.newCategory;
    // Listed as the dialog's list would show them, so the duplicate rule
    // sees the same names.
    const std::vector<std::string> listed = importer.LoadCategoryNames(ui);
    if (ui.MessageCount() != 0) throw CLI::RuntimeError(1);
    if (!choice.newCategory && std::find(listed.begin(), listed.end(), o.category) == listed.end())
        Fail("import", "there is no image category \"" + o.category + "\" (tarvex4 images list shows them)");
    const ImportReport report = importer.Import(choice, listed, ui);
    if (!report.ran) throw CLI::RuntimeError(1);
    std::cout << report.ResultMessage("Add --reduce to store smaller copies of them.") << std::endl;
    if (!report.Complete()) throw CLI::RuntimeError(1);
}

void RunList(const ImagesOptions& o) {
    ConsoleUserInterface ui(std::cerr);
    const std::string path = DatabasePath(o, "list");
    const std::vector<ImageCategoryRow> rows = LoadImageCategoryRows(path, ui);
    if (ui.MessageCount() != 0) throw CLI::RuntimeError(1);
    std::map<long, long> pictures;
    try {
        for (const CategoryPictureCount& count : CountPicturesByCategory(path)) pictures[count.id] = count.pictures;
    } catch (const CppSQLite3Exception& e) {
        Fail("list", wordsdb::ExplainedFailure(e));
    }
    if (o.json) {
        nlohmann::ordered_json table = nlohmann::ordered_json::array();
        for (const ImageCategoryRow& row : rows)
            table.push_back(
                {{"id", row.id}, {"name", row.name}, {"pictures", pictures[row.id]}, {"selected", row.ticked}});
        std::cout << table.dump(2) << std::endl;
        return;
    }
    for (const ImageCategoryRow& row : rows) {
        std::cout << row.id << '\t' << row.name << '\t' << pictures[row.id] << '\t' << (row.ticked ? "selected" : "-")
                  << '\n';
    }
    std::cout.flush();
}

// Each entry an ID or a category's name as the list shows it; a name that
// is also another category's ID means that ID.
std::set<long> RequestedIds(const std::string& list, const std::vector<ImageCategoryRow>& rows) {
    std::set<long> ids;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        const std::string item = list.substr(start, end - start);
        if (item.empty()) throw CLI::ValidationError("LIST", "an empty entry in '" + list + "'");
        const std::set<long> one = ParseSelectionList(item);
        const auto named =
            std::find_if(rows.begin(), rows.end(), [&](const ImageCategoryRow& row) { return row.name == item; });
        if (one.size() == 1)
            ids.insert(*one.begin());
        else if (named != rows.end())
            ids.insert(named->id);
        else
            Fail("select", "'" + item + "' is no category's ID or name (tarvex4 images list shows them)");
        start = end + 1;
    }
    return ids;
}

void RunSelect(const ImagesOptions& o) {
    if (o.none == !o.list.empty())
        throw CLI::ValidationError("LIST", "give a list of category IDs or names, or --none");
    ConsoleUserInterface ui(std::cerr);
    const std::string path = DatabasePath(o, "select");
    std::vector<ImageCategoryRow> rows = LoadImageCategoryRows(path, ui);
    if (ui.MessageCount() != 0) throw CLI::RuntimeError(1);
    const std::set<long> wanted = o.none ? std::set<long>{} : RequestedIds(o.list, rows);
    std::set<long> missing = wanted;
    for (ImageCategoryRow& row : rows) {
        row.ticked = wanted.count(row.id) != 0;
        missing.erase(row.id);
    }
    if (!missing.empty()) Fail("select", "no image category has the ID " + std::to_string(*missing.begin()));
    if (!SaveImageSelection(path, rows, ui)) throw CLI::RuntimeError(1);
}

void AddDataOption(CLI::App* command, ImagesOptions& o) {
    command->add_option("--data", o.data, "Data folder DIR (default: the user's data folder)");
}

const cli::CliRegistration registration{"images", [](CLI::App& root) {
    auto o = std::make_shared<ImagesOptions>();
    CLI::App* images = root.add_subcommand("images",
                                           "The image library: import pictures (GIF, PNG, JPEG, "
                                           "WebP), choose the categories that feed collages.");
    images->require_subcommand(1);

    CLI::App* import = images->add_subcommand(
        "import",
        std::string("Store the pictures of FOLDER in the image library under an existing or a new category, and\n"
                    "print the result. A picture is a GIF, PNG, JPEG or WebP file, known by its content whatever\n"
                    "its name, and every regular file whose name holds \".gif\" or ends in .png, .jpg, .jpeg or\n"
                    ".webp. Each is stored with its own bytes (animations stay animated) and the size its header\n"
                    "gives (a JPEG turned by its EXIF orientation), up to 372000 bytes; larger ones are skipped,\n"
                    "or with --reduce stored as a reduced copy. A file that is no picture, is cut off, or declares\n"
                    "more than " +
                    std::to_string(kMaxPicturePixels / 1'000'000) +
                    " megapixels is refused and named on stderr; the others are stored, exit status 1.\n"
                    "Pictures of other kinds (HEIC, AVIF, TIFF, BMP, SVG, ICO, JPEG XL, PSD...), known by their\n"
                    "content, are not taken: each is named on stderr with its kind and the result counts them.\n"
                    "A new name that an existing one begins with, or a folder that cannot be read, is refused:\n"
                    "nothing is made or stored, exit status 1."));
    import->add_option("FOLDER", o->folder, "Folder to import pictures from")->required();
    auto* category = import->add_option("--category", o->category, "Add the pictures to this existing category");
    auto* newCategory = import->add_option(
        "--new-category", o->newCategory, "Create this category for the pictures (no existing name may begin with it)");
    category->excludes(newCategory);
    import->add_flag("--reduce", o->reduce,
                     "Reduce large pictures: store a picture over 372000 bytes as a copy whose longest side is\n"
                     "at most 1600 pixels, JPEG (PNG when it has transparency), made smaller until it fits;\n"
                     "the file itself is not touched");
    AddDataOption(import, *o);
    import->callback([o, category, newCategory] { RunImport(*o, category, newCategory); });

CLI::App* list = images->add_subcommand(
    "list", "One line per image category: ID, name, number of pictures, \"selected\" or \"-\" (tab-separated).");
AddDataOption(list, *o);
list->add_flag("--json", o->json, "Print a JSON array of objects with id, name, pictures and selected");
list->callback([o] { RunList(*o); });

CLI::App* select = images->add_subcommand(
    "select", "Save which categories feed collages: LIST of category IDs or names such as 2,cats, or --none.");
select->add_option("LIST", o->list, "Comma-separated category IDs or names");
select->add_flag("--none", o->none, "Select no category");
AddDataOption(select, *o);
select->callback([o] { RunSelect(*o); });
}
}
;

}  // namespace

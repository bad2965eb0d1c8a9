// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

class UserInterface;
struct FolderEntry;

// Copies the pictures of one folder (GIF, PNG, JPEG and WebP, known by their
// content, and every file whose name holds ".gif") into the image library of
// the words database, under a category the user picks or creates. The
// import dialog and `tarvex4 images import` both run it.
namespace imageimport_text {
constexpr const char* kFolderTitle = "Custom GIF Images Folder:";
constexpr const char* kEmptyCategory = "Enter text for new image category.";
constexpr const char* kEmptyCategoryCaption = "Empty Category";
constexpr const char* kDuplicateCategory = "Category name is not unique.";
constexpr const char* kDuplicateCategoryCaption = "Duplicate Category";
constexpr const char* kResultCaption = "Image Import Result";
constexpr const char* kNoCategory = "Choose an image category from the list, or type in a new one.";
constexpr const char* kNoCategoryCaption = "No Category";
constexpr const char* kUnreadableCaption = "Image Import";
}  // namespace imageimport_text

// Larger files are not stored (exactly this many bytes still are).
constexpr long kMaxImportBytes = 372000;

// Which category the import goes to, as the dialog's controls say it.
struct CategoryChoice {
    bool newCategory = false;  // "Type in a new image category:" is checked
    std::string selected;      // the category list's text
    std::string typed;         // the new category's name
};

struct ImportReport {
    bool ran = false;  // false: stopped before storing (nothing stored)
    std::string categoryName;
    std::string categoryId;
    bool categoryCreated = false;
    std::string folder;
    int found = 0;                        // pictures by content, and names holding ".gif" or a picture extension
    int stored = 0;                       // reduced ones too
    int reduced = 0;                      // over kMaxImportBytes, stored as a reduced copy
    int tooLarge = 0;                     // over kMaxImportBytes, not stored
    int refused = 0;                      // not a sound picture (named in `unreadable`)
    int notFiles = 0;                     // pipes, devices and the like: skipped unread
    int failed = 0;                       // unreadable, or refused by the database
    int notTaken = 0;                     // pictures of other kinds (HEIC, TIFF, SVG...), named in `unreadable`
    std::vector<std::string> unreadable;  // "name: reason", also for notFiles
    std::vector<std::string> tooLargeNames;
    bool otherKinds = false;  // a picture stored that is no GIF

    // "N GIFS stored to category: NAME" ("N pictures" once other kinds are
    // stored), then a line for each kind of file that was not stored; the
    // files skipped for their size are named, then `reduceHint` follows.
    // Pictures of kinds the library does not take are counted but leave
    // the import complete: they were never the import's to store.
    std::string ResultMessage(const std::string& reduceHint = "") const;
    bool Complete() const { return failed == 0 && refused == 0; }
};

// Called after each file: files done of files found.
using ImportProgress = std::function<void(int done, int found)>;

// The user's home folder (the folder an import starts from).
std::string DefaultImportFolder();

// The import as one object per dialog: it keeps its own folder for its life.
class ImageImporter {
public:
    explicit ImageImporter(std::string databasePath, std::string importFolder = DefaultImportFolder());

    const std::string& ImportFolder() const { return m_importFolder; }
    void SetImportFolder(std::string folder) { m_importFolder = std::move(folder); }
    const std::string& DatabasePath() const { return m_databasePath; }
    // "Reduce large pictures": a picture over kMaxImportBytes is stored as a
    // smaller copy (longest side at most 1600 pixels) instead of skipped.
    void SetReduceLarge(bool reduce) { m_reduceLarge = reduce; }
    bool ReduceLarge() const { return m_reduceLarge; }
    // A folder with no picture is refused ("no pictures in FOLDER") before
    // a category is made, instead of giving "0 GIFS stored".
    void SetRefuseEmptyFolder(bool refuse) { m_refuseEmptyFolder = refuse; }

    // The category names in row order. A database failure is shown ("db
    // error") and the names read until then are returned.
    std::vector<std::string> LoadCategoryNames(UserInterface& ui) const;

    // The folder button: asks for a folder starting at the current one and
    // keeps a confirmed choice. Returns the folder to show.
    const std::string& ChooseFolder(UserInterface& ui);

    // The import button. `listed` is the category list the user saw; the
    // messages on the way go to `ui`, the result message is returned in the
    // report for the caller to show (ShowImportResult). A new name that a
    // listed name begins with, a folder that cannot be read or a category
    // that cannot be made or found stop it before anything is made or stored.
    ImportReport Import(const CategoryChoice& choice, const std::vector<std::string>& listed, UserInterface& ui,
                        const ImportProgress& progress = {}) const;

private:
    // The category's name, or "" when the import must stop.
    std::string ResolveCategoryName(const CategoryChoice& choice, const std::vector<std::string>& listed,
                                    UserInterface& ui, bool& create) const;
    bool CreateCategory(const std::string& name, UserInterface& ui) const;
    std::string LookUpCategoryId(const std::string& name, UserInterface& ui) const;
    void StoreFiles(const std::vector<FolderEntry>& files, ImportReport& report, UserInterface& ui,
                    const ImportProgress& progress) const;

    std::string m_databasePath;
    std::string m_importFolder;
    bool m_reduceLarge = false;
    bool m_refuseEmptyFolder = false;
};

// Shows the result message with its caption "Image Import Result".
void ShowImportResult(UserInterface& ui, const ImportReport& report);

// True when `listed` holds an entry that begins with `name`, ignoring the
// case of ASCII letters (the list box's search from the first entry).
bool ListHoldsPrefix(const std::vector<std::string>& listed, const std::string& name);

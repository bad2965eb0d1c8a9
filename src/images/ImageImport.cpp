#include "images/ImageImport.h"

#include "db/BlobCodec.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"
#include "images/GifHeader.h"
#include "images/ImportTransaction.h"
#include "support/FolderListing.h"
#include "support/UserInterface.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using namespace imageimport_text;

enum class ReadOutcome { Read, TooLarge, Failed };

// A file's bytes and their stored text, in buffers kept for the whole
// import: one allocation instead of a few per file.
class PictureBuffers {
public:
    PictureBuffers()
        : m_bytes(std::make_unique<unsigned char[]>(kCapacity)),
          m_text(std::make_unique<unsigned char[]>(blobcodec::EncodedCapacity(kCapacity))) {}

    // Reads at most one byte more than may be stored, so a large file costs
    // little and a file that grows meanwhile is judged by what was read.
    ReadOutcome Read(const std::string& path, std::string& reason) {
        errno = 0;
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) {
            reason = std::strerror(errno);
            return ReadOutcome::Failed;
        }
        m_count = std::fread(m_bytes.get(), 1, kCapacity, file);
        const bool failed = std::ferror(file) != 0;
        const int code = errno;
        std::fclose(file);
        if (failed) {
            reason = code != 0 ? std::strerror(code) : "read error";
            return ReadOutcome::Failed;
        }
        return m_count > static_cast<std::size_t>(kMaxImportBytes) ? ReadOutcome::TooLarge : ReadOutcome::Read;
    }

    std::string InsertStatement(const std::string& categoryId, const std::string& fileName) {
        const PictureSize size = ReadGifSize(m_bytes.get(), m_count);
        blobcodec::Encode(m_bytes.get(), m_count, m_text.get());
        return wordsdb::InsertImage(categoryId, fileName, std::to_string(size.width), std::to_string(size.height),
                                    reinterpret_cast<const char*>(m_text.get()));
    }

private:
    static constexpr std::size_t kCapacity = static_cast<std::size_t>(kMaxImportBytes) + 1;
    std::unique_ptr<unsigned char[]> m_bytes;
    std::unique_ptr<unsigned char[]> m_text;
    std::size_t m_count = 0;
};

// The files of the folder that the import takes: names holding ".gif".
// Sub-folders are not files, whatever their names say.
std::vector<FolderEntry> GifFiles(const std::string& folder, bool& readable) {
    std::vector<FolderEntry> files;
    for (FolderEntry& entry : FindEntries(folder + "/*.*", &readable)) {
        if (!entry.isFolder && HasGifInName(entry.name)) files.push_back(std::move(entry));
    }
    return files;
}

// Storing a file takes and frees the same hundred kilobytes or so (the
// statement, SQLite's copies of it); with the allocator's default it hands
// them back to the system and faults them in again for every file, which
// costs more than the rest of the import. Keep a little slack instead.
void KeepHeapSlack() {
#ifdef __GLIBC__
    static const bool done = mallopt(M_TOP_PAD, 1 << 20) == 1;
    (void)done;
#endif
}

void ShowDatabaseError(UserInterface& ui, const CppSQLite3Exception& e) {
    ui.ShowMessage(wordsdb::ExplainedFailure(e), wordsdb::kErrorCaption);
}

// One message for every file that could not be read, so a folder of
// unreadable files does not mean a box per file.
void ShowUnreadable(UserInterface& ui, const ImportReport& report) {
    if (report.unreadable.empty()) return;
    constexpr std::size_t kShown = 20;
    std::string text = "These files could not be read:";
    for (std::size_t i = 0; i < report.unreadable.size() && i < kShown; ++i) text += "\n" + report.unreadable[i];
    if (report.unreadable.size() > kShown) {
        text += "\n... and " + std::to_string(report.unreadable.size() - kShown) + " more";
    }
    ui.ShowMessage(text, kUnreadableCaption);
}

}  // namespace

std::string ImportReport::ResultMessage() const {
    std::string text = std::to_string(stored) + " GIFS stored to category: " + categoryName;
    if (tooLarge > 0) {
        text += '\n';
        text += std::to_string(tooLarge) + " GIFS over " + std::to_string(kMaxImportBytes) +
                " bytes were skipped for their size.";
    }
    if (failed > 0) {
        text += '\n';
        text += std::to_string(failed) + " GIFS could not be stored.";
    }
    if (!folderRead) text += "\nThe folder " + folder + " could not be read.";
    return text;
}

std::string DefaultImportFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr && *home != '\0' ? home : "/";
}

bool ListHoldsPrefix(const std::vector<std::string>& listed, const std::string& name) {
    const std::string lowerName = LowerCaseName(name);
    for (const std::string& entry : listed) {
        if (LowerCaseName(entry).compare(0, lowerName.size(), lowerName) == 0) return true;
    }
    return false;
}

void ShowImportResult(UserInterface& ui, const ImportReport& report) {
    if (report.ran) ui.ShowMessage(report.ResultMessage(), kResultCaption);
}

ImageImporter::ImageImporter(std::string databasePath, std::string importFolder)
    : m_databasePath(std::move(databasePath)), m_importFolder(std::move(importFolder)) {}

std::vector<std::string> ImageImporter::LoadCategoryNames(UserInterface& ui) const {
    std::vector<std::string> names;
    try {
        SqlDatabase db;
        db.Open(m_databasePath);
        for (SqlQuery query = db.Query(wordsdb::SelectCategories()); !query.IsEof(); query.NextRow()) {
            const char* name = query.FieldText(0);
            names.emplace_back(name != nullptr ? name : "");
        }
    } catch (const CppSQLite3Exception& e) {
        ShowDatabaseError(ui, e);
    }
    return names;
}

const std::string& ImageImporter::ChooseFolder(UserInterface& ui) {
    // Only a confirmed folder replaces the current one (a folder without a
    // file-system path, -1, counts as not confirmed).
    const FolderChoice choice = ui.ChooseFolder(kFolderTitle, m_importFolder);
    if (choice.result == 1 && !choice.path.empty()) m_importFolder = choice.path;
    return m_importFolder;
}

std::string ImageImporter::ResolveCategoryName(const CategoryChoice& choice, const std::vector<std::string>& listed,
                                               UserInterface& ui, bool& created) const {
    if (!choice.newCategory) {
        for (const std::string& entry : listed) {
            if (entry == choice.selected) return entry;
        }
        // An empty list, or text typed into the list's edit field.
        ui.ShowMessage(kNoCategory, kNoCategoryCaption);
        return {};
    }
    if (choice.typed.empty()) {
        ui.ShowMessage(kEmptyCategory, kEmptyCategoryCaption);
        return {};
    }
    if (ListHoldsPrefix(listed, choice.typed)) {
        // The images go on to the category of exactly this name, if any.
        ui.ShowMessage(kDuplicateCategory, kDuplicateCategoryCaption);
    } else {
        created = CreateCategory(choice.typed, ui);
    }
    return choice.typed;
}

bool ImageImporter::CreateCategory(const std::string& name, UserInterface& ui) const {
    try {
        SqlDatabase db;
        db.Open(m_databasePath);
        db.Execute(wordsdb::InsertCategory(name));
        return true;
    } catch (const CppSQLite3Exception& e) {
        ShowDatabaseError(ui, e);
        return false;
    }
}

std::string ImageImporter::LookUpCategoryId(const std::string& name, UserInterface& ui) const {
    try {
        SqlDatabase db;
        db.Open(m_databasePath);
        SqlQuery query = db.Query(wordsdb::SelectCategoryId(name));
        if (!query.IsEof() && query.FieldText(0) != nullptr) return query.FieldText(0);
    } catch (const CppSQLite3Exception& e) {
        ShowDatabaseError(ui, e);
    }
    return "1";
}

ImportReport ImageImporter::Import(const CategoryChoice& choice, const std::vector<std::string>& listed,
                                   UserInterface& ui, const ImportProgress& progress) const {
    ImportReport report;
    report.categoryName = ResolveCategoryName(choice, listed, ui, report.categoryCreated);
    if (report.categoryName.empty()) return report;
    report.ran = true;
    report.categoryId = LookUpCategoryId(report.categoryName, ui);
    report.folder = m_importFolder;
    StoreFolder(report, ui, progress);
    ShowUnreadable(ui, report);
    return report;
}

void ImageImporter::StoreFolder(ImportReport& report, UserInterface& ui, const ImportProgress& progress) const {
    const std::vector<FolderEntry> files = GifFiles(m_importFolder, report.folderRead);
    report.found = static_cast<int>(files.size());
    if (progress) progress(0, report.found);
    if (files.empty()) return;

    SqlDatabase db;
    try {
        db.Open(m_databasePath);
    } catch (const CppSQLite3Exception& e) {
        ShowDatabaseError(ui, e);
        report.failed = report.found;
        return;
    }
    KeepHeapSlack();
    bool errorShown = false;
    {
        PictureBuffers buffers;
        std::string reason;
        // After a failure that undid a transaction, its rows are read again.
        ImportTransaction transaction(db, [&](std::size_t row) {
            const FolderEntry& file = files[row];
            if (buffers.Read(file.fullPath, reason) != ReadOutcome::Read) return std::string();
            return buffers.InsertStatement(report.categoryId, LowerCaseName(file.name));
        });
        for (std::size_t row = 0; row < files.size(); ++row) {
            const FolderEntry& file = files[row];
            switch (buffers.Read(file.fullPath, reason)) {
                case ReadOutcome::TooLarge:
                    ++report.tooLarge;
                    break;
                case ReadOutcome::Failed:
                    ++report.failed;
                    report.unreadable.push_back(file.name + ": " + reason);
                    break;
                case ReadOutcome::Read:
                    try {
                        transaction.Add(buffers.InsertStatement(report.categoryId, LowerCaseName(file.name)), row);
                        ++report.stored;
                    } catch (const CppSQLite3Exception& e) {
                        ++report.failed;
                        if (!errorShown) ShowDatabaseError(ui, e);
                        errorShown = true;
                    }
                    break;
            }
            if (progress) progress(static_cast<int>(row) + 1, report.found);
        }
        try {
            transaction.Commit();
        } catch (const CppSQLite3Exception& e) {
            if (!errorShown) ShowDatabaseError(ui, e);
        }
        report.stored -= transaction.Lost();
        report.failed += transaction.Lost();
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/ImageImport.h"

#include "db/BlobCodec.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"
#include "images/GifHeader.h"
#include "images/ImportTransaction.h"
#include "images/UntakenPictureKinds.h"
#include "modules/pictures/PictureReducer.h"
#include "support/FolderListing.h"
#include "support/PictureFormat.h"
#include "support/PictureNames.h"
#include "support/UserInterface.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using namespace imageimport_text;

enum class ReadOutcome { Read, Reduced, TooLarge, NotAFile, Refused, Failed };

constexpr const char* kNotAFile = "not a regular file, skipped";
// A picture to reduce is read whole; beyond this it is refused, which keeps
// the memory of an import bounded.
constexpr off_t kMaxReduceBytes = 128L * 1024 * 1024;

// Reads what `fd` holds, at most `size` bytes, into `into`; the count read,
// or -1 with `reason` on a read error. (Read, not mapped: a file cut while
// mapped would end the program at the first page beyond its new end.)
long long ReadUpTo(int fd, unsigned char* into, std::size_t size, std::string& reason) {
    std::size_t count = 0;
    while (count < size) {
        const ssize_t got = ::read(fd, into + count, size - count);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            reason = std::strerror(errno);
            return -1;
        }
        count += static_cast<std::size_t>(got);
    }
    return static_cast<long long>(count);
}

// A file's bytes and their stored text, in buffers kept for the whole
// import: one allocation instead of a few per file.
class PictureBuffers {
public:
    explicit PictureBuffers(bool reduceLarge)
            : m_bytes(std::make_unique<unsigned char[]>(kCapacity)),
              m_text(std::make_unique<unsigned char[]>(blobcodec::EncodedCapacity(kCapacity))),
              m_reduceLarge(reduceLarge) {}

    // Reads at most one byte more than may be stored, so a large file costs
    // little and a file that grows meanwhile is judged by what was read.
    // Only regular files are read: opening a named pipe would wait for a
    // writer, and a device could give bytes for ever. A file over the limit
    // is read whole only to be reduced.
    ReadOutcome Read(const std::string& path, std::string& reason) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            reason = std::strerror(errno);
            return ReadOutcome::Failed;
        }
        const ReadOutcome outcome = ReadOpen(fd, reason);
        ::close(fd);
        return outcome;
    }

    // The name the picture is stored under: a reduced copy takes the
    // extension of its new kind ("big.png" stored as JPEG is "big.jpg").
    std::string StoredName(const std::string& lowerName, ReadOutcome outcome) const {
        return outcome == ReadOutcome::Reduced ? NameForPictureKind(lowerName, m_kind) : lowerName;
    }

    PictureKind Kind() const { return m_kind; }

    std::size_t Encode() {
        m_textLength = blobcodec::Encode(m_bytes.get(), m_count, m_text.get());
        return m_textLength;
    }

    // Binds the values of the last file read and encoded, and stores them.
    void Store(SqlStatement& insert, const std::string& categoryId, const std::string& fileName) const {
        insert.BindTextInPlace(1, categoryId);
        insert.BindTextInPlace(2, fileName);
        insert.BindText(3, std::to_string(m_width));
        insert.BindText(4, std::to_string(m_height));
        insert.BindTextInPlace(5, std::string_view(reinterpret_cast<const char*>(m_text.get()), m_textLength));
        insert.Execute();
    }

private:
    ReadOutcome ReadOpen(int fd, std::string& reason) {
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            reason = std::strerror(errno);
            return ReadOutcome::Failed;
        }
        if (!S_ISREG(info.st_mode)) {
            reason = kNotAFile;
            return ReadOutcome::NotAFile;
        }
        if (info.st_size > kMaxImportBytes) return ReadLarge(fd, info.st_size, reason);
        const long long got = ReadUpTo(fd, m_bytes.get(), kCapacity, reason);
        if (got < 0) return ReadOutcome::Failed;
        m_count = static_cast<std::size_t>(got);
        if (m_count > static_cast<std::size_t>(kMaxImportBytes)) return ReadOutcome::TooLarge;
        return Judge(m_bytes.get(), m_count, reason);
    }

    // The picture's own bytes are stored when its header and end are sound.
    ReadOutcome Judge(const unsigned char* bytes, std::size_t count, std::string& reason) {
        const PictureHeader header = ReadPictureHeader(bytes, count);
        reason = PictureProblem(header, bytes, count);
        if (!reason.empty()) {
            if (header.kind == PictureKind::Unknown) {
                if (const char* kind = UntakenPictureKind(bytes, count)) reason = NotTakenReason(kind);
            }
            return ReadOutcome::Refused;
        }
        m_kind = header.kind;
        m_width = header.width;
        m_height = header.height;
        return ReadOutcome::Read;
    }

    ReadOutcome ReadLarge(int fd, off_t size, std::string& reason) {
        if (!m_reduceLarge) return ReadOutcome::TooLarge;
        if (size > kMaxReduceBytes) {
            reason = "over 128 MB, too large to reduce";
            return ReadOutcome::Refused;
        }
        m_large.resize(static_cast<std::size_t>(size));
        const long long got = ReadUpTo(fd, m_large.data(), m_large.size(), reason);
        if (got < 0) return ReadOutcome::Failed;
        m_large.resize(static_cast<std::size_t>(got));
        // The checks come first: a picture declaring too many pixels is
        // refused before anything decodes it.
        const ReadOutcome judged = Judge(m_large.data(), m_large.size(), reason);
        if (judged != ReadOutcome::Read) return judged;
        PictureReducer::Result reduced =
            m_reducer.Reduce(m_large.data(), m_large.size(), static_cast<std::size_t>(kMaxImportBytes));
        if (!reduced.ok) {
            reason = "could not be reduced: " + reduced.problem;
            return ReadOutcome::Failed;
        }
        std::memcpy(m_bytes.get(), reduced.bytes.data(), reduced.bytes.size());
        m_count = reduced.bytes.size();
        m_kind = reduced.kind;
        m_width = reduced.width;
        m_height = reduced.height;
        return ReadOutcome::Reduced;
    }

    static constexpr std::size_t kCapacity = static_cast<std::size_t>(kMaxImportBytes) + 1;
    std::unique_ptr<unsigned char[]> m_bytes;
    std::unique_ptr<unsigned char[]> m_text;
    bool m_reduceLarge;
    PictureReducer m_reducer;
    std::vector<unsigned char> m_large;  // a picture to reduce
    std::size_t m_count = 0;
    std::size_t m_textLength = 0;
    PictureKind m_kind = PictureKind::Unknown;
    int m_width = 0;
    int m_height = 0;
};

// A browser drops a newline or tab from a page's SRC and would show another
// file, so such a name is refused before the file is read.
ReadOutcome ReadNamed(PictureBuffers& buffers, const FolderEntry& file, std::string& reason) {
    if (HoldsControlCharacter(file.name)) {
        reason = "its name holds a control character (a newline, a tab), which a page cannot name; rename it";
        return ReadOutcome::Refused;
    }
    return buffers.Read(file.fullPath, reason);
}

// The library's insert, prepared on first use: a missing table is then a
// failure of each file, as a refused row is.
class LibraryInsert {
public:
    explicit LibraryInsert(SqlDatabase& db) : m_db(db) {}
    SqlStatement& Statement() {
        if (!m_prepared) {
            m_statement = m_db.Prepare(wordsdb::InsertImageWithParameters());
            m_prepared = true;
        }
        return m_statement;
    }

private:
    SqlDatabase& m_db;
    SqlStatement m_statement;
    bool m_prepared = false;
};

// Why the folder cannot be listed, or "" when it can.
std::string FolderProblem(const std::string& folder) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    return ec ? ec.message() : std::string();
}

// What the first bytes of a regular file are: a picture the library takes,
// one of another kind (its name in `untaken`), or neither.
enum class HeadKind { None, Taken, Untaken };

HeadKind ReadHeadKind(const std::string& path, const char*& untaken) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return HeadKind::None;
    struct stat info {};
    unsigned char head[kUntakenKindHeadBytes];
    long long got = 0;
    std::string reason;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) got = ReadUpTo(fd, head, sizeof head, reason);
    ::close(fd);
    if (got <= 0) return HeadKind::None;
    const auto count = static_cast<std::size_t>(got);
    if (SniffPicture(head, count) != PictureKind::Unknown) return HeadKind::Taken;
    untaken = UntakenPictureKind(head, count);
    return untaken != nullptr ? HeadKind::Untaken : HeadKind::None;
}

// The files of a folder the import takes, and those it names but leaves.
struct FolderPictures {
    std::vector<FolderEntry> files;
    std::vector<std::string> untaken;  // "photo.heic: HEIC pictures are not taken (...)"
};

// The files of the folder that the import takes: names holding ".gif" or
// ending in a picture extension, and files whose content is a picture.
// Pictures of other kinds, known by their content, are named with their
// kind. Sub-folders are not files, whatever their names say.
FolderPictures PictureFiles(const std::string& folder, std::string& problem) {
    FolderPictures found;
    bool readable = false;
    const std::vector<FolderEntry> entries = FindEntries(folder + "/*.*", &readable);
    if (!readable) {
        problem = FolderProblem(folder);
        if (problem.empty()) problem = "it cannot be listed";
        return found;
    }
    for (const FolderEntry& entry : entries) {
        if (entry.isFolder) continue;
        if (HasGifInName(entry.name) || HasPictureExtension(entry.name)) {
            found.files.push_back(entry);
            continue;
        }
        const char* kind = nullptr;
        const HeadKind head = ReadHeadKind(entry.fullPath, kind);
        if (head == HeadKind::Taken) found.files.push_back(entry);
        if (head == HeadKind::Untaken) found.untaken.push_back(ShownFileName(entry.name) + ": " + NotTakenReason(kind));
    }
    return found;
}

// Storing a file takes and frees the same hundred kilobytes or so (SQLite's
// buffers for the row and its overflow pages); with the allocator's default it hands
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
    std::string text = "These files were not stored:";
    for (std::size_t i = 0; i < report.unreadable.size() && i < kShown; ++i) text += "\n" + report.unreadable[i];
    if (report.unreadable.size() > kShown) {
        text += "\n... and " + std::to_string(report.unreadable.size() - kShown) + " more";
    }
    ui.ShowMessage(text, kUnreadableCaption);
}

}  // namespace

std::string ImportReport::ResultMessage(const std::string& reduceHint) const {
    std::string text =
        std::to_string(stored) + (otherKinds ? " pictures" : " GIFS") + " stored to category: " + categoryName;
    if (reduced > 0) {
        text += '\n';
        text += std::to_string(reduced) + " pictures over " + std::to_string(kMaxImportBytes) +
                " bytes were stored reduced.";
    }
    if (tooLarge > 0) {
        text += '\n';
        text += std::to_string(tooLarge) + " GIFS over " + std::to_string(kMaxImportBytes) +
                " bytes were skipped for their size.";
        constexpr std::size_t kNamed = 10;
        for (std::size_t i = 0; i < tooLargeNames.size() && i < kNamed; ++i) text += "\n    " + tooLargeNames[i];
        if (tooLargeNames.size() > kNamed)
            text += "\n    ... and " + std::to_string(tooLargeNames.size() - kNamed) + " more";
        if (!reduceHint.empty()) text += "\n" + reduceHint;
    }
    if (notFiles > 0) {
        text += '\n';
        text += std::to_string(notFiles) + " GIFS were skipped: not regular files.";
    }
    if (refused > 0) {
        text += '\n';
        text += refused == 1 ? std::string("1 file was refused: not a sound picture.")
                             : std::to_string(refused) + " files were refused: not sound pictures.";
    }
    if (failed > 0) {
        text += '\n';
        text += std::to_string(failed) + " GIFS could not be stored.";
    }
    if (notTaken > 0) {
        text += '\n';
        text += notTaken == 1
                    ? std::string("1 file was not taken: a picture kind the library does not hold.")
                    : std::to_string(notTaken) + " files were not taken: picture kinds the library does not hold.";
    }
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
    if (report.ran)
        ui.ShowMessage(report.ResultMessage("Check \"Reduce large pictures\" to store smaller copies of them."),
                       kResultCaption);
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
                                               UserInterface& ui, bool& create) const {
    create = false;
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
    // Refused, not imported elsewhere: the pictures would go to a category
    // the user never chose.
    if (ListHoldsPrefix(listed, choice.typed)) {
        ui.ShowMessage(kDuplicateCategory, kDuplicateCategoryCaption);
        return {};
    }
    create = true;
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
        // Deleted since the list was read.
        ui.ShowMessage(kNoCategory, kNoCategoryCaption);
    } catch (const CppSQLite3Exception& e) {
        ShowDatabaseError(ui, e);
    }
    return {};
}

ImportReport ImageImporter::Import(const CategoryChoice& choice, const std::vector<std::string>& listed,
                                   UserInterface& ui, const ImportProgress& progress) const {
    ImportReport report;
    bool create = false;
    report.categoryName = ResolveCategoryName(choice, listed, ui, create);
    if (report.categoryName.empty()) return report;
    report.folder = m_importFolder;
    // The folder is listed before anything is made, so that a folder that
    // cannot be read leaves no empty category behind.
    std::string problem;
    const FolderPictures found = PictureFiles(m_importFolder, problem);
    const std::vector<FolderEntry>& files = found.files;
    if (!problem.empty()) {
        ui.ShowMessage("The folder " + m_importFolder + " could not be read: " + problem, kUnreadableCaption);
        return report;
    }
    if (files.empty() && m_refuseEmptyFolder) {
        std::string text = "no pictures in " + m_importFolder + "; no category was made or changed";
        for (const std::string& line : found.untaken) text += "\n" + line;
        ui.ShowMessage(text, kUnreadableCaption);
        return report;
    }
    if (create) {
        if (!CreateCategory(report.categoryName, ui)) return report;
        report.categoryCreated = true;
    }
    report.categoryId = LookUpCategoryId(report.categoryName, ui);
    if (report.categoryId.empty()) return report;
    report.ran = true;
    StoreFiles(files, report, ui, progress);
    report.notTaken = static_cast<int>(found.untaken.size());
    report.unreadable.insert(report.unreadable.end(), found.untaken.begin(), found.untaken.end());
    ShowUnreadable(ui, report);
    return report;
}

void ImageImporter::StoreFiles(const std::vector<FolderEntry>& files, ImportReport& report, UserInterface& ui,
                               const ImportProgress& progress) const {
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
        LibraryInsert insert(db);
        PictureBuffers buffers(m_reduceLarge);
        std::string reason;
        const auto store = [&](std::size_t row, ReadOutcome outcome) {
            buffers.Store(insert.Statement(), report.categoryId,
                          buffers.StoredName(LowerCaseName(files[row].name), outcome));
        };
        // After a failure that undid a transaction, its rows are read again.
        ImportTransaction transaction(db, [&](std::size_t row) {
            const ReadOutcome again = buffers.Read(files[row].fullPath, reason);
            if (again != ReadOutcome::Read && again != ReadOutcome::Reduced) return false;
            buffers.Encode();
            store(row, again);
            return true;
        });
        for (std::size_t row = 0; row < files.size(); ++row) {
            const FolderEntry& file = files[row];
            const ReadOutcome outcome = ReadNamed(buffers, file, reason);
            switch (outcome) {
                case ReadOutcome::TooLarge:
                    ++report.tooLarge;
                    report.tooLargeNames.push_back(ShownFileName(file.name));
                    break;
                case ReadOutcome::NotAFile:
                    ++report.notFiles;
                    report.unreadable.push_back(ShownFileName(file.name) + ": " + reason);
                    break;
                case ReadOutcome::Refused:
                    ++report.refused;
                    report.unreadable.push_back(ShownFileName(file.name) + ": " + reason);
                    break;
                case ReadOutcome::Failed:
                    ++report.failed;
                    report.unreadable.push_back(ShownFileName(file.name) + ": " + reason);
                    break;
                case ReadOutcome::Read:
                case ReadOutcome::Reduced:
                    try {
                        transaction.Add(row, buffers.Encode(), [&] { store(row, outcome); });
                        ++report.stored;
                        if (outcome == ReadOutcome::Reduced) ++report.reduced;
                        if (buffers.Kind() != PictureKind::Gif) report.otherKinds = true;
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

#pragma once
#include "page/CollageModel.h"
#include "form/MainFormState.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The pictures one collage draws from: library image ids, and from
// state.m_nextImageId upwards the entries of the custom folder.
struct ImagePool {
    static constexpr size_t kMaxCandidates = 1000;
    std::vector<std::int32_t> candidates;
    // Custom folder entry names by listing position (empty where skipped).
    std::vector<std::string> folderEntries;
};

// One picture item before it is placed: the file the page names and its size.
struct ImageCandidate {
    std::string fileName;
    std::string widthText;
    std::string heightText;
};

// A placed picture item.
struct ImagePlacement {
    int left = 0;
    int top = 0;
    std::string widthText;
    std::string heightText;
};

// The picture files of one run in the output folder. A picture goes under
// its name only where the folder has no file of that name (case folded, as a
// page may be copied where names are), or one with the same bytes, which is
// used as it is. Otherwise it takes the next name of its sequence, so that
// no page, older or of this run, ever shows other bytes than it did.
class RunPictureNames {
public:
    enum class Sequence {
        kNumbered,  // same.gif, same-2.gif, same-3.gif, ...
        kCopyOf,    // pic.gif, Copy of pic.gif, Copy (1) of pic.gif, ...
    };
    // Returns the name in `folder` (which ends with "/", or is "") that holds
    // `bytes`. Throws FileWriteError when they cannot be written.
    std::string Place(const std::string& folder, const std::string& name, std::string_view bytes, Sequence sequence);

private:
    struct Fingerprint {
        size_t size = 0;
        size_t hash = 0;
        bool operator==(const Fingerprint&) const = default;
    };
    struct Held {
        std::string name;
        Fingerprint print;
    };
    static Fingerprint Of(std::string_view bytes);
    void ListFolder(const std::string& folder);
    std::string Keep(const std::string& folded, const std::string& name, Fingerprint print);

    // What this run wrote or found, by folded name.
    std::map<std::string, Held> m_taken;
    // The folder's names when the run began, by folded name.
    std::multimap<std::string, std::string> m_present;
    std::optional<std::string> m_listed;
};

// Fills the pool and state.m_nextImageId from the open state.m_db (and the
// custom folder when "Folder:" is checked).
ImagePool BuildImagePool(MainFormState& state);

// Draws one candidate (the pool must not be empty) and makes its picture
// present in the output folder. `previous` holds the last item's values and
// stands when a library row has vanished. Throws FileWriteError when a
// library picture cannot be written.
// A custom folder picture that cannot be copied throws FileWriteError too.
ImageCandidate ResolveImageCandidate(MainFormState& state, const ImagePool& pool, const ImageCandidate& previous,
                                     RunPictureNames& names);

// Writes library picture `id` into the output folder under its base name (or
// the name `names` gives it) and returns that name; "" when there is no such
// picture. A failed write throws FileWriteError.
std::string ExtractLibraryImage(MainFormState& state, const std::string& idText, RunPictureNames& names);

// The placement draws (left, then top) within bounds W x H, and the clipping.
ImagePlacement PlaceImage(const ImageCandidate& image, int boundsWidth, int boundsHeight);

// The placed item; appends its id to state.m_dragItemIds.
collage::Item ImageItem(MainFormState& state, int slot, std::int32_t z, const std::string& fileName,
                        const ImagePlacement& placement);

// The last path element of a stored file name ("a/b\\c.gif" gives "c.gif").
std::string BaseFileName(const std::string& name);

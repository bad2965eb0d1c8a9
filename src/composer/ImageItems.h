#pragma once
#include "composer/CollageModel.h"
#include "form/MainFormState.h"

#include <cstdint>
#include <map>
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

// The picture files one run has written into the output folder: each name
// (case folded, as a page may be copied where names are) with the bytes it
// holds, so that two pictures of one name do not overwrite each other.
class RunPictureNames {
public:
    // The name `bytes` are written under: `name`, or when this run wrote other
    // bytes under it, "name-2.ext", "name-3.ext", ...
    std::string NameFor(const std::string& name, std::string_view bytes);
    // Notes that `name` holds `bytes` (a file the run did not choose the name of).
    void Take(const std::string& name, std::string_view bytes);

private:
    struct Fingerprint {
        size_t size = 0;
        size_t hash = 0;
        bool operator==(const Fingerprint&) const = default;
    };
    static Fingerprint Of(std::string_view bytes);
    std::map<std::string, Fingerprint> m_taken;
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

#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

// Writes a whole file so that a reader never finds it half written: the bytes
// go to a temporary file in the same folder, which is then renamed over the
// target. Until the rename the old file (if any) stays whole; on any failure
// the temporary file is removed and the target is untouched.
//
// Returns false and says why in `problem` (naming the file) on failure.
// A file that was there keeps its permissions; a link keeps pointing at the
// file, which is replaced.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& problem);

// The same for a copy of the file `from`.
bool CopyFileReplacing(const std::string& from, const std::string& to, std::string& problem);

// Creates `folder` and the folders above it when missing; false, with the
// folder named in `problem`, when it cannot be made.
bool MakeFolder(const std::string& folder, std::string& problem);

// A write the program could not make; carries the text for the user.
class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

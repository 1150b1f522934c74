#pragma once
// Reading and writing the user's files without hanging, truncating or
// replacing what should not be. A file is read only when it is a regular file
// (a FIFO, a device or a folder would block or make no sense). A file is
// written whole beside its target (under a short temporary name, so that any
// legal name can be written) and then moved into place in one step, so a
// full disk or a file-size limit leaves the old file as it was and no empty
// new one; a symbolic link is followed and its target replaced, the link kept;
// anything but a regular file is never replaced.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/Fault.h"

namespace kelvo {

// The whole file; a fault when it cannot be read, is not a regular file or
// holds more than `maxBytes`. The fault says why in the last two cases ("not a
// regular file"); a file that cannot be opened or read gives an empty reason.
Result<std::string> ReadRegularFile(const std::string& path, size_t maxBytes);

// Replaces the file at `path` (or the target of the link there) by `bytes`.
// A fault, with its reason, when nothing was changed.
Result<Done> WriteFileAtomically(const std::string& path, std::string_view bytes);

// A character device or a FIFO at `path` (a terminal, /dev/null, a pipe) is
// written as it is, in one pass; anything else as WriteFileAtomically writes it.
Result<Done> WriteOutputFile(const std::string& path, std::string_view bytes);

// True when the two paths name the same existing file (device and inode).
bool SameFile(const std::string& a, const std::string& b);

// A write past the file-size limit then fails like a full disk instead of
// ending the program (SIGXFSZ).
void IgnoreFileSizeSignal();

}  // namespace kelvo

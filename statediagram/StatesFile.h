#pragma once
// The states file: the whole state table as 358 text lines in a fixed order
// (comments, targets, triggers, codes, relay names, ON flags, OFF flags), each
// line ending in CR LF. Text is Windows-1252; a table holding a character that
// Windows-1252 cannot store is written as UTF-8 behind a byte-order mark,
// which the reader recognises. Reading fills a fresh table and succeeds only
// when all 358 lines were read, so a failed load never touches the caller's
// table; saving writes a temporary file beside the target and replaces the
// target only when every line is on disk.

#include <optional>
#include <string>
#include <string_view>

#include "common/Fault.h"
#include "common/UserDialogs.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

inline constexpr int kStatesFileLines = 358;

std::string FormatStatesText(const StateDiagram& diagram);
// Empty optional when the text has fewer than 358 lines or a flag line is not
// a flag; lines after 358 are ignored. Text behind a UTF-8 byte-order mark,
// or text that is well-formed UTF-8 with non-ASCII characters, is UTF-8;
// anything else is Windows-1252.
// The fault says where and why the text is no states file: line 167, "expected
// 358 lines, the file ends after 166"; line 200, "'maybe' is not a flag"; when
// a line before or at that point holds a NUL byte or a carriage return that
// does not end it, the first such line is named instead.
Result<StateDiagram> ParseStatesText(std::string_view bytes);
// Accepts True/False in any letter case and numbers (0 false, others true).
std::optional<bool> ParseFlag(std::string_view line);

// Only a regular file is read, and a file is written beside its target and
// moved into place (a symbolic link is followed and kept). A fault carries the
// reason of a failure that has one.
Result<StateDiagram> ReadStatesFile(const std::string& path);
Result<Done> WriteStatesFile(const std::string& path, const StateDiagram& diagram);

// "Unknown Error while opening file " followed by the path, and the reason on
// a second line when there is one.
std::string StatesFileError(const std::string& path, const Fault& fault = {});
std::string StatesFileSaveError(const std::string& path, const Fault& fault = {});
FileDialogOptions StatesFileDialogOptions();

}  // namespace kelvo

#pragma once
// The name a save dialog's answer stands for, given the file type chosen in
// its "Files of type" list: a name with no known extension gets the chosen
// type's, a name whose extension names a known type keeps it (and is written
// as that type).

#include <string>

namespace kelvo {

// `filter` is a dialog filter ("png|*.png|svg|*.svg"), `chosen` the index of
// the chosen pair in it (0 the first); `defaultExtension` serves when the
// chosen pattern names no single extension ("All files|*.*").
std::string NameForChosenType(const std::string& name, const std::string& filter, int chosen,
                              const std::string& defaultExtension);

// The extension (lower case, without the dot) of a file name's last part; empty without one.
std::string ExtensionOf(const std::string& name);

}  // namespace kelvo

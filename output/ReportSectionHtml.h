#pragma once
// One file's section of the class report as XHTML: its heading with the
// verdict, the state table of the states in use, the state diagram, the
// equation rows and relay equations, the circuits, the check's lines with the
// failures first, and the notes.

#include <cstddef>
#include <string>

#include "output/ReportPage.h"

namespace kelvo {

// "file-1" for the first file: the section's id, made of no user text.
std::string SectionAnchor(size_t index);
// The CSS class of a verdict.
const char* VerdictClass(ReportVerdict verdict);
std::string SectionHtml(size_t index, const ReportRow& row, const ReportSection& section);

}  // namespace kelvo

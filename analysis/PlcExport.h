#pragma once
// Writes a PlcProgram out for a PLC: as a PLCopen TC6 XML 2.01 project with
// one Ladder Diagram program, or as the same program in Structured Text.
//
// The XML has, per rung, a left power rail, the contacts where the drawing
// has them (turned a quarter so that current runs left to right: the
// drawing's rows go across, its columns down), the coil and a right power
// rail. A contact takes its current from everything wired to the node above
// it (several connections are wires joining); the coil from the node it
// hangs from. Every text of the user is escaped.

#include <string>

#include "analysis/PlcProgram.h"

namespace kelvo {

// `created` is the project's creation time, "2026-01-31T12:00:00".
std::string PlcOpenXml(const PlcProgram& program, const std::string& created);
std::string StructuredText(const PlcProgram& program);

// `text` as XML character data or attribute value: markup characters as
// references, characters XML cannot hold as "U+0007", malformed bytes as U+FFFD.
std::string XmlEscaped(const std::string& text);

// How a PLC runs the program, unlike the relays: said in both exports.
extern const char* const kScanNote;

}  // namespace kelvo

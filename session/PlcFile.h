#pragma once
// The drawn circuits as a file for a PLC, for the companion tool's "plc" and
// the window's "Export for PLC...": the program of what the session draws
// (BuildPlcProgram on the table and equations drawn from, the grids and the
// form shown) written as PLCopen XML or Structured Text (PlcExport), saved
// whole or not at all, never over the states file itself.

#include <optional>
#include <string>

#include "common/UserDialogs.h"
#include "session/Session.h"

namespace kelvo {

enum class PlcLanguage { LadderDiagram, StructuredText };

// The language a file's extension names: ".xml" Ladder Diagram, ".st"
// Structured Text (case ignored); none for any other.
std::optional<PlcLanguage> PlcLanguageOf(const std::string& path);

// The text of the file, or why there is none: nothing is drawn, or the
// drawing cannot be a program. `sourceFile` names the program.
Result<std::string> PlcFileText(const Session& session, PlcLanguage language, const std::string& sourceFile);

// "Export for PLC...": asks where, beside the table's file, and writes there
// in the language the chosen name asks for; tells the user what went wrong.
void ExportForPlc(const Session& session, UserDialogs& dialogs);

// The time now as an XML date and time in UTC: "2026-01-31T12:00:00Z".
std::string UtcTimeText();

}  // namespace kelvo

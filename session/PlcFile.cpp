#include "session/PlcFile.h"

#include <ctime>

#include "analysis/PlcExport.h"
#include "analysis/PlcProgram.h"
#include "common/FileNames.h"
#include "common/SafeFiles.h"

namespace kelvo {

std::optional<PlcLanguage> PlcLanguageOf(const std::string& path) {
  const std::string extension = ExtensionOf(path);
  if (extension == "xml") return PlcLanguage::LadderDiagram;
  if (extension == "st") return PlcLanguage::StructuredText;
  return std::nullopt;
}

std::string UtcTimeText() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

Result<std::string> PlcFileText(const Session& session, PlcLanguage language, const std::string& sourceFile) {
  if (!session.drawn) return Fault{"No circuit is drawn: press Circuit first."};
  const PlcSource source{session.drawn->table, session.drawn->equations, session.grid, session.views.parallelForm,
                         sourceFile};
  const auto program = BuildPlcProgram(source);
  if (!program) return program.fault();
  return language == PlcLanguage::LadderDiagram ? PlcOpenXml(*program, UtcTimeText()) : StructuredText(*program);
}

void ExportForPlc(const Session& session, UserDialogs& dialogs) {
  if (!session.drawn) {
    dialogs.Notify("No circuit is drawn: press Circuit first.", "Export for PLC");
    return;
  }
  const std::string source = session.form.documentPath();
  std::string suggested = source.empty() ? "Untitled" : source;
  if (const std::string ext = ExtensionOf(suggested); !ext.empty()) suggested.resize(suggested.size() - ext.size() - 1);
  suggested += ".xml";
  const FileDialogOptions options{"Export for PLC", "PLCopen XML (Ladder Diagram)|*.xml|Structured Text|*.st", "xml",
                                  true, suggested};
  const auto path = dialogs.AskSaveFileName(options);
  if (!path) return;
  if (!source.empty() && SameFile(source, *path)) {
    dialogs.Notify(*path + " is the states file itself: the circuit was not exported.", "Export for PLC");
    return;
  }
  const auto language = PlcLanguageOf(*path).value_or(PlcLanguage::LadderDiagram);
  const auto text = PlcFileText(session, language, source.empty() ? "Untitled" : source);
  if (!text) {
    dialogs.Notify("The circuit was not exported: " + text.why(), "Export for PLC");
  } else if (const auto written = WriteFileAtomically(*path, *text); !written) {
    const std::string why = written.why();
    dialogs.Notify("Unknown Error while creating file " + *path + (why.empty() ? "" : "\n" + why), "Export for PLC");
  }
}

}  // namespace kelvo

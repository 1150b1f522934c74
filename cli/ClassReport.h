#pragma once
// The class report over many states files, as `kelvo16s-cli report` and the
// window's Class Report make it. Each file runs the program's own flows in a
// session of its own with the tool's answerer: Load, then "Circuit" with the
// chosen codes and form, CheckCircuit on what was drawn, and every view that
// has a circuit drawn onto the canvas and kept as its picture record. What a
// file gives goes into the page at once and the session is gone, so a long
// run keeps only the page. The state diagram is laid out by the one Graphviz
// context of DiagramLayout.

#include <QImage>
#include <array>
#include <string>
#include <vector>

#include "output/ReportPage.h"
#include "output/TileImages.h"

namespace kelvo {

struct ClassReportOptions {
  bool autoCodes = false;  // "Auto" ticked before "Circuit"
  bool parallel = false;   // "Parallel Form"
};

// The states files of a folder (".sfi" in any letter case), sorted by name.
std::vector<std::string> StatesFilesIn(const std::string& folder);

class ClassReport {
public:
  ClassReport(ClassReportOptions options, const std::array<QImage, kTileCount>& tiles);

  // `path` is read; the page names it `shownName`.
  void AddFile(const std::string& path, const std::string& shownName);

  const ReportPage& Page() const { return page_; }
  // Every file added could be read.
  bool AllRead() const;

private:
  ClassReportOptions options_;
  const std::array<QImage, kTileCount>& tiles_;
  ReportPage page_;
};

}  // namespace kelvo

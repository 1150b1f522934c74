#pragma once
// The class report: one self-contained XHTML page over many states files, and
// its summary as CSV for a gradebook. A summary table comes first, a row per
// file linking to the file's section; each section holds the state table,
// the state diagram, the equation rows, the circuits, the check's lines
// (failures first) and the notes. A file that could not be read is a row and
// a section with its message. Files are added one at a time and each section
// is written at once, so only the page being built is kept. The page needs no
// network, no other file and no script; every user text goes through
// HtmlText, every picture is inline SVG.

#include <string>
#include <vector>

#include "analysis/CircuitCheck.h"
#include "equations/EquationView.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

// How the codes the circuits were drawn with came about.
struct ReportCodes {
  enum class Kind { Typed, Automatic, Failed };
  Kind kind = Kind::Typed;
  std::string why;  // Failed: why the automatic codes gave up
};

enum class ReportVerdict { Passed, Failed, NotDrawn, Unreadable };

struct ReportRow {
  std::string file;  // as the teacher named it
  ReportVerdict verdict = ReportVerdict::Unreadable;
  int statesInUse = 0, transitions = 0;
  ReportCodes codes;
  int circuitsVerified = 0, circuitsRead = 0;  // the read-back's findings: passed, all
  int passed = 0, failed = 0;                  // the check's findings
  std::vector<std::string> notes;              // Unreadable, NotDrawn: why, first
};

struct ReportPicture {
  std::string title;
  std::string svg;  // an <svg> element
};

struct ReportRelayEquation {
  std::string relay, equation;
};

// What a section shows besides its row; parts a file did not reach stay empty.
struct ReportSection {
  bool hasTable = false;
  StateDiagram table;  // as the circuits were drawn from, or as loaded
  ReportPicture diagram;
  std::string diagramError;
  bool hasEquations = false;
  EquationViewTexts equations;
  std::vector<ReportRelayEquation> relayEquations;
  std::vector<ReportPicture> circuits;
  std::vector<CheckFinding> findings;
};

class ReportPage {
public:
  // `form`: how the circuits were made, said under the title ("two-part form, codes as typed").
  explicit ReportPage(std::string form);

  void Add(const ReportRow& row, const ReportSection& section);

  const std::vector<ReportRow>& Rows() const { return rows_; }
  std::string Html() const;
  std::string Csv() const;

private:
  std::string form_;
  std::vector<ReportRow> rows_;
  std::string sections_;
};

// "passed", "failed", "not drawn", "unreadable": the summary's and the CSV's word.
const char* VerdictWord(ReportVerdict verdict);
// "typed", "automatic", "failed".
const char* CodesWord(ReportCodes::Kind kind);

}  // namespace kelvo

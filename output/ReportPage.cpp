#include "output/ReportPage.h"

#include "output/ReportSectionHtml.h"
#include "output/ReportText.h"

namespace kelvo {
namespace {

constexpr const char* kStyle = R"(
body { font-family: "DejaVu Sans", sans-serif; font-size: 14px; margin: 24px; color: #111; background: #fff; }
h1 { margin-bottom: 4px; }
h2 { border-bottom: 2px solid #444; padding-bottom: 4px; margin-top: 40px; }
h3 { margin: 20px 0 6px; font-size: 15px; }
table { border-collapse: collapse; margin: 6px 0; }
th, td { border: 1px solid #999; padding: 3px 8px; text-align: left; vertical-align: top; }
th { background: #e8e8e8; }
td.number { text-align: right; }
table.summary td:first-child { white-space: nowrap; }
.passed { background: #e3f4e3; }
.failed { background: #fbe2e2; }
.notdrawn, .unreadable { background: #fdf0d0; }
.verdict { font-size: 13px; font-weight: normal; padding: 2px 8px; border-radius: 4px; margin-left: 8px; }
.form { color: #444; margin-top: 0; }
.picture { margin: 6px 0; }
figure { display: inline-block; margin: 6px 16px 6px 0; vertical-align: top; }
figcaption { font-weight: bold; margin-bottom: 4px; }
svg { max-width: 100%; height: auto; border: 1px solid #ccc; }
ul.check { list-style: none; padding-left: 0; font-family: "DejaVu Sans Mono", monospace; font-size: 13px; }
ul.check li { padding: 1px 4px; }
li.fail { background: #fbe2e2; }
.equation, .code { font-family: "DejaVu Sans Mono", monospace; }
.message { white-space: pre-wrap; }
@media print { section { break-before: page; } a { color: inherit; text-decoration: none; } }
)";

std::string Cell(const std::string& html, const char* cssClass = nullptr) {
  return cssClass ? "<td class=\"" + std::string(cssClass) + "\">" + html + "</td>" : "<td>" + html + "</td>";
}

std::string Number(int n) { return Cell(std::to_string(n), "number"); }

std::string CheckCell(const ReportRow& row) {
  switch (row.verdict) {
    case ReportVerdict::Passed:
      return "passed (" + std::to_string(row.passed) + ")";
    case ReportVerdict::Failed:
      return "failed: " + std::to_string(row.failed) + " of " + std::to_string(row.passed + row.failed);
    default:
      return VerdictWord(row.verdict);
  }
}

std::string CodesText(const ReportCodes& codes) {
  return codes.kind == ReportCodes::Kind::Failed && !codes.why.empty()
             ? std::string(CodesWord(codes.kind)) + ": " + codes.why
             : CodesWord(codes.kind);
}

std::string SummaryRow(size_t index, const ReportRow& row) {
  const bool read = row.verdict != ReportVerdict::Unreadable;
  const bool drawn = read && row.verdict != ReportVerdict::NotDrawn;
  std::string notes;
  for (const std::string& note : row.notes) notes += "<div class=\"message\">" + HtmlText(note) + "</div>";
  return std::string("<tr class=\"") + VerdictClass(row.verdict) + "\">" +
         Cell("<a href=\"#" + SectionAnchor(index) + "\">" + HtmlText(row.file) + "</a>") +
         (read ? Number(row.statesInUse) + Number(row.transitions) + Cell(HtmlText(CodesText(row.codes)))
               : Cell("") + Cell("") + Cell("")) +
         (drawn ? Cell(std::to_string(row.circuitsVerified) + " of " + std::to_string(row.circuitsRead)) : Cell("")) +
         Cell(CheckCell(row)) + Cell(notes) + "</tr>\n";
}

// A spreadsheet field: quoted when it must be, and never read as a formula.
std::string CsvField(const std::string& text) {
  std::string field = XmlSafeText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))).toStdString();
  if (!field.empty() && std::string_view("=+-@\t\r").find(field[0]) != std::string_view::npos) field = "'" + field;
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

const char* VerdictWord(ReportVerdict verdict) {
  switch (verdict) {
    case ReportVerdict::Passed:
      return "passed";
    case ReportVerdict::Failed:
      return "failed";
    case ReportVerdict::NotDrawn:
      return "not drawn";
    default:
      return "unreadable";
  }
}

const char* CodesWord(ReportCodes::Kind kind) {
  switch (kind) {
    case ReportCodes::Kind::Typed:
      return "typed";
    case ReportCodes::Kind::Automatic:
      return "automatic";
    default:
      return "failed";
  }
}

ReportPage::ReportPage(std::string form) : form_(std::move(form)) {}

void ReportPage::Add(const ReportRow& row, const ReportSection& section) {
  sections_ += SectionHtml(rows_.size(), row, section);
  rows_.push_back(row);
}

std::string ReportPage::Html() const {
  std::string html =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n"
      "<meta charset=\"utf-8\"/>\n"
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'\"/>\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n"
      "<title>Class report</title>\n<style>" +
      std::string(kStyle) + "</style>\n</head>\n<body>\n<h1 id=\"summary\">Class report</h1>\n<p class=\"form\">" +
      std::to_string(rows_.size()) + (rows_.size() == 1 ? " file, " : " files, ") + HtmlText(form_) +
      "</p>\n<table class=\"summary\">\n<thead><tr><th>File</th><th>States</th><th>Transitions</th><th>Codes</th>"
      "<th>Circuits verified</th><th>Check</th><th>Notes</th></tr></thead>\n<tbody>\n";
  for (size_t i = 0; i < rows_.size(); ++i) html += SummaryRow(i, rows_[i]);
  return html + "</tbody>\n</table>\n" + sections_ + "</body>\n</html>\n";
}

std::string ReportPage::Csv() const {
  std::string csv =
      "file,states,transitions,codes,codes_why,circuits_verified,circuits_read,check,passed,failed,notes\r\n";
  for (const ReportRow& row : rows_) {
    std::string notes;
    for (const std::string& note : row.notes) notes += (notes.empty() ? "" : " | ") + note;
    const bool read = row.verdict != ReportVerdict::Unreadable;
    const auto count = [read](int n) { return read ? std::to_string(n) : std::string(); };
    csv += CsvField(row.file) + "," + count(row.statesInUse) + "," + count(row.transitions) + "," +
           (read ? CodesWord(row.codes.kind) : "") + "," + CsvField(row.codes.why) + "," + count(row.circuitsVerified) +
           "," + count(row.circuitsRead) + "," + VerdictWord(row.verdict) + "," + count(row.passed) + "," +
           count(row.failed) + "," + CsvField(notes) + "\r\n";
  }
  return csv;
}

}  // namespace kelvo

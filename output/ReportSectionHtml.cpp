#include "output/ReportSectionHtml.h"

#include <algorithm>

#include "output/ReportText.h"
#include "statediagram/DiagramLayout.h"

namespace kelvo {
namespace {

std::string Td(const std::string& html, const char* cssClass = nullptr) {
  return cssClass ? "<td class=\"" + std::string(cssClass) + "\">" + html + "</td>" : "<td>" + html + "</td>";
}

std::string TransitionsHtml(const StateDiagram& table, int state) {
  std::string html;
  for (int j = 0; j < kSlotCount; ++j) {
    const std::string& target = table.Targets[state][j];
    const std::string& trigger = table.Triggers[state][j];
    if (target.empty() && trigger.empty()) continue;
    html += "<div>to <span class=\"code\">" + (target.empty() ? std::string("(none)") : HtmlText(target)) +
            "</span> on <span class=\"equation\">" +
            (trigger.empty() ? std::string("(no trigger)") : HtmlText(trigger)) + "</span></div>";
  }
  return html;
}

std::string RelaysOnHtml(const StateDiagram& table, int state) {
  std::string html;
  for (int r = 0; r < kRelayCount; ++r) {
    if (table.CoilNames[r].empty() || !table.CoilOn[state][r] || table.CoilOff[state][r]) continue;
    html += "<div>" + HtmlText(table.CoilNames[r]) + "</div>";
  }
  return html;
}

std::string StateTableHtml(const StateDiagram& table) {
  const std::vector<int> states = StatesInUse(table);
  if (states.empty()) return "<p>The table has no transitions.</p>\n";
  std::string html =
      "<table class=\"states\">\n<thead><tr><th>State</th><th>Code</th><th>Comment</th><th>Transitions</th>"
      "<th>Relays ON</th></tr></thead>\n<tbody>\n";
  for (int s : states) {
    html += "<tr>" + Td("S" + std::to_string(s)) +
            Td(table.Codes[s].empty() ? std::string("(none)") : HtmlText(table.Codes[s]), "code") +
            Td(HtmlText(table.Comments[s])) + Td(TransitionsHtml(table, s)) + Td(RelaysOnHtml(table, s)) + "</tr>\n";
  }
  return html + "</tbody>\n</table>\n";
}

std::string EquationsHtml(const ReportSection& section) {
  const EquationViewTexts& t = section.equations;
  std::string html =
      "<table class=\"equations\">\n<thead><tr><th></th><th>On</th><th>Off</th><th>Function</th><th>Final</th></tr>"
      "</thead>\n<tbody>\n";
  for (int x = 0; x < kStateVariables; ++x) {
    html += "<tr><th>" + std::string(1, VariableLetter(x)) + "</th>" + Td(HtmlText(t.On[x]), "equation") +
            Td(HtmlText(t.Off[x]), "equation") + Td(HtmlText(t.Func[x]), "equation") +
            Td(HtmlText(t.Final[x]), "equation") + "</tr>\n";
  }
  html += "</tbody>\n</table>\n";
  if (section.relayEquations.empty()) return html;
  html += "<table class=\"relays\">\n<thead><tr><th>Relay</th><th>Equation</th></tr></thead>\n<tbody>\n";
  for (const ReportRelayEquation& e : section.relayEquations) {
    html += "<tr>" + Td(HtmlText(e.relay)) + Td(HtmlText(e.equation), "equation") + "</tr>\n";
  }
  return html + "</tbody>\n</table>\n";
}

std::string CheckHtml(const ReportRow& row, const ReportSection& section) {
  std::vector<CheckFinding> findings = section.findings;
  std::stable_partition(findings.begin(), findings.end(), [](const CheckFinding& f) { return !f.passed; });
  std::string html = "<p>" + std::to_string(row.passed) + " passed, " + std::to_string(row.failed) +
                     " failed</p>\n<ul class=\"check\">\n";
  for (const CheckFinding& f : findings) {
    html += std::string("<li class=\"") + (f.passed ? "pass\">PASS " : "fail\">FAIL ") + HtmlText(f.text) + "</li>\n";
  }
  return html + "</ul>\n";
}

}  // namespace

std::string SectionAnchor(size_t index) { return "file-" + std::to_string(index + 1); }

const char* VerdictClass(ReportVerdict verdict) {
  switch (verdict) {
    case ReportVerdict::Passed:
      return "passed";
    case ReportVerdict::Failed:
      return "failed";
    case ReportVerdict::NotDrawn:
      return "notdrawn";
    default:
      return "unreadable";
  }
}

std::string SectionHtml(size_t index, const ReportRow& row, const ReportSection& section) {
  std::string html = "<section id=\"" + SectionAnchor(index) + "\">\n<h2>" + std::to_string(index + 1) + ". " +
                     HtmlText(row.file) + " <span class=\"verdict " + VerdictClass(row.verdict) + "\">" +
                     VerdictWord(row.verdict) + "</span></h2>\n";
  if (section.hasTable) html += "<h3>State table</h3>\n" + StateTableHtml(section.table);
  if (!section.diagram.svg.empty()) {
    html += "<h3>State diagram</h3>\n<div class=\"picture\">" + section.diagram.svg + "</div>\n";
  } else if (!section.diagramError.empty()) {
    html += "<h3>State diagram</h3>\n<p>" + HtmlText(section.diagramError) + "</p>\n";
  }
  if (section.hasEquations) html += "<h3>Equations</h3>\n" + EquationsHtml(section);
  if (!section.circuits.empty()) {
    html += "<h3>Circuits</h3>\n";
    for (const ReportPicture& c : section.circuits) {
      html += "<figure><figcaption>" + HtmlText(c.title) + "</figcaption>" + c.svg + "</figure>\n";
    }
  }
  if (!section.findings.empty()) html += "<h3>Check</h3>\n" + CheckHtml(row, section);
  if (!row.notes.empty()) {
    html += "<h3>Notes</h3>\n<ul class=\"notes\">\n";
    for (const std::string& note : row.notes) html += "<li class=\"message\">" + HtmlText(note) + "</li>\n";
    html += "</ul>\n";
  }
  return html + "<p><a href=\"#summary\">Back to the summary</a></p>\n</section>\n";
}

}  // namespace kelvo

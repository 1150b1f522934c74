#include "analysis/PlcExport.h"

#include <map>
#include <sstream>

#include "analysis/RungExpression.h"
#include "common/CodePoints.h"

namespace kelvo {

const char* const kScanNote =
    "A PLC runs the rungs in order, top to bottom, once per scan, and each rung sees what the rungs above it "
    "wrote in the same scan, while the relays of the drawing all move at once. Where the table lets two state "
    "variables change together, their relays race; a PLC settles such a race in rung order, so a critical race "
    "may end in another state on the PLC than with relays. A circuit that holds through its own contact keeps "
    "its coil's value from one scan to the next.";

namespace {

// Units of the exported drawing: a contact or coil is kElement square; the
// drawing's rows lie kStep apart across, its columns kBranch apart down.
constexpr int kElement = 20;
constexpr int kPin = kElement / 2;
constexpr int kRail = 10;
constexpr int kStep = 40;
constexpr int kBranch = 40;
constexpr int kRungGap = 20;
constexpr int kFirstRow = 2;

struct Pin {
  int id, x, y;
};

std::string Position(const char* tag, int x, int y) {
  return std::string("<") + tag + " x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"/>";
}

std::string Documentation(const std::string& text, const std::string& indent) {
  return indent + "<documentation><xhtml:p xmlns:xhtml=\"http://www.w3.org/1999/xhtml\">" + XmlEscaped(text) +
         "</xhtml:p></documentation>\n";
}

// The pin in at (x, y) joined to every producer's pin out.
std::string PinIn(int x, int y, const std::vector<Pin>& from, const std::string& indent) {
  std::string xml = indent + "<connectionPointIn>" + Position("relPosition", 0, kPin) + "\n";
  for (const Pin& p : from) {
    xml += indent + "  <connection refLocalId=\"" + std::to_string(p.id) + "\">" + Position("position", x, y);
    if (p.y != y) xml += Position("position", x - kPin, y) + Position("position", x - kPin, p.y);
    xml += Position("position", p.x, p.y) + "</connection>\n";
  }
  return xml + indent + "</connectionPointIn>\n";
}

std::string PinOut(int relX, const std::string& indent) {
  return indent + "<connectionPointOut>" + Position("relPosition", relX, kPin) + "</connectionPointOut>\n";
}

class LdWriter {
public:
  explicit LdWriter(const PlcProgram& p) : p_(p) {
    int lastRow = kFirstRow;
    for (const PlcRung& r : p.rungs) lastRow = std::max(lastRow, r.lastRow);
    coilX_ = kRail + kElement + (lastRow + 1 - kFirstRow) * kStep;
  }

  std::string Body() {
    std::string xml;
    int top = kRungGap;
    for (const PlcRung& r : p_.rungs) {
      xml += Rung(r, top);
      top += r.columns * kBranch + kRungGap;
    }
    return xml;
  }

private:
  std::string Rung(const PlcRung& r, int top) {
    const std::string in = "            ";
    const int height = (r.columns - 1) * kBranch + kElement;
    std::map<int, std::vector<Pin>> producers;  // per node, the pins that feed it
    std::string xml;
    const int rail = next_++;
    xml += in + "<leftPowerRail localId=\"" + std::to_string(rail) + "\" height=\"" + std::to_string(height) +
           "\" width=\"" + std::to_string(kRail) + "\">" + Position("position", 0, top) + "\n";
    xml += in + "  <connectionPointOut formalParameter=\"\">" + Position("relPosition", kRail, kPin) +
           "</connectionPointOut>\n" + in + "</leftPowerRail>\n";
    if (r.source >= 0) producers[r.source].push_back({rail, kRail, top + kPin});
    std::vector<int> ids;
    for (const PlcContact& c : r.contacts) {
      ids.push_back(next_++);
      producers[c.bottom].push_back({ids.back(), X(c.row) + kElement, top + c.column * kBranch + kPin});
    }
    for (size_t k = 0; k < r.contacts.size(); ++k) {
      const PlcContact& c = r.contacts[k];
      const int x = X(c.row), y = top + c.column * kBranch;
      xml += in + "<contact localId=\"" + std::to_string(ids[k]) + "\" height=\"20\" width=\"20\"" +
             (c.negated ? " negated=\"true\"" : "") + ">" + Position("position", x, y) + "\n";
      xml += PinIn(x, y + kPin, producers[c.top], in + "  ") + PinOut(kElement, in + "  ");
      xml += in + "  <variable>" + XmlEscaped(p_.variables[c.variable].name) + "</variable>\n" + in + "</contact>\n";
    }
    const int coil = next_++;
    const std::vector<Pin> none;
    xml += in + "<coil localId=\"" + std::to_string(coil) + "\" height=\"20\" width=\"20\">" +
           Position("position", coilX_, top) + "\n";
    xml += PinIn(coilX_, top + kPin, r.source >= 0 ? producers[r.sink] : none, in + "  ") + PinOut(kElement, in + "  ");
    xml += in + "  <variable>" + XmlEscaped(p_.variables[r.coil].name) + "</variable>\n";
    xml += Documentation(r.title + ": " + r.equation, in + "  ") + in + "</coil>\n";
    const int rightX = coilX_ + kElement + kElement;
    xml += in + "<rightPowerRail localId=\"" + std::to_string(next_++) + "\" height=\"" + std::to_string(height) +
           "\" width=\"" + std::to_string(kRail) + "\">" + Position("position", rightX, top) + "\n";
    xml += PinIn(rightX, top + kPin, {{coil, coilX_ + kElement, top + kPin}}, in + "  ");
    return xml + in + "</rightPowerRail>\n";
  }

  static int X(int row) { return kRail + kElement + (row - kFirstRow) * kStep; }

  const PlcProgram& p_;
  int coilX_ = 0;
  int next_ = 1;
};

std::string FormName(const PlcProgram& p) { return p.parallelForm ? "parallel (multiplied-out)" : "two-part"; }

// What the program is, where it came from and the names that had to change.
std::string About(const PlcProgram& p) {
  std::string text = "Exported by Kelvo 16s from " + p.sourceFile + ": the " + FormName(p) +
                     " state-variable circuits and the output relay circuits, as drawn.\n";
  if (!p.stateComments.empty()) {
    text += "States:\n";
    for (const std::string& c : p.stateComments) text += "  " + c + "\n";
  }
  std::string renamed;
  for (const PlcVariable& v : p.variables) {
    if (v.name != v.shown) renamed += "  " + (v.shown.empty() ? "(no name)" : v.shown) + " -> " + v.name + "\n";
  }
  if (!renamed.empty()) text += "Names that are not IEC 61131-3 identifiers, as written here:\n" + renamed;
  return text + kScanNote;
}

// Text inside a Structured Text comment: no comment delimiters, no control characters.
std::string CommentText(const std::string& text) {
  std::string out;
  ForEachCodePoint(text, [&](char32_t c, std::string_view bytes) {
    if (c == '\n') {
      out += "\n   ";
    } else if (IsControlCharacter(c)) {
      out += CodePointName(c);
    } else if ((c == ')' && !out.empty() && out.back() == '*') || (c == '*' && !out.empty() && out.back() == '(')) {
      out += ' ';
      out += bytes;
    } else {
      out += bytes;
    }
  });
  return out;
}

void VarSection(std::ostringstream& st, const PlcProgram& p, PlcVariableKind kind, const char* keyword) {
  bool any = false;
  for (const PlcVariable& v : p.variables) {
    if (v.kind != kind) continue;
    if (!any) st << keyword << "\n";
    any = true;
    st << "  " << v.name << " : BOOL;";
    if (v.name != v.shown) st << " (* " << CommentText(v.shown) << " *)";
    st << "\n";
  }
  if (any) st << "END_VAR\n";
}

std::string VarList(const PlcProgram& p, PlcVariableKind kind, const char* tag) {
  std::string xml;
  for (const PlcVariable& v : p.variables) {
    if (v.kind != kind) continue;
    xml += "            <variable name=\"" + XmlEscaped(v.name) + "\"><type><BOOL/></type>";
    if (v.name != v.shown) xml += "\n" + Documentation(v.shown, "              ") + "            ";
    xml += "</variable>\n";
  }
  return xml.empty() ? "" : "          <" + std::string(tag) + ">\n" + xml + "          </" + tag + ">\n";
}

}  // namespace

std::string XmlEscaped(const std::string& text) {
  std::string out;
  ForEachCodePoint(text, [&](char32_t c, std::string_view bytes) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '\n':
        out += c;
        break;
      default:
        if (c == 0xFFFE || c == 0xFFFF || (IsControlCharacter(c) && c != '\t')) {
          out += CodePointName(c);
        } else if (c == 0xFFFD) {
          out += "\xEF\xBF\xBD";
        } else {
          out += bytes;
        }
    }
  });
  return out;
}

std::string PlcOpenXml(const PlcProgram& p, const std::string& created) {
  std::ostringstream x;
  x << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    << "<project xmlns=\"http://www.plcopen.org/xml/tc6_0201\" xmlns:xhtml=\"http://www.w3.org/1999/xhtml\">\n"
    << "  <fileHeader companyName=\"Kelvo 16s\" productName=\"Kelvo 16s\" productVersion=\"" << KELVO_VERSION
    << "\" creationDateTime=\"" << XmlEscaped(created) << "\"/>\n"
    << "  <contentHeader name=\"" << XmlEscaped(p.name) << "\">\n"
    << "    <Comment>" << XmlEscaped("From " + p.sourceFile) << "</Comment>\n"
    << "    <coordinateInfo>\n"
    << "      <fbd><scaling x=\"1\" y=\"1\"/></fbd>\n"
    << "      <ld><scaling x=\"1\" y=\"1\"/></ld>\n"
    << "      <sfc><scaling x=\"1\" y=\"1\"/></sfc>\n"
    << "    </coordinateInfo>\n"
    << "  </contentHeader>\n"
    << "  <types>\n    <dataTypes/>\n    <pous>\n"
    << "      <pou name=\"" << XmlEscaped(p.name) << "\" pouType=\"program\">\n"
    << "        <interface>\n"
    << VarList(p, PlcVariableKind::Input, "inputVars") << VarList(p, PlcVariableKind::Output, "outputVars")
    << VarList(p, PlcVariableKind::Internal, "localVars") << "        </interface>\n"
    << "        <body>\n          <LD>\n"
    << LdWriter(p).Body() << "          </LD>\n        </body>\n"
    << Documentation(About(p), "        ") << "      </pou>\n    </pous>\n  </types>\n"
    << "  <instances>\n    <configurations>\n"
    << "      <configuration name=\"Config\">\n        <resource name=\"Resource\">\n"
    << "          <task name=\"Scan\" interval=\"T#20ms\" priority=\"0\">\n"
    << "            <pouInstance name=\"Main\" typeName=\"" << XmlEscaped(p.name) << "\"/>\n"
    << "          </task>\n        </resource>\n      </configuration>\n"
    << "    </configurations>\n  </instances>\n</project>\n";
  return x.str();
}

std::string StructuredText(const PlcProgram& p) {
  std::ostringstream st;
  st << "(* " << CommentText(About(p)) << " *)\n\n";
  st << "PROGRAM " << p.name << "\n";
  VarSection(st, p, PlcVariableKind::Input, "VAR_INPUT");
  VarSection(st, p, PlcVariableKind::Output, "VAR_OUTPUT");
  VarSection(st, p, PlcVariableKind::Internal, "VAR");
  st << "\n";
  for (const PlcRung& r : p.rungs) {
    st << "  (* " << CommentText(r.title + ": " + r.equation) << " *)\n";
    st << "  " << p.variables[r.coil].name << " := " << RungExpression(r, p.variables) << ";\n";
  }
  st << "END_PROGRAM\n";
  return st.str();
}

}  // namespace kelvo

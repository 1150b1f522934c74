#include "cli/CliCodes.h"

#include <filesystem>

#include "cli/CliOptions.h"
#include "cli/JsonWriter.h"
#include "statediagram/CodingSearch.h"
#include "statediagram/StatesFile.h"

namespace kelvo {
namespace {

std::string CodeOf(int code) {
  if (code < 0) return {};
  std::string text;
  for (int bit = kCodeDigits - 1; bit >= 0; --bit) text += ((code >> bit) & 1) ? '1' : '0';
  return text;
}

void WriteJson(const CodingResult& coding, std::ostream& out) {
  JsonWriter json(out);
  json.BeginObject();
  json.Key("found"), json.Bool(coding.found);
  json.Key("codes");
  json.BeginArray();
  for (int code : coding.codes) json.String(coding.found ? CodeOf(code) : "");
  json.EndArray();
  json.Key("transits");
  json.BeginArray();
  for (const TransitState& t : coding.transits) {
    json.BeginObject();
    json.Key("state"), json.String("S" + std::to_string(t.state));
    json.Key("code"), json.String(CodeOf(t.code));
    json.Key("comment"), json.String(TransitComment(t));
    json.Key("target"), json.String("S" + std::to_string(t.target));
    json.Key("trigger"), json.String(t.trigger);
    json.Key("sources");
    json.BeginArray();
    for (int s = 0; s < kStateCount; ++s) {
      if ((t.sources >> s) & 1) json.String("S" + std::to_string(s));
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.Key("reason");
  if (coding.found) {
    json.Null();
  } else {
    json.String(coding.reason);
  }
  json.EndObject();
  out << "\n";
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

int Codes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto o = ParseCliOptions(args, {.codes = true}, err);
  if (!o) return 2;
  const auto table = ReadStatesFile(o->file);
  if (!table) {
    err << StatesFileError(o->file, table.fault()) << "\n";
    return 2;
  }
  if (!o->output.empty() && SameFile(o->output, o->file)) {
    err << "kelvo16s-cli: -o " << o->output << " is the input file; give another name\n";
    return 2;
  }
  const CodingResult coding = FindCoding(*table, o->transit);
  if (o->json) {
    WriteJson(coding, out);
  } else {
    out << CodingText(*table, coding) << "\n";
  }
  if (!coding.found) return 1;
  if (o->output.empty()) return 0;
  if (const auto written = WriteStatesFile(o->output, WithCoding(*table, coding)); !written) {
    err << StatesFileError(o->output, written.fault()) << "\n";
    return 2;
  }
  return 0;
}

}  // namespace kelvo

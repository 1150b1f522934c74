#include "statediagram/StatesFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "common/Cp1252.h"
#include "common/SafeFiles.h"

namespace kelvo {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr size_t kMaxFileBytes = 64u << 20;  // far beyond any real table

bool HasNonAscii(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
}

std::string FlagText(bool value) { return value ? "True" : "False"; }

std::string OneLine(const std::string& text) {
  // A line break inside a field would shift every later line of the file.
  std::string line = text;
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

std::vector<std::string_view> SplitLines(std::string_view text, size_t wanted) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size() && lines.size() < wanted) {
    size_t end = text.find('\n', start);
    const bool last = end == std::string_view::npos;
    if (last) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (last) break;
    start = end + 1;
  }
  return lines;
}

// Bytes no states file holds inside a line, named with the first line (of the
// first `count`) holding one: they explain a text that does not load.
std::optional<Fault> StrayBytes(const std::vector<std::string_view>& lines, size_t count) {
  for (size_t n = 0; n < count; ++n) {
    const int line = static_cast<int>(n + 1);
    const auto nuls = static_cast<size_t>(std::count(lines[n].begin(), lines[n].end(), '\0'));
    // UTF-16 text of Latin letters has a NUL beside almost every letter.
    if (nuls * 3 >= lines[n].size() && nuls > 0) {
      return Fault{"a NUL byte: the file looks like UTF-16 text, not a states file", line};
    }
    if (nuls > 0) return Fault{"a NUL byte: the file is no text file", line};
    if (lines[n].find('\r') != std::string_view::npos)
      return Fault{"a stray carriage return (CR) inside the line", line};
  }
  return std::nullopt;
}

}  // namespace

std::string FormatStatesText(const StateDiagram& d) {
  std::vector<std::string> lines;
  lines.reserve(kStatesFileLines);
  for (int s = 0; s < kStateCount; ++s) lines.push_back(d.Comments[s]);
  for (int s = 0; s < kStateCount; ++s)
    for (int j = 0; j < kSlotCount; ++j) lines.push_back(d.Targets[s][j]);
  for (int s = 0; s < kStateCount; ++s)
    for (int j = 0; j < kSlotCount; ++j) lines.push_back(d.Triggers[s][j]);
  for (int s = 0; s < kStateCount; ++s) lines.push_back(d.Codes[s]);
  for (int r = 0; r < kRelayCount; ++r) lines.push_back(d.CoilNames[r]);
  for (int s = 0; s < kStateCount; ++s)
    for (int r = 0; r < kRelayCount; ++r) lines.push_back(FlagText(d.CoilOn[s][r]));
  for (int s = 0; s < kStateCount; ++s)
    for (int r = 0; r < kRelayCount; ++r) lines.push_back(FlagText(d.CoilOff[s][r]));

  std::string utf8;
  for (const auto& line : lines) {
    utf8 += OneLine(line);
    utf8 += "\r\n";
  }
  // Windows-1252 bytes that happen to form UTF-8 (such as "Ã¤") would be read
  // back as UTF-8 ("ä"): such a table is written as UTF-8 behind the mark.
  if (auto cp1252 = EncodeCp1252(utf8); cp1252 && !(HasNonAscii(*cp1252) && IsValidUtf8(*cp1252))) return *cp1252;
  return std::string(kUtf8Bom) + utf8;
}

std::optional<bool> ParseFlag(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  if (line.empty()) return std::nullopt;
  std::string lower;
  for (char c : line) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (lower == "true") return true;
  if (lower == "false") return false;
  // A number: sign, digits, optional fraction and exponent, nothing else.
  const std::string text(line);
  if (text.find_first_not_of("+-.0123456789eE") != std::string::npos) return std::nullopt;
  if (text.find_first_of("0123456789") == std::string::npos) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || std::isnan(value)) return std::nullopt;
  return value != 0.0;
}

Result<StateDiagram> ParseStatesText(std::string_view bytes) {
  std::string text;
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    text = SanitizeUtf8(bytes.substr(kUtf8Bom.size()));
  } else if (HasNonAscii(bytes) && IsValidUtf8(bytes)) {
    text = std::string(bytes);  // UTF-8 without a byte-order mark, as most editors write it
  } else {
    text = DecodeCp1252(bytes);
  }
  const auto lines = SplitLines(text, kStatesFileLines);
  if (lines.size() < kStatesFileLines) {
    return StrayBytes(lines, lines.size())
        .value_or(Fault{"expected " + std::to_string(kStatesFileLines) + " lines, the file ends after " +
                            std::to_string(lines.size()),
                        static_cast<int>(lines.size() + 1)});
  }

  StateDiagram d;
  d.Clear();
  size_t n = 0;
  for (int s = 0; s < kStateCount; ++s) d.Comments[s] = lines[n++];
  for (int s = 0; s < kStateCount; ++s)
    for (int j = 0; j < kSlotCount; ++j) d.Targets[s][j] = lines[n++];
  for (int s = 0; s < kStateCount; ++s)
    for (int j = 0; j < kSlotCount; ++j) d.Triggers[s][j] = lines[n++];
  for (int s = 0; s < kStateCount; ++s) d.Codes[s] = lines[n++];
  for (int r = 0; r < kRelayCount; ++r) d.CoilNames[r] = lines[n++];
  for (auto* flags : {&d.CoilOn, &d.CoilOff}) {
    for (int s = 0; s < kStateCount; ++s) {
      for (int r = 0; r < kRelayCount; ++r) {
        const auto flag = ParseFlag(lines[n++]);
        if (!flag) {
          return StrayBytes(lines, n).value_or(
              Fault{"'" + std::string(lines[n - 1]) + "' is not a flag", static_cast<int>(n)});
        }
        (*flags)[s][r] = *flag;
      }
    }
  }
  return d;
}

Result<StateDiagram> ReadStatesFile(const std::string& path) {
  const auto bytes = ReadRegularFile(path, kMaxFileBytes);
  if (!bytes) return bytes.fault();
  return ParseStatesText(*bytes);
}

Result<Done> WriteStatesFile(const std::string& path, const StateDiagram& diagram) {
  return WriteFileAtomically(path, FormatStatesText(diagram));
}

std::string StatesFileError(const std::string& path, const Fault& fault) {
  const std::string why = fault.Text();
  return "Unknown Error while opening file " + path + (why.empty() ? "" : "\n" + why);
}

std::string StatesFileSaveError(const std::string& path, const Fault& fault) {
  const std::string why = fault.Text();
  return "Unknown Error while saving file " + path + (why.empty() ? "" : "\n" + why);
}

FileDialogOptions StatesFileDialogOptions() {
  return {"States File", "sfi|*.sfi|txt|*.txt|sfi & txt|*.sfi;*.txt|All files|*.*", "sfi", true, ""};
}

}  // namespace kelvo

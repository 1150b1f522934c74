#include "statediagram/StatesFile.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "common/Cp1252.h"

namespace kelvo {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr size_t kMaxFileBytes = 64u << 20;  // far beyond any real table

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
  if (auto cp1252 = EncodeCp1252(utf8)) return *cp1252;
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

std::optional<StateDiagram> ParseStatesText(std::string_view bytes) {
  std::string text;
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    text = SanitizeUtf8(bytes.substr(kUtf8Bom.size()));
  } else {
    text = DecodeCp1252(bytes);
  }
  const auto lines = SplitLines(text, kStatesFileLines);
  if (lines.size() < kStatesFileLines) return std::nullopt;

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
        if (!flag) return std::nullopt;
        (*flags)[s][r] = *flag;
      }
    }
  }
  return d;
}

std::optional<StateDiagram> ReadStatesFile(const std::string& path) {
  std::error_code ec;
  if (path.empty() || std::filesystem::is_directory(path, ec)) return std::nullopt;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  bool failed = false;
  while (true) {
    const size_t got = std::fread(buffer, 1, sizeof buffer, file);
    bytes.append(buffer, got);
    if (bytes.size() > kMaxFileBytes) {
      failed = true;
      break;
    }
    if (got < sizeof buffer) {
      failed = std::ferror(file) != 0;
      break;
    }
  }
  std::fclose(file);
  if (failed) return std::nullopt;
  return ParseStatesText(bytes);
}

bool WriteStatesFile(const std::string& path, const StateDiagram& diagram) {
  namespace fs = std::filesystem;
  if (path.empty()) return false;
  std::error_code ec;
  if (fs::is_directory(path, ec)) return false;
  const std::string bytes = FormatStatesText(diagram);

  // Write beside the target, then move it into place in one step.
  std::string tmpl = path + ".XXXXXX";
  const int fd = ::mkstemp(tmpl.data());
  if (fd < 0) return false;
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += static_cast<size_t>(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok) {
    // Keep the permissions of a file being replaced; a new one gets the usual 0666 & ~umask.
    fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;
    if (fs::exists(path, ec)) perms = fs::status(path, ec).permissions();
    fs::permissions(tmpl, perms, ec);
    ok = std::rename(tmpl.c_str(), path.c_str()) == 0;
  }
  if (!ok) std::remove(tmpl.c_str());
  return ok;
}

std::string StatesFileError(const std::string& path) { return "Unknown Error while opening file " + path; }

FileDialogOptions StatesFileDialogOptions() {
  return {"States File", "sfi|*.sfi|txt|*.txt|sfi & txt|*.sfi;*.txt|All files|*.*", "sfi", true};
}

}  // namespace kelvo

#include "cli/CliReport.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <optional>

#include "cli/ClassReport.h"
#include "cli/CliRender.h"
#include "cli/VisibleText.h"
#include "common/SafeFiles.h"

namespace kelvo {
namespace {

struct ReportArguments {
  std::vector<std::string> inputs;
  ClassReportOptions options;
  std::string page = "report.html";
  std::string csv;
};

struct ReportInput {
  std::string path, shownName;
};

std::optional<ReportArguments> ParseReportArguments(const std::vector<std::string>& args, std::ostream& err) {
  ReportArguments a;
  const auto fail = [&](const std::string& what) {
    err << "kelvo16s-cli: " << what << "\n";
    return std::nullopt;
  };
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--auto") {
      a.options.autoCodes = true;
    } else if (arg == "--parallel") {
      a.options.parallel = true;
    } else if (arg == "-o" || arg == "--output" || arg == "--csv") {
      if (i + 1 >= args.size()) return fail("option " + arg + " needs a value");
      const std::string& value = args[++i];
      if (value.empty() || value[0] == '-') return fail("the output file name must not be empty or start with \"-\"");
      (arg == "--csv" ? a.csv : a.page) = value;
    } else if (!arg.empty() && arg[0] == '-') {
      return fail("unknown option '" + arg + "'");
    } else {
      a.inputs.push_back(arg);
    }
  }
  if (a.inputs.empty()) return fail("no states files or folder given");
  if (a.page == a.csv || SameFile(a.page, a.csv)) return fail("the page and the CSV need different names");
  return a;
}

// A folder stands for its states files, named within it when it is the only input.
std::optional<std::vector<ReportInput>> ExpandInputs(const std::vector<std::string>& inputs, std::ostream& err) {
  std::vector<ReportInput> files;
  for (const std::string& input : inputs) {
    std::error_code error;
    if (!std::filesystem::is_directory(input, error)) {
      files.push_back({input, input});
      continue;
    }
    const std::vector<std::string> inFolder = StatesFilesIn(input);
    if (inFolder.empty()) {
      err << "kelvo16s-cli: no states files (.sfi) in " << VisibleText(input) << "\n";
      return std::nullopt;
    }
    for (const std::string& path : inFolder) {
      const std::string name = std::filesystem::path(path).filename().string();
      files.push_back({path, inputs.size() == 1 ? name : (std::filesystem::path(input) / name).string()});
    }
  }
  return files;
}

void ShowProgress(std::ostream& err, size_t done, size_t total) {
  constexpr size_t kBarWidth = 30;
  const size_t filled = total ? done * kBarWidth / total : kBarWidth;
  err << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] " << done << "/" << total
      << (done == total ? "\n" : "") << std::flush;
}

bool Write(const std::string& path, const std::string& bytes, std::ostream& err) {
  const auto written = WriteFileAtomically(path, bytes);
  if (written) return true;
  err << "Unknown Error while creating file " << VisibleText(path) << "\n" << written.why() << "\n";
  return false;
}

}  // namespace

int Report(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto a = ParseReportArguments(args, err);
  if (!a) return 2;
  const auto files = ExpandInputs(a->inputs, err);
  if (!files) return 2;
  for (const ReportInput& file : *files) {
    for (const std::string* output : {&a->page, &a->csv}) {
      if (output->empty() || !SameFile(file.path, *output)) continue;
      err << "kelvo16s-cli: the output " << VisibleText(*output) << " is the states file " << VisibleText(file.path)
          << "; choose another name\n";
      return 2;
    }
  }
  EnsureGuiApplication();
  TileImages tiles;
  if (!tiles.LoadAll()) {
    err << tiles.Error().toStdString() << "\n";
    return 2;
  }
  const bool terminal = &err == &std::cerr && isatty(STDERR_FILENO);
  ClassReport report(a->options, tiles.Images());
  for (size_t i = 0; i < files->size(); ++i) {
    if (terminal) ShowProgress(err, i, files->size());
    report.AddFile((*files)[i].path, (*files)[i].shownName);
  }
  if (terminal) ShowProgress(err, files->size(), files->size());
  for (const ReportRow& row : report.Page().Rows()) {
    if (row.verdict == ReportVerdict::Unreadable)
      err << "kelvo16s-cli: could not read " << VisibleText(row.file) << "\n";
  }
  if (!Write(a->page, report.Page().Html(), err)) return 2;
  if (!a->csv.empty() && !Write(a->csv, report.Page().Csv(), err)) return 2;
  out << VisibleText(a->page) << "\n";
  if (!a->csv.empty()) out << VisibleText(a->csv) << "\n";
  return report.AllRead() ? 0 : 1;
}

}  // namespace kelvo

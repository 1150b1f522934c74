// The class report made by the real tool in a child process: the page read
// back as XML, the hostile names, a folder with a bad file and the CSV against
// `check`.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QXmlStreamReader>
#include <filesystem>
#include <map>
#include <set>

#include "statediagram/StatesFile.h"
#include "support/Tables.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadBytes;
using testing::TempDir;
namespace fs = std::filesystem;

struct ToolRun {
  int status;
  std::string out, err;
};

ToolRun Tool(const std::vector<std::string>& args, const TempDir& dir) {
  const std::string outFile = dir.File("stdout.txt"), errFile = dir.File("stderr.txt");
  const pid_t pid = fork();
  if (pid == 0) {
    ::dup2(::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    ::dup2(::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    std::vector<char*> argv{const_cast<char*>(KELVO_CLI_PATH)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(KELVO_CLI_PATH, argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128, ReadBytes(outFile), ReadBytes(errFile)};
}

// What the page holds, read as XML: a reader error fails the test.
struct PageContents {
  std::vector<std::map<std::string, std::string>> summaryRows;  // "class", "file", "href", "codes", "check"
  std::set<std::string> sectionIds;
  std::map<std::string, int> svgsInSection;
  std::set<std::string> elements;
  std::set<std::string> attributes;
  std::string text;     // every text of the page
  std::string svgText;  // the texts inside the pictures
};

PageContents ReadPage(const std::string& html) {
  PageContents page;
  QXmlStreamReader xml(QString::fromStdString(html));
  std::string section, cell;
  int svgDepth = 0, column = -1;
  bool inSummary = false;
  while (!xml.atEnd()) {
    xml.readNext();
    const std::string name = xml.name().toString().toStdString();
    if (xml.isStartElement()) {
      page.elements.insert(name);
      for (const auto& a : xml.attributes()) page.attributes.insert(a.name().toString().toStdString());
      const std::string cls = xml.attributes().value("class").toString().toStdString();
      if (name == "table" && cls == "summary") inSummary = true;
      if (name == "section") page.sectionIds.insert(section = xml.attributes().value("id").toString().toStdString());
      if (name == "svg" && svgDepth++ == 0) ++page.svgsInSection[section];
      if (inSummary && name == "tr" && !cls.empty()) page.summaryRows.push_back({{"class", cls}}), column = -1;
      if (inSummary && name == "td") ++column, cell.clear();
      if (inSummary && name == "a")
        page.summaryRows.back()["href"] = xml.attributes().value("href").toString().toStdString();
    } else if (xml.isEndElement()) {
      if (name == "svg") --svgDepth;
      if (name == "table") inSummary = false;
      if (inSummary && name == "td" && column == 0) page.summaryRows.back()["file"] = cell;
      if (inSummary && name == "td" && column == 3) page.summaryRows.back()["codes"] = cell;
      if (inSummary && name == "td" && column == 5) page.summaryRows.back()["check"] = cell;
    } else if (xml.isCharacters()) {
      const std::string text = xml.text().toString().toStdString();
      page.text += text + "\n";
      if (svgDepth > 0) page.svgText += text + "\n";
      cell += text;
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
  return page;
}

const std::vector<std::string> kExamples{"four-state-cycle.sfi", "garage-door.sfi", "traffic-light.sfi",
                                         "two-state-latch.sfi"};

TEST(ClassReport, ExamplesPageAndCsvAgreeWithCheck) {
  TempDir dir;
  // As typed (garage-door.sfi has no codes: not drawn), and with automatic codes in parallel form.
  for (const std::vector<std::string>& form : {std::vector<std::string>{}, {"--auto", "--parallel"}}) {
    std::vector<std::string> args{"report", KELVO_TEST_DATA,        "-o", dir.File("report.html"),
                                  "--csv",  dir.File("summary.csv")};
    args.insert(args.end(), form.begin(), form.end());
    const ToolRun run = Tool(args, dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find('\r'), std::string::npos) << "no progress bar on a pipe";
    EXPECT_EQ(run.out, dir.File("report.html") + "\n" + dir.File("summary.csv") + "\n");

    const PageContents page = ReadPage(ReadBytes(dir.File("report.html")));
    ASSERT_EQ(page.summaryRows.size(), kExamples.size());
    for (size_t i = 0; i < kExamples.size(); ++i) {
      const std::string id = "file-" + std::to_string(i + 1);
      EXPECT_EQ(page.summaryRows[i].at("file"), kExamples[i]);
      EXPECT_EQ(page.summaryRows[i].at("href"), "#" + id);
      EXPECT_TRUE(page.sectionIds.count(id)) << id;
      // The diagram, and at least one circuit when drawn.
      const bool drawn = page.summaryRows[i].at("class") != "notdrawn";
      EXPECT_GE(page.svgsInSection.at(id), drawn ? 2 : 1) << kExamples[i];
      EXPECT_TRUE(drawn || form.empty()) << kExamples[i];
    }
    for (const char* heading : {"State table", "State diagram", "Equations", "Circuits", "Check"}) {
      EXPECT_NE(page.text.find(heading), std::string::npos) << heading;
    }

    // A CSV row per file, its verdict as `check` gives it by its exit status.
    std::istringstream csv(ReadBytes(dir.File("summary.csv")));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line.rfind("file,states,transitions,codes,", 0), 0u) << line;
    for (const std::string& example : kExamples) {
      ASSERT_TRUE(std::getline(csv, line));
      std::vector<std::string> fields;
      std::stringstream split(line);
      for (std::string f; std::getline(split, f, ',');) fields.push_back(f);
      ASSERT_GE(fields.size(), 10u) << line;
      EXPECT_EQ(fields[0], example);
      std::vector<std::string> check{"check", std::string(KELVO_TEST_DATA) + "/" + example};
      check.insert(check.end(), form.begin(), form.end());
      const int status = Tool(check, dir).status;
      const std::set<std::string> verdicts =
          status == 0 ? std::set<std::string>{"passed"} : std::set<std::string>{"failed", "not drawn"};
      EXPECT_TRUE(status != 2 && verdicts.count(fields[7])) << example << " " << form.size() << ": " << line;
    }
  }
}

TEST(ClassReport, HostileNamesShowAsText) {
  TempDir dir;
  const std::string script = "<script>alert(1)</script>";
  const std::string img = "\"><img src=x onerror=alert(1)>";
  StateDiagram table = testing::Latch();
  table.Comments[0] = script;
  table.Comments[1] = "R&D's \"lab\"";
  table.CoilNames[0] = img;
  table.CoilNames[1] = "Q&A</text>";
  table.CoilOn[1][0] = table.CoilOn[0][1] = true;
  ASSERT_TRUE(WriteStatesFile(dir.File(img + ".sfi"), table));
  StateDiagram badTarget = testing::Latch();
  badTarget.Targets[1][0] = script;  // refused by the synthesis, drawn as a dangling arrow
  ASSERT_TRUE(WriteStatesFile(dir.File("a&b.sfi"), badTarget));

  const ToolRun run = Tool({"report", dir.Path().string(), "-o", dir.File("report.html")}, dir);
  ASSERT_EQ(run.status, 0) << run.err;
  const PageContents page = ReadPage(ReadBytes(dir.File("report.html")));
  EXPECT_FALSE(page.elements.count("script"));
  EXPECT_FALSE(page.elements.count("img"));
  EXPECT_FALSE(page.attributes.count("onerror"));
  ASSERT_EQ(page.summaryRows.size(), 2u);
  EXPECT_EQ(page.summaryRows[0].at("file"), img + ".sfi");
  EXPECT_EQ(page.summaryRows[1].at("file"), "a&b.sfi");
  EXPECT_EQ(page.summaryRows[1].at("check"), "not drawn");
  for (const std::string& shown : {script, img, std::string("R&D's \"lab\""), std::string("Q&A</text>")}) {
    EXPECT_NE(page.text.find(shown), std::string::npos) << shown;
  }
  // The relay names in the circuits and the diagram, the bad target in its arrow's label.
  EXPECT_NE(page.svgText.find(img), std::string::npos);
  EXPECT_NE(page.svgText.find("Q&A</text>"), std::string::npos);
  EXPECT_NE(page.svgText.find("to \"" + script + "\""), std::string::npos);
}

// Auto gives up on a ring of three states: the codes cell and the CSV say why.
TEST(ClassReport, FailedAutomaticCodesSayWhy) {
  TempDir dir;
  StateDiagram ring;
  for (int s = 0; s < 3; ++s) {
    ring.Targets[s][0] = "S" + std::to_string((s + 1) % 3);
    ring.Triggers[s][0] = "X" + std::to_string(s + 1);
  }
  ASSERT_TRUE(WriteStatesFile(dir.File("ring.sfi"), ring));
  const ToolRun run = Tool(
      {"report", dir.File("ring.sfi"), "--auto", "-o", dir.File("report.html"), "--csv", dir.File("ring.csv")}, dir);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string why =
      "S0 -> S1 -> S2 -> S0 is a cycle of three transitions. Every relay that picks up on the way round must drop out "
      "again, so a cycle needs an even number of transitions: add a state, or use Tools > Assign Codes with Transit "
      "States.";
  const PageContents page = ReadPage(ReadBytes(dir.File("report.html")));
  ASSERT_EQ(page.summaryRows.size(), 1u);
  EXPECT_EQ(page.summaryRows[0].at("codes"), "failed: " + why);
  EXPECT_NE(ReadBytes(dir.File("ring.csv")).find(",failed,\"" + why + "\","), std::string::npos);
}

TEST(ClassReport, BadFileIsARowAndBadArgumentsAreRefused) {
  TempDir dir;
  const fs::path folder = dir.Path() / "class";
  fs::create_directory(folder);
  fs::copy_file(std::string(KELVO_TEST_DATA) + "/two-state-latch.sfi", folder / "latch.sfi");
  testing::WriteBytes((folder / "broken.sfi").string(), "S1\r\nnot a states file\r\n");
  const std::string html = dir.File("report.html");

  const ToolRun run = Tool({"report", folder.string(), "-o", html}, dir);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("could not read broken.sfi"), std::string::npos) << run.err;
  const PageContents page = ReadPage(ReadBytes(html));
  ASSERT_EQ(page.summaryRows.size(), 2u);
  EXPECT_EQ(page.summaryRows[0].at("file"), "broken.sfi");
  EXPECT_EQ(page.summaryRows[0].at("class"), "unreadable");
  EXPECT_NE(page.text.find("expected 358 lines"), std::string::npos);
  EXPECT_EQ(page.summaryRows[1].at("check").rfind("passed (", 0), 0u) << page.summaryRows[1].at("check");
  EXPECT_TRUE(page.sectionIds.count("file-1") && page.sectionIds.count("file-2"));

  const std::string latch = (folder / "latch.sfi").string();
  const std::string before = ReadBytes(latch);
  for (const std::vector<std::string>& args : {std::vector<std::string>{"report"},
                                               {"report", latch, "--view", "a"},
                                               {"report", latch, "-o"},
                                               {"report", latch, "-o", latch},
                                               {"report", latch, "--csv", latch},
                                               {"report", latch, "-o", html, "--csv", html},
                                               {"report", (dir.Path() / "empty-folder").string()}}) {
    fs::create_directories(dir.Path() / "empty-folder");
    EXPECT_EQ(Tool(args, dir).status, 2) << args.back();
  }
  EXPECT_EQ(ReadBytes(latch), before);
  EXPECT_EQ(Tool({"report", (folder / "none.sfi").string(), "-o", html}, dir).status, 1);
}

}  // namespace
}  // namespace kelvo

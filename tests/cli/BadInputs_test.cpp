// Strange files, full disks and odd options, tried on the real command-line
// tool in a child process (so that a hang is a timeout and a file-size limit
// hits only the child) and on the states file functions.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "analysis/CircuitCheck.h"
#include "cli/CliSession.h"
#include "common/SafeFiles.h"
#include "ladder/RecordingCanvas.h"
#include "statediagram/StatesFile.h"
#include "support/Tables.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

struct ToolRun {
  bool finished;  // false: killed after the timeout
  int status;     // exit status when finished
  std::string err;
};

// Runs kelvo16s-cli with `args`; `fileSizeLimit` > 0 sets RLIMIT_FSIZE in the child.
ToolRun Tool(const std::vector<std::string>& args, const TempDir& dir, rlim_t fileSizeLimit = 0, int seconds = 20) {
  const std::string errFile = dir.File("stderr.txt");
  // Under LeakSanitizer: the tool keeps its Qt application to the end, and the
  // font library's caches are still held then.
  const std::string suppressions = dir.File("lsan.supp");
  std::ofstream(suppressions) << "leak:libfontconfig\n";
  const pid_t pid = fork();
  if (pid == 0) {
    ::setenv("LSAN_OPTIONS", ("suppressions=" + suppressions).c_str(), 1);
    const int fd = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(fd, 2);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    if (fileSizeLimit > 0) {
      const rlimit limit{fileSizeLimit, fileSizeLimit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> argv{const_cast<char*>(KELVO_CLI_PATH)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(KELVO_CLI_PATH, argv.data());
    ::_exit(127);
  }
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return {false, -1, ""};
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::ifstream in(errFile);
  std::stringstream err;
  err << in.rdbuf();
  return {true, WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), err.str()};
}

std::string Example(const std::string& name) { return std::string(KELVO_TEST_DATA) + "/" + name; }

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Files in `dir` other than the given ones (left-over temporary files).
std::vector<std::string> Others(const TempDir& dir, std::vector<std::string> known) {
  known.push_back("stderr.txt");
  known.push_back("lsan.supp");
  std::vector<std::string> others;
  for (const auto& e : fs::directory_iterator(dir.Path())) {
    if (std::find(known.begin(), known.end(), e.path().filename()) == known.end()) others.push_back(e.path());
  }
  return others;
}

TEST(BadInputs, AFifoIsRefusedAtOnceInsteadOfHanging) {
  TempDir dir;
  const std::string fifo = dir.File("p.sfi");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const ToolRun r = Tool({"inspect", fifo}, dir, 0, 10);
  ASSERT_TRUE(r.finished) << "inspect hung on a FIFO";
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Unknown Error while opening file " + fifo + "\nnot a regular file\n");
  const auto read = ReadRegularFile(fifo, 1 << 20);
  EXPECT_FALSE(read);
  EXPECT_EQ(read.why(), "not a regular file");
}

TEST(BadInputs, RenderNeverDestroysAFile) {
  TempDir dir;
  const std::string table = dir.File("t.sfi");
  fs::copy_file(Example("four-state-cycle.sfi"), table);
  const std::string original = Contents(table);

  // Onto its own input, also through another name.
  ToolRun r = Tool({"render", table, "-o", table}, dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Has(r.err, "is the states file itself")) << r.err;
  fs::create_symlink(table, dir.File("alias.bmp"));
  EXPECT_EQ(Tool({"render", table, "-o", dir.File("alias.bmp")}, dir).status, 2);
  EXPECT_EQ(Contents(table), original);

  // "-o --auto": a forgotten name, not a file called "--auto".
  r = Tool({"render", table, "-o", "--auto"}, dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(fs::exists(dir.File("--auto")));

  // A flow that stops draws nothing and writes nothing.
  const std::string picture = dir.File("old.bmp");
  { std::ofstream(picture) << "an older picture"; }
  StateDiagram bad = *ReadStatesFile(table);
  bad.Targets[0][0] = "S99";
  ASSERT_TRUE(WriteStatesFile(dir.File("bad.sfi"), bad));
  EXPECT_EQ(Tool({"render", dir.File("bad.sfi"), "-o", picture}, dir).status, 1);
  EXPECT_EQ(Contents(picture), "an older picture");
  EXPECT_EQ(Tool({"render", dir.File("bad.sfi"), "-o", dir.File("new.bmp")}, dir).status, 1);
  EXPECT_FALSE(fs::exists(dir.File("new.bmp")));

  // Past the file-size limit (a full disk): the old picture stays, no empty file appears.
  r = Tool({"render", table, "-o", picture}, dir, 4096);
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_TRUE(Has(r.err, "Unknown Error while creating file " + picture)) << r.err;
  EXPECT_EQ(Contents(picture), "an older picture");
  r = Tool({"render", table, "-o", dir.File("fresh.bmp")}, dir, 4096);
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(fs::exists(dir.File("fresh.bmp")));
  EXPECT_EQ(Others(dir, {"t.sfi", "alias.bmp", "old.bmp", "bad.sfi"}), std::vector<std::string>{});

  // And with room, it is written.
  EXPECT_EQ(Tool({"render", table, "-o", picture}, dir).status, 0);
  EXPECT_EQ(Contents(picture).substr(0, 2), "BM");
}

TEST(BadInputs, SavingFollowsLinksAndReplacesOnlyRegularFiles) {
  TempDir dir;
  StateDiagram d = *ReadStatesFile(Example("four-state-cycle.sfi"));
  const std::string target = dir.File("real.sfi");
  { std::ofstream(target) << "old"; }
  fs::create_symlink("real.sfi", dir.File("link.sfi"));
  ASSERT_TRUE(WriteStatesFile(dir.File("link.sfi"), d));
  EXPECT_TRUE(fs::is_symlink(dir.File("link.sfi")));
  EXPECT_EQ(Contents(target), FormatStatesText(d));

  const std::string fifo = dir.File("pipe.sfi");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const auto toFifo = WriteStatesFile(fifo, d);
  EXPECT_FALSE(toFifo);
  EXPECT_EQ(toFifo.why(), "not a regular file");
  EXPECT_TRUE(fs::is_fifo(fifo));
  const auto toDevice = WriteStatesFile("/dev/null", d);
  EXPECT_FALSE(toDevice);
  EXPECT_EQ(toDevice.why(), "not a regular file");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(Others(dir, {"real.sfi", "link.sfi", "pipe.sfi"}), std::vector<std::string>{});
}

// Names up to the longest a file name may be (255 bytes) are written, by
// Save and by render, leaving no temporary file behind.
TEST(BadInputs, EveryLegalNameCanBeWritten) {
  TempDir dir;
  const StateDiagram d = *ReadStatesFile(Example("four-state-cycle.sfi"));
  std::vector<std::string> written;
  for (size_t length : {249u, 255u}) {
    const std::string sfi = std::string(length - 4, 's') + ".sfi", bmp = std::string(length - 4, 'b') + ".bmp",
                      png = std::string(length - 4, 'p') + ".png";
    SCOPED_TRACE(length);
    const auto saved = WriteStatesFile(dir.File(sfi), d);
    EXPECT_TRUE(saved) << saved.why();
    for (const std::string& picture : {bmp, png}) {
      const ToolRun run = Tool({"render", Example("four-state-cycle.sfi"), "-o", dir.File(picture)}, dir);
      EXPECT_EQ(run.status, 0) << run.err;
    }
    written.insert(written.end(), {sfi, bmp, png});
    EXPECT_EQ(Others(dir, written), std::vector<std::string>{});
  }
}

TEST(BadInputs, AWritePastTheFileSizeLimitFailsAndKeepsTheOldFile) {
  TempDir dir;
  const std::string file = dir.File("kept.sfi");
  { std::ofstream(file) << "the old table"; }
  const pid_t pid = fork();
  if (pid == 0) {
    IgnoreFileSizeSignal();
    const rlimit limit{1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    StateDiagram d;
    d.Clear();
    const auto written = WriteStatesFile(file, d);
    ::_exit(written ? 1 : written.why().empty() ? 2 : 0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Contents(file), "the old table");
  EXPECT_EQ(Others(dir, {"kept.sfi"}), std::vector<std::string>{});
}

TEST(BadInputs, Utf8WithoutAMarkIsReadAsUtf8) {
  auto withName = [](const std::string& name) {
    StateDiagram d;
    d.Clear();
    d.CoilNames[0] = name;
    return d;
  };
  const std::string utf8 = "L\xC3\xA4mpchen";  // "Lämpchen"
  std::string text = FormatStatesText(withName("Lx"));
  text.replace(text.find("Lx"), 2, utf8);  // as another editor writes it: UTF-8, no mark
  EXPECT_EQ(ParseStatesText(text)->CoilNames[0], utf8);
  EXPECT_EQ(ParseStatesText(FormatStatesText(withName(utf8)))->CoilNames[0], utf8);  // written as Windows-1252
  EXPECT_EQ(FormatStatesText(withName(utf8)).find("L\xE4mpchen") != std::string::npos, true);
  // Text whose Windows-1252 bytes would read as UTF-8 is written behind the mark, so it comes back.
  const std::string tricky = "\xC3\x83\xC2\xA4";  // "Ã¤"
  EXPECT_EQ(ParseStatesText(FormatStatesText(withName(tricky)))->CoilNames[0], tricky);
}

struct Session {
  RecordingCanvas canvas;
  CliSession session;
  explicit Session(const StateDiagram& d, Answer answer = Answer::Yes) : session(answer, canvas) {
    session.form.OpenTable(d);
    session.form.ShowStatePage();
    session.form.DrawCircuit();
  }
  std::string LastMessage() const {
    return session.dialogs.messages.empty() ? "" : session.dialogs.messages.back().text;
  }
};

// The latch with a relay "Lamp" ON in S1.
StateDiagram Latch() {
  StateDiagram d = testing::Latch();
  d.CoilNames[0] = "Lamp";
  d.CoilOn[1][0] = true;
  return d;
}

TEST(BadInputs, TargetsMustNameAState) {
  for (const char* target : {"S-1", "S 3", "S", "3", "S1x", "S16"}) {
    StateDiagram d = Latch();
    d.Targets[0][0] = target;
    Session s(d);
    EXPECT_FALSE(s.session.handedOver) << target;
    EXPECT_EQ(s.LastMessage(), std::string("State S0 (transition 1) goes to \"") + target +
                                   "\", which is not one of the states S0 to S15. Correct the target first.");
  }
  for (const char* target : {"S1", "s1", "S01"}) {
    StateDiagram d = Latch();
    d.Targets[0][0] = target;
    EXPECT_TRUE(Session(d).session.handedOver) << target;
  }
}

TEST(BadInputs, ACodeIsFourBinaryDigitsAndTheCheckNeverPassesWhatItCouldNotRun) {
  for (const char* code : {"0011x", " 001", "00a1"}) {
    StateDiagram d = Latch();
    d.Codes[1] = code;
    Session s(d, Answer::No);  // the field check asks; No stops
    EXPECT_FALSE(s.session.handedOver) << code;
    EXPECT_EQ(s.LastMessage(), "Field 'dcbaF' is incompete. Do you want to continue with Automatic calculation?");
  }
  // Drawn with the code as typed (Yes only ticks "Auto" for the next run): the
  // transitions, the hold and the output of S1 are failures, not passes.
  StateDiagram d = Latch();
  d.Codes[1] = "0001x";
  Session s(d);
  ASSERT_TRUE(s.session.handedOver);
  const CheckReport r = CheckCircuit(s.session.form.table(), s.session.equations, s.session.grid, false);
  std::vector<std::string> failures;
  for (const auto& f : r.findings) {
    if (!f.passed) failures.push_back(f.text);
  }
  EXPECT_EQ(failures, (std::vector<std::string>{"S0 -> S1 on X1: not checked: S1 has no complete code",
                                                "S1 -> S0 on x2: not checked: S1 has no complete code",
                                                "hold S1: not checked: S1 has no complete code",
                                                "output Lamp: not checked: S1 has no complete code"}));
}

TEST(BadInputs, TriggersAreBoundedInSize) {
  auto chain = [](int n, char joint) {
    std::string t;
    for (int i = 0; i < n; ++i) t += (i ? std::string(1, joint) : "") + "X" + std::to_string(i);
    return t;
  };
  const struct {
    std::string trigger;
    std::string why;
  } cases[] = {
      {chain(21, '+'), "it has 21 terms, more than the 20 a trigger may have"},
      {chain(11, '.'), "it has a term of 11 contacts, more than the 10 a term may have"},
      {std::string(201, 'X'), "it has 201 characters, more than the 200 a trigger may have"},
      {chain(20000, '.'), "it has 128889 characters, more than the 200 a trigger may have"},
  };
  for (const auto& c : cases) {
    StateDiagram d = Latch();
    d.Triggers[0][0] = c.trigger;
    Session s(d);
    EXPECT_FALSE(s.session.handedOver);
    const std::string shown = c.trigger.size() > 60 ? c.trigger.substr(0, 60) + "..." : c.trigger;
    EXPECT_EQ(s.LastMessage(), "State S0 (transition 1) has the trigger \"" + shown +
                                   "\", which is too large: " + c.why + ". Shorten the trigger first.");
  }
  StateDiagram d = Latch();
  d.Triggers[0][0] = chain(20, '+');
  EXPECT_TRUE(Session(d).session.handedOver);
}

}  // namespace
}  // namespace kelvo

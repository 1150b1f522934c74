#include "statediagram/StatesFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

StateDiagram SampleTable() {
  StateDiagram d;
  d.Clear();
  d.Comments[0] = " idle, with spaces ";
  d.Comments[15] = "caf\xC3\xA9 \xE2\x82\xAC";  // café €: both exist in Windows-1252
  d.Targets[0][0] = "S1";
  d.Targets[1][3] = "S0";
  d.Targets[15][2] = "S99";
  d.Triggers[0][0] = "A1.B1+dt.a1.C1+b1.DT";
  d.Triggers[1][3] = "x2";
  d.Codes[0] = "0000";
  d.Codes[1] = "0001";
  d.Codes[2] = "01";
  d.CoilNames[0] = "Motor";
  d.CoilNames[5] = "Lamp ";
  d.CoilOn[1][0] = true;
  d.CoilOff[1][0] = false;
  d.CoilOn[15][5] = true;  // both flags true: kept as given
  return d;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(StatesFile, LayoutOfTheLines) {
  StateDiagram cleared;
  cleared.Clear();
  auto lines = Lines(FormatStatesText(cleared));
  ASSERT_EQ(lines.size(), 358u);
  for (int i = 0; i < 166; ++i) EXPECT_EQ(lines[i], "") << i;
  for (int i = 166; i < 262; ++i) EXPECT_EQ(lines[i], "False") << i;
  for (int i = 262; i < 358; ++i) EXPECT_EQ(lines[i], "True") << i;

  const StateDiagram never;  // never cleared: every flag false
  lines = Lines(FormatStatesText(never));
  for (int i = 166; i < 358; ++i) EXPECT_EQ(lines[i], "False") << i;

  lines = Lines(FormatStatesText(SampleTable()));
  EXPECT_EQ(lines[0], " idle, with spaces ");
  EXPECT_EQ(lines[16], "S1");              // line 17: Targets(0, 0)
  EXPECT_EQ(lines[16 + 4 * 1 + 3], "S0");  // line 17 + 4s + j
  EXPECT_EQ(lines[80], "A1.B1+dt.a1.C1+b1.DT");
  EXPECT_EQ(lines[144], "0000");
  EXPECT_EQ(lines[160], "Motor");
  EXPECT_EQ(lines[166 + 6 * 1 + 0], "True");   // CoilOn(1, 0)
  EXPECT_EQ(lines[262 + 6 * 1 + 0], "False");  // CoilOff(1, 0)
  EXPECT_EQ(lines[15], "caf\xE9 \x80");        // Windows-1252 bytes on disk
}

TEST(StatesFile, SaveAndLoadGiveBackEveryField) {
  TempDir dir;
  const auto path = dir.File("table.sfi");
  const StateDiagram table = SampleTable();
  ASSERT_TRUE(WriteStatesFile(path, table));
  auto loaded = ReadStatesFile(path);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, table);
  // A plain Windows-1252 file is written back byte for byte.
  const std::string bytes = ReadBytes(path);
  ASSERT_TRUE(WriteStatesFile(path, *loaded));
  EXPECT_EQ(ReadBytes(path), bytes);
  // Overwriting leaves no temporary file behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(StatesFile, TextOutsideWindows1252IsKeptAsUtf8) {
  TempDir dir;
  const auto path = dir.File("greek.sfi");
  StateDiagram table = SampleTable();
  table.Comments[4] = "\xCE\xA3 \xE2\x86\x92 S5";  // Σ → S5
  ASSERT_TRUE(WriteStatesFile(path, table));
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  auto loaded = ReadStatesFile(path);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, table);
}

TEST(StatesFile, ReaderAcceptsLfAndFlagWordsAndNumbers) {
  std::string text;
  for (int i = 0; i < 166; ++i) text += (i == 144 ? "0110" : "") + std::string("\n");
  const char* flags[] = {"true", "FALSE", "-1", "0", " 1 ", "2.5", "True", "0.0"};
  const bool values[] = {true, false, true, false, true, true, true, false};
  for (int i = 0; i < 192; ++i) text += std::string(flags[i % 8]) + (i == 191 ? "" : "\n");
  auto loaded = ParseStatesText(text);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Codes[0], "0110");
  for (int i = 0; i < 96; ++i) EXPECT_EQ(loaded->CoilOn[i / 6][i % 6], values[i % 8]) << i;
  for (int i = 0; i < 96; ++i) EXPECT_EQ(loaded->CoilOff[i / 6][i % 6], values[(96 + i) % 8]) << i;
  // Lines after the last are never read.
  EXPECT_TRUE(ParseStatesText(text + "\nnot a flag\n"));

  for (const char* bad : {"", " ", "yes", "truex", "1-", "nan", "0x1", "-"}) EXPECT_FALSE(ParseFlag(bad)) << bad;
  EXPECT_EQ(ParseFlag(std::string(100, '7')), true);
}

TEST(StatesFile, BadFilesFailWithoutTouchingAnything) {
  TempDir dir;
  const std::string good = FormatStatesText(SampleTable());
  std::string short357 = good.substr(0, good.rfind("\r\n", good.size() - 3) + 2);
  std::string wordFlag = good;
  wordFlag.replace(wordFlag.rfind("True"), 4, "Maybe");
  std::string emptyFlag = good;
  emptyFlag.replace(emptyFlag.rfind("True"), 4, "");
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  std::string doubleCr;
  for (char c : good) doubleCr += c == '\n' ? "\r\n" : std::string(1, c);
  std::string utf16 = "\xFF\xFE";
  for (char c : good) utf16 += std::string{c, '\0'};

  // The line of the last flag, where "Maybe" and "" stand.
  const std::string lastFlagLine = std::to_string(kStatesFileLines);
  const struct {
    std::string name, bytes, why;
  } cases[] = {
      {"empty.sfi", "", "line 1: expected 358 lines, the file ends after 0"},
      {"short.sfi", short357, "line 358: expected 358 lines, the file ends after 357"},
      {"word.sfi", wordFlag, "line " + lastFlagLine + ": 'Maybe' is not a flag"},
      {"emptyflag.sfi", emptyFlag, "line " + lastFlagLine + ": '' is not a flag"},
      {"garbage.sfi", garbage, "line 1: a NUL byte: the file is no text file"},
      {"crcrlf.sfi", doubleCr, "line 1: a stray carriage return (CR) inside the line"},
      {"utf16.sfi", utf16, "line 1: a NUL byte: the file looks like UTF-16 text, not a states file"},
      {"long.sfi", std::string(10 << 20, 'x'), "line 2: expected 358 lines, the file ends after 1"},
  };
  for (const auto& c : cases) {
    WriteBytes(dir.File(c.name), c.bytes);
    const auto read = ReadStatesFile(dir.File(c.name));
    EXPECT_FALSE(read) << c.name;
    EXPECT_EQ(read.why(), c.why) << c.name;
  }
  EXPECT_FALSE(ReadStatesFile(dir.File("missing.sfi")));
  EXPECT_FALSE(ReadStatesFile(dir.Path().string()));
  EXPECT_EQ(StatesFileError("/tmp/x.sfi"), "Unknown Error while opening file /tmp/x.sfi");
  EXPECT_EQ(StatesFileError("/tmp/x.sfi", Fault{"expected 358 lines, the file ends after 2", 3}),
            "Unknown Error while opening file /tmp/x.sfi\nline 3: expected 358 lines, the file ends after 2");
}

TEST(StatesFile, FailedSaveKeepsTheOldFile) {
  TempDir dir;
  const auto path = dir.File("keep.sfi");
  WriteBytes(path, "precious");
  std::filesystem::create_directory(dir.File("sub"));
  EXPECT_FALSE(WriteStatesFile(dir.File("sub"), SampleTable()));
  EXPECT_FALSE(WriteStatesFile(dir.File("nofolder/x.sfi"), SampleTable()));
  if (::geteuid() != 0) {  // root may write into a read-only folder
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(WriteStatesFile(path, SampleTable()));
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
  }
  EXPECT_EQ(ReadBytes(path), "precious");
}

TEST(StatesFile, DialogProperties) {
  const auto options = StatesFileDialogOptions();
  EXPECT_EQ(options.title, "States File");
  EXPECT_EQ(options.filter, "sfi|*.sfi|txt|*.txt|sfi & txt|*.sfi;*.txt|All files|*.*");
  EXPECT_EQ(options.defaultExtension, "sfi");
  EXPECT_TRUE(options.confirmOverwrite);
}

}  // namespace
}  // namespace kelvo

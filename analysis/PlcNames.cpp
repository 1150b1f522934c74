#include "analysis/PlcNames.h"

#include <unicode/unorm2.h>

#include <algorithm>
#include <cctype>

#include "common/CodePoints.h"

namespace kelvo {
namespace {

// The reserved words of the language and the names of its standard data
// types, functions and function blocks, which editors refuse as variables.
constexpr std::string_view kReserved =
    " ABS ACOS ACTION ADD AND ANY ANY_BIT ANY_DATE ANY_INT ANY_NUM ANY_REAL ARRAY ASIN AT ATAN BOOL BY "
    "BYTE CASE CONCAT CONFIGURATION CONSTANT COS CTD CTU CTUD DATE DATE_AND_TIME DELETE DINT DIV DO DT "
    "DWORD ELSE ELSIF EN END_ACTION END_CASE END_CONFIGURATION END_FOR END_FUNCTION END_FUNCTION_BLOCK "
    "END_IF END_PROGRAM END_REPEAT END_RESOURCE END_STEP END_STRUCT END_TRANSITION END_TYPE END_VAR "
    "END_WHILE ENO EQ EXIT EXP EXPT FALSE F_EDGE F_TRIG FIND FOR FROM FUNCTION FUNCTION_BLOCK GE GT IF "
    "INITIAL_STEP INSERT INT INTERVAL LE LEFT LEN LIMIT LINT LN LOG LREAL LT LWORD MAX MID MIN MOD MOVE "
    "MUL MUX NE NON_RETAIN NOT OF ON OR PRIORITY PROGRAM R_EDGE R_TRIG READ_ONLY READ_WRITE REAL REPEAT "
    "REPLACE RESOURCE RETAIN RETURN RIGHT ROL ROR RS SEL SHL SHR SIN SINGLE SINT SQRT SR STEP STRING "
    "STRUCT SUB TAN TASK THEN TIME TIME_OF_DAY TO TOD TOF TON TP TRANSITION TRUE TYPE UDINT UINT ULINT "
    "UNTIL USINT VAR VAR_ACCESS VAR_CONFIG VAR_EXTERNAL VAR_GLOBAL VAR_INPUT VAR_IN_OUT VAR_OUTPUT "
    "VAR_TEMP WHILE WITH WORD WSTRING XOR ";

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool AsciiLetterOrDigit(char32_t c) { return c < 0x80 && std::isalnum(static_cast<int>(c)); }

// The ASCII letters a character is written with when its accents are dropped
// ("é" -> "e", "ß" -> "ss"); "" when it has none.
std::string Unaccented(char32_t c) {
  switch (c) {
    case U'ß':
      return "ss";
    case U'Æ':
      return "AE";
    case U'æ':
      return "ae";
    case U'Œ':
      return "OE";
    case U'œ':
      return "oe";
    case U'Ø':
      return "O";
    case U'ø':
      return "o";
    default:
      break;
  }
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
  UChar decomposed[8];
  const int32_t length =
      U_SUCCESS(status) ? unorm2_getDecomposition(nfd, static_cast<UChar32>(c), decomposed, 8, &status) : -1;
  if (U_FAILURE(status) || length < 1 || !AsciiLetterOrDigit(decomposed[0])) return {};
  return std::string(1, static_cast<char>(decomposed[0]));
}

}  // namespace

bool IsIecKeyword(std::string_view name) {
  return name.find(' ') == std::string_view::npos && kReserved.find(" " + Upper(name) + " ") != std::string_view::npos;
}

bool IsIecIdentifier(std::string_view name) {
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) || name.back() == '_') return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c == '_' ? (i > 0 && name[i - 1] == '_') : !(c < 0x80 && std::isalnum(c))) return false;
  }
  return !IsIecKeyword(name);
}

std::string IecSpelling(std::string_view name, const std::string& fallback) {
  if (IsIecIdentifier(name)) return std::string(name);
  std::string spelled;
  ForEachCodePoint(name, [&](char32_t c, std::string_view) {
    std::string letters = AsciiLetterOrDigit(c) ? std::string(1, static_cast<char>(c)) : Unaccented(c);
    if (letters.empty()) letters = "_";
    for (char l : letters) {
      if (l != '_' || (!spelled.empty() && spelled.back() != '_')) spelled += l;
    }
  });
  while (!spelled.empty() && spelled.back() == '_') spelled.pop_back();
  if (spelled.empty()) return fallback;
  if (std::isdigit(static_cast<unsigned char>(spelled[0]))) spelled = "N" + spelled;
  if (IsIecKeyword(spelled)) spelled += "_1";
  return spelled;
}

std::string IecNames::Give(std::string_view name, const std::string& fallback) {
  const std::string base = IecSpelling(name, fallback);
  const auto taken = [this](const std::string& n) {
    return std::find(given_.begin(), given_.end(), Upper(n)) != given_.end();
  };
  std::string chosen = base;
  for (int n = 2; taken(chosen); ++n) chosen = base + "_" + std::to_string(n);
  given_.push_back(Upper(chosen));
  return chosen;
}

}  // namespace kelvo

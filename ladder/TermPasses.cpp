#include "ladder/TermPasses.h"

namespace kelvo::layout {
namespace {

const std::string kOutside;

bool InMatrix(int row, int column) { return row >= 0 && row < kTermRows && column >= 0 && column < kTermColumns; }

void SetTerm(TermMatrix& terms, int row, int column, const char* code) {
  if (InMatrix(row, column)) terms[row][column] = code;
}

// The first row above `row` whose cell in `column` is neither `skip1` nor
// `skip2`, or -1 when every row above is.
int RowAbove(const TermMatrix& terms, int row, int column, const char* skip1, const char* skip2) {
  for (int u = row - 1; u >= 0; --u) {
    const std::string& cell = TermAt(terms, u, column);
    if (cell != skip1 && cell != skip2) return u;
  }
  return -1;
}

}  // namespace

const std::string& TermAt(const TermMatrix& terms, int row, int column) {
  return InMatrix(row, column) ? terms[row][column] : kOutside;
}

int RunEnd(const TermMatrix& terms, int row, int first) {
  int column = first;
  while (column < kTermColumns && TermAt(terms, row, column) != "0") ++column;
  return column - 1;
}

void ShiftRight(TermMatrix& terms, int row, int first, int last, int distance) {
  if (distance <= 0 || !InMatrix(row, first)) return;
  for (int c = last - distance; c >= first; --c) {
    if (InMatrix(row, c + distance)) terms[row][c + distance] = terms[row][c];
  }
  for (int c = first; c < first + distance; ++c) SetTerm(terms, row, c, "1");
}

void ShareBeginning(TermMatrix& terms, int row, int first, bool shareFirstColumn) {
  for (int c = first; c < kTermColumns && TermAt(terms, row, c) != "0"; ++c) {
    const int u = RowAbove(terms, row, c, "/", "*");
    if (u < 0 || terms[u][c] != terms[row][c]) continue;
    if (c == first && shareFirstColumn) {
      terms[row][c] = "*";
    } else if (c > 0 && TermAt(terms, u, c + 1) != "\\" && terms[row][c - 1] == "*") {
      terms[row][c] = "*";
    }
  }
  if (TermAt(terms, row, first) != "*") return;
  int c = first;
  while (TermAt(terms, row, c) == "*") ++c;
  SetTerm(terms, row, c - 1, "/");
}

void ShareEnding(TermMatrix& terms, int row, int last, int low) {
  if (!InMatrix(row, last)) return;
  for (int c = last; c >= low && c >= 0; --c) {
    const int u = RowAbove(terms, row, c, "\\", "*");
    if (u < 0 || terms[u][c] != terms[row][c]) continue;
    if (c == last) {
      terms[row][c] = "*";
    } else if (c > 0 && terms[u][c - 1] != "/" && TermAt(terms, row, c + 1) == "*") {
      terms[row][c] = "*";
    }
  }
  if (terms[row][last] != "*") return;
  int c = last;
  while (TermAt(terms, row, c) == "*") --c;
  SetTerm(terms, row, c + 1, "\\");
}

}  // namespace kelvo::layout

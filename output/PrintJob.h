#pragma once
// Printing the chosen views: each ticked view is drawn on the canvas by its
// view handler, then its picture goes to the printer once per copy, one
// picture per page in one job, landscape. Each page holds a one-line title
// (file, view, form, date) and the picture scaled to fill the printable area,
// drawn at the printer's resolution. A picture wider than the canvas (the
// relay view of many relays) prints across as many pages as it needs, or
// scaled onto one page when asked. NextPage counts the pages still to follow,
// so no empty page ends the job; a job with no page starts no document at all.

#include <QRect>
#include <QString>
#include <array>

#include "output/ImageCanvas.h"
#include "session/CircuitViews.h"

namespace kelvo {

enum class PrintQuality { Draft = -1, Normal = -3, Best = -4 };

// Where the pages go: a real printer, a PDF file, or a test's recorder.
class PagePrinter {
public:
  virtual ~PagePrinter() = default;
  // The document's title (a PDF's Title): the file name and the views.
  virtual void SetDocumentTitle(const QString& title) { (void)title; }
  virtual void SetLandscape() = 0;
  virtual void SetQuality(PrintQuality quality) = 0;
  // One page: the title line, then `part` (pixels of the canvas's picture)
  // scaled to fill the rest of the printable area, keeping its proportions,
  // and centred in it.
  virtual bool PaintPage(const ImageCanvas& canvas, QRect part, const QString& title) = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
};

// The six check boxes of the print window, in printing order.
inline constexpr std::array<ViewButton, kViewButtons> kPrintOrder{ViewButton::ShowAll, ViewButton::ShowA,
                                                                  ViewButton::ShowB,   ViewButton::ShowC,
                                                                  ViewButton::ShowD,   ViewButton::MachineState};

// "Machine State", "A", ...: the view as the title line names it.
QString ViewTitle(ViewButton view);

class PrintJob {
public:
  PrintJob(CircuitViews& views, const ImageCanvas& canvas, PagePrinter& printer)
      : views_(views), canvas_(canvas), printer_(printer) {}

  // Named in every page's title line; "Untitled" when empty.
  QString documentName;
  // A picture wider than the canvas goes on one page, scaled down.
  bool wideOnOnePage = false;

  // `ticked` is indexed in kPrintOrder. Returns false when the printer failed.
  bool Print(const std::array<bool, kViewButtons>& ticked, int copies, PrintQuality quality);
  // One copy of the picture on the canvas, on as many pages as it takes.
  bool PrintAny();
  // The parts of the picture that go on pages of their own.
  std::vector<QRect> Pages() const;

  int NextPage = 0;

private:
  QString Title() const;

  CircuitViews& views_;
  const ImageCanvas& canvas_;
  PagePrinter& printer_;
};

}  // namespace kelvo

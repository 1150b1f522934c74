#pragma once
// Printing the chosen views: each ticked view is drawn on the canvas by its
// view handler, then its picture goes to the printer once per copy, one
// picture per page in one job, landscape, at (300, 1417) twips of the
// printable area. NextPage counts the pages still to follow, so no empty page
// ends the job; a job with no page starts no document at all.

#include <QImage>
#include <array>

#include "output/ImageCanvas.h"
#include "session/CircuitViews.h"

namespace kelvo {

enum class PrintQuality { Draft = -1, Normal = -3, Best = -4 };
inline constexpr int kPictureLeft = 300;
inline constexpr int kPictureTop = 1417;

// Where the pages go: a real printer, a PDF file, or a test's recorder.
class PagePrinter {
public:
  virtual ~PagePrinter() = default;
  virtual void SetLandscape() = 0;
  virtual void SetQuality(PrintQuality quality) = 0;
  // Paints the picture at its natural size, top-left at (x, y) twips.
  virtual bool PaintPicture(const QImage& picture, int x, int y) = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
};

// The six check boxes of the print window, in printing order.
inline constexpr std::array<ViewButton, kViewButtons> kPrintOrder{ViewButton::ShowAll, ViewButton::ShowA,
                                                                  ViewButton::ShowB,   ViewButton::ShowC,
                                                                  ViewButton::ShowD,   ViewButton::ShowSC};

class PrintJob {
public:
  PrintJob(CircuitViews& views, const ImageCanvas& canvas, PagePrinter& printer)
      : views_(views), canvas_(canvas), printer_(printer) {}

  // `ticked` is indexed in kPrintOrder. Returns false when the printer failed.
  bool Print(const std::array<bool, kViewButtons>& ticked, int copies, PrintQuality quality);
  bool PrintAny(const QImage& picture);

  int NextPage = 0;

private:
  CircuitViews& views_;
  const ImageCanvas& canvas_;
  PagePrinter& printer_;
};

}  // namespace kelvo

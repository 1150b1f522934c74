#include "output/PrintJob.h"

#include <QDate>

namespace kelvo {

QString ViewTitle(ViewButton view) { return QString::fromUtf8(ViewCaption(view)); }

QString PrintJob::Title() const {
  const auto view = views_.Current();
  const QString form = view == ViewButton::MachineState ? QStringLiteral("relay circuits")
                       : views_.parallelForm            ? QStringLiteral("parallel form")
                                                        : QStringLiteral("two-part form");
  return QStringLiteral("%1  \u00b7  %2  \u00b7  %3  \u00b7  %4")
      .arg(documentName.isEmpty() ? QStringLiteral("Untitled") : documentName, view ? ViewTitle(*view) : QString(),
           form, QDate::currentDate().toString(Qt::ISODate));
}

std::vector<QRect> PrintJob::Pages() const {
  const QRect area = DrawnArea(canvas_.Record());
  const int pageWidth = ImageCanvas::ToPixels(kCanvasWidthTwips);
  if (wideOnOnePage || area.width() <= pageWidth) return {area};
  std::vector<QRect> pages;
  for (int x = area.left(); x <= area.right(); x += pageWidth) {
    pages.emplace_back(x, area.top(), std::min(pageWidth, area.right() + 1 - x), area.height());
  }
  return pages;
}

bool PrintJob::PrintAny() {
  bool painted = true;
  const QString title = Title();
  const auto pages = Pages();
  for (size_t i = 0; i < pages.size(); ++i) {
    const QString numbered =
        pages.size() == 1 ? title : title + QStringLiteral("  \u00b7  page %1 of %2").arg(i + 1).arg(pages.size());
    painted = printer_.PaintPage(canvas_, pages[i], numbered) && painted;
    if (NextPage > 0) printer_.NewPage();
    --NextPage;
  }
  return painted;
}

bool PrintJob::Print(const std::array<bool, kViewButtons>& ticked, int copies, PrintQuality quality) {
  QStringList views;
  for (int i = 0; i < kViewButtons; ++i) {
    if (ticked[i]) views << ViewTitle(kPrintOrder[i]);
  }
  printer_.SetDocumentTitle((documentName.isEmpty() ? QStringLiteral("Untitled") : documentName) +
                            QStringLiteral(" - ") + views.join(QStringLiteral(", ")));
  printer_.SetLandscape();
  printer_.SetQuality(quality);
  NextPage = -1;
  for (int i = 0; i < kViewButtons; ++i) {
    if (ticked[i]) NextPage += copies;
  }
  bool ok = true;
  for (int i = 0; i < kViewButtons && ok; ++i) {
    if (!ticked[i]) continue;
    views_.Show(kPrintOrder[i]);
    // A picture on several pages adds the pages beyond the first of each copy.
    if (copies > 0) NextPage += (static_cast<int>(Pages().size()) - 1) * copies;
    for (int copy = 0; copy < copies && ok; ++copy) ok = PrintAny();
  }
  printer_.EndDoc();
  return ok;
}

}  // namespace kelvo

#include "output/PrintJob.h"

namespace kelvo {

bool PrintJob::PrintAny(const QImage& picture) {
  const bool painted = printer_.PaintPicture(picture, kPictureLeft, kPictureTop);
  if (NextPage > 0) printer_.NewPage();
  --NextPage;
  return painted;
}

bool PrintJob::Print(const std::array<bool, kViewButtons>& ticked, int copies, PrintQuality quality) {
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
    for (int copy = 0; copy < copies && ok; ++copy) ok = PrintAny(canvas_.Image());
  }
  printer_.EndDoc();
  return ok;
}

}  // namespace kelvo

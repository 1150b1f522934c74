#include "ui/PrinterForm.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>

#include "ui/QtPagePrinter.h"
#include "ui/WindowKeys.h"

namespace kelvo {

PrinterForm::PrinterForm(CircuitViews& views, const ImageCanvas& canvas, QPrinter& printer, UserDialogs& dialogs)
    : QWidget(nullptr, Qt::Dialog), views_(views), canvas_(canvas), printer_(printer), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("Printer"));
  setAttribute(Qt::WA_DeleteOnClose);
  CloseOnEscape(this);
  setFixedSize(ImageCanvas::ToPixels(0, 0, 6045, 5055).size());

  auto* frame1 = new QGroupBox(QStringLiteral("Select Images to Print:"), this);
  frame1->setGeometry(ImageCanvas::ToPixels(240, 240, 2715, 3375));
  const std::array<const char*, kViewButtons> captions{"Whole Circuit", "A Circuit", "B Circuit",
                                                       "C Circuit",     "D Circuit", "State Control Circuit"};
  for (int i = 0; i < kViewButtons; ++i) {
    viewBoxes[i] = new QCheckBox(QString::fromUtf8(captions[i]), frame1);
    viewBoxes[i]->setGeometry(ImageCanvas::ToPixels(360, 480 + 480 * i, 2280, 255));
  }

  // Wide enough for every caption in the window's font ("Number of copies:",
  // "State Control Circuit").
  auto* frame2 = new QGroupBox(QStringLiteral("Printer Options"), this);
  frame2->setGeometry(ImageCanvas::ToPixels(3180, 240, 2535, 3375));
  auto* copiesLabel = new QLabel(QStringLiteral("Number of copies:"), frame2);
  copiesLabel->setGeometry(ImageCanvas::ToPixels(240, 480, 1740, 255));
  copiesBox = new FilteredLineEdit(frame2);
  copiesBox->setGeometry(ImageCanvas::ToPixels(1980, 450, 435, 315));
  copiesBox->SetFilter(&PrinterForm::AcceptsCopiesKey, [this] { dialogs_.Beep(); });
  (new QLabel(QStringLiteral("Printing Quality:"), frame2))->setGeometry(ImageCanvas::ToPixels(240, 1200, 1575, 255));
  draftQuality = new QRadioButton(QStringLiteral("Draft"), frame2);
  draftQuality->setGeometry(ImageCanvas::ToPixels(1320, 1680, 1095, 255));
  normalQuality = new QRadioButton(QStringLiteral("Normal"), frame2);
  normalQuality->setGeometry(ImageCanvas::ToPixels(1320, 2160, 1095, 255));
  bestQuality = new QRadioButton(QStringLiteral("Best"), frame2);
  bestQuality->setGeometry(ImageCanvas::ToPixels(1320, 2640, 1095, 255));

  wideOnOnePage = new QCheckBox(QStringLiteral("Scale a wide picture to one page"), this);
  wideOnOnePage->setGeometry(ImageCanvas::ToPixels(360, 3840, 5355, 255));
  wideOnOnePage->setToolTip(QStringLiteral("Otherwise a picture wider than the canvas prints across several pages"));

  printButton = new QPushButton(QStringLiteral("&Print"), this);
  printButton->setGeometry(ImageCanvas::ToPixels(3180, 4440, 1215, 375));
  printButton->setDefault(true);
  PressOnEnter(this, printButton);
  cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
  cancelButton->setGeometry(ImageCanvas::ToPixels(4500, 4440, 1215, 375));
  connect(printButton, &QPushButton::clicked, this, &PrinterForm::Print);
  connect(cancelButton, &QPushButton::clicked, this, &QWidget::close);

  // Loading: one copy, normal quality, the shown view ticked.
  copiesBox->setText(QStringLiteral("1"));
  normalQuality->setChecked(true);
  for (int i = 0; i < kViewButtons; ++i) viewBoxes[i]->setChecked(views_.Current() == kPrintOrder[i]);
  viewBoxes[0]->setEnabled(views_.Enabled(ViewButton::ShowAll));
}

bool PrinterForm::AcceptsCopiesKey(std::u32string_view text, int caret, char32_t key) {
  if (key == U'\b' && caret >= 1) return true;
  return key >= U'0' && key <= U'9' && text.size() < 2 && caret < 2;
}

void PrinterForm::Print() {
  // Deleting and pasting bypass the key filter; only 0 to 99 copies print.
  bool isNumber = false;
  const QString text = copiesBox->text();
  const int copies = text.toInt(&isNumber);
  if (!isNumber || copies < 0 || copies > 99 || text.contains(QLatin1Char('+')) || text.contains(QLatin1Char('-')) ||
      text.trimmed() != text) {
    dialogs_.Notify("Enter a number of copies from 0 to 99.", "Printer");
    return;
  }
  std::array<bool, kViewButtons> ticked{};
  for (int i = 0; i < kViewButtons; ++i) ticked[i] = viewBoxes[i]->isChecked() && viewBoxes[i]->isEnabled();
  const PrintQuality quality = draftQuality->isChecked()  ? PrintQuality::Draft
                               : bestQuality->isChecked() ? PrintQuality::Best
                                                          : PrintQuality::Normal;

  int pageCount = 0;
  for (bool t : ticked) pageCount += t ? copies : 0;
  QtPagePrinter systemPrinter(printer_);
  // Where the pages go is asked only when there will be pages.
  if (!pagePrinter && pageCount > 0 && !QtPagePrinter::ChooseOutput(printer_, dialogs_)) return;
  PagePrinter& pages = pagePrinter ? *pagePrinter : systemPrinter;
  PrintJob job(views_, canvas_, pages);
  job.documentName = documentName;
  job.wideOnOnePage = wideOnOnePage->isChecked();
  const bool printed = job.Print(ticked, copies, quality);
  if (onViewDrawn) onViewDrawn();
  if (!printed) dialogs_.Notify("The printer could not be started.", "Printer");
  close();
}

void PrinterForm::closeEvent(QCloseEvent* event) {
  if (onClosed) onClosed();
  event->accept();
}

}  // namespace kelvo

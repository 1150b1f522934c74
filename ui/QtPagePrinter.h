#pragma once
// Pages for Qt's print support. The document is begun with the first page,
// so a job without pages creates nothing. When the system has no printer the
// pages go to a PDF file that the user chooses.

#include <QPainter>
#include <QPrinter>

#include "common/UserDialogs.h"
#include "output/PrintJob.h"

namespace kelvo {

class QtPagePrinter : public PagePrinter {
public:
  explicit QtPagePrinter(QPrinter& printer) : printer_(printer) {}

  // With no printer installed, asks for the PDF file; false when cancelled.
  static bool ChooseOutput(QPrinter& printer, UserDialogs& dialogs);

  void SetDocumentTitle(const QString& title) override;
  void SetLandscape() override;
  void SetQuality(PrintQuality quality) override;
  bool PaintPage(const ImageCanvas& canvas, QRect part, const QString& title) override;
  void NewPage() override;
  void EndDoc() override;

private:
  QPrinter& printer_;
  QPainter painter_;
};

}  // namespace kelvo

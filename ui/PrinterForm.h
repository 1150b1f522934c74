#pragma once
// The print window "Printer": which views to print, how many copies and the
// quality. It ticks the view shown when it opens, offers "Whole Circuit" only
// when "Show All" can be drawn, and closes after printing or on "Cancel".

#include <QCheckBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <functional>

#include "common/UserDialogs.h"
#include "output/ImageCanvas.h"
#include "output/PrintJob.h"
#include "session/CircuitViews.h"
#include "ui/FilteredLineEdit.h"

namespace kelvo {

class PrinterForm : public QWidget {
  Q_OBJECT
public:
  PrinterForm(CircuitViews& views, const ImageCanvas& canvas, QPrinter& printer, UserDialogs& dialogs);

  // Runs when the window closes (the main window is enabled again).
  std::function<void()> onClosed;
  // Runs after each view drawn for printing, so the main window can follow.
  std::function<void()> onViewDrawn;
  // Pages go here instead of the system's printer when set (tests).
  PagePrinter* pagePrinter = nullptr;
  // The table's file name, for the title line of every page.
  QString documentName;

  static bool AcceptsCopiesKey(std::u32string_view text, int caret, char32_t key);

  void Print();

  std::array<QCheckBox*, kViewButtons> viewBoxes{};  // in kPrintOrder: PrintAll, PrintA..PrintD, PrintSC
  FilteredLineEdit* copiesBox{};
  QRadioButton *draftQuality{}, *normalQuality{}, *bestQuality{};
  QCheckBox* wideOnOnePage{};  // a picture wider than the canvas: one page, scaled down
  QPushButton *printButton{}, *cancelButton{};

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  CircuitViews& views_;
  const ImageCanvas& canvas_;
  QPrinter& printer_;
  UserDialogs& dialogs_;
};

}  // namespace kelvo

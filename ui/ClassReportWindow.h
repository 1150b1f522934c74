#pragma once
// File > Class Report...: a dialog asks for a folder of states files, the
// form (automatic codes, parallel form) and where the page goes (beside the
// files unless the user says otherwise). The report is the companion tool's
// ClassReport, made file by file under a progress dialog that can cancel it,
// written in one step, then opened in the desktop's browser.

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <string>

#include "cli/ClassReport.h"
#include "common/Fault.h"
#include "common/UserDialogs.h"

namespace kelvo {

class ClassReportDialog : public QDialog {
  Q_OBJECT
public:
  explicit ClassReportDialog(QWidget* parent = nullptr);

  ClassReportOptions Options() const;

  QLineEdit* folderBox{};
  QPushButton* chooseFolderButton{};
  QCheckBox* autoCodesBox{};
  QCheckBox* parallelFormBox{};
  QLineEdit* pageBox{};  // follows the folder ("report.html" in it) until edited
  QPushButton* choosePageButton{};
};

enum class ReportWritten { Written, Cancelled };

// The report of the states files in `folder`, written to `page`, or what failed.
Result<ReportWritten> WriteClassReport(const std::string& folder, const ClassReportOptions& options,
                                       const std::string& page, const std::array<QImage, kTileCount>& tiles,
                                       QWidget* parent);

// The menu command: the dialog, the report, the browser; failures as notices.
void ShowClassReport(QWidget* parent, const std::array<QImage, kTileCount>& tiles, UserDialogs& dialogs);

}  // namespace kelvo

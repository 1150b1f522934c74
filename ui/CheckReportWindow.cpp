#include "ui/CheckReportWindow.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>
#include <algorithm>

namespace kelvo {

CheckReportWindow::CheckReportWindow(const CheckReport& report, const std::vector<std::string>& notes, QWidget* parent,
                                     const QString& warning)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Check Circuit"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(640, 400);
  auto* layout = new QVBoxLayout(this);
  if (!warning.isEmpty()) {
    warningLabel = new QLabel(warning, this);
    warningLabel->setWordWrap(true);
    warningLabel->setStyleSheet(QStringLiteral("color: darkred; font-weight: bold;"));
    layout->addWidget(warningLabel);
  }
  summaryLabel = new QLabel(QStringLiteral("%1 passed, %2 failed").arg(report.Passed()).arg(report.Failed()), this);
  layout->addWidget(summaryLabel);
  lineList = new QListWidget(this);
  lineList->setWordWrap(true);  // long notes and findings read whole
  lineList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (const std::string& note : notes) {
    auto* item = new QListWidgetItem(QString::fromStdString("NOTE " + note), lineList);
    item->setForeground(Qt::darkBlue);
  }
  std::vector<CheckFinding> findings = report.findings;
  std::stable_partition(findings.begin(), findings.end(), [](const CheckFinding& f) { return !f.passed; });
  for (const CheckFinding& f : findings) {
    auto* item = new QListWidgetItem(QString::fromStdString((f.passed ? "PASS " : "FAIL ") + f.text), lineList);
    if (!f.passed) item->setForeground(Qt::red);
  }
  layout->addWidget(lineList);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  layout->addWidget(buttons);
}

}  // namespace kelvo

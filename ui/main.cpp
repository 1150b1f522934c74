#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <algorithm>

#include "common/SafeFiles.h"
#include "ui/MainWindow.h"
#include "ui/QtUserDialogs.h"
#include "ui/RecentFiles.h"

int main(int argc, char** argv) {
  kelvo::IgnoreFileSizeSignal();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kelvo 16s"));
  QApplication::setOrganizationName(QStringLiteral("kelvo16s"));
  const std::string settingsNotice = kelvo::UseSettingsFileIfSane();
  QCommandLineParser options;
  options.setApplicationDescription(QStringLiteral("Design relay ladder circuits for sequential machines."));
  options.addHelpOption();
  options.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A states file (.sfi) to open."),
                                QStringLiteral("[FILE.sfi]"));
  options.process(app);

  kelvo::QtUserDialogs dialogs;
  kelvo::MainWindow window(dialogs);
  dialogs.SetParent(&window);
  if (!window.StartUp()) return 1;
  window.ShowAtHome();
  if (!settingsNotice.empty()) dialogs.Notify(settingsNotice);
  // A file named on the command line (or by a double click in a file manager)
  // is opened as "Open State Diagram" opens the file it is given.
  // The bytes of the argument, not its text, which loses a name that is not UTF-8.
  if (!options.positionalArguments().isEmpty()) {
    const QString file = options.positionalArguments().first();
    const QStringList arguments = QCoreApplication::arguments();
    const auto at = std::find(arguments.begin() + 1, arguments.end(), file);
    window.OpenFile(at == arguments.end() ? QFile::encodeName(file).toStdString()
                                          : std::string(argv[at - arguments.begin()]));
  }
  return QApplication::exec();
}

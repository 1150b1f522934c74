#pragma once
// The 32 by 32 icons of the main window's picture buttons and the program,
// drawn in code so they need no files.

#include <QIcon>

namespace kelvo {

QIcon StateDiagramIcon();
QIcon ExportIcon();
QIcon PrintIcon();
QIcon ImportIcon();
QIcon ProgramIcon();

}  // namespace kelvo

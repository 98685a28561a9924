// The chart file import of the main window.

#include "widgets/dialogs.h"
#include "app/main_window.h"
#include "chartfile/chart_file.h"

#include <QCoreApplication>

namespace ferolune {

void MainWindow::mMegnyit()
{
    const ChartFileDialogSettings dialog = ChartFileDialog(QCoreApplication::applicationDirPath());
    const QString path = m_dialogs.openFileName(this, dialog.title, dialog.directory, dialog.filter);
    if (path.isEmpty())
        return;
    // The whole file is read and checked before any field changes.
    const ChartFileImport file = ReadChartFile(path);
    if (!file.values) {
        m_dialogs.message(this, file.message, Dialogs::Icon::Critical);
        return;
    }
    BirthData fields = birthData();
    ApplyChartFile(fields, *file.values);
    setBirthData(fields);
}

} // namespace ferolune

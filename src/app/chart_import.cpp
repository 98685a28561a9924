// The files of the main window: a saved person or a chart file opened with "ASZTRÓGRAM
// MEGNYITÁSA", and a person saved with "MENTÉS".

#include "places/atlas_source.h"
#include "app/main_window.h"
#include "chartfile/chart_file.h"
#include "persons/person_file.h"
#include "widgets/dialogs.h"

#include <QFileInfo>
#include <QLineEdit>

namespace ferolune {

namespace {

const QString PersonFilter = QStringLiteral("Ferolune személyadatok (*.ferolune)");

// A file name made of the person's name, without the characters file systems refuse.
QString proposedFileName(const QString &name)
{
    QString base = name.trimmed();
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    for (QChar &character : base)
        if (refused.contains(character) || character.unicode() < 32)
            character = QLatin1Char('_');
    return (base.isEmpty() ? QStringLiteral("szemely") : base) + QLatin1Char('.') + PersonFileSuffix;
}

} // namespace

void MainWindow::mMegnyit()
{
    const ChartFileDialogSettings dialog = ChartFileDialog();
    const QString filter = QStringLiteral("Személyadatok és asztrógramok (*.ferolune *.hvs);;") + PersonFilter
                           + QStringLiteral(";;") + dialog.filter;
    const QString path = m_dialogs.chooseFileToOpen(this, dialog.title, filter);
    if (path.isEmpty())
        return;
    if (IsPersonFilePath(path))
        openPersonFile(path);
    else
        openChartFile(path);
}

void MainWindow::openChartFile(const QString &path)
{
    // The whole file is read and checked before any field changes.
    const ChartFileImport file = ReadChartFile(path);
    if (!file.values) {
        m_dialogs.message(this, file.message, Dialogs::Icon::Critical);
        return;
    }
    BirthData fields = birthData();
    ApplyChartFile(fields, *file.values);
    // The file brings its own coordinates and zone and names no birthplace.
    fields.birthPlace = {};
    setBirthData(fields);
    m_zoneFollowsPlace = false;
}

void MainWindow::openPersonFile(const QString &path)
{
    const PersonFileRead file = ReadPersonFile(path);
    if (!file.person) {
        m_dialogs.message(this, file.message, Dialogs::Icon::Critical);
        return;
    }
    setBirthData(*file.person);
    // The zone goes on following the birthplace when it was saved as the place gave it.
    if (file.person->birthPlace.geonameId != 0)
        m_atlas.waitForAtlas();
    m_zoneFollowsPlace = zoneMatchesPlace();
}

void MainWindow::mMentes()
{
    QString path = m_dialogs.chooseFileToSave(this, QStringLiteral("Személyadatok mentése"),
                                              proposedFileName(txtName->text()), PersonFilter);
    if (path.isEmpty())
        return;
    if (!IsPersonFilePath(path))
        path += QLatin1Char('.') + PersonFileSuffix;
    const QString error = WritePersonFile(path, birthData());
    if (!error.isEmpty())
        m_dialogs.message(this, error, Dialogs::Icon::Critical);
}

} // namespace ferolune

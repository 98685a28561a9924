#include "gui/main_window/person_files.h"

#include "gui/main_window/main_window.h"
#include "gui/main_window/place_zone_controller.h"
#include "io/chartfile/chart_file.h"
#include "io/persons/person_file.h"
#include "gui/widgets/dialogs.h"

#include <QFileInfo>
#include <QUuid>

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

PersonFiles::PersonFiles(MainWindow &window, Dialogs &dialogs, PlaceZoneController &places)
    : m_window(window), m_dialogs(dialogs), m_places(places)
{
}

void PersonFiles::chooseAndOpen()
{
    const ChartFileDialogSettings dialog = ChartFileDialog();
    const QString filter = QStringLiteral("Személyadatok és asztrógramok (*.ferolune *.hvs);;") + PersonFilter
                           + QStringLiteral(";;") + dialog.filter;
    const QString path = m_dialogs.chooseFileToOpen(&m_window, dialog.title, filter);
    if (path.isEmpty())
        return;
    if (IsPersonFilePath(path))
        openPersonFile(path);
    else
        openChartFile(path);
}

void PersonFiles::openChartFile(const QString &path)
{
    // The whole file is read and checked before any field changes.
    const ChartFileImport file = ReadChartFile(path);
    if (!file.values) {
        m_dialogs.message(&m_window, file.message, Dialogs::Icon::Critical);
        return;
    }
    BirthData fields = m_window.birthData();
    ApplyChartFile(fields, *file.values);
    // The file brings its own coordinates and zone and names no birthplace, no birth-time
    // uncertainty and no cycle: it is another person's, whose calendar events, cycle and
    // birth minute are not those of the person the window held.
    fields.birthPlace = {};
    fields.txtUncertainty.clear();
    m_window.setBirthData(fields);
    m_window.setCycleHistory({});
    m_eventKey.clear();
    m_places.stopFollowingPlace();
}

void PersonFiles::openPersonFile(const QString &path)
{
    const PersonFileRead file = ReadPersonFile(path);
    if (!file.person) {
        m_dialogs.message(&m_window, file.message, Dialogs::Icon::Critical);
        return;
    }
    m_window.setBirthData(file.person->fields);
    m_eventKey = file.person->eventKey;
    m_window.setCycleHistory(file.person->cycle);
    m_places.followPlaceIfZoneMatches();
}

void PersonFiles::save()
{
    const BirthData fields = m_window.birthData();
    // The key is made once, when she is first saved, and stays with her through corrections.
    const QString eventKey = m_eventKey.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : m_eventKey;
    QString path = m_dialogs.chooseFileToSave(&m_window, QStringLiteral("Személyadatok mentése"),
                                              proposedFileName(fields.txtName), PersonFilter);
    if (path.isEmpty())
        return;
    if (!IsPersonFilePath(path))
        path += QLatin1Char('.') + PersonFileSuffix;
    SavedPerson person(fields);
    person.eventKey = eventKey;
    person.cycle = m_window.cycleHistory();
    const QString error = WritePersonFile(path, person);
    if (!error.isEmpty()) {
        m_dialogs.message(&m_window, error, Dialogs::Icon::Critical);
        return;
    }
    m_eventKey = eventKey;
}

} // namespace ferolune

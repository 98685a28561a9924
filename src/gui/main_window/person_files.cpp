#include "gui/main_window/person_files.h"

#include "gui/main_window/clock.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/place_zone_controller.h"
#include "gui/widgets/dialogs.h"
#include "io/chartfile/chart_file.h"
#include "io/persons/person_file.h"

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

PersonFiles::PersonFiles(MainWindow &window, Dialogs &dialogs, PlaceZoneController &places, const Clock &clock)
    : m_window(window), m_dialogs(dialogs), m_places(places), m_clock(clock)
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
    const Expected<ChartFileValues, ChartFileRefusal> file = ReadChartFile(path);
    if (!file) {
        m_dialogs.message(&m_window, file.error().message, Dialogs::Icon::Critical);
        return;
    }
    BirthForm form = m_window.birthForm();
    ApplyChartFile(form, *file);
    // The file replaces the birth fields and nothing else: the residence, the calendar year
    // and the cycle stay as she entered them. It brings its own coordinates, zone and birth
    // minute, so the birthplace and the birth-time uncertainty of the old ones go, and with
    // the birth the saved person's key: another birth must not replace her calendar events.
    form.birthPlace = {};
    form.uncertainty.clear();
    m_window.setBirthForm(form);
    m_eventKey.clear();
    m_places.stopFollowingPlace();
}

void PersonFiles::openPersonFile(const QString &path)
{
    const Expected<SavedPerson, QString> file = ReadPersonFile(path, m_clock.now().date());
    if (!file) {
        m_dialogs.message(&m_window, file.error(), Dialogs::Icon::Critical);
        return;
    }
    m_window.setBirthForm(file->form);
    m_eventKey = file->eventKey;
    m_window.setCycleHistory(file->cycle);
    m_places.followPlaceIfZoneMatches();
}

void PersonFiles::save()
{
    const BirthForm form = m_window.birthForm();
    // The key is made once, when she is first saved, and stays with her through corrections.
    const QString eventKey = m_eventKey.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : m_eventKey;
    QString path = m_dialogs.chooseFileToSave(&m_window, QStringLiteral("Személyadatok mentése"),
                                              proposedFileName(form.name), PersonFilter);
    if (path.isEmpty())
        return;
    if (!IsPersonFilePath(path))
        path += QLatin1Char('.') + PersonFileSuffix;
    const SavedPerson person{form, m_window.cycleHistory(), eventKey};
    if (const WriteResult written = WritePersonFile(path, person); !written) {
        m_dialogs.message(&m_window, written.error(), Dialogs::Icon::Critical);
        return;
    }
    m_eventKey = eventKey;
}

} // namespace ferolune

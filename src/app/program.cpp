#include "app/program.h"

#include "app/main_window.h"
#include "calendar/window/calendar_window.h"
#include "export/calendar_export.h"
#include "widgets/dialogs.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <csignal>
#include <cstdio>

namespace ferolune {

void PrepareProcess()
{
    // Only a fatal message is worth showing: the program ends with it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg)
            std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
    });
    std::signal(SIGPIPE, SIG_IGN);
}

bool InstallQtHungarianTranslation()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Hungarian, QLocale::Hungary), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

ResidenceZoneOf ProgramResidenceZones()
{
    return AtlasResidenceZones(AtlasSource::shared());
}

std::variant<CalendarRun, FieldProblem> CalendarRunOf(const BirthData &fields, const QString &calendarYearText,
                                                      const ResidenceZoneOf &residenceZoneOf)
{
    const std::variant<RunValues, FieldProblem> values = ReadRunValues(fields, calendarYearText);
    if (const FieldProblem *problem = std::get_if<FieldProblem>(&values))
        return *problem;
    const RunValues &read = std::get<RunValues>(values);
    CalendarRun run;
    run.birth = read.birth;
    run.calendar.year = read.calendarYear;
    run.calendar.zoneHours = read.birth.zoneHours;
    run.calendar.residenceZoneId = residenceZoneOf ? residenceZoneOf(fields.residence) : QByteArray();
    run.heading = {calendarYearText, fields.txtName, fields.residence.text};
    run.personIdentity = PersonIdentity(fields);
    return run;
}

Program::Program(CalendarWorker &worker, Dialogs &dialogs, const Clock &clock, CalendarEngine engine,
                 ResidenceZoneOf residenceZoneOf)
    : m_dialogs(dialogs)
    , m_residenceZoneOf(std::move(residenceZoneOf))
    , m_mainWindow(std::make_unique<MainWindow>(worker, dialogs, clock))
    , m_calendar(std::make_unique<CalendarController>(worker, dialogs, std::move(engine), m_mainWindow.get()))
{
    MainWindow *window = m_mainWindow.get();
    // While the calendar window is open the main window is out of reach; closing the
    // calendar brings it back with its fields as they were.
    QObject::connect(m_calendar.get(), &CalendarController::opening, window, &QWidget::hide);
    QObject::connect(m_calendar.get(), &CalendarController::closed, window, &QWidget::show);
    window->setCalendarCommand([this] { runCalendar(); });
}

Program::~Program()
{
    // The calendar window may still be open; it goes with its controller, before the
    // main window that carries the controller's messages.
    m_calendar.reset();
}

void Program::start()
{
    m_mainWindow->startUp();
    m_mainWindow->show();
}

void Program::runCalendar()
{
    if (m_calendar->isRunning())
        return;
    // A run never starts with a field it cannot read: it would scan against a wrong or
    // stale natal angle.
    const std::variant<CalendarRun, FieldProblem> run =
        CalendarRunOf(m_mainWindow->birthData(), m_mainWindow->calendarYearText(), m_residenceZoneOf);
    if (const FieldProblem *problem = std::get_if<FieldProblem>(&run)) {
        m_dialogs.message(m_mainWindow.get(), problem->message, Dialogs::Icon::Critical);
        m_mainWindow->focusField(problem->focusControl);
        return;
    }
    m_calendar->runCalendar(std::get<CalendarRun>(run));
}

} // namespace ferolune

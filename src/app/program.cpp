#include "app/program.h"

#include "app/atlas_source.h"
#include "app/main_window.h"
#include "calendar/window/calendar_controller.h"
#include "calendar/window/calendar_window.h"

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

CalendarEngine ProgramCalendarEngine()
{
    return RealCalendarEngine(AtlasResidenceZones(AtlasSource::shared()));
}

Program::Program(Ephemeris &ephemeris, Dialogs &dialogs, const Clock &clock, CalendarEngine engine)
    : m_mainWindow(std::make_unique<MainWindow>(m_state, ephemeris, dialogs, clock))
    , m_calendar(std::make_unique<CalendarController>(m_state, ephemeris, dialogs, std::move(engine),
                                                      m_mainWindow.get()))
{
    MainWindow *window = m_mainWindow.get();
    // While the calendar window is open the main window is out of reach; closing the
    // calendar brings it back with its fields as they were.
    QObject::connect(m_calendar.get(), &CalendarController::opening, window, &QWidget::hide);
    QObject::connect(m_calendar.get(), &CalendarController::closed, window, &QWidget::show);
    QObject::connect(m_calendar.get(), &CalendarController::fieldRejected, window, &MainWindow::focusField);
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
    m_mainWindow->Form_Load();
    m_mainWindow->show();
}

void Program::runCalendar()
{
    m_calendar->runCalendar(m_mainWindow->birthData(), m_mainWindow->calendarYearText());
}

} // namespace ferolune

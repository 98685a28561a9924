#include "gui/calendar_window/calendar_worker.h"

namespace ferolune {

CalendarWorker::CalendarWorker(const QStringList &ephemerisDirectories)
    : m_directories(ephemerisDirectories)
    , m_context(new QObject)
{
    m_thread.setObjectName(QStringLiteral("ferolune ephemeris"));
    m_context->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_context, [this] { m_ephemeris = std::make_unique<Ephemeris>(m_directories); },
        Qt::BlockingQueuedConnection);
}

CalendarWorker::~CalendarWorker()
{
    // The library's files are closed on the thread that opened them.
    QMetaObject::invokeMethod(m_context, [this] { m_ephemeris.reset(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_context;
}

bool CalendarWorker::dataFilesFound()
{
    return run<bool>([](QPromise<bool> &promise, Ephemeris &ephemeris) {
               promise.addResult(ephemeris.dataFilesFound());
           })
        .result();
}

} // namespace ferolune

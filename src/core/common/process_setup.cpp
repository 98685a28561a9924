#include "core/common/process_setup.h"

#include <QHashSeed>
#include <QString>
#include <QtGlobal>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace ferolune {

namespace {

bool standardOutputClosed = false;

// Opens /dev/null on the standard descriptor `descriptor` when it is closed; true when it was.
bool holdStandardDescriptor(int descriptor)
{
    if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
        return false;
    // The lowest free number is the closed one, as the lower ones are open.
    const int opened = ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != descriptor) {
        ::dup2(opened, descriptor);
        ::close(opened);
    }
    return true;
}

} // namespace

void PrepareProcess()
{
    holdStandardDescriptor(STDIN_FILENO);
    standardOutputClosed = holdStandardDescriptor(STDOUT_FILENO);
    holdStandardDescriptor(STDERR_FILENO);
    // Only a fatal message is worth showing: the program ends with it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg)
            std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
    });
    std::signal(SIGPIPE, SIG_IGN);
    // Qt orders some of a PDF's objects by hash.
    if (SourceDateEpoch())
        QHashSeed::setDeterministicGlobalSeed();
}

bool StandardOutputWasClosed()
{
    return standardOutputClosed;
}

std::optional<QDateTime> SourceDateEpoch()
{
    bool number = false;
    const qint64 seconds = qEnvironmentVariable("SOURCE_DATE_EPOCH").trimmed().toLongLong(&number);
    // Up to the last second of the year 9999.
    if (!number || seconds < 0 || seconds > 253402300799)
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

QDateTime FileStamp()
{
    return SourceDateEpoch().value_or(QDateTime::currentDateTimeUtc());
}

} // namespace ferolune

#include "core/common/process_setup.h"

#include <QString>
#include <QtGlobal>

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

} // namespace ferolune

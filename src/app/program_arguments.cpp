#include "app/program_arguments.h"

#include <QTextStream>

namespace ferolune {

namespace {

// The options QApplication takes for itself, with a value and without.
const QStringList QtOptionsWithValue = {
    QStringLiteral("-platform"),        QStringLiteral("-platformpluginpath"),
    QStringLiteral("-platformtheme"),   QStringLiteral("-plugin"),
    QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowicon"),
    QStringLiteral("-qwindowtitle"),    QStringLiteral("-style"),
    QStringLiteral("-stylesheet"),      QStringLiteral("-display"),
    QStringLiteral("-geometry"),        QStringLiteral("-session"),
};
const QStringList QtFlags = {QStringLiteral("-reverse"), QStringLiteral("-widgetcount"), QStringLiteral("-nograb"),
                             QStringLiteral("-dograb"), QStringLiteral("-sync")};

const QString ToTheCommandLine =
    QStringLiteral("A ferolune ablakot nyit, és nem vár paramétert. A naptár ablak nélkül, parancssorból a "
                   "ferolune-cli programmal készíthető el, például:\n"
                   "  ferolune-cli export --date 1988-07-14 --time 09:35 --place Budapest --year 2027 -o naptar.pdf\n"
                   "Segítség: ferolune-cli --help");

} // namespace

std::optional<int> AnswerProgramArguments(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        const QString &argument = arguments[k];
        if (argument == QLatin1String("--version") || argument == QLatin1String("-v")) {
            out << "ferolune " << FEROLUNE_VERSION << Qt::endl;
            return 0;
        }
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            out << ToTheCommandLine << Qt::endl;
            return 0;
        }
        if (QtOptionsWithValue.contains(argument) && k + 1 < arguments.size()) {
            ++k;
            continue;
        }
        if (QtFlags.contains(argument))
            continue;
        err << QStringLiteral("Ismeretlen paraméter: %1\n").arg(argument) << ToTheCommandLine << Qt::endl;
        return 2;
    }
    return std::nullopt;
}

QString NoDisplayMessage()
{
    return QStringLiteral("A ferolune ablakos program, grafikus asztali környezet (megjelenítő) kell hozzá, de "
                          "nem talált ilyet. Ablak nélkül, parancssorból a naptár a ferolune-cli programmal "
                          "készíthető el (segítség: ferolune-cli --help).");
}

} // namespace ferolune

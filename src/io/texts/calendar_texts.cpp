#include "io/texts/calendar_texts.h"

#include "core/chart/natal_chart.h"

namespace ferolune {

namespace {

// An end of a range: "HH:mm", with the date when it is not the exact moment's, and with its
// clock when summer time began or ended between the two.
QString rangeEnd(const QDateTime &end, const QDateTime &moment)
{
    QString text =
        end.toString(end.date() == moment.date() ? QStringLiteral("HH:mm") : QStringLiteral("yyyy.MM.dd HH:mm"));
    if (end.offsetFromUtc() != moment.offsetFromUtc())
        text += QStringLiteral(" (") + ClockLabel(end) + u')';
    return text;
}

QString clockOf(const QDateTime &moment)
{
    return QStringLiteral(" (") + ClockLabel(moment) + u')';
}

QString trimmedSign(int sign)
{
    return SignName(sign).trimmed();
}

QString beyondEphemeris(const QString &what, const QString &consequence)
{
    return what + QStringLiteral(" kívül esik azon az időszakon, amelyet az efemerisz adatai lefednek, ezért ") +
           consequence;
}

const QString NoCalendar = QStringLiteral("a naptár nem készíthető el.");

} // namespace

QString ExactRangeText(const ExactReturn &exact)
{
    if (!exact.earliest.isValid() || !exact.latest.isValid())
        return {};
    return QStringLiteral("±%1 perc: ").arg(exact.uncertaintyMinutes) + rangeEnd(exact.earliest, exact.moment) +
           QStringLiteral("–") + rangeEnd(exact.latest, exact.moment);
}

QString ExactReturnToolTip(const ExactReturn &exact)
{
    QString text = exact.moment.toString(QStringLiteral("yyyy.MM.dd HH:mm")) + clockOf(exact.moment) +
                   QStringLiteral(" – Hold: ") + trimmedSign(exact.moonSign);
    if (const QString range = ExactRangeText(exact); !range.isEmpty())
        text += u'\n' + range;
    if (exact.signChange) {
        text += QStringLiteral("\na Hold jelet vált: ") + trimmedSign(exact.signChange->from) + QStringLiteral(" → ") +
                trimmedSign(exact.signChange->to);
    }
    return text;
}

QString ExactReturnDetailLine(const ExactReturn &exact)
{
    QString text = QStringLiteral("Pontos visszatérés: ") +
                   exact.moment.toString(QStringLiteral("yyyy.MM.dd HH:mm:ss")) + clockOf(exact.moment);
    if (const QString range = ExactRangeText(exact); !range.isEmpty())
        text += QStringLiteral(", ") + range;
    if (!exact.tenthFirst.isValid())
        return text + QStringLiteral(" – tizedfokra egyetlen perc sem egyezik");
    const QString lastFormat = exact.tenthLast.date() == exact.tenthFirst.date() ? QStringLiteral("HH:mm")
                                                                                 : QStringLiteral("yyyy.MM.dd HH:mm");
    return text + QStringLiteral(" – tizedfokos egyezés: ") +
           exact.tenthFirst.toString(QStringLiteral("yyyy.MM.dd HH:mm")) + QStringLiteral(" – ") +
           exact.tenthLast.toString(lastFormat);
}

QString BasisLine(const CycleBasis &basis)
{
    if (basis.fromRecords)
        return QStringLiteral("%1 ciklus alapján: %2–%3 nap")
            .arg(basis.countingCycles)
            .arg(basis.shortest)
            .arg(basis.longest);
    return QStringLiteral("kevesebb mint %1 ciklus: a megadott %2–%3 nap")
        .arg(CyclesForOwnBasis)
        .arg(basis.shortest)
        .arg(basis.longest);
}

QString CycleDayText(const CycleDay &day)
{
    if (day.cycleDay < 1)
        return {};
    QString text = QStringLiteral("A ciklus %1. napja").arg(day.cycleDay);
    switch (day.mark) {
    case CycleMark::Period:
        return text + QStringLiteral(" – vérzés kezdete");
    case CycleMark::PeriodPredicted:
        return text + QStringLiteral(" – várható vérzés");
    case CycleMark::Fertile:
        return text + QStringLiteral(" – termékeny időszak (ciklus)");
    case CycleMark::None:
        break;
    }
    return text;
}

QString BirthZoneNote(UtcOffset zone)
{
    return QStringLiteral("az idők a születési zóna szerint (%1)").arg(zone.label());
}

QString RunFailureMessage(RunFailure failure, const CalendarRequest &request)
{
    switch (failure) {
    case RunFailure::Stopped:
        break;
    case RunFailure::BirthBeyondEphemeris:
        return beyondEphemeris(QStringLiteral("A születési dátum (%1)").arg(request.birth.year), NoCalendar);
    case RunFailure::YearBeyondEphemeris:
        return beyondEphemeris(QStringLiteral("A naptár éve (%1)").arg(request.year), NoCalendar);
    case RunFailure::DetailBeyondEphemeris:
        return beyondEphemeris(QStringLiteral("A kiválasztott nap vagy valamelyik szomszédja"),
                               QStringLiteral("a részletes lebontás nem készíthető el."));
    }
    return {};
}

} // namespace ferolune

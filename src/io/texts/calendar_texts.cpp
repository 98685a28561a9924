#include "io/texts/calendar_texts.h"

#include "core/chart/natal_chart.h"

#include <QStringList>

#include <algorithm>

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

// Days from the moon-phase day `day` to its exact return: -1 when the return falls on the
// evening before (the calendar marks the day the birth degree is first met on its two-hour
// steps), 1 on the day after, else 0.
int dayOffset(const ExactReturn &exact, const QDate &day)
{
    if (!day.isValid() || !exact.moment.isValid())
        return 0;
    return static_cast<int>(std::clamp<qint64>(day.daysTo(exact.moment.date()), -1, 1));
}

QString otherDayNote(const ExactReturn &exact, const QDate &day)
{
    const int offset = dayOffset(exact, day);
    if (offset == 0)
        return {};
    return QStringLiteral("A pontos visszatérés %1 napra esik; a naptár a kétórás lépések szerint ezt a napot jelöli.")
        .arg(offset < 0 ? QStringLiteral("az előző") : QStringLiteral("a következő"));
}

bool rangeCrossesMidnight(const ExactReturn &exact)
{
    return exact.earliest.isValid() && exact.latest.isValid() && exact.earliest.date() != exact.latest.date();
}

const QStringList MonthNames = {
    QStringLiteral("január"),     QStringLiteral("február"), QStringLiteral("március"),  QStringLiteral("április"),
    QStringLiteral("május"),      QStringLiteral("június"),  QStringLiteral("július"),   QStringLiteral("augusztus"),
    QStringLiteral("szeptember"), QStringLiteral("október"), QStringLiteral("november"), QStringLiteral("december"),
};

QString dayClassName(DayClass dayClass)
{
    switch (dayClass) {
    case DayClass::NotFertile:
        return QStringLiteral("nem termékeny nap");
    case DayClass::Fertile:
        return QStringLiteral("termékeny nap");
    case DayClass::PhaseGirl:
        return QStringLiteral("holdfázis nap – lány");
    case DayClass::PhaseBoy:
        return QStringLiteral("holdfázis nap – fiú");
    case DayClass::Unset:
        break;
    }
    return QStringLiteral("még nem számított nap");
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

QString ExactReturnToolTip(const ExactReturn &exact, const QDate &day)
{
    QString text = exact.moment.toString(QStringLiteral("yyyy.MM.dd HH:mm")) + clockOf(exact.moment) +
                   QStringLiteral(" – Hold: ") + trimmedSign(exact.moonSign);
    if (const QString other = otherDayNote(exact, day); !other.isEmpty())
        text += u'\n' + other;
    if (const QString range = ExactRangeText(exact); !range.isEmpty())
        text += u'\n' + range;
    if (exact.signChange) {
        text += QStringLiteral("\na Hold jelet vált: ") + trimmedSign(exact.signChange->from) + QStringLiteral(" → ") +
                trimmedSign(exact.signChange->to);
    }
    return text;
}

QString ExactReturnDetailLine(const ExactReturn &exact, const QDate &day)
{
    QString text = QStringLiteral("Pontos visszatérés: ") +
                   exact.moment.toString(QStringLiteral("yyyy.MM.dd HH:mm:ss")) + clockOf(exact.moment);
    if (const int offset = dayOffset(exact, day); offset != 0)
        text += offset < 0 ? QStringLiteral(", az előző napon") : QStringLiteral(", a következő napon");
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

QString DayCellToolTip(const CalendarModel &model, int dayIndex)
{
    if (dayIndex < 0 || dayIndex >= model.dayCount)
        return {};
    const DayCell &cell = model.days[static_cast<size_t>(dayIndex)];
    const std::optional<ExactReturn> &exact = model.exactReturns[static_cast<size_t>(dayIndex)];
    QStringList lines;
    if (exact)
        lines << ExactReturnToolTip(*exact, model.date(dayIndex));
    if (cell.uncertain) {
        lines << QStringLiteral("Bizonytalan nap: a ±%1 percen belüli más születési idővel %2 is lehet.")
                     .arg(model.uncertaintyMinutes)
                     .arg(dayClassName(cell.otherClass));
    } else if (exact && rangeCrossesMidnight(*exact)) {
        lines << QStringLiteral("A tartomány átnyúlik éjfélen, a nap mégsem bizonytalan: a tartomány minden születési "
                                "percével ez a nap a holdfázis nap.");
    }
    if (const QString cycle = CycleDayText(model.cycle.day(dayIndex)); !cycle.isEmpty())
        lines << cycle;
    return lines.join(u'\n');
}

QString DayCellHeading(const CalendarModel &model, int dayIndex, bool today)
{
    if (dayIndex < 0 || dayIndex >= model.dayCount)
        return {};
    const QDate date = model.date(dayIndex);
    return QStringLiteral("%1%2. %3 %4., ")
               .arg(today ? QStringLiteral("ma, ") : QString())
               .arg(date.year())
               .arg(MonthNames[date.month() - 1])
               .arg(date.day()) +
           dayClassName(model.days[static_cast<size_t>(dayIndex)].dayClass);
}

QString DayCellName(const CalendarModel &model, int dayIndex, bool today)
{
    QString text = DayCellHeading(model, dayIndex, today);
    if (text.isEmpty())
        return text;
    const DayCell &cell = model.days[static_cast<size_t>(dayIndex)];
    if (const std::optional<ExactReturn> &exact = model.exactReturns[static_cast<size_t>(dayIndex)]) {
        text += QStringLiteral(", pontos visszatérés ");
        if (const int offset = dayOffset(*exact, model.date(dayIndex)); offset != 0)
            text += offset < 0 ? QStringLiteral("az előző napon, ") : QStringLiteral("a következő napon, ");
        text += exact->moment.toString(QStringLiteral("HH:mm")) + clockOf(exact->moment);
    }
    if (cell.uncertain)
        text += QStringLiteral(", bizonytalan nap");
    if (const QString cycle = CycleDayText(model.cycle.day(dayIndex)); !cycle.isEmpty())
        text += QStringLiteral("; ") + cycle.at(0).toLower() + cycle.mid(1);
    return text;
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

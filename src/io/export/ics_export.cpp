#include "io/export/ics_export.h"

#include "core/chart/birth_input.h"
#include "io/export/ical_calendar.h"

#include <QCryptographicHash>
#include <QStringList>

#include <memory>

namespace ferolune {

namespace {

QString dotted(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy.MM.dd"));
}

bool isPhase(DayClass dayClass)
{
    return dayClass == DayClass::PhaseBoy || dayClass == DayClass::PhaseGirl;
}

QStringList personLines(const CalendarExport &calendar)
{
    return {QStringLiteral("Név: ") + calendar.name, QStringLiteral("NAP-HOLD FOK: ") + calendar.natalAngleText};
}

QString phaseDescription(const CalendarExport &calendar, const ExportDay &day)
{
    QStringList lines = personLines(calendar);
    if (day.exact)
        lines << QStringLiteral("Pontos visszatérés: ") + day.exact->toString(QStringLiteral("yyyy.MM.dd HH:mm")) +
                     QStringLiteral(" (") + ClockLabel(*day.exact) + u')' +
                     (day.exactRange.isEmpty() ? QString() : QStringLiteral(", ") + day.exactRange);
    if (!day.moonSign.isEmpty())
        lines << QStringLiteral("A Hold jegye: ") + day.moonSign;
    return lines.join(QLatin1Char('\n'));
}

QString fertileDescription(const CalendarExport &calendar, const QDate &phaseDay)
{
    return (personLines(calendar) << QStringLiteral("Holdfázis nap: ") + dotted(phaseDay)).join(QLatin1Char('\n'));
}

// What an event says in a file that is not discreet.
struct EventText {
    QString summary;
    QString description; // none when empty
};

EventText phaseText(const CalendarExport &calendar, const ExportDay &day)
{
    return {day.dayClass == DayClass::PhaseBoy ? QStringLiteral("Holdfázis nap - fiú")
                                               : QStringLiteral("Holdfázis nap - lány"),
            phaseDescription(calendar, day)};
}

// The fertile days from `first` to `last`: one, or two or three named as days.
EventText fertileText(const CalendarExport &calendar, const QDate &first, const QDate &last, const QDate &phaseDay)
{
    return {FertileDaysSummary(first, last), fertileDescription(calendar, phaseDay)};
}

// What a discreet file calls an event of `kind`: a sign that names nothing.
QString discreetSummaryOf(EventKind kind)
{
    switch (kind) {
    case EventKind::MoonPhaseDay:
        return DiscreetPhaseSummary;
    case EventKind::FertileDays:
    case EventKind::YearEndFertileDays:
        return DiscreetFertileSummary;
    case EventKind::CycleFertileWindow:
        return DiscreetCycleWindowSummary;
    case EventKind::PredictedPeriodStart:
        break;
    }
    return DiscreetPredictedStartSummary;
}

// The all-day events of one file, each with the UID of its kind and ordinal in the year.
class EventWriter {
public:
    EventWriter(IcalCalendar &file, const CalendarExport &calendar, const IcsOptions &options)
        : m_file(file), m_calendar(calendar), m_options(options)
    {
    }

    // An all-day event from `first` to `last`, the `ordinal`-th of its kind in the year. A
    // discreet file keeps only a neutral summary.
    void add(EventKind kind, int ordinal, const QDate &first, const QDate &last, const EventText &full)
    {
        const EventText text = m_options.discreet ? EventText{discreetSummaryOf(kind), {}} : full;
        m_file.add({EventUid(m_calendar.personIdentity, m_calendar.year, kind, ordinal, m_options.discreet), first,
                    last, text.summary, text.description});
    }

private:
    IcalCalendar &m_file;
    const CalendarExport &m_calendar;
    const IcsOptions &m_options;
};

// Fertile days that end the year come before a moon-phase day on 1 to 3 January, three
// days after the first of them; that day is in the next year's calendar. The event's UID
// differs from the ones the next year's file gives its events.
void addYearEndFertileDays(EventWriter &events, const CalendarExport &calendar)
{
    const std::vector<ExportDay> &days = calendar.days;
    size_t first = days.size();
    while (first > 0 && days[first - 1].dayClass == DayClass::Fertile)
        --first;
    if (first == days.size())
        return;
    const QDate phaseDay = days[first].date.addDays(3);
    events.add(EventKind::YearEndFertileDays, 1, days[first].date, days.back().date,
               fertileText(calendar, days[first].date, days.back().date, phaseDay));
}

QString cycleDescription(const CalendarExport &calendar)
{
    return (QStringList{QStringLiteral("Név: ") + calendar.name, QStringLiteral("Naptármódszer (Knaus–Ogino)")})
        .join(QLatin1Char('\n'));
}

EventText cycleText(const CalendarExport &calendar, CycleMark mark)
{
    const bool predicted = mark == CycleMark::PeriodPredicted;
    return {predicted ? QStringLiteral("Várható vérzés") : QStringLiteral("Termékeny időszak (ciklus)"),
            cycleDescription(calendar)};
}

// The cycle's fertile windows, each one event over its days (a window that began in the
// year before starts on 1 January), and its predicted starts of bleeding, numbered in the
// year like the lunar events.
void addCycleEvents(EventWriter &events, const CalendarExport &calendar)
{
    const std::vector<ExportDay> &days = calendar.days;
    int windows = 0;
    int predicted = 0;
    for (size_t index = 0; index < days.size(); ++index) {
        const CycleMark mark = days[index].cycle.mark;
        if (mark == CycleMark::PeriodPredicted)
            events.add(EventKind::PredictedPeriodStart, ++predicted, days[index].date, days[index].date,
                       cycleText(calendar, mark));
        if (mark != CycleMark::Fertile || (index > 0 && days[index - 1].cycle.mark == CycleMark::Fertile))
            continue;
        size_t last = index;
        while (last + 1 < days.size() && days[last + 1].cycle.mark == CycleMark::Fertile)
            ++last;
        events.add(EventKind::CycleFertileWindow, ++windows, days[index].date, days[last].date,
                   cycleText(calendar, mark));
    }
}

} // namespace

QString FertileDaysSummary(const QDate &first, const QDate &last)
{
    return first == last ? QStringLiteral("Termékeny nap") : QStringLiteral("Termékeny napok");
}

QString ReminderHoursProblem(int hours)
{
    if (hours >= 0 && hours <= MaxReminderHours)
        return {};
    return QStringLiteral("Az emlékeztető 0 és %1 óra között lehet az esemény előtt (megadva: %2).")
        .arg(MaxReminderHours)
        .arg(hours);
}

QString EventUid(const QString &personIdentity, int year, EventKind kind, int ordinal, bool discreet)
{
    // A hash keeps the name out of the UID and gives it a fixed length.
    const QByteArray person = QCryptographicHash::hash(personIdentity.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("%1-%2%3%4@%5")
        .arg(QString::fromLatin1(person.left(24)))
        .arg(year)
        .arg(QLatin1Char(static_cast<char>(kind)))
        .arg(ordinal)
        .arg(discreet ? QStringLiteral("naptar") : QStringLiteral("ferolune"));
}

QByteArray CalendarIcs(const CalendarExport &calendar, const QDateTime &stamp, const IcsOptions &options)
{
    // The name calendar programs give the imported calendar.
    const QString name = options.discreet
                             ? QStringLiteral("Naptár %1").arg(calendar.year)
                             : QStringLiteral("Holdfázis naptár %1 - %2").arg(calendar.year).arg(calendar.name);
    IcalCalendar file(name, options.discreet, stamp, options.reminderHours);
    EventWriter events(file, calendar, options);
    const std::vector<ExportDay> &days = calendar.days;
    int ordinal = 0;
    for (size_t index = 0; index < days.size(); ++index) {
        const ExportDay &day = days[index];
        if (!isPhase(day.dayClass))
            continue;
        ++ordinal;
        size_t firstFertile = index;
        while (firstFertile > 0 && days[firstFertile - 1].dayClass == DayClass::Fertile)
            --firstFertile;
        // The fertile span shares the ordinal of its moon-phase day; a span cut away by
        // 1 January leaves its number unused.
        if (firstFertile < index)
            events.add(EventKind::FertileDays, ordinal, days[firstFertile].date, days[index - 1].date,
                       fertileText(calendar, days[firstFertile].date, days[index - 1].date, day.date));
        events.add(EventKind::MoonPhaseDay, ordinal, day.date, day.date, phaseText(calendar, day));
    }
    addYearEndFertileDays(events, calendar);
    addCycleEvents(events, calendar);
    return file.bytes();
}

} // namespace ferolune

#include "io/export/ics_export.h"

#include "core/chart/birth_input.h"

#include <libical/ical.h>

#include <QCryptographicHash>
#include <QStringList>

#include <memory>

namespace ferolune {

namespace {

struct ComponentFree {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

icaltimetype icalDate(const QDate &date)
{
    icaltimetype time = icaltime_null_date();
    time.year = date.year();
    time.month = date.month();
    time.day = date.day();
    return time;
}

icaltimetype icalUtc(const QDateTime &moment)
{
    return icaltime_from_timet_with_zone(static_cast<time_t>(moment.toSecsSinceEpoch()), 0,
                                         icaltimezone_get_utc_timezone());
}

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

// A display alarm `hours` before the event starts ("-PT24H").
icalcomponent *newReminder(int hours, const QString &text)
{
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    trigger.duration.is_neg = hours > 0 ? 1 : 0;
    trigger.duration.hours = static_cast<unsigned int>(hours);
    icalcomponent *alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    // A display alarm must carry a text; the event's summary says no more than the event.
    icalcomponent_add_property(alarm, icalproperty_new_description(text.toUtf8().constData()));
    return alarm;
}

// The all-day events of one file: their UIDs, stamp and reminder.
class EventWriter {
public:
    EventWriter(icalcomponent *root, const CalendarExport &calendar, const QDateTime &stamp, const IcsOptions &options)
        : m_root(root), m_calendar(calendar), m_stamp(icalUtc(stamp)), m_options(options)
    {
    }

    // An all-day event from `first` to `last` (DTEND is the day after, as the format wants),
    // the `ordinal`-th of its kind in the year. A discreet file keeps only a neutral summary.
    void add(EventKind kind, int ordinal, const QDate &first, const QDate &last, const EventText &full)
    {
        const EventText text = m_options.discreet ? EventText{discreetSummaryOf(kind), {}} : full;
        icalcomponent *event = icalcomponent_new_vevent();
        const QString uid = EventUid(m_calendar.personIdentity, m_calendar.year, kind, ordinal, m_options.discreet);
        icalcomponent_add_property(event, icalproperty_new_uid(uid.toUtf8().constData()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(m_stamp));
        icalcomponent_add_property(event, icalproperty_new_dtstart(icalDate(first)));
        icalcomponent_add_property(event, icalproperty_new_dtend(icalDate(last.addDays(1))));
        icalcomponent_add_property(event, icalproperty_new_summary(text.summary.toUtf8().constData()));
        if (!text.description.isEmpty())
            icalcomponent_add_property(event, icalproperty_new_description(text.description.toUtf8().constData()));
        // Marked days inform; they do not make the person busy.
        icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        if (m_options.reminderHours)
            icalcomponent_add_component(event, newReminder(*m_options.reminderHours, text.summary));
        icalcomponent_add_component(m_root, event);
    }

private:
    icalcomponent *m_root;
    const CalendarExport &m_calendar;
    icaltimetype m_stamp;
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

Component newCalendar(const CalendarExport &calendar, const IcsOptions &options)
{
    Component result(icalcomponent_new_vcalendar());
    icalcomponent_add_property(result.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(result.get(), icalproperty_new_prodid(IcsProductId(options.discreet)));
    icalcomponent_add_property(result.get(), icalproperty_new_calscale("GREGORIAN"));
    // The name calendar programs give the imported calendar.
    const QString title = options.discreet
                              ? QStringLiteral("Naptár %1").arg(calendar.year)
                              : QStringLiteral("Holdfázis naptár %1 - %2").arg(calendar.year).arg(calendar.name);
    icalproperty *name = icalproperty_new_x(title.toUtf8().constData());
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(result.get(), name);
    return result;
}

} // namespace

QString FertileDaysSummary(const QDate &first, const QDate &last)
{
    return first == last ? QStringLiteral("Termékeny nap") : QStringLiteral("Termékeny napok");
}

const char *IcsProductId(bool discreet)
{
    // A discreet file names no program either: the name of this one says what it is for.
    return discreet ? "-//Naptar//HU" : "-//Ferolune//Ferolune//HU";
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
    const Component root = newCalendar(calendar, options);
    EventWriter events(root.get(), calendar, stamp, options);
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
    char *text = icalcomponent_as_ical_string_r(root.get());
    const QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

} // namespace ferolune

#include "io/export/ics_export.h"

#include "core/calendar/local_clock.h"

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
                     QStringLiteral(" (") + ClockLabel(*day.exact) + u')';
    if (!day.moonSign.isEmpty())
        lines << QStringLiteral("A Hold jegye: ") + day.moonSign;
    return lines.join(QLatin1Char('\n'));
}

QString fertileDescription(const CalendarExport &calendar, const QDate &phaseDay)
{
    return (personLines(calendar) << QStringLiteral("Holdfázis nap: ") + dotted(phaseDay)).join(QLatin1Char('\n'));
}

// An all-day event from `first` to `last` (DTEND is the day after, as the format wants).
void addEvent(icalcomponent *calendar, const QString &uid, const icaltimetype &stamp, const QDate &first,
              const QDate &last, const QString &summary, const QString &description)
{
    icalcomponent *event = icalcomponent_new_vevent();
    icalcomponent_add_property(event, icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(event, icalproperty_new_dtstart(icalDate(first)));
    icalcomponent_add_property(event, icalproperty_new_dtend(icalDate(last.addDays(1))));
    icalcomponent_add_property(event, icalproperty_new_summary(summary.toUtf8().constData()));
    icalcomponent_add_property(event, icalproperty_new_description(description.toUtf8().constData()));
    // Marked days inform; they do not make the person busy.
    icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    icalcomponent_add_component(calendar, event);
}

// Fertile days that end the year come before a moon-phase day on 1 to 3 January, three
// days after the first of them; that day is in the next year's calendar. The event's UID
// differs from the one the next year's file gives the January fertile days.
void addYearEndFertileDays(icalcomponent *root, const CalendarExport &calendar, const icaltimetype &stamp)
{
    const std::vector<ExportDay> &days = calendar.days;
    size_t first = days.size();
    while (first > 0 && days[first - 1].dayClass == DayClass::Fertile)
        --first;
    if (first == days.size())
        return;
    const QDate phaseDay = days[first].date.addDays(3);
    addEvent(root, EventUid(calendar.personIdentity, phaseDay, "fertile-year-end"), stamp, days[first].date,
             days.back().date, QStringLiteral("Termékeny nap"), fertileDescription(calendar, phaseDay));
}

Component newCalendar(const CalendarExport &calendar)
{
    Component result(icalcomponent_new_vcalendar());
    icalcomponent_add_property(result.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(result.get(), icalproperty_new_prodid("-//Ferolune//Ferolune//HU"));
    icalcomponent_add_property(result.get(), icalproperty_new_calscale("GREGORIAN"));
    // The name calendar programs give the imported calendar.
    const QString title = QStringLiteral("Holdfázis naptár %1 - %2").arg(calendar.year).arg(calendar.name);
    icalproperty *name = icalproperty_new_x(title.toUtf8().constData());
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(result.get(), name);
    return result;
}

} // namespace

QString EventUid(const QString &personIdentity, const QDate &phaseDay, const char *kind)
{
    // A hash keeps the birth data out of the UID and gives it a fixed length.
    const QByteArray person = QCryptographicHash::hash(personIdentity.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("%1-%2-%3@ferolune")
        .arg(QString::fromLatin1(person.left(24)), phaseDay.toString(QStringLiteral("yyyyMMdd")),
             QString::fromLatin1(kind));
}

QByteArray CalendarIcs(const CalendarExport &calendar, const QDateTime &stamp)
{
    const Component root = newCalendar(calendar);
    const icaltimetype stampTime = icalUtc(stamp);
    const std::vector<ExportDay> &days = calendar.days;
    for (size_t index = 0; index < days.size(); ++index) {
        const ExportDay &day = days[index];
        if (!isPhase(day.dayClass))
            continue;
        size_t firstFertile = index;
        while (firstFertile > 0 && days[firstFertile - 1].dayClass == DayClass::Fertile)
            --firstFertile;
        if (firstFertile < index)
            addEvent(root.get(), EventUid(calendar.personIdentity, day.date, "fertile"), stampTime,
                     days[firstFertile].date, days[index - 1].date, QStringLiteral("Termékeny nap"),
                     fertileDescription(calendar, day.date));
        const QString summary = day.dayClass == DayClass::PhaseBoy ? QStringLiteral("Holdfázis nap - fiú")
                                                                   : QStringLiteral("Holdfázis nap - lány");
        addEvent(root.get(), EventUid(calendar.personIdentity, day.date, "phase"), stampTime, day.date, day.date,
                 summary, phaseDescription(calendar, day));
    }
    addYearEndFertileDays(root.get(), calendar, stampTime);
    char *text = icalcomponent_as_ical_string_r(root.get());
    const QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

} // namespace ferolune

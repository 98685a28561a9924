#include "io/export/ical_calendar.h"

#include <libical/ical.h>

namespace ferolune {

namespace {

icaltimetype icalDate(const QDate &date)
{
    icaltimetype time = icaltime_null_date();
    time.year = date.year();
    time.month = date.month();
    time.day = date.day();
    return time;
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

} // namespace

struct IcalCalendar::Parts {
    icalcomponent *root;
    icaltimetype stamp;
    std::optional<int> reminderHours;
};

IcalCalendar::IcalCalendar(const QString &name, bool discreet, const QDateTime &stamp, std::optional<int> reminderHours)
    : m_parts(std::make_unique<Parts>(Parts{icalcomponent_new_vcalendar(),
                                            icaltime_from_timet_with_zone(static_cast<time_t>(stamp.toSecsSinceEpoch()),
                                                                          0, icaltimezone_get_utc_timezone()),
                                            reminderHours}))
{
    icalcomponent *root = m_parts->root;
    icalcomponent_add_property(root, icalproperty_new_version("2.0"));
    // A discreet file names no program either: the name of this one says what it is for.
    icalcomponent_add_property(root, icalproperty_new_prodid(discreet ? "-//Naptar//HU" : "-//Ferolune//Ferolune//HU"));
    icalcomponent_add_property(root, icalproperty_new_calscale("GREGORIAN"));
    icalproperty *calendarName = icalproperty_new_x(name.toUtf8().constData());
    icalproperty_set_x_name(calendarName, "X-WR-CALNAME");
    icalcomponent_add_property(root, calendarName);
}

IcalCalendar::~IcalCalendar()
{
    icalcomponent_free(m_parts->root);
}

void IcalCalendar::add(const AllDayEvent &event)
{
    icalcomponent *component = icalcomponent_new_vevent();
    icalcomponent_add_property(component, icalproperty_new_uid(event.uid.toUtf8().constData()));
    icalcomponent_add_property(component, icalproperty_new_dtstamp(m_parts->stamp));
    icalcomponent_add_property(component, icalproperty_new_dtstart(icalDate(event.first)));
    // DTEND is the day after the last, as the format wants of an all-day event.
    icalcomponent_add_property(component, icalproperty_new_dtend(icalDate(event.last.addDays(1))));
    icalcomponent_add_property(component, icalproperty_new_summary(event.summary.toUtf8().constData()));
    if (!event.description.isEmpty())
        icalcomponent_add_property(component, icalproperty_new_description(event.description.toUtf8().constData()));
    // Marked days inform; they do not make the person busy.
    icalcomponent_add_property(component, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    if (m_parts->reminderHours)
        icalcomponent_add_component(component, newReminder(*m_parts->reminderHours, event.summary));
    icalcomponent_add_component(m_parts->root, component);
}

QByteArray IcalCalendar::bytes() const
{
    char *text = icalcomponent_as_ical_string_r(m_parts->root);
    const QByteArray result(text);
    icalmemory_free_buffer(text);
    return result;
}

} // namespace ferolune

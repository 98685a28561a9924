#pragma once

// What every phone-calendar file of the program is made of: a calendar of all-day events,
// each with its UID, stamp and, when she asks for one, a reminder.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

namespace ferolune {

struct AllDayEvent {
    QString uid;
    QDate first; // the first day
    QDate last;  // the last day, itself included
    QString summary;
    QString description; // none when empty
};

// A calendar file being made.
class IcalCalendar {
public:
    // A calendar the calendar programs show as `name`, whose events carry `stamp` as their
    // DTSTAMP and, with `reminderHours`, a display alarm that many hours before each starts.
    // A discreet file's product id names no program.
    IcalCalendar(const QString &name, bool discreet, const QDateTime &stamp, std::optional<int> reminderHours);
    ~IcalCalendar();
    IcalCalendar(const IcalCalendar &) = delete;
    IcalCalendar &operator=(const IcalCalendar &) = delete;

    void add(const AllDayEvent &event);
    QByteArray bytes() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace ferolune

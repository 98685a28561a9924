#include "core/calendar/run_messages.h"

namespace ferolune {

namespace {

QString beyondEphemeris(const QString &what, const QString &consequence)
{
    return what + QStringLiteral(" kívül esik azon az időszakon, amelyet az efemerisz adatai lefednek, ezért ") +
           consequence;
}

const QString NoCalendar = QStringLiteral("a naptár nem készíthető el.");

} // namespace

QString BirthDateBeyondEphemerisMessage(int birthYear)
{
    return beyondEphemeris(QStringLiteral("A születési dátum (%1)").arg(birthYear), NoCalendar);
}

QString CalendarYearBeyondEphemerisMessage(int calendarYear)
{
    return beyondEphemeris(QStringLiteral("A naptár éve (%1)").arg(calendarYear), NoCalendar);
}

QString DetailBeyondEphemerisMessage()
{
    return beyondEphemeris(QStringLiteral("A kiválasztott nap vagy valamelyik szomszédja"),
                           QStringLiteral("a részletes lebontás nem készíthető el."));
}

} // namespace ferolune

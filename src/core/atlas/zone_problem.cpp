#include "core/atlas/atlas.h"

namespace ferolune {

namespace {

QString hungarianDate(QDate date)
{
    static const char *const months[] = {"január", "február", "március", "április", "május", "június",
                                         "július", "augusztus", "szeptember", "október", "november",
                                         "december"};
    return QStringLiteral("%1. %2 %3.")
        .arg(date.year())
        .arg(QString::fromUtf8(months[date.month() - 1]))
        .arg(date.day());
}

QString clockText(int hour, int minute)
{
    return QStringLiteral("%1:%2").arg(hour, 2, 10, QLatin1Char('0')).arg(minute, 2, 10, QLatin1Char('0'));
}

} // namespace

QString zoneReadingText(const ZoneReading &reading)
{
    const QString hours = QString::number(reading.zoneHours);
    return reading.summerTime ? hours + QStringLiteral(" (nyári időszámítás)") : hours;
}

QString zoneProblemText(const Place &place, QDate date, int hour, int minute, const ZoneAt &zone)
{
    switch (zone.kind) {
    case LocalTimeKind::Unique:
        return QString();
    case LocalTimeKind::InvalidMoment:
        return QStringLiteral("A születési dátum vagy időpont nem érvényes.");
    case LocalTimeKind::UnknownZone:
        return QStringLiteral("A születési hely (%1) időzónáját (%2) nem ismeri a rendszer. "
                              "Kérem, írja be kézzel az időzónát.")
            .arg(place.shownName(), QString::fromLatin1(place.timeZoneId));
    case LocalTimeKind::Skipped:
        return QStringLiteral("A születési helyen (%1) %2 %3 nem létező időpont: ekkor kezdődött a nyári "
                              "időszámítás, és az órát előreállították. Kérem, ellenőrizze az órát és a "
                              "percet, vagy írja be kézzel az időzónát.")
            .arg(place.shownName(), hungarianDate(date), clockText(hour, minute));
    case LocalTimeKind::Repeated:
        return QStringLiteral("A születési helyen (%1) %2 %3 kétszer is volt: ekkor ért véget a nyári "
                              "időszámítás. Először %4 volt az időzóna, másodszor %5. Melyiket használjuk?")
            .arg(place.shownName(), hungarianDate(date), clockText(hour, minute),
                 zoneReadingText(zone.readings.at(0)), zoneReadingText(zone.readings.at(1)));
    }
    return QString();
}

} // namespace ferolune

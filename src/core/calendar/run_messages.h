#pragma once

// The Hungarian messages of a calendar run that the ephemeris cannot compute. The calendar
// window's controller and the command line say the same words.

#include <QString>

namespace ferolune {

// The birth moment lies outside the ephemeris: no natal chart, no calendar.
QString BirthDateBeyondEphemerisMessage(int birthYear);
// A moment of the calendar year lies outside the ephemeris.
QString CalendarYearBeyondEphemerisMessage(int calendarYear);
// A minute of the day detail (the day or one of its neighbours) lies outside it.
QString DetailBeyondEphemerisMessage();

} // namespace ferolune

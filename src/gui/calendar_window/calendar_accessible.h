#pragma once

// The calendar page as a screen reader meets it: a table whose cells are the year's days,
// each named by its date, class and exact return, the keyboard's cell focused.

class QAccessibleInterface;
class QObject;
class QString;

namespace ferolune {

// Qt's accessibility factory for the calendar page; other objects get Qt's own.
QAccessibleInterface *CalendarAccessibleFactory(const QString &className, QObject *object);

} // namespace ferolune

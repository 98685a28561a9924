#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace ferolune {

// The busy pointer over the whole program for as long as the guard lives.
class BusyPointer {
public:
    explicit BusyPointer(Qt::CursorShape shape = Qt::WaitCursor) { QGuiApplication::setOverrideCursor(QCursor(shape)); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace ferolune

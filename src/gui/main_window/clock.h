#pragma once

#include <QDateTime>

namespace ferolune {

// The local date and time start-up reads. The program uses the computer's clock; tests
// start the window at a moment of their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace ferolune

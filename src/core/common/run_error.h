#pragma once

#include <QString>

namespace ferolune {

// Why a number could not be made of a text or written back, in the style the program's
// start-up and its summer-time box report it: a number and a description.
struct RunError {
    enum Code { Overflow = 6, TypeMismatch = 13 };

    int number = TypeMismatch;
    QString description;

    static RunError typeMismatch() { return {TypeMismatch, QStringLiteral("Type mismatch")}; }
    static RunError overflow() { return {Overflow, QStringLiteral("Overflow")}; }

    // "Error 13 (Type mismatch) in procedure " followed by `where`: the message start-up
    // and the summer-time box show, naming the step that failed.
    QString procedureMessage(const QString &where) const
    {
        return QStringLiteral("Error %1 (%2) in procedure %3").arg(number).arg(description, where);
    }
};

} // namespace ferolune

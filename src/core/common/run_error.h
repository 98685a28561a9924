#pragma once

#include <QString>

#include <exception>
#include <string>

namespace ferolune {

// A run-time error in the style the program reports to its user: a number, the
// platform's description, and (where a text field was being read) that field's name.
class RunError : public std::exception {
public:
    enum Code { Overflow = 6, TypeMismatch = 13 };

    RunError(int number, QString description, QString field = {});

    static RunError typeMismatch(const QString &field = {});
    static RunError overflow(const QString &field = {});

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    // The control whose text failed to convert ("txtDay", "Text3" ...), empty when none.
    const QString &field() const { return m_field; }

    // "Error 13 (Type mismatch) in procedure " followed by `where`: the message start-up
    // and the summer-time box show, naming the step that failed.
    QString procedureMessage(const QString &where) const;

    const char *what() const noexcept override { return m_what.c_str(); }

private:
    int m_number;
    QString m_description;
    QString m_field;
    std::string m_what;
};

} // namespace ferolune

#pragma once

#include <QLocale>

namespace ferolune::test {

// Switches the user's number settings for the life of the guard.
class DecimalSeparatorGuard {
public:
    explicit DecimalSeparatorGuard(QChar separator)
        : m_previous(QLocale())
    {
        QLocale::setDefault(separator == u',' ? QLocale(QLocale::Hungarian, QLocale::Hungary)
                                              : QLocale(QLocale::English, QLocale::UnitedStates));
    }
    ~DecimalSeparatorGuard() { QLocale::setDefault(m_previous); }
    DecimalSeparatorGuard(const DecimalSeparatorGuard &) = delete;
    DecimalSeparatorGuard &operator=(const DecimalSeparatorGuard &) = delete;

private:
    QLocale m_previous;
};

} // namespace ferolune::test

#pragma once

#include <QLocale>

#include <clocale>
#include <string>

namespace ferolune::test {

// Switches the user's number settings for the life of the guard: Qt's default locale,
// and the C library's number formatting as well, as a desktop set to Hungarian has it
// (QApplication takes the process locale from the environment). A machine without the
// hu_HU.UTF-8 locale keeps the C library's settings.
class DecimalSeparatorGuard {
public:
    explicit DecimalSeparatorGuard(QChar separator)
        : m_previous(QLocale())
        , m_previousNumeric(std::setlocale(LC_NUMERIC, nullptr))
    {
        const bool comma = separator == u',';
        QLocale::setDefault(comma ? QLocale(QLocale::Hungarian, QLocale::Hungary)
                                  : QLocale(QLocale::English, QLocale::UnitedStates));
        std::setlocale(LC_NUMERIC, comma ? "hu_HU.UTF-8" : "C");
    }
    ~DecimalSeparatorGuard()
    {
        QLocale::setDefault(m_previous);
        std::setlocale(LC_NUMERIC, m_previousNumeric.c_str());
    }
    DecimalSeparatorGuard(const DecimalSeparatorGuard &) = delete;
    DecimalSeparatorGuard &operator=(const DecimalSeparatorGuard &) = delete;

private:
    QLocale m_previous;
    std::string m_previousNumeric;
};

} // namespace ferolune::test

#include "core/common/run_error.h"

namespace ferolune {

RunError::RunError(int number, QString description, QString field)
    : m_number(number), m_description(std::move(description)), m_field(std::move(field))
{
    m_what = QStringLiteral("Error %1 (%2)").arg(m_number).arg(m_description).toStdString();
    if (!m_field.isEmpty())
        m_what += " in field " + m_field.toStdString();
}

RunError RunError::typeMismatch(const QString &field)
{
    return RunError(TypeMismatch, QStringLiteral("Type mismatch"), field);
}

RunError RunError::overflow(const QString &field)
{
    return RunError(Overflow, QStringLiteral("Overflow"), field);
}

QString RunError::procedureMessage(const QString &where) const
{
    return QStringLiteral("Error %1 (%2) in procedure %3").arg(m_number).arg(m_description, where);
}

} // namespace ferolune

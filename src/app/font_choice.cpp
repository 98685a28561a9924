#include "app/font_choice.h"

#include <QFontDatabase>
#include <QStringList>

namespace ferolune {

QString InstalledFamily(const QString &family)
{
    if (QFontDatabase::families().contains(family, Qt::CaseInsensitive))
        return family;
    if (family.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return QStringLiteral("Liberation Sans"); // for "MS Sans Serif" and "Arial"
}

QFont ProgramFont(const QString &family, double pointSize, bool bold)
{
    QFont font(InstalledFamily(family));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    if (family.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        font.setStyleHint(QFont::TypeWriter); // the chart text lines up in columns
    return font;
}

} // namespace ferolune

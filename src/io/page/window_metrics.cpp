#include "io/page/window_metrics.h"

#include <QFontDatabase>

namespace ferolune {

namespace {

QString installedFamily(const QString &family)
{
    if (QFontDatabase::hasFamily(family))
        return family;
    if (family == QLatin1StringView("Courier New"))
        return QStringLiteral("Liberation Mono");
    return QStringLiteral("Liberation Sans"); // for "MS Sans Serif" and "Arial"
}

} // namespace

QFont namedFont(const QString &family, double points, bool bold)
{
    QFont font(installedFamily(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    if (family == QLatin1StringView("Courier New"))
        font.setStyleHint(QFont::TypeWriter); // the chart text lines up in columns
    return font;
}

} // namespace ferolune

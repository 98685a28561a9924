#pragma once

// The Hungarian words of the planner: its columns and the texts of a row, the same in the
// window's list, on the printed page and in the phone calendar's events.

#include "core/calendar/plan.h"

#include <QString>

namespace ferolune {

inline const QString PlanTitle = QStringLiteral("Tervező – holdfázis napok");
inline const QString PlanFertileColumn = QStringLiteral("Termékeny napok");
inline const QString PlanPhaseDayColumn = QStringLiteral("Holdfázis nap");
inline const QString PlanSexColumn = QStringLiteral("Nem");
inline const QString PlanExactColumn = QStringLiteral("Pontos visszatérés");
inline const QString PlanCycleColumn = QStringLiteral("Ciklus termékeny időszaka");
inline const QString PlanUncertainColumn = QStringLiteral("Bizonytalan");

// "2027.01.08".
QString PlanDateText(const QDate &date);
// The three fertile days: "2027.01.05 – 01.07", with the year of the last when it differs.
QString PlanFertileDaysText(const PlanRow &row);
// "fiú" or "lány".
QString PlanSexText(DayClass sex);
// "2027.01.08 13:45 (UTC+1)"; empty when the return was not found.
QString PlanExactText(const PlanRow &row);
// "2 nap a 4-ből"; empty without a cycle.
QString PlanOverlapText(const PlanRow &row);
// The span: "2026.12.10 – 2027.12.09 (12 hónap)".
QString PlanSpanText(const QDate &from, int months);
// What the list holds when it does not hold every row: "csak fiú", "csak a ciklus termékeny
// időszakával találkozó sorok"; empty for every row.
QString PlanFilterText(const PlanFilter &filter);

} // namespace ferolune

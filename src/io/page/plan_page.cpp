#include "io/page/plan_page.h"

#include "io/page/window_metrics.h"
#include "io/texts/calendar_texts.h"
#include "io/texts/plan_texts.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace ferolune {

namespace {

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);
const QColor Rule(96, 96, 96);

constexpr int RowHeight = 21;      // 38 rows, the most 36 months hold, on the first page
constexpr int FirstTableTop = 112; // under the title, the person and the notes
constexpr int NextTableTop = 30;   // under the page number
constexpr int FooterTop = 960;     // the note on the methods' reliability

// The columns, left edge and width.
struct Column {
    int left;
    int width;
};
constexpr Column FertileColumn{0, 124};
constexpr Column PhaseDayColumn{130, 80};
constexpr Column SexColumn{216, 40};
constexpr Column ExactColumn{262, 308};
constexpr Column CycleColumn{574, 84};
constexpr Column UncertainColumn{662, 58};

QFont font(double points, bool bold = false)
{
    QFont result = namedFont(QStringLiteral("Arial"), points, bold);
    result.setPixelSize(qRound(points * PageDpi / 72));
    return result;
}

QFont courier(double points)
{
    QFont result = namedFont(QStringLiteral("Courier New"), points, true);
    result.setPixelSize(qRound(points * PageDpi / 72));
    return result;
}

QRect cellOf(Column column, int top)
{
    return QRect(column.left, top, column.width, RowHeight);
}

void text(QPainter &painter, const QRect &rect, const QString &line, const QFont &face,
          const QColor &colour = Qt::black, int flags = Qt::AlignLeft | Qt::AlignVCenter)
{
    painter.setFont(face);
    painter.setPen(colour);
    painter.drawText(rect, flags, line);
}

int rowsOnFirstPage()
{
    return (FooterTop - FirstTableTop) / RowHeight - 1;
}

int rowsOnNextPage()
{
    return (FooterTop - NextTableTop) / RowHeight - 1;
}

void paintColumnHeads(QPainter &painter, const PlanSheet &sheet, int top)
{
    const QFont bold = font(8.25, true);
    text(painter, cellOf(FertileColumn, top), PlanFertileColumn, bold);
    text(painter, cellOf(PhaseDayColumn, top), PlanPhaseDayColumn, bold);
    text(painter, cellOf(SexColumn, top), PlanSexColumn, bold);
    text(painter, cellOf(ExactColumn, top), PlanExactColumn, bold);
    if (sheet.plan.hasCycle)
        text(painter, cellOf(CycleColumn, top), QStringLiteral("Ciklus"), bold);
    if (sheet.plan.uncertaintyMinutes > 0)
        text(painter, cellOf(UncertainColumn, top), PlanUncertainColumn, font(7.5, true));
    painter.setPen(Rule);
    painter.drawLine(0, top + RowHeight - 1, PlanPageSize.width(), top + RowHeight - 1);
}

// A row as the calendar colours its days: the fertile days on yellow, the moon-phase day on
// blue or red, a green frame round the cycle's count where it meets the fertile window, and
// the black corner of an uncertain day.
void paintRow(QPainter &painter, const PlanRow &row, int top)
{
    const QFont plain = font(8.25);
    const QFont bold = font(8.25, true);
    const QRect fertile = cellOf(FertileColumn, top).adjusted(0, 2, 0, -2);
    painter.fillRect(fertile, DayClassColour(DayClass::Fertile));
    text(painter, fertile.adjusted(4, 0, 0, 0), PlanFertileDaysText(row), plain);
    const QRect phase = cellOf(PhaseDayColumn, top).adjusted(0, 2, 0, -2);
    const QColor sexColour = DayClassColour(row.sex);
    painter.fillRect(phase, sexColour);
    text(painter, phase, PlanDateText(row.phaseDay), bold, Qt::white, Qt::AlignCenter);
    text(painter, cellOf(SexColumn, top), PlanSexText(row.sex), bold, sexColour);
    QString exact = PlanExactText(row);
    if (row.exact && !ExactRangeText(*row.exact).isEmpty())
        exact += QStringLiteral("   ") + ExactRangeText(*row.exact);
    // A range across midnight names both days: it is set smaller rather than cut short.
    QFont exactFont = plain;
    const int room = ExactColumn.width - 4;
    if (const int wide = QFontMetrics(exactFont).horizontalAdvance(exact); wide > room)
        exactFont.setPixelSize(std::max(plain.pixelSize() * 3 / 4, plain.pixelSize() * room / wide));
    text(painter, cellOf(ExactColumn, top), QFontMetrics(exactFont).elidedText(exact, Qt::ElideRight, room), exactFont);
    if (row.cycleOverlap) {
        const QRect cycle = cellOf(CycleColumn, top).adjusted(0, 2, -4, -2);
        if (row.meetsCycle()) {
            painter.setPen(QPen(CycleWindowColour(), 2));
            painter.drawRect(cycle.adjusted(1, 1, -1, -1));
        }
        text(painter, cycle.adjusted(5, 0, 0, 0), PlanOverlapText(row), plain);
    }
    if (row.uncertain) {
        const QRect mark = cellOf(UncertainColumn, top);
        const QPoint corner(mark.left() + 14, mark.top() + 4);
        const QPoint triangle[3] = {corner, corner - QPoint(9, 0), corner + QPoint(0, 9)};
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(triangle, 3);
        painter.setBrush(Qt::NoBrush);
        text(painter, mark.adjusted(20, 0, 0, 0), QStringLiteral("igen"), plain);
    }
    painter.setPen(QColor(210, 210, 210));
    painter.drawLine(0, top + RowHeight - 1, PlanPageSize.width(), top + RowHeight - 1);
}

void paintTitle(QPainter &painter, const PlanSheet &sheet)
{
    const PlanResult &plan = sheet.plan;
    text(painter, QRect(0, 0, 400, 24), PlanTitle, font(12, true), Blue);
    text(painter, QRect(300, 0, PlanPageSize.width() - 300, 24), PlanSpanText(plan.from, plan.months), font(9.75, true),
         Blue, Qt::AlignRight | Qt::AlignVCenter);
    QString person = QStringLiteral("A SZÜLETÉS ADATAI: ") + sheet.heading.name;
    const QString place = sheet.heading.residence.section(QStringLiteral(", "), 0, 0).trimmed();
    person += QStringLiteral(", ") + (place.isEmpty() ? sheet.heading.clockNote : QStringLiteral("LAKÓHELY: ") + place);
    text(painter, QRect(0, 28, PlanPageSize.width(), 20), person, courier(9.75));
    text(painter, QRect(0, 48, PlanPageSize.width(), 22), sheet.angleCaption, courier(12), Red);
    QStringList notes;
    if (plan.hasCycle)
        notes << QStringLiteral("Ciklus alapja: ") + BasisLine(plan.cycleBasis);
    if (const QString filter = PlanFilterText(sheet.filter); !filter.isEmpty())
        notes << QStringLiteral("A lista: ") + filter;
    text(painter, QRect(0, 72, PlanPageSize.width(), 36), notes.join(u'\n'), font(8.25), Qt::black,
         Qt::AlignLeft | Qt::AlignTop);
}

void paintFooter(QPainter &painter, const PlanSheet &sheet, int page, int pageCount)
{
    QStringList lines{MethodReliabilityNote};
    if (sheet.plan.builtInEphemeris)
        lines << QStringLiteral("Figyelem: a helyzetek egy része a Swiss Ephemeris beépített, kevésbé pontos "
                                "efemeriszéből származik.");
    text(painter, QRect(0, FooterTop + 8, PlanPageSize.width() - 60, PlanPageSize.height() - FooterTop - 8),
         lines.join(u'\n'), font(7.5), Qt::black, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    text(painter, QRect(PlanPageSize.width() - 60, FooterTop + 8, 60, 16),
         QStringLiteral("%1/%2").arg(page + 1).arg(pageCount), font(7.5), Qt::black, Qt::AlignRight | Qt::AlignTop);
}

} // namespace

int PlanPageCount(const PlanSheet &sheet)
{
    const int rows = static_cast<int>(sheet.plan.rows.size());
    if (rows <= rowsOnFirstPage())
        return 1;
    return 1 + (rows - rowsOnFirstPage() + rowsOnNextPage() - 1) / rowsOnNextPage();
}

void PaintPlanPage(QPainter &painter, const PlanSheet &sheet, int page)
{
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), PlanPageSize), Qt::white);
    const int pageCount = PlanPageCount(sheet);
    int top = NextTableTop;
    int first = 0;
    int count = rowsOnFirstPage();
    if (page == 0) {
        paintTitle(painter, sheet);
        top = FirstTableTop;
    } else {
        first = rowsOnFirstPage() + (page - 1) * rowsOnNextPage();
        count = rowsOnNextPage();
    }
    paintColumnHeads(painter, sheet, top);
    const std::vector<PlanRow> &rows = sheet.plan.rows;
    if (rows.empty())
        text(painter, QRect(0, top + RowHeight, PlanPageSize.width(), RowHeight),
             QStringLiteral("A listában nincs holdfázis nap."), font(8.25));
    const int last = std::min(static_cast<int>(rows.size()), first + count);
    for (int k = first; k < last; ++k)
        paintRow(painter, rows[static_cast<size_t>(k)], top + RowHeight * (k - first + 1));
    paintFooter(painter, sheet, page, pageCount);
    painter.restore();
}

bool DrawPlanSheets(QPagedPaintDevice &device, const PlanSheet &sheet)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF area(painter.viewport());
    const QSizeF page(PlanPageSize);
    const double scale = std::min(area.width() / page.width(), area.height() / page.height());
    const QTransform fitted = QTransform()
                                  .translate(area.left() + (area.width() - page.width() * scale) / 2,
                                             area.top() + (area.height() - page.height() * scale) / 2)
                                  .scale(scale, scale);
    const int pageCount = PlanPageCount(sheet);
    for (int k = 0; k < pageCount; ++k) {
        if (k > 0 && !device.newPage())
            return false;
        painter.setTransform(fitted);
        PaintPlanPage(painter, sheet, k);
    }
    return painter.end();
}

namespace {

bool writePlanPdf(QIODevice &out, const PlanSheet &sheet)
{
    QPdfWriter pdf(&out);
    pdf.setTitle(PlanTitle);
    pdf.setCreator(QStringLiteral("ferolune"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                  QPageLayout::Millimeter));
    pdf.setResolution(PageDpi);
    return DrawPlanSheets(pdf, sheet);
}

} // namespace

QByteArray PlanPdf(const PlanSheet &sheet)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    if (!out.open(QIODevice::WriteOnly) || !writePlanPdf(out, sheet))
        return {};
    return bytes;
}

} // namespace ferolune

#include "io/page/calendar_page.h"

#include "io/page/page_layout.h"
#include "io/texts/calendar_texts.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QIODevice>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>

namespace ferolune {

namespace {

const QStringList MonthNames = {
    QStringLiteral("Január"),     QStringLiteral("Február"), QStringLiteral("Március"),  QStringLiteral("Április"),
    QStringLiteral("Május"),      QStringLiteral("Június"),  QStringLiteral("Július"),   QStringLiteral("Augusztus"),
    QStringLiteral("Szeptember"), QStringLiteral("Október"), QStringLiteral("November"), QStringLiteral("December"),
};

const QString LegendTexts[LegendCount] = {QStringLiteral("Nem termékeny nap"), QStringLiteral("Termékeny nap"),
                                          QStringLiteral("Holdfázis nap - lány"),
                                          QStringLiteral("Holdfázis nap - fiú")};
const DayClass LegendClasses[LegendCount] = {DayClass::Unset, DayClass::Fertile, DayClass::PhaseGirl,
                                             DayClass::PhaseBoy};

const QString DetailHeading = QStringLiteral("Részletes (klikk a megfelelő napra a részletes lebontásért):");
const QString HourHeader =
    QStringLiteral("0            12          24   0            12          24  0            12          24");
const QString EphemerisNote = QStringLiteral("Figyelem: ennek az évnek a helyzetei a Swiss Ephemeris beépített, "
                                             "kevésbé pontos efemeriszéből származnak.");
const QString BoxHeading = QStringLiteral("A SZÜLETÉS ADATAI");
const QString NameHeading = QStringLiteral("A SZÜLETÉS ADATAI: ");
const QString ResidenceHeading = QStringLiteral("LAKÓHELY: ");

const QString CycleFertileText = QStringLiteral("Termékeny időszak (ciklus)");
const QString PeriodStartText = QStringLiteral("Vérzés kezdete");
const QString PredictedStartText = QStringLiteral("Várható vérzés");
const QString CycleBasisHeading = QStringLiteral("Ciklushossz – ");
const QString MeetingText = QStringLiteral("Zöld keret, zöld sarok: a ciklus termékeny időszakában holdnaptári "
                                           "termékeny vagy holdfázis nap");
const QString TodayText = QStringLiteral("Mai nap");

const QColor CellOutline(96, 96, 96);
const QColor CycleGreen(0, 128, 0);
const QColor PeriodRed(128, 0, 0);
const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

// The window was drawn over 13980 twips; the rule under the day numbers runs past the
// right edge.
constexpr int RuleTop = 420 / TwipsPerPixel;
// The month names end just before the first column of day cells.
constexpr int MonthNameRight = 1500 / TwipsPerPixel - 2;
constexpr int DayHeaderTop = 180 / TwipsPerPixel;
constexpr int DayHeaderHeight = 255 / TwipsPerPixel;
constexpr int ColumnStep = 240 / TwipsPerPixel;
constexpr int DateLefts[3] = {2820, 4380, 5940};

// The designed fonts at the page's own resolution: in pixels, so that a device of any
// resolution draws them at the same size against the cells.
QFont pageFont(const QString &family, double points, bool bold)
{
    QFont font = namedFont(family, points, bold);
    font.setPixelSize(qRound(points * PageDpi / 72));
    return font;
}

QFont arial(double points, bool bold = false)
{
    return pageFont(QStringLiteral("Arial"), points, bold);
}

QFont courier(double points)
{
    return pageFont(QStringLiteral("Courier New"), points, true);
}

QColor hourColour(HourClass hourClass, const QColor &background)
{
    switch (hourClass) {
    case HourClass::Plain:
        return Qt::white;
    case HourClass::Match:
        return Red;
    case HourClass::Unset:
        break;
    }
    return background;
}

void paintCell(QPainter &painter, const QRect &rect, const QColor &fill)
{
    painter.fillRect(rect, fill);
    painter.setPen(CellOutline);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void paintText(QPainter &painter, const QRect &rect, int flags, const QString &text, const QFont &font,
               const QColor &colour = Qt::black)
{
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, flags, text);
}

// A sunken two-pixel border, as the box was drawn on the window: dark and black above and
// to the left, white and light grey below and to the right.
void paintSunkenBorder(QPainter &painter, const QRect &rect)
{
    const auto edge = [&](const QRect &r, const QColor &topLeft, const QColor &bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
        painter.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    edge(rect, QColor(128, 128, 128), Qt::white);
    edge(rect.adjusted(1, 1, -1, -1), QColor(64, 64, 64), QColor(227, 227, 227));
}

void paintHeader(QPainter &painter, const CalendarPageContent &content)
{
    const QFont year = arial(9.75, true);
    paintText(painter, QRect(twipsPoint(480, 120), QSize(400, QFontMetrics(year).height())),
              Qt::AlignLeft | Qt::AlignVCenter, content.heading.yearText, year, Blue);

    // Each day number centred over its own column (January has a cell in every column).
    painter.setFont(arial(8.25));
    painter.setPen(Qt::black);
    for (int day = 1; day <= 31; ++day) {
        const QRect column = DayCellRect(day - 1, 365);
        const int centre = column.left() + column.width() / 2;
        painter.drawText(QRect(centre - ColumnStep, DayHeaderTop, 2 * ColumnStep, DayHeaderHeight),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(day));
    }
    painter.drawLine(0, RuleTop, CalendarClientSize.width(), RuleTop);

    const QFont monthFont = arial(8.25, true);
    const int height = QFontMetrics(monthFont).height();
    for (int month = 0; month < 12; ++month)
        paintText(painter, QRect(0, (600 + 300 * month) / TwipsPerPixel, MonthNameRight, height),
                  Qt::AlignRight | Qt::AlignVCenter, MonthNames[month], monthFont);
}

bool isLunarMarked(DayClass dayClass)
{
    return dayClass == DayClass::Fertile || dayClass == DayClass::PhaseGirl || dayClass == DayClass::PhaseBoy;
}

// A frame `width` pixels wide just inside `rect`, as four bands: a year has some 180 of
// them, and plain bands cost a fraction of an antialiased stroke.
void fillFrame(QPainter &painter, const QRect &rect, int width, const QColor &colour)
{
    const int side = rect.height() - 2 * width;
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), width), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width), colour);
    painter.fillRect(QRect(rect.left(), rect.top() + width, width, side), colour);
    painter.fillRect(QRect(rect.right() - width + 1, rect.top() + width, width, side), colour);
}

// A corner of a cell filled in one colour, with crisp edges like the cells'.
void fillTriangle(QPainter &painter, const std::array<QPoint, 3> &triangle, const QColor &colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(triangle.data(), static_cast<int>(triangle.size()));
    painter.restore();
}

// The cycle's fertile window takes the cell's own outline and one pixel inside it, so that
// the lunar colour keeps well over two thirds of the cell; where a lunar fertile or
// moon-phase day falls in it, a small green corner says so.
void paintFertileWindowMark(QPainter &painter, const QRect &cell, bool meetsLunar)
{
    fillFrame(painter, cell, 2, CycleGreen);
    if (!meetsLunar)
        return;
    const QPoint corner = cell.topLeft();
    fillTriangle(painter, {corner, corner + QPoint(7, 0), corner + QPoint(0, 7)}, CycleGreen);
}

// Today's cell: a black frame around the cell, just outside its edge, with a white line
// outside that so that it stands out beside red and blue neighbours too.
void paintTodayMark(QPainter &painter, const QRect &cell)
{
    fillFrame(painter, cell.adjusted(-3, -3, 3, 3), 1, Qt::white);
    fillFrame(painter, cell.adjusted(-2, -2, 2, 2), 2, Qt::black);
}

// A mark of the menstrual cycle over a cell, leaving its colour to be seen: a green frame
// on the cell's edge for the fertile window (with a green corner where a lunar fertile or
// moon-phase day falls in it), a dark red dot for a recorded start of bleeding
// and a dark red ring for a predicted one. Dot and ring carry a white edge, so that they
// stand out on red and blue cells too.
void paintCycleMark(QPainter &painter, const QRect &cell, CycleMark mark, bool meetsLunar)
{
    if (mark == CycleMark::None)
        return;
    if (mark == CycleMark::Fertile) {
        paintFertileWindowMark(painter, cell, meetsLunar);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(cell).center();
    if (mark == CycleMark::Period) {
        painter.setPen(QPen(Qt::white, 1.2));
        painter.setBrush(PeriodRed);
        painter.drawEllipse(centre, 4.5, 4.5);
    } else {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 3.6));
        painter.drawEllipse(centre, 4.5, 4.5);
        painter.setPen(QPen(PeriodRed, 1.8));
        painter.drawEllipse(centre, 4.5, 4.5);
    }
    painter.restore();
}

// The mark of an uncertain day: a black corner over the top right of the cell, which leaves
// the day's colour to be seen, edged in white so that it stands out on blue and red too.
void paintUncertainMark(QPainter &painter, const QRect &cell)
{
    const int size = cell.height() / 2;
    const QPoint corner = cell.topRight();
    const std::array<QPoint, 3> triangle = {corner, corner - QPoint(size, 0), corner + QPoint(0, size)};
    fillTriangle(painter, triangle, Qt::black);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(triangle[1] - QPoint(1, 0), triangle[2] + QPoint(0, 1));
    painter.restore();
}

void paintCells(QPainter &painter, const CalendarPageContent &content)
{
    const CalendarModel &model = content.model;
    for (int k = 0; k < model.dayCount; ++k) {
        const QRect cell = DayCellRect(k, model.dayCount);
        paintCell(painter, cell, DayCellColour(content, k));
        const CycleMark mark = model.cycle.day(k).mark;
        paintCycleMark(painter, cell, mark, isLunarMarked(model.days[static_cast<size_t>(k)].dayClass));
        if (model.days[static_cast<size_t>(k)].uncertain)
            paintUncertainMark(painter, cell);
    }
    // Over its neighbours, which it overlaps.
    if (const int today = TodayCellIndex(content); today >= 0)
        paintTodayMark(painter, DayCellRect(today, model.dayCount));
    for (int k = 0; k < CalendarModel::HourCount; ++k)
        paintCell(painter, HourCellRect(k), HourCellColour(content, k));
}

void paintLegend(QPainter &painter, const CalendarPageContent &content)
{
    const QFont font = arial(8.25, true);
    const int height = QFontMetrics(font).height();
    for (int k = 0; k < LegendCount; ++k) {
        paintCell(painter, LegendCellRect(FirstLegendIndex + k), DayCellColour(content, FirstLegendIndex + k));
        paintText(painter, QRect(twipsPoint(840, 4740 + 360 * k), QSize(300, height)), Qt::AlignLeft | Qt::AlignVCenter,
                  LegendTexts[k], font);
    }
    // The uncertain day's row stands only on the calendar of a run that took an uncertainty.
    if (content.model.uncertaintyMinutes > 0) {
        const QRect swatch = SecondLegendSwatchRect(UncertainDayLegendRow);
        paintCell(painter, swatch, Qt::white);
        paintUncertainMark(painter, swatch);
        paintText(painter, SecondLegendTextRect(UncertainDayLegendRow), Qt::AlignLeft | Qt::AlignVCenter,
                  UncertainDayLegendText(content.model.uncertaintyMinutes), font);
    }
}

// The second legend column: the cycle's marks and its basis when there is a cycle, and
// always the note on the methods' reliability.
void paintSecondLegend(QPainter &painter, const CalendarPageContent &content)
{
    const QFont font = arial(8.25, true);
    const QFont small = arial(7.5);
    QRect note = MethodNoteRect;
    if (TodayCellIndex(content) >= 0) {
        const QRect swatch(note.topLeft(), SecondLegendSwatchRect(0).size());
        paintCell(painter, swatch, Qt::white);
        paintTodayMark(painter, swatch);
        paintText(painter, QRect(swatch.right() + 6, swatch.top(), note.right() - swatch.right() - 6, swatch.height()),
                  Qt::AlignLeft | Qt::AlignVCenter, TodayText, font);
        note.setTop(swatch.bottom() + 10);
    }
    const CycleLayer &cycle = content.model.cycle;
    if (!cycle.isEmpty()) {
        const struct {
            int row;
            CycleMark mark;
            const QString &text;
        } rows[] = {{CycleFertileLegendRow, CycleMark::Fertile, CycleFertileText},
                    {PeriodStartLegendRow, CycleMark::Period, PeriodStartText},
                    {PredictedStartLegendRow, CycleMark::PeriodPredicted, PredictedStartText}};
        for (const auto &row : rows) {
            paintCell(painter, SecondLegendSwatchRect(row.row), Qt::white);
            paintCycleMark(painter, SecondLegendSwatchRect(row.row), row.mark, false);
            paintText(painter, SecondLegendTextRect(row.row), Qt::AlignLeft | Qt::AlignVCenter, row.text, font);
        }
        const QRect basis = SecondLegendSwatchRect(CycleBasisLegendRow).united(SecondLegendTextRect(CycleBasisLegendRow));
        paintText(painter, basis.adjusted(0, -2, 0, 2), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                  CycleBasisHeading + BasisLine(cycle.basis), small);
        // Where the two methods meet, shown on a yellow cell.
        const QRect swatch(note.topLeft(), SecondLegendSwatchRect(0).size());
        paintCell(painter, swatch, Yellow);
        paintCycleMark(painter, swatch, CycleMark::Fertile, true);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        QRect meeting(swatch.right() + 6, note.top(), note.right() - swatch.right() - 6, note.height());
        meeting.setHeight(QFontMetrics(small).boundingRect(meeting, flags, MeetingText).height());
        paintText(painter, meeting, flags, MeetingText, small);
        note.setTop(std::max(meeting.bottom(), swatch.bottom()) + 8);
    }
    paintText(painter, note, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, MethodReliabilityNote, small);
}

void paintBirthDataBox(QPainter &painter, const CalendarPageContent &content)
{
    painter.fillRect(BirthDataBoxRect, Qt::white);
    paintSunkenBorder(painter, BirthDataBoxRect);

    const QFont font = courier(9.75);
    const PageHeading heading = LayOutHeading(content);
    // A second heading line takes the room under the five chart lines.
    const int extraLines = static_cast<int>(heading.lines.size()) - 1;
    const int lineSpacing = QFontMetrics(font).lineSpacing();
    const QRect headingRect = HeadingRect.adjusted(0, 0, 0, extraLines * lineSpacing);
    paintText(painter, headingRect, Qt::AlignCenter, heading.lines.join(QLatin1Char('\n')), font);

    QString chartLines = content.chartText;
    chartLines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    paintText(painter, ChartTextRect.adjusted(0, extraLines * lineSpacing, 0, 0), Qt::AlignLeft | Qt::AlignTop,
              chartLines, font);
    paintText(painter, AngleRect, Qt::AlignCenter, content.angleCaption, courier(12), Red);
}

void paintDetailStrip(QPainter &painter, const CalendarPageContent &content)
{
    const QFont bold = arial(8.25, true);
    // Texts that need more room than designed run on to the right.
    const auto widened = [](QRect rect) { return QRect(rect.topLeft(), QSize(600, rect.height())); };
    paintText(painter, widened(twipsRect(120, 6780, 4950, 210)), Qt::AlignLeft | Qt::AlignVCenter, DetailHeading, bold);
    paintText(painter, widened(twipsRect(2820, 6960, 4575, 195)), Qt::AlignLeft | Qt::AlignVCenter, HourHeader,
              arial(8.25));
    for (int g = 0; g < 3; ++g) {
        const QRect date = twipsRect(DateLefts[g], 7560, 1455, 195);
        painter.fillRect(date, Yellow);
        paintText(painter, date, Qt::AlignCenter, content.model.detailCaptions[static_cast<size_t>(g)], bold);
    }
    // The exact line runs across the whole page: with its clock and the range of an
    // uncertain birth moment it is longer than the strip.
    paintText(painter, twipsRect(120, 7800, SecondLegendLeft + SecondLegendWidth - 240, 195), Qt::AlignCenter,
              TextOf(content, PageText::ExactLine), bold);
    if (content.model.builtInEphemeris)
        paintText(painter, twipsRect(120, 8040, 10155, 195), Qt::AlignCenter, EphemerisNote, bold, Red);
}

// Fits `line` into `width`: whole, or shortened with an ellipsis.
QString fitted(const QFontMetrics &metrics, const QString &line, int width, bool &shortened)
{
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    shortened = true;
    return metrics.elidedText(line, Qt::ElideRight, width);
}

} // namespace

int TodayCellIndex(const CalendarPageContent &content)
{
    return content.heading.today.isValid() && content.model.year > 0 ? content.model.dayIndexOf(content.heading.today) : -1;
}

QString UncertainDayLegendText(int uncertaintyMinutes)
{
    return QStringLiteral("Bizonytalan nap (±%1 perc)").arg(uncertaintyMinutes);
}

CalendarPageContent PageOfRun(const CalendarHeading &heading, const NatalChart &natal, const CalendarModel &model)
{
    CalendarPageContent page;
    page.heading = heading;
    page.loaded = true;
    page.chartText = natal.text();
    page.angleCaption = AngleCaption(natal);
    page.model = model;
    return page;
}

PageHeading LayOutHeading(const CalendarPageContent &content)
{
    if (!content.loaded)
        return {{BoxHeading}, BoxHeading, false};
    // The residence field shows "name, county, country"; the heading keeps the name.
    const QString place = content.heading.residence.section(QStringLiteral(", "), 0, 0).trimmed();
    const QString nameLine = NameHeading + content.heading.name;
    // Without a residence the times stay on the birth zone, and the heading says so.
    const QString clockLine = place.isEmpty() ? content.heading.clockNote : ResidenceHeading + place;
    PageHeading heading;
    heading.full = clockLine.isEmpty() ? nameLine : nameLine + QStringLiteral(", ") + clockLine;
    const QFontMetrics metrics(courier(9.75));
    const int width = HeadingRect.width();
    if (metrics.horizontalAdvance(heading.full) <= width) {
        heading.lines = {heading.full};
        return heading;
    }
    // Two lines: the person and the residence, or the title and a long name.
    const QStringList lines = clockLine.isEmpty() ? QStringList{BoxHeading + QLatin1Char(':'), content.heading.name}
                                                  : QStringList{nameLine, clockLine};
    for (const QString &line : lines)
        heading.lines << fitted(metrics, line, width, heading.shortened);
    return heading;
}

QString TextOf(const CalendarPageContent &content, PageText text)
{
    const CalendarModel &model = content.model;
    switch (text) {
    case PageText::Year:
        return content.heading.yearText;
    case PageText::Heading:
        return LayOutHeading(content).full;
    case PageText::ChartText:
        return QString(content.chartText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    case PageText::AngleCaption:
        return content.angleCaption;
    case PageText::DetailDate1:
    case PageText::DetailDate2:
    case PageText::DetailDate3:
        return model.detailCaptions[static_cast<size_t>(text) - static_cast<size_t>(PageText::DetailDate1)];
    case PageText::ExactLine: {
        // The exact moment stands under a finished detail only.
        const bool detailDone =
            !model.detailCaptions[2].isEmpty() && model.detailDayIndex >= 0 && model.detailDayIndex < model.dayCount;
        const auto &exact = detailDone ? model.exactReturns[static_cast<size_t>(model.detailDayIndex)] : std::nullopt;
        return exact ? ExactReturnDetailLine(*exact, model.date(model.detailDayIndex)) : QString();
    }
    case PageText::EphemerisNote:
        return model.builtInEphemeris ? EphemerisNote : QString();
    }
    return {};
}

QColor DayClassColour(DayClass dayClass, const QColor &background)
{
    switch (dayClass) {
    case DayClass::NotFertile:
        return Qt::white;
    case DayClass::Fertile:
        return Yellow;
    case DayClass::PhaseGirl:
        return Red;
    case DayClass::PhaseBoy:
        return Blue;
    case DayClass::Unset:
        break;
    }
    return background;
}

QColor CycleWindowColour()
{
    return CycleGreen;
}

QColor DayCellColour(const CalendarPageContent &content, int index)
{
    if (index >= FirstLegendIndex && index < FirstLegendIndex + LegendCount)
        return DayClassColour(LegendClasses[index - FirstLegendIndex], content.background);
    if (index < 0 || index >= content.model.dayCount)
        return {};
    return DayClassColour(content.model.days[static_cast<size_t>(index)].dayClass, content.background);
}

QColor HourCellColour(const CalendarPageContent &content, int hourIndex)
{
    if (hourIndex < 0 || hourIndex >= CalendarModel::HourCount)
        return {};
    return hourColour(content.model.hours[static_cast<size_t>(hourIndex)], content.background);
}

void PaintCalendarPage(QPainter &painter, const CalendarPageContent &content)
{
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), CalendarClientSize), Qt::white);
    paintHeader(painter, content);
    paintCells(painter, content);
    paintLegend(painter, content);
    paintSecondLegend(painter, content);
    paintBirthDataBox(painter, content);
    paintDetailStrip(painter, content);
    painter.restore();
}

bool DrawCalendarSheet(QPagedPaintDevice &device, const CalendarPageContent &content)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Scaled to fit the printable area, proportions kept, centred both ways.
    const QRectF area(painter.viewport());
    const QSizeF page(CalendarClientSize);
    const double scale = std::min(area.width() / page.width(), area.height() / page.height());
    painter.translate(area.left() + (area.width() - page.width() * scale) / 2,
                      area.top() + (area.height() - page.height() * scale) / 2);
    painter.scale(scale, scale);
    PaintCalendarPage(painter, content);
    return painter.end(); // ends the document: a printer prints the page at once
}

bool WriteCalendarPdf(QIODevice &out, const CalendarPageContent &content)
{
    QPdfWriter pdf(&out);
    pdf.setTitle(QStringLiteral("Holdfázis naptár"));
    pdf.setCreator(QStringLiteral("ferolune"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                  QPageLayout::Millimeter));
    pdf.setResolution(PageDpi);
    return DrawCalendarSheet(pdf, content);
}

QByteArray CalendarPdf(const CalendarPageContent &content)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    if (!out.open(QIODevice::WriteOnly) || !WriteCalendarPdf(out, content))
        return {};
    return bytes;
}

} // namespace ferolune

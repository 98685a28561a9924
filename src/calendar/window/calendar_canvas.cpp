#include "calendar/window/calendar_canvas.h"

#include "calendar/exact_return.h"
#include "calendar/window/calendar_layout.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

namespace ferolune {

namespace {

const QColor CellOutline(96, 96, 96);

// The window was drawn over 13980 twips; the rule runs past the right edge.
constexpr int RuleTop = 420 / TwipsPerPixel;

const Rgb LegendColours[LegendCount] = {{-1, -1, -1}, {255, 255, 0}, {255, 0, 0}, {0, 0, 255}};

void paintCell(QPainter &painter, const QRect &rect, const QColor &fill)
{
    painter.fillRect(rect, fill);
    painter.setPen(CellOutline);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

} // namespace

QCursor PhaseDayCursor()
{
    return QCursor(QPixmap(QStringLiteral(":/ferolune/phase-day-cursor.png")), 12, 1);
}

CalendarCanvas::CalendarCanvas(QWidget *parent)
    : QWidget(parent), m_phaseDayCursor(PhaseDayCursor())
{
    setMouseTracking(true);
}

void CalendarCanvas::setModel(const CalendarModel &model)
{
    m_model = model;
    updatePointer(mapFromGlobal(QCursor::pos()));
    update();
}

QColor CalendarCanvas::colourOf(Rgb rgb) const
{
    // A cell no run has reset yet keeps the system's window-background colour.
    if (rgb.red < 0)
        return palette().color(QPalette::Base);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QColor CalendarCanvas::cellColor(int index) const
{
    if (index >= FirstLegendIndex && index < FirstLegendIndex + LegendCount)
        return colourOf(LegendColours[index - FirstLegendIndex]);
    if (index < 0 || index >= m_model.dayCount)
        return {};
    return colourOf(colorOf(m_model.days[static_cast<size_t>(index)].dayClass));
}

QColor CalendarCanvas::hourCellColor(int hourIndex) const
{
    if (hourIndex < 0 || hourIndex >= CalendarModel::HourCount)
        return {};
    return colourOf(colorOf(m_model.hours[static_cast<size_t>(hourIndex)]));
}

int CalendarCanvas::dayCellAt(const QPoint &point) const
{
    for (int k = m_model.dayCount - 1; k >= 0; --k) {
        if (DayCellRect(k, m_model.dayCount).contains(point))
            return k;
    }
    return -1;
}

QCursor CalendarCanvas::cursorAt(const QPoint &point) const
{
    const int k = dayCellAt(point);
    if (k >= 0 && m_model.days[static_cast<size_t>(k)].customPointer)
        return m_phaseDayCursor;
    return QCursor(Qt::ArrowCursor);
}

QString CalendarCanvas::toolTipAt(const QPoint &point) const
{
    const int k = dayCellAt(point);
    if (k < 0 || !m_model.exactReturns[static_cast<size_t>(k)])
        return {};
    return ExactReturnToolTip(*m_model.exactReturns[static_cast<size_t>(k)]);
}

bool CalendarCanvas::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto *help = static_cast<QHelpEvent *>(event);
    const QString text = toolTipAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, this, DayCellRect(dayCellAt(help->pos()), m_model.dayCount));
    return true;
}

void CalendarCanvas::updatePointer(const QPoint &point)
{
    const int k = dayCellAt(point);
    if (k >= 0 && m_model.days[static_cast<size_t>(k)].customPointer)
        setCursor(m_phaseDayCursor);
    else
        unsetCursor();
}

void CalendarCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawLine(0, RuleTop, width(), RuleTop);

    for (int k = 0; k < m_model.dayCount; ++k)
        paintCell(painter, DayCellRect(k, m_model.dayCount), cellColor(k));
    for (int k = FirstLegendIndex; k < FirstLegendIndex + LegendCount; ++k)
        paintCell(painter, LegendCellRect(k), cellColor(k));
    for (int k = 0; k < CalendarModel::HourCount; ++k)
        paintCell(painter, HourCellRect(k), hourCellColor(k));
}

void CalendarCanvas::mousePressEvent(QMouseEvent *event)
{
    m_pressedCell = event->button() == Qt::LeftButton ? dayCellAt(event->position().toPoint()) : -1;
}

void CalendarCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressed = m_pressedCell;
    m_pressedCell = -1;
    if (event->button() == Qt::LeftButton && pressed >= 0 && dayCellAt(event->position().toPoint()) == pressed)
        emit dayCellClicked(pressed);
}

void CalendarCanvas::mouseMoveEvent(QMouseEvent *event)
{
    updatePointer(event->position().toPoint());
}

} // namespace ferolune

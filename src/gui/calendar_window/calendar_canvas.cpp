#include "gui/calendar_window/calendar_canvas.h"

#include "io/page/page_layout.h"
#include "io/texts/calendar_texts.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

namespace ferolune {

QCursor PhaseDayCursor()
{
    return QCursor(QPixmap(QStringLiteral(":/ferolune/phase-day-cursor.png")), 12, 1);
}

CalendarCanvas::CalendarCanvas(QWidget *parent) : QWidget(parent), m_phaseDayCursor(PhaseDayCursor())
{
    setMouseTracking(true);
    // A cell no run has reset yet keeps the system's window-background colour.
    m_content.background = palette().color(QPalette::Base);
}

void CalendarCanvas::setContent(const CalendarPageContent &content)
{
    const QColor background = m_content.background;
    m_content = content;
    m_content.background = background;
    updatePointer(mapFromGlobal(QCursor::pos()));
    update();
}

void CalendarCanvas::setModel(const CalendarModel &model)
{
    m_content.model = model;
    updatePointer(mapFromGlobal(QCursor::pos()));
    update();
}

QColor CalendarCanvas::cellColor(int index) const
{
    return DayCellColour(m_content, index);
}

QColor CalendarCanvas::hourCellColor(int hourIndex) const
{
    return HourCellColour(m_content, hourIndex);
}

int CalendarCanvas::dayCellAt(const QPoint &point) const
{
    for (int k = model().dayCount - 1; k >= 0; --k) {
        if (DayCellRect(k, model().dayCount).contains(point))
            return k;
    }
    return -1;
}

QCursor CalendarCanvas::cursorAt(const QPoint &point) const
{
    const int k = dayCellAt(point);
    if (k >= 0 && model().days[static_cast<size_t>(k)].isPhaseDay())
        return m_phaseDayCursor;
    return QCursor(Qt::ArrowCursor);
}

namespace {

// The day of the menstrual cycle on a line of its own under what the tooltip says already.
QString withCycleDay(const QString &text, const CycleDay &day)
{
    const QString cycleText = CycleDayText(day);
    if (cycleText.isEmpty() || text.isEmpty())
        return text + cycleText;
    return text + QLatin1Char('\n') + cycleText;
}

} // namespace

QString CalendarCanvas::toolTipAt(const QPoint &point) const
{
    if (HeadingRect.contains(point)) {
        const PageHeading heading = LayOutHeading(m_content);
        const QString &residence = m_content.heading.residence;
        if (!heading.shortened)
            return residence;
        return residence.isEmpty() ? heading.full : heading.full + QLatin1Char('\n') + residence;
    }
    const int k = dayCellAt(point);
    if (k < 0)
        return {};
    const std::optional<ExactReturn> &exact = model().exactReturns[static_cast<size_t>(k)];
    return withCycleDay(exact ? ExactReturnToolTip(*exact) : QString(), model().cycle.day(k));
}

QRect CalendarCanvas::toolTipArea(const QPoint &point) const
{
    return HeadingRect.contains(point) ? HeadingRect : DayCellRect(dayCellAt(point), model().dayCount);
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
        QToolTip::showText(help->globalPos(), text, this, toolTipArea(help->pos()));
    return true;
}

void CalendarCanvas::updatePointer(const QPoint &point)
{
    const int k = dayCellAt(point);
    if (k >= 0 && model().days[static_cast<size_t>(k)].isPhaseDay())
        setCursor(m_phaseDayCursor);
    else
        unsetCursor();
}

void CalendarCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintCalendarPage(painter, m_content);
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

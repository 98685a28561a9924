#include "gui/calendar_window/calendar_canvas.h"

#include "gui/calendar_window/calendar_accessible.h"
#include "io/page/page_layout.h"
#include "io/texts/calendar_texts.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

#include <algorithm>

namespace ferolune {

QCursor PhaseDayCursor()
{
    return QCursor(QPixmap(QStringLiteral(":/ferolune/phase-day-cursor.png")), 12, 1);
}

CalendarCanvas::CalendarCanvas(QWidget *parent) : QWidget(parent), m_phaseDayCursor(PhaseDayCursor())
{
    // Qt asks the factories for the page's interface; one installation serves every page.
    static const bool accessible = (QAccessible::installFactory(CalendarAccessibleFactory), true);
    Q_UNUSED(accessible);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
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

QTransform CalendarCanvas::pageTransform() const
{
    const QSizeF page(CalendarClientSize);
    const double scale = std::min(width() / page.width(), height() / page.height());
    return QTransform::fromTranslate((width() - page.width() * scale) / 2, 0).scale(scale, scale);
}

QRect CalendarCanvas::widgetRect(const QRect &pageRect) const
{
    return pageTransform().mapRect(QRectF(pageRect)).toAlignedRect();
}

QPoint CalendarCanvas::pagePoint(const QPoint &widgetPoint) const
{
    return pageTransform().inverted().map(QPointF(widgetPoint)).toPoint();
}

int CalendarCanvas::dayCellAt(const QPoint &point) const
{
    const QPoint onPage = pagePoint(point);
    for (int k = model().dayCount - 1; k >= 0; --k) {
        if (DayCellRect(k, model().dayCount).contains(onPage))
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

QString CalendarCanvas::toolTipAt(const QPoint &point) const
{
    if (HeadingRect.contains(pagePoint(point))) {
        const PageHeading heading = LayOutHeading(m_content);
        const QString &residence = m_content.heading.residence;
        if (!heading.shortened)
            return residence;
        return residence.isEmpty() ? heading.full : heading.full + QLatin1Char('\n') + residence;
    }
    return cellToolTip(dayCellAt(point));
}

QString CalendarCanvas::cellToolTip(int dayIndex) const
{
    return DayCellToolTip(model(), dayIndex);
}

QString CalendarCanvas::cellName(int dayIndex) const
{
    return DayCellName(model(), dayIndex, dayIndex >= 0 && dayIndex == TodayCellIndex(m_content));
}

QString CalendarCanvas::cellInfo(int dayIndex) const
{
    const bool today = dayIndex >= 0 && dayIndex == TodayCellIndex(m_content);
    QString text = DayCellHeading(model(), dayIndex, today);
    if (const QString tip = cellToolTip(dayIndex); !tip.isEmpty())
        text += QStringLiteral(" · ") + QString(tip).replace(u'\n', QStringLiteral(" · "));
    return text;
}

QRect CalendarCanvas::toolTipArea(const QPoint &point) const
{
    return widgetRect(HeadingRect.contains(pagePoint(point)) ? HeadingRect
                                                             : DayCellRect(dayCellAt(point), model().dayCount));
}

void CalendarCanvas::setFocusCell(int dayIndex)
{
    m_focusCell = std::clamp(dayIndex, 0, model().dayCount - 1);
    update();
    announceFocusCell();
    emit focusCellChanged(m_focusCell);
}

// A screen reader follows the keyboard's cell as it follows a focused control.
void CalendarCanvas::announceFocusCell()
{
    if (!QAccessible::isActive() || !hasFocus() || m_focusCell < 0)
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(m_focusCell);
    QAccessible::updateAccessibility(&focus);
}

void CalendarCanvas::startKeyboard()
{
    const int today = TodayCellIndex(m_content);
    setFocusCell(today >= 0 ? today : 0);
    setFocus(Qt::OtherFocusReason);
}

// Left and Right a day, Up and Down the same day of the month before or after (the last
// day of a shorter month), Home and End the first and last day of the year.
int CalendarCanvas::cellAfterKey(int key) const
{
    const int last = model().dayCount - 1;
    const QDate date = model().date(m_focusCell);
    switch (key) {
    case Qt::Key_Left:
        return std::max(m_focusCell - 1, 0);
    case Qt::Key_Right:
        return std::min(m_focusCell + 1, last);
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int month = date.month() + (key == Qt::Key_Up ? -1 : 1);
        if (month < 1 || month > 12)
            return m_focusCell;
        const QDate first(date.year(), month, 1);
        return model().dayIndexOf(QDate(date.year(), month, std::min(date.day(), first.daysInMonth())));
    }
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return last;
    default:
        return -1;
    }
}

void CalendarCanvas::keyPressEvent(QKeyEvent *event)
{
    if (m_focusCell < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        emit dayCellClicked(m_focusCell);
        return;
    }
    const int next = cellAfterKey(key);
    if (next < 0 || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (next != m_focusCell)
        setFocusCell(next);
}

void CalendarCanvas::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    announceFocusCell();
}

void CalendarCanvas::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
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
    painter.fillRect(rect(), Qt::white);
    painter.setTransform(pageTransform());
    PaintCalendarPage(painter, m_content);
    // The keyboard's cell, on the screen only: a dashed frame outside today's mark.
    if (hasFocus() && m_focusCell >= 0) {
        painter.resetTransform();
        const QRect cell = widgetRect(DayCellRect(m_focusCell, model().dayCount)).adjusted(-4, -4, 3, 3);
        painter.setPen(QPen(Qt::white, 2));
        painter.drawRect(cell);
        painter.setPen(QPen(palette().color(QPalette::Highlight).darker(130), 2, Qt::DashLine));
        painter.drawRect(cell);
    }
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

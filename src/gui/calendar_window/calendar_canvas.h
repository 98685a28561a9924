#pragma once

// The calendar page on the calendar window: it paints the page, and the page's day cells
// answer the pointer (the moon-phase pointer, the exact return as a tooltip, a click).

#include "io/page/calendar_page.h"

#include <QCursor>
#include <QWidget>

namespace ferolune {

class CalendarCanvas : public QWidget {
    Q_OBJECT
public:
    explicit CalendarCanvas(QWidget *parent = nullptr);

    const CalendarPageContent &content() const { return m_content; }
    void setContent(const CalendarPageContent &content);
    const CalendarModel &model() const { return m_content.model; }
    void setModel(const CalendarModel &model);

    // The colour a cell is painted in: day cells 0..dayCount - 1, legend swatches from
    // FirstLegendIndex.
    QColor cellColor(int index) const;
    QColor hourCellColor(int hourIndex) const;

    // The day cell under a point of this widget, -1 when none (the later cell wins where
    // neighbours overlap, as it is painted over the earlier one).
    int dayCellAt(const QPoint &point) const;

    // The pointer shown over a point: the moon-phase pointer over a moon-phase day cell.
    QCursor cursorAt(const QPoint &point) const;

    // The tooltip over a point: the exact return of a moon-phase day cell; over the heading
    // of the birth-data box, the place of residence in full and a heading the box shortens.
    QString toolTipAt(const QPoint &point) const;

signals:
    // A press and release on the same day cell.
    void dayCellClicked(int dayIndex);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void updatePointer(const QPoint &point);
    QRect toolTipArea(const QPoint &point) const;

    CalendarPageContent m_content;
    QCursor m_phaseDayCursor;
    int m_pressedCell = -1;
};

// The moon-phase day pointer: the program's 32 x 32 picture with its hot spot at (12, 1).
QCursor PhaseDayCursor();

} // namespace ferolune

#pragma once

// The client area of the calendar window under its labels: the rule under the day header,
// the 365 or 366 day cells, the legend swatches and the 72 hour cells of the detail strip. One
// widget paints all of them, on screen and, through QWidget::render, on the printer.

#include "calendar/calendar_model.h"

#include <QColor>
#include <QCursor>
#include <QWidget>

namespace ferolune {

class CalendarCanvas : public QWidget {
    Q_OBJECT
public:
    explicit CalendarCanvas(QWidget *parent = nullptr);

    void setModel(const CalendarModel &model);
    const CalendarModel &model() const { return m_model; }

    // The colour a cell is painted in: day cells 0..dayCount - 1, legend swatches from
    // FirstLegendIndex.
    QColor cellColor(int index) const;
    QColor hourCellColor(int hourIndex) const;

    // The day cell under a point of this widget, -1 when none (the later cell wins where
    // neighbours overlap, as it is painted over the earlier one).
    int dayCellAt(const QPoint &point) const;

    // The pointer shown over a point: the moon-phase pointer over a moon-phase day cell.
    QCursor cursorAt(const QPoint &point) const;

    // The tooltip over a point: the exact return of a moon-phase day cell, else empty.
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
    QColor colourOf(Rgb rgb) const;
    void updatePointer(const QPoint &point);

    CalendarModel m_model;
    QCursor m_phaseDayCursor;
    int m_pressedCell = -1;
};

// The moon-phase day pointer: the program's 32 x 32 picture with its hot spot at (12, 1).
QCursor PhaseDayCursor();

} // namespace ferolune

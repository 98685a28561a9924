#pragma once

// The calendar page on the calendar window: it paints the page scaled to its own size, and
// the page's day cells answer the pointer (the moon-phase pointer, the exact return as a
// tooltip, a click) and the keyboard (a focus cell the arrows move; Enter or Space is a
// click). Screen readers read each cell by its name.

#include "io/page/calendar_page.h"

#include <QCursor>
#include <QTransform>
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

    // Where the page stands in this widget: scaled to fit, proportions kept, centred
    // across. A rectangle of the page in widget coordinates, and a widget point on the page.
    QTransform pageTransform() const;
    QRect widgetRect(const QRect &pageRect) const;
    QPoint pagePoint(const QPoint &widgetPoint) const;

    // The day cell under a point of this widget, -1 when none (the later cell wins where
    // neighbours overlap, as it is painted over the earlier one).
    int dayCellAt(const QPoint &point) const;

    // The pointer shown over a point: the moon-phase pointer over a moon-phase day cell.
    QCursor cursorAt(const QPoint &point) const;

    // The tooltip over a point: the exact return of a moon-phase day cell; over the heading
    // of the birth-data box, the place of residence in full and a heading the box shortens.
    QString toolTipAt(const QPoint &point) const;
    // The tooltip of day cell `dayIndex`: its exact return and its day of the cycle.
    QString cellToolTip(int dayIndex) const;
    // What a cell says to a screen reader and under the calendar: its date, class and
    // exact return.
    QString cellName(int dayIndex) const;
    // The line under the calendar for a cell: its date and class, then its tooltip.
    QString cellInfo(int dayIndex) const;

    // The cell the keyboard stands on, -1 before a calendar is finished.
    int focusCell() const { return m_focusCell; }
    void setFocusCell(int dayIndex);
    // A finished calendar takes the keyboard on today's cell, else on 1 January.
    void startKeyboard();

signals:
    // A press and release on the same day cell.
    void dayCellClicked(int dayIndex);
    // The keyboard's cell moved (or the calendar under it changed).
    void focusCellChanged(int dayIndex);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void updatePointer(const QPoint &point);
    QRect toolTipArea(const QPoint &point) const;
    int cellAfterKey(int key) const;
    void announceFocusCell();

    CalendarPageContent m_content;
    QCursor m_phaseDayCursor;
    int m_pressedCell = -1;
    int m_focusCell = -1;
};

// The moon-phase day pointer: the program's 32 x 32 picture with its hot spot at (12, 1).
QCursor PhaseDayCursor();

} // namespace ferolune

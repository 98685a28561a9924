#include "gui/calendar_window/calendar_accessible.h"

#include "gui/calendar_window/calendar_canvas.h"
#include "io/page/page_layout.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <vector>

namespace ferolune {

namespace {

// One day cell. The page owns it; it lives as long as the page's own interface.
class DayCellAccessible final : public QAccessibleInterface {
public:
    DayCellAccessible(CalendarCanvas *canvas, int dayIndex) : m_canvas(canvas), m_dayIndex(dayIndex) {}

    bool isValid() const override { return m_canvas && m_dayIndex < m_canvas->model().dayCount; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_canvas ? m_canvas->window()->windowHandle() : nullptr; }
    QList<std::pair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation) const override
    {
        return {};
    }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_canvas); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return m_canvas->cellName(m_dayIndex);
        if (t == QAccessible::Description)
            return m_canvas->cellToolTip(m_dayIndex);
        return {};
    }
    void setText(QAccessible::Text, const QString &) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect cell = m_canvas->widgetRect(DayCellRect(m_dayIndex, m_canvas->model().dayCount));
        return QRect(m_canvas->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        state.readOnly = true;
        if (isValid() && m_canvas->focusCell() == m_dayIndex) {
            state.selected = true;
            state.focused = m_canvas->hasFocus();
        }
        return state;
    }

private:
    QPointer<CalendarCanvas> m_canvas;
    int m_dayIndex;
};

class CanvasAccessible final : public QAccessibleWidget {
public:
    explicit CanvasAccessible(CalendarCanvas *canvas) : QAccessibleWidget(canvas, QAccessible::Table) {}
    ~CanvasAccessible() override
    {
        for (const QAccessible::Id id : m_cellIds)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return canvas()->model().year > 0 ? canvas()->model().dayCount : 0; }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (static_cast<int>(m_cellIds.size()) <= index) {
            auto *cell = new DayCellAccessible(canvas(), static_cast<int>(m_cellIds.size()));
            m_cellIds.push_back(QAccessible::registerAccessibleInterface(cell));
        }
        return QAccessible::accessibleInterface(m_cellIds[static_cast<size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (size_t k = 0; k < m_cellIds.size(); ++k)
            if (QAccessible::accessibleInterface(m_cellIds[k]) == child)
                return static_cast<int>(k);
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        return child(canvas()->dayCellAt(canvas()->mapFromGlobal(QPoint(x, y))));
    }

    QAccessibleInterface *focusChild() const override
    {
        return canvas()->hasFocus() ? child(canvas()->focusCell()) : nullptr;
    }

private:
    CalendarCanvas *canvas() const { return static_cast<CalendarCanvas *>(widget()); }

    mutable std::vector<QAccessible::Id> m_cellIds;
};

} // namespace

QAccessibleInterface *CalendarAccessibleFactory(const QString &, QObject *object)
{
    if (auto *canvas = qobject_cast<CalendarCanvas *>(object))
        return new CanvasAccessible(canvas);
    return nullptr;
}

} // namespace ferolune

#pragma once

// The colours the windows give their controls, one role at a time.

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace ferolune {

inline void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A background of its own, painted whether or not the widget paints one.
inline void setBackground(QWidget *widget, const QColor &colour)
{
    setColour(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

} // namespace ferolune

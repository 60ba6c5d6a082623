#pragma once
// Holds a widget's drawing while a long change runs, on every way out; the widget draws once,
// when the lock goes.

#include <QWidget>

namespace ombre {

class DrawingLock {
public:
    explicit DrawingLock(QWidget &widget) : m_widget(widget), m_was(widget.updatesEnabled())
    {
        m_widget.setUpdatesEnabled(false);
    }
    ~DrawingLock() { m_widget.setUpdatesEnabled(m_was); }
    DrawingLock(const DrawingLock &) = delete;
    DrawingLock &operator=(const DrawingLock &) = delete;

private:
    QWidget &m_widget;
    bool m_was;
};

} // namespace ombre

#include "editor/tool_button_hint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStatusTipEvent>
#include <QWidget>

namespace ombre {
namespace {

// Clears the status bar when the pointer enters the button, and drops the button's own status
// tip. Tips that other widgets send through the button (the items of its drop-down menu) pass.
class EmptyStatusTip final : public QObject {
public:
    explicit EmptyStatusTip(QWidget &button) : QObject(&button), button_(button) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != &button_)
            return false;
        if (event->type() == QEvent::Enter) {
            QStatusTipEvent empty{QString()};
            QCoreApplication::sendEvent(&button_, &empty);
            return false;
        }
        if (event->type() != QEvent::StatusTip)
            return false;
        const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
        return !tip.isEmpty() && tip == button_.statusTip();
    }

private:
    QWidget &button_;
};

} // namespace

void ShowEmptyStatusTip(QWidget &button)
{
    button.installEventFilter(new EmptyStatusTip(button));
}

} // namespace ombre

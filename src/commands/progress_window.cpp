#include "commands/progress_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressBar>
#include <QWindow>
#include <algorithm>

namespace ombre {

TfrmProgress::TfrmProgress()
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmProgress"));
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setOrientation(Qt::Horizontal);
    ProgressBar->setTextVisible(false);
}

void TfrmProgress::closeEvent(QCloseEvent *event)
{
    event->ignore(); // the command that showed the window decides when it goes
}

void TfrmProgress::keyPressEvent(QKeyEvent *event)
{
    event->accept(); // no key (Escape included) reaches anything behind the window
}

TmProgressWnd::TmProgressWnd(QWidget *owner) : QObject(owner), owner_(owner) {}

TmProgressWnd::~TmProgressWnd()
{
    HideProgress();
}

void TmProgressWnd::SetCaption(const QString &caption)
{
    if (!form_) {
        caption_ = caption;
        return;
    }
    form_->setWindowTitle(caption);
    QApplication::processEvents();
}

void TmProgressWnd::ShowProgress()
{
    if (form_)
        return;
    form_ = std::make_unique<TfrmProgress>();
    QProgressBar *bar = form_->ProgressBar;
    const int barHeight = bar->sizeHint().height();
    // The frame is not known before the window manager has the window; the width asked for is
    // given to the client area.
    form_->setFixedSize(Width, barHeight + 40);
    bar->setGeometry(20, 20, form_->width() - 40, barHeight);
    bar->setRange(Min, Max);
    bar->setValue(Min);
    form_->setWindowTitle(caption_);

    int left = 0;
    int top = 0;
    if (owner_) {
        const QRect o = owner_->frameGeometry();
        left = o.left() + o.width() / 2 - form_->width() / 2;
        top = o.top() + o.height() / 2 - form_->height() / 2;
    }
    if (OnPositionWindow)
        OnPositionWindow(left, top);
    form_->move(left, top);

    if (owner_ && owner_->window()->windowHandle()) {
        form_->winId(); // creates the native window so that it can be tied to the owner's
        form_->windowHandle()->setTransientParent(owner_->window()->windowHandle());
    }
    if (owner_) {
        ownerWasActive_ = owner_->window()->isActiveWindow();
        QWidget *focus = QApplication::focusWidget();
        focus_ = focus && owner_->isAncestorOf(focus) ? focus : nullptr;
    }
    form_->show();
    // The form is not a Qt child of the owner: disabling a parent would disable it too.
    if (owner_)
        owner_->setEnabled(false);
}

void TmProgressWnd::HideProgress()
{
    if (!form_)
        return;
    if (owner_)
        owner_->setEnabled(true);
    form_.reset();
    // The owner takes input again where it left off: in its window, in the widget that had the
    // keyboard focus (the document being typed in).
    if (owner_ && ownerWasActive_)
        owner_->window()->activateWindow();
    if (focus_ && focus_->isEnabled())
        focus_->setFocus(Qt::OtherFocusReason);
    focus_ = nullptr;
    ownerWasActive_ = false;
}

void TmProgressWnd::SetProgress(int position)
{
    if (!form_)
        return;
    // QProgressBar ignores values outside its range; the bar stays full (or empty) instead.
    QProgressBar *bar = form_->ProgressBar;
    bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
    QApplication::processEvents();
}

} // namespace ombre

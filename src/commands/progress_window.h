#pragma once
// The progress window shared by the encryption commands. The commands run on the one UI thread,
// so every update lets Qt process the waiting events: the screen repaints during a long run while
// the owner window stays disabled and no other command can start.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QProgressBar;

namespace ombre {

// The form itself: a caption and a bar, nothing the user can close.
class TfrmProgress final : public QWidget {
    Q_OBJECT
public:
    TfrmProgress();
    QProgressBar *ProgressBar;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

// The component that the main window owns; a form exists only while it is shown.
class TmProgressWnd final : public QObject {
    Q_OBJECT
public:
    // May move the window before it is shown (screen coordinates of its top-left corner).
    using TWindowPositionEvent = std::function<void(int &LeftPos, int &TopPos)>;

    explicit TmProgressWnd(QWidget *owner);
    ~TmProgressWnd() override;

    int Min = 0;
    int Max = 100;
    int Width = 256;
    TWindowPositionEvent OnPositionWindow;

    const QString &Caption() const { return caption_; }
    // While shown only the visible title changes; the stored caption is for the next showing.
    void SetCaption(const QString &caption);

    void ShowProgress();
    void HideProgress();
    void SetProgress(int position);

    bool Shown() const { return form_ != nullptr; }
    TfrmProgress *Form() const { return form_.get(); }

private:
    QPointer<QWidget> owner_;
    // Disabling the owner drops the keyboard focus inside it; these give it back on hiding.
    QPointer<QWidget> focus_;
    bool ownerWasActive_ = false;
    QString caption_ = QStringLiteral("Analyse...");
    std::unique_ptr<TfrmProgress> form_;
};

} // namespace ombre

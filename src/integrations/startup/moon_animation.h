#pragma once
// The about box's small animated picture: the phases of the moon, one after the other, while
// the widget is on screen.

#include <QSvgRenderer>
#include <QTimer>
#include <QWidget>

namespace ombre {

class TMoonAnimation : public QWidget {
    Q_OBJECT
public:
    explicit TMoonAnimation(QWidget *parent = nullptr);

    bool isAnimating() const { return m_timer.isActive(); }
    int frame() const { return m_frame; }
    static constexpr int kFrames = 8;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QSvgRenderer m_frames;
    QTimer m_timer;
    int m_frame = 0;
};

} // namespace ombre

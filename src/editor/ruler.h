#pragma once
// The ruler above a document: a scale in centimetres and three handles (first-line indent at the
// top, left and right indents at the bottom) that the user drags. It knows nothing of the
// document: the window sets the handles and applies what the user dragged.

#include "editor/ruler_math.h"

#include <QWidget>
#include <optional>

namespace ombre {

class TRuler : public QWidget {
    Q_OBJECT
public:
    static constexpr int RulerHeight = 25;
    static constexpr int Border = 4;        // left and right, so that 0 lines up with the text
    static constexpr int MinimumSpacing = 10; // between the left-side handles and the right one

    explicit TRuler(QWidget *parent = nullptr);

    RulerHandles handles() const { return handles_; }
    void setHandles(const RulerHandles &handles);
    // Width the handle positions are measured in.
    int clientWidth() const { return width(); }

signals:
    void indentChanged(ombre::RulerHandle moved);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::optional<RulerHandle> handleAt(const QPoint &pos) const;
    void moveDragged(int x);

    RulerHandles handles_{0, 0, 400};
    std::optional<RulerHandle> dragged_;
};

} // namespace ombre

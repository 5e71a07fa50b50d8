#pragma once
// A horizontal slider with an integer range and position (the brush size, the tuning values, the text
// transparency). A press on the track jumps the thumb there and drags it; the arrow, page, Home and End
// keys and the wheel move it in steps. The position always stays within the range. A slider given a
// neutral position goes back to it on a double-click.
//
// Every change made by the user emits positionChanged and, when a notify message is set, posts that
// message (no parameters) to the parent widget, which then reads position() and, to make one undo step of
// a whole drag or wheel burst, gesture(). A double-click belongs to the gesture of its first press, so the
// jump that press made and the return to neutral are one step.

#include "controls/gesture_counter.h"

#include <QWidget>
#include <optional>

namespace controls {

class CSkinSlider : public QWidget {
    Q_OBJECT
public:
    explicit CSkinSlider(QWidget* parent);

    // A reversed range is taken the right way round; the position is pulled into the new range.
    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // Clamped to the range; reports nothing.
    void setPosition(int position);
    int position() const { return position_; }
    // 0, the default, posts nothing.
    void setNotifyMessage(int message) { notifyMessage_ = message; }
    // Where a double-click puts the thumb; clamped to the range when used.
    void setNeutralPosition(int position) { neutral_ = position; }

    // The position the thumb takes when centred at `x` (widget coordinates).
    int positionAt(qreal x) const;
    // The gesture the latest reported change belongs to; 0 before the first.
    std::uint64_t gesture() const { return gestures_.current(); }
    QSize sizeHint() const override { return {120, 13}; }

signals:
    void positionChanged(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    qreal thumbRadius() const;
    qreal thumbCentre() const;
    int lineStep() const;
    int pageStep() const;
    void moveTo(int position);

    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    int notifyMessage_ = 0;
    std::optional<int> neutral_;
    bool dragging_ = false;
    qreal grabOffset_ = 0;
    GestureCounter gestures_;
};

} // namespace controls

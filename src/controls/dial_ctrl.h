#pragma once
// A round dial for an angle from -180 to 180 degrees: 0 points up, positive turns clockwise. Dragging
// points the dial at the pointer; the wheel and the arrow keys turn it in steps. An inactive dial is
// drawn greyed and ignores input. It may show a caption saying what it sets and a short readout of its
// value: both to the right of the knob on a wide dial, the caption above and the readout below on a tall
// one.
//
// Every change made by the user is reported twice: the valueChanged signal, and UM_DIALCHANGED sent to
// the parent widget with wParam = the value (a signed number carried in the unsigned wParam; read it back
// as static_cast<int>(static_cast<LParam>(wParam))) and lParam = the dial's number. gesture() then tells
// which gesture (a drag, a key, a burst of wheel steps) the change belongs to.

#include "controls/gesture_counter.h"

#include <QWidget>

namespace controls {

class CDialCtrl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimum = -180;
    static constexpr int kMaximum = 180;

    CDialCtrl(int dialNumber, QWidget* parent);

    int dialNumber() const { return dialNumber_; }
    int value() const { return value_; }
    // Clamps to -180..180 and redraws; reports nothing.
    void setValue(int value);
    bool isActive() const { return active_; }
    void setActive(bool active);
    void setReadout(const QString& text);
    QString readout() const { return readout_; }
    void setCaption(const QString& text);
    QString caption() const { return caption_; }

    // The value the dial points at when the pointer is at `point` (widget coordinates).
    int valueAt(const QPointF& point) const;
    // The gesture the latest reported change belongs to; 0 before the first.
    std::uint64_t gesture() const { return gestures_.current(); }

signals:
    void valueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool wide() const { return width() > height(); }
    QRectF knobRect() const;
    QRectF readoutRect() const;
    QRectF captionRect() const;
    void turnTo(int value);

    int dialNumber_;
    int value_ = 0;
    bool active_ = true;
    bool dragging_ = false;
    QString readout_;
    QString caption_;
    GestureCounter gestures_;
};

} // namespace controls

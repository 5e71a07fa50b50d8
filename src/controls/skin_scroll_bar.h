#pragma once
// The skinned vertical scroll bar: an arrow button at each end, a track and a thumb sized by the page.
// Like a system scroll bar it does not move itself: it reports requests and the owner answers with
// setPosition(). Only while the thumb is dragged does it draw the thumb at the pointer.
//
// Each request emits scrollRequested(code, position) and, when a notify message is set (UM_LISTSCROLL
// by default), sends that message to the parent widget with wParam = the code and lParam = the position:
// the thumb position for ThumbTrack and ThumbPosition, the current position otherwise. Holding an arrow
// or the track repeats its request. The wheel is left to the parent.

#include <QBasicTimer>
#include <QWidget>

namespace controls {

class CSkinScrollBar : public QWidget {
    Q_OBJECT
public:
    // The request codes, numbered as system scroll bars number them.
    enum Code : int {
        LineUp = 0,
        LineDown = 1,
        PageUp = 2,
        PageDown = 3,
        ThumbPosition = 4,
        ThumbTrack = 5,
        Top = 6,
        Bottom = 7,
        EndScroll = 8,
    };
    static constexpr int kWidth = 17;

    explicit CSkinScrollBar(QWidget* parent);

    // The position an owner that scrolls by `line` and `page` moves to on a request, within [0, maximum];
    // EndScroll and unknown codes leave it at `current`.
    static int answer(int code, int requested, int current, int line, int page, int maximum);

    // Positions run from minimum to maximum; a reversed range is taken the right way round.
    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // The visible amount, used only to size the thumb; 0 gives a thumb of the smallest size.
    void setPage(int page);
    int page() const { return page_; }
    void setPosition(int position);
    int position() const { return position_; }
    // 0 sends no message, only the signal.
    void setNotifyMessage(int message) { notifyMessage_ = message; }

    QRect upArrowRect() const;
    QRect downArrowRect() const;
    QRect thumbRect() const;
    QSize sizeHint() const override { return {kWidth, 120}; }

signals:
    void scrollRequested(int code, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    enum class Part { None, UpArrow, DownArrow, TrackAbove, TrackBelow, Thumb };

    bool scrollable() const { return maximum_ > minimum_; }
    QRect trackRect() const;
    int thumbLength() const;
    int thumbTopFor(int position) const;
    int positionForThumbTop(int top) const;
    Part partAt(const QPoint& point) const;
    void request(int code, int position);
    // Repeats the held part's request while the pointer still asks for it.
    void repeatHeld();

    int minimum_ = 0;
    int maximum_ = 0;
    int page_ = 0;
    int position_ = 0;
    int notifyMessage_;
    Part held_ = Part::None;
    Part hover_ = Part::None;
    QPoint pointer_;
    int dragOffset_ = 0;
    int dragPosition_ = 0;
    QBasicTimer repeat_;
};

} // namespace controls

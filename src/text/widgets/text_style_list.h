#pragma once
// The text style chooser: one column of eight cells, each showing the word "Text" in its style and in
// the style's sample colours, drawn by the styled text renderer. The skinned scroll bar appears when the
// cells do not fit. A click (or Up and Down) chooses a style and emits styleChosen.

#include "controls/skin_scroll_bar.h"
#include "text/style_sample_cache.h"

#include <QWidget>

namespace text {

class CTextStyleList : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCellWidth = 160;
    static constexpr int kCellHeight = 60;
    static constexpr int kCellMargin = 3;
    // Wide enough to show a whole cell beside the scroll bar, inside the border.
    static constexpr int kOuterWidth = kCellWidth + controls::CSkinScrollBar::kWidth + 2;

    explicit CTextStyleList(QWidget* parent);

    int selected() const { return selected_; }
    // Selects the entry without reporting it.
    void setSelected(int style);
    bool scrollBarVisible() const;
    // Entry i's cell at the current scroll position, in widget coordinates.
    QRect cellRect(int entry) const;
    // The entry whose cell holds the point, or -1.
    int entryAt(QPoint point) const;
    // What the samples are drawn with: the sample word, bold, as high as a cell.
    StyleSampleKey sampleKey() const;

signals:
    void styleChosen(int style);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRect viewport() const;
    int maxOffset() const;
    void setOffset(int offset);
    void updateScrollBar();
    void ensureVisible(int entry);
    void choose(int style);
    void onScrollRequest(int code, int position);

    int selected_ = 0;
    int offset_ = 0;
    StyleSampleCache samples_;
    controls::CSkinScrollBar* scrollBar_; // a child of this widget
};

} // namespace text

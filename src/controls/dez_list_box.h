#pragma once
// An owner-drawn single-selection list of text rows with the skinned scroll bar, shown when the rows do
// not fit. Long rows are shortened in the middle, so both ends of a path stay readable, and shown whole in
// their tooltip. Optionally each
// row is drawn in the font family it names (for font lists).
//
// The user's choices are reported as signals: selectionChanged when the selected row changes by mouse or
// keyboard, itemActivated on a double-click or Enter (and on a plain click when click activation is on).

#include <QStringList>
#include <QWidget>

namespace controls {

class CSkinScrollBar;

class CDezListBox : public QWidget {
    Q_OBJECT
public:
    explicit CDezListBox(QWidget* parent);

    // Appends the row, or inserts it in order when the list is sorted; returns its index.
    int addString(const QString& text);
    void resetContent();
    int count() const { return static_cast<int>(rows_.size()); }
    QString text(int index) const { return rows_.value(index); }
    const QStringList& strings() const { return rows_; }

    // -1 for none.
    int curSel() const { return selected_; }
    // Selects the row and scrolls it into view; -1 clears the selection; other out-of-range values are
    // refused. Reports nothing.
    bool setCurSel(int index);

    void setSorted(bool sorted) { sorted_ = sorted; }
    void setPreviewFonts(bool preview);
    void setActivateOnClick(bool activate) { activateOnClick_ = activate; }
    void setRowHeight(int height);
    int rowHeight() const { return rowHeight_; }
    int scrollOffset() const { return offset_; }
    // The row under `point` (widget coordinates), or -1.
    int rowAt(const QPoint& point) const;
    bool scrollBarVisible() const;
    // The whole text of the row under `point` when it is shown shortened; else empty.
    QString toolTipAt(const QPoint& point) const;

signals:
    void selectionChanged(int index);
    void itemActivated(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRect viewport() const;
    int maxOffset() const;
    void setOffset(int offset);
    void updateScrollBar();
    void ensureVisible(int index);
    void choose(int index);
    void onScrollRequest(int code, int position);
    QFont rowFont(int row) const;
    // The text of a row as it fits beside the insets.
    QString shownText(int row) const;

    QStringList rows_;
    int selected_ = -1;
    int offset_ = 0;
    int rowHeight_ = 20;
    bool sorted_ = false;
    bool previewFonts_ = false;
    bool activateOnClick_ = false;
    bool pressed_ = false;
    CSkinScrollBar* scrollBar_;
};

} // namespace controls

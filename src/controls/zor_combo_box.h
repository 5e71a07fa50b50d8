#pragma once
// An owner-drawn drop-down list: a face showing the chosen row and a chevron, and a popup CDezListBox
// below it (above it when the screen has no room below). A click on a row of the popup, or Enter,
// chooses it; Escape or a click elsewhere closes the popup unchanged. With the popup closed, Up and
// Down step through the rows, and F4, Alt+Down or Space open it.
//
// A name too long for the face or a row is shortened in the middle and shown whole in a tooltip.
//
// A choice made by the user emits selectionChanged with the new index.

#include <QStringList>
#include <QWidget>

namespace controls {

class CDezListBox;

class CZorComboBox : public QWidget {
    Q_OBJECT
public:
    explicit CZorComboBox(QWidget* parent);

    int addString(const QString& text);
    void resetContent();
    int count() const;
    QString text(int index) const;
    QString currentText() const { return text(selected_); }
    int curSel() const { return selected_; }
    // -1 clears; other out-of-range values are refused. Reports nothing.
    bool setCurSel(int index);

    void setSorted(bool sorted);
    // Draws each row, and the face, in the font family the row names.
    void setPreviewFonts(bool preview);
    void setVisibleRows(int rows) { visibleRows_ = std::max(1, rows); }

    void showPopup();
    void hidePopup();
    bool isPopupVisible() const;
    // The list inside the popup (for keyboard and mouse handling by tests and owners).
    CDezListBox* popupList() const { return list_; }

    QSize sizeHint() const override { return {140, 22}; }
    // The whole chosen text when the face shows it shortened; else empty.
    QString toolTipAt(const QPoint& point) const;

signals:
    void selectionChanged(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void choose(int index);
    QFont faceFont() const;
    QRect faceTextBox() const;

    int selected_ = -1;
    int visibleRows_ = 12;
    bool previewFonts_ = false;
    QWidget* popup_;
    CDezListBox* list_;
};

} // namespace controls

#pragma once
// A tool window in the program's skin, as Batch Convert and Apply Recipe are: no system caption, a
// rounded outline, the skin's caption strip and bottom edge with the title drawn on it, moved by dragging
// its top 25 pixels. Subclasses paint their own content after paintSkin().

#include <QDialog>

class QPainter;

namespace controls {

class SkinDialog : public QDialog {
    Q_OBJECT
public:
    explicit SkinDialog(QWidget* parent);

protected:
    // The face, the caption strip with the title and the bottom edge; leaves the painter's font the
    // dialog's own.
    void paintSkin(QPainter& painter);
    static void paintLabel(QPainter& painter, const QRect& place, const QString& text);
    // A path (or other long text) in a light grey box, cut at its start when it is too long.
    static void paintTextBox(QPainter& painter, const QRect& box, const QString& text);
    // A progress bar outline filled `length` pixels from its left.
    static void paintProgressBar(QPainter& painter, const QRect& bar, int length);

    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace controls

#pragma once
// The workspace window: shows the document's back buffer, hands size changes, the mouse and the keys to
// it, and turns what the document reports into private messages to the main window.

#include "workspace/document.h"

#include <QCursor>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>

namespace workspace {

class CWorkspaceWnd : public QWidget, private DocumentListener {
    Q_OBJECT
public:
    // `programFolder` holds the undo file; the pictures placed come from `library`; messages go to
    // `parent`.
    CWorkspaceWnd(const QString& programFolder, const resources::ResourceLibrary& library, QWidget* parent);
    ~CWorkspaceWnd() override;

    WorkspaceDocument& document() { return *document_; }

    // The sentence shown on the blank canvas until a photo is opened or something is put on it.
    void setEmptyHint(const QString& hint);
    // The sentence as the workspace shows it now: empty once there is a photo or work to see.
    QString shownHint() const;

    // The commands routed to the workspace: 10800 delete, 10801-10804 stacking, 10810-10813 zoom. False
    // for other ids.
    bool onCommand(int id);
    // A resource thumbnail (by resources::ResourceCategory code) released over the workspace at a screen
    // point.
    PlaceResult dropThumbnail(int category, int index, QPoint globalPoint);

signals:
    // A text became the selected one: the text panel should show it.
    void editTextRequested(const text::TextObject& text);
    // The user must be told of this.
    void documentProblem(workspace::DocumentProblem problem);
    // Local files dropped on the workspace from a file manager, in the order the drag listed them.
    void filesDropped(const QStringList& paths);
    // The view's zoom changed (zoom keys, the wheel, a photo of another size, a resize).
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void undoStateChanged() override;
    void objectSelected(int flag) override;
    void showToolPanel(int kind) override;
    void objectPlaced() override;
    void editText(const text::TextObject& text) override;
    void composed() override;
    void problemOccurred(DocumentProblem problem) override;

    void showCursor(PointerCursor cursor);
    QCursor brushCursor();

    std::unique_ptr<WorkspaceDocument> document_;
    QString emptyHint_;
    // While the middle button drags the view: where the mouse was at the last step.
    std::optional<QPoint> panFrom_;
    // The zoom last reported by zoomChanged.
    double shownZoom_ = 0;
    // The brush cursor is rebuilt only when the picture it shows would change.
    struct BrushCursorKey {
        qint64 tip = 0;
        int size = 0;
        int angle = 0;
        std::uint32_t colour = 0;
        int viewWidth = 0;
        QSize canvas;
        friend bool operator==(const BrushCursorKey&, const BrushCursorKey&) = default;
    };
    std::optional<BrushCursorKey> brushCursorKey_;
    QCursor brushCursor_;
    QCursor turnCursor_;
};

} // namespace workspace

#pragma once
// The workspace window: shows the document's back buffer, hands size changes to it, and turns what the
// document reports into private messages to the main window.

#include "workspace/document.h"

#include <QWidget>
#include <memory>

namespace workspace {

class CWorkspaceWnd : public QWidget, private DocumentListener {
    Q_OBJECT
public:
    // `programFolder` holds the undo file; messages go to `parent`.
    CWorkspaceWnd(const QString& programFolder, QWidget* parent);
    ~CWorkspaceWnd() override;

    WorkspaceDocument& document() { return *document_; }

signals:
    // The text panel's edit box should show this text and take the focus (caret at `caret` when valid).
    void editTextRequested(const QString& text, QPoint caret, bool caretGiven);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void undoStateChanged() override;
    void objectSelected(int flag) override;
    void showToolPanel(int kind) override;
    void objectPlaced() override;
    void editText(const QString& text, const QPoint* caretAt) override;
    void composed() override;

    std::unique_ptr<WorkspaceDocument> document_;
};

} // namespace workspace

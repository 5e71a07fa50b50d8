// The main window's side of the text tool: the panel's template into the workspace and the setting changed
// into the selected text, typing into the active text, "Add", the panel filled when a text is chosen on the
// canvas, and the end of a typing burst, which the document records as one undo step.
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "text/fonts/font_faces.h"
#include "text/widgets/text_box.h"
#include "text/widgets/text_panel.h"
#include "workspace/widgets/workspace_wnd.h"

namespace app {

using namespace platform;

std::unique_ptr<QWidget> CEditorDlg::createTextPanel() {
    auto panel = std::make_unique<text::CTextPanel>(app_.dialogs(), text::installedFontFaces(), this);
    textPanel_ = panel.get();
    // Enter in the text box starts a new line; everywhere else the main window swallows it.
    app_.setEnterKeyWindow(panel->textBox());
    connect(panel.get(), &text::CTextPanel::typingPaused, this, &CEditorDlg::endTypingBurst);
    return panel;
}

void CEditorDlg::applyTextStyle(unsigned settings) {
    workspace::WorkspaceDocument& document = workspace_->document();
    document.textTemplate() = textPanel_->textTemplate();
    document.ApplyTextStyle(settings, textPanel_->styleGesture());
}

void CEditorDlg::textTyped() {
    // The box never holds more than a text record takes, so the text is copied whole.
    const QString typed = textPanel_->boxText();
    text::setText(textPanel_->textTemplate(), typed);
    workspace::WorkspaceDocument& document = workspace_->document();
    text::setText(document.textTemplate(), typed);
    document.UpdateActiveText();
}

void CEditorDlg::addText() {
    // A text without words would be invisible, and could not be found again to take it away.
    if (textPanel_->boxText().trimmed().isEmpty()) {
        app_.dialogs().inform(this, QStringLiteral("Type the words in the box first, then press Add."));
        textPanel_->textBox()->setFocus(Qt::OtherFocusReason);
        return;
    }
    workspace::WorkspaceDocument& document = workspace_->document();
    document.textTemplate() = textPanel_->textTemplate();
    document.PlaceText();
    // "Add" is pressed to go on typing into the text it placed.
    textPanel_->textBox()->setFocus(Qt::OtherFocusReason);
}

void CEditorDlg::showTextForEditing(const text::TextObject& text) {
    textPanel_->editText(text);
}

void CEditorDlg::endTypingBurst() {
    if (workspace_)
        workspace_->document().EndTypingBurst();
}

// Every other command or message may change the document, so typing before it gets its own undo step
// first. Typing itself, and what the workspace reports back, do not end a burst.
bool CEditorDlg::endsTypingBurst(int message) {
    switch (message) {
    case UM_TEXTCHANGED:
    case UM_UNDOSTATE:
    case UM_OBJECTSELECTED:
    case UM_SHOWTOOLPANEL:
    case UM_CROPENTERED:
    case UM_PHOTOIMPORTED:
        return false;
    default:
        return true;
    }
}

} // namespace app

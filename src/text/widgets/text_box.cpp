#include "text/widgets/text_box.h"

#include "text/text_box_limit.h"

#include <QTextBlock>
#include <QTextCursor>

namespace text {

CTextBox::CTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setUndoRedoEnabled(false);
    setTabChangesFocus(true);
    // The skin's hairline border, in the accent while the box has the focus.
    setStyleSheet(QStringLiteral("QPlainTextEdit { border: 1px solid rgb(168, 176, 190); }"
                                 "QPlainTextEdit:focus { border: 1px solid rgb(44, 132, 228); }"));
    connect(document(), &QTextDocument::contentsChange, this, &CTextBox::keepWithinLimit);
}

void CTextBox::setText(const QString& text) {
    setPlainText(text);
}

void CTextBox::keepWithinLimit(int position, int, int added) {
    if (trimming_ || added <= 0)
        return;
    const QString all = toPlainText();
    if (fitsTextBox(all))
        return;
    const qsizetype start = std::min<qsizetype>(position, all.size());
    const qsizetype end = std::min<qsizetype>(start + added, all.size());
    const QStringView view(all);
    const qsizetype kept =
        fittingInsertion(view.first(start), view.sliced(start, end - start), view.sliced(end));
    trimming_ = true;
    QTextCursor cut(document());
    cut.setPosition(static_cast<int>(start + kept));
    cut.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
    cut.removeSelectedText();
    trimming_ = false;
}

void CTextBox::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    emit focusLeft();
}

} // namespace text

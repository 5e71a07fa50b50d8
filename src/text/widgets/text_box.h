#pragma once
// The text panel's text box: several lines, scrolling with the caret, Enter starting a new line. It takes
// no more than fits (see text/text_box_limit.h): a paste or a key that would pass the limit inserts only
// the part that fits. Its own undo is off, since the editor's Undo also covers typing.

#include <QPlainTextEdit>

namespace text {

class CTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CTextBox(QWidget* parent);

    // Replaces the whole text (cut to the limit).
    void setText(const QString& text);
    QString text() const { return toPlainText(); }

signals:
    void focusLeft();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void keepWithinLimit(int position, int removed, int added);

    bool trimming_ = false;
};

} // namespace text

#pragma once
// A radio choice drawn for the skin: image 241 when taken, 240 when not, followed by its label in the
// default GUI font. The owner keeps which choice is taken: a click only emits the command, also on the
// choice already taken, and the owner answers with setOn().

#include <QAbstractButton>

namespace controls {

class CSkinRadioButton : public QAbstractButton {
    Q_OBJECT
public:
    CSkinRadioButton(int commandId, const QString& label, QWidget* parent);

    int commandId() const { return commandId_; }
    void setOn(bool on);
    bool isOn() const { return on_; }

    QSize sizeHint() const override;

signals:
    void command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int commandId_;
    bool on_ = false;
};

} // namespace controls

#pragma once
// A skinned push button. It shows numbered images, one per state (normal, hover or focus, pressed,
// disabled), with its caption drawn over them in its own text colour; without images it draws the
// editor's standard raised face, or a flat face for the menu-bar buttons. A click emits its command id.

#include <QAbstractButton>
#include <array>

namespace controls {

class CSkinButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Look { Raised, Flat };

    CSkinButton(int commandId, const QString& caption, QWidget* parent);

    int commandId() const { return commandId_; }
    // Image numbers for the normal, hover/focus, pressed and disabled states; 0 means none. A state whose
    // image is the normal one gets a generic highlight instead, so hovering and pressing always show.
    void setImages(int normal, int hover, int pressed, int disabled);
    const std::array<int, 4>& images() const { return images_; }
    void setTextColour(const QColor& colour);
    QColor textColour() const { return textColour_; }
    void setLook(Look look);

    enum class State { Normal, Hover, Pressed, Disabled };
    State state() const;

    QSize sizeHint() const override;

signals:
    void command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void paintImage(QPainter& painter, int id, bool highlight);
    void paintFace(QPainter& painter);

    int commandId_;
    std::array<int, 4> images_{};
    QColor textColour_;
    Look look_ = Look::Raised;
};

} // namespace controls

#pragma once
// The colour tool's panel: six sliders (contrast, brightness, saturation on the left; hue, gamma, colour on
// the right), each with its value beside it, and a Reset button. Every movement, and Reset, posts the
// colour message to the panel's parent, the main window, which reads the positions and adjusts the photo.
// A double-click on a slider puts that one back to neutral, as a movement of it.

#include "imaging/colour/colour_adjustment.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>

namespace controls {
class CSkinButton;
class CSkinSlider;
} // namespace controls

namespace imaging {

class ColourPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kResetId = 10014;

    explicit ColourPanel(QWidget* parent);
    ~ColourPanel() override;

    ColourSliderPositions positions() const;
    // Moves the sliders without posting anything.
    void setPositions(const ColourSliderPositions& positions);
    // Every slider back to its default, then the colour message.
    void Reset();

    // The gesture behind the latest colour message: a slider's drag or wheel burst; 0 after Reset, which
    // changes the newest step rather than making one.
    std::uint64_t gesture() const { return gesture_; }

    controls::CSkinSlider* slider(ColourSlider which) const;
    controls::CSkinButton* resetButton() const { return reset_.get(); }
    // Where a slider's label and its value are drawn.
    QRect labelRect(ColourSlider which) const;
    QRect readoutRect(ColourSlider which) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void notify();

    std::array<std::unique_ptr<controls::CSkinSlider>, kColourSliderCount> sliders_;
    std::unique_ptr<controls::CSkinButton> reset_;
    std::uint64_t gesture_ = 0;
};

} // namespace imaging

#pragma once
// The crop tool's panel: eight aspect choices and the "Crop" button. A choice sends the aspect message
// with its pair to the panel's parent, the main window; "Crop" sends the apply message. The constraint
// itself lives in the workspace: the panel only remembers which choice is shown as taken.

#include "imaging/crop_constraints.h"

#include <QWidget>
#include <array>
#include <memory>

namespace controls {
class CSkinButton;
class CSkinRadioButton;
} // namespace controls

namespace imaging {

class CropPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCropButtonId = 10014;

    explicit CropPanel(QWidget* parent);
    ~CropPanel() override;

    // Takes choice `index` (0-7) and sends its pair, also when it was already taken: the workspace then
    // seats the crop rectangle afresh.
    void selectConstraint(int index);
    int checkedConstraint() const { return checked_; }
    // The line drawn at the panel's top left.
    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }

    controls::CSkinRadioButton* choice(int index) const;
    controls::CSkinButton* cropButton() const { return crop_.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::array<std::unique_ptr<controls::CSkinRadioButton>, kCropConstraintCount> choices_;
    std::unique_ptr<controls::CSkinButton> crop_;
    int checked_ = 0;
    QString caption_;
};

} // namespace imaging

#include "controls/buttons/toggle_button.h"

#include "controls/numbered_images.h"

namespace controls {

CToggleButton::CToggleButton(int commandId, QWidget* parent) : CSkinButton(commandId, QString(), parent) {
    setCursor(numberedCursor(image::HandCursor));
    setOn(true);
}

void CToggleButton::setOn(bool on) {
    on_ = on;
    const int id = on ? image::BrushOn : image::BrushOff;
    setImages(id, id, id, id);
}

} // namespace controls

#include "controls/buttons/tab_button.h"

#include "controls/numbered_images.h"

namespace controls {

CTabButton::CTabButton(int commandId, const QString& caption, QWidget* parent)
    : CSkinButton(commandId, caption, parent) {
    setActive(false);
}

void CTabButton::setActive(bool active) {
    active_ = active;
    const int id = active ? image::TabActive : image::TabNormal;
    setImages(id, id, id, id);
    setTextColour(active ? QColor(60, 60, 60) : QColor(220, 225, 230));
}

} // namespace controls

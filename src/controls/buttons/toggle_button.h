#pragma once
// The brush on/off toggle: image 188 while on, 187 while off, with the hand cursor over it. The owner
// keeps the state: a click only emits the command, and the owner answers with setOn().

#include "controls/buttons/skin_button.h"

namespace controls {

class CToggleButton : public CSkinButton {
    Q_OBJECT
public:
    CToggleButton(int commandId, QWidget* parent);

    void setOn(bool on);
    bool isOn() const { return on_; }

private:
    bool on_ = false;
};

} // namespace controls

#pragma once
// A tool tab: a skinned button with two looks. The active tab shows image 192 in every state with dark
// text; the others show image 141 with light text.

#include "controls/buttons/skin_button.h"

namespace controls {

class CTabButton : public CSkinButton {
    Q_OBJECT
public:
    CTabButton(int commandId, const QString& caption, QWidget* parent);

    void setActive(bool active);
    bool isActive() const { return active_; }

private:
    bool active_ = false;
};

} // namespace controls

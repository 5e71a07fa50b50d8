// The colour tool's document operation and its drawing step.
#include "workspace/document.h"

#include <QPainter>

namespace workspace {

void WorkspaceDocument::SetColourAdjustment(const ColourAdjustment& values, std::uint64_t gesture) {
    bool replaced = false;
    for (int i = 0; i < objects_.size(); ++i) {
        if (objects_.kind(i) != ColourAdjust)
            continue;
        objects_.removeAt(i);
        if (activeText_ > i)
            --activeText_;
        replaced = true;
        break;
    }
    // The first adjustment starts from a flat photo and is one edit; later movements only replace it.
    if (!replaced && !FlattenIntoPhoto(true))
        return;
    objects_.append(values);
    if (replaced && gesture == 0)
        history_.refreshCurrentStep(values);
    else
        RecordGestureStep(gesture);
    modified_ = true;
    Recompose(false);
}

void WorkspaceDocument::drawColourAdjustment(QPainter& painter, const ColourAdjustment& values,
                                             bool forOutput) {
    const QRect view = view_.toQRect();
    if (photo_.empty() || view.isEmpty() || !paintsOn(painter.device()) || concealed_)
        return;
    // On screen (the back buffer, also while previewing, or a drag layer) the shown part of the view is
    // adjusted, fast enough while a slider is dragged; output adjusts the photo's own pixels and then
    // stretches them, as the drawing library does.
    if (!forOutput || painter.device() == &backBuffer_) {
        const QRect part = shownViewPart();
        painter.drawImage(part.topLeft(), adjustedView_.picture(photo_, view_, part, values));
        return;
    }
    const imaging::PhotoBuffer adjusted = adjustedPhoto(photo_, values);
    painter.drawImage(view, QImage(adjusted.bgr.data(), adjusted.width, adjusted.height,
                                   static_cast<qsizetype>(adjusted.stride()), QImage::Format_BGR888));
}

} // namespace workspace

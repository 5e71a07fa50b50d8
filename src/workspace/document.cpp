#include "workspace/document.h"

#include "imaging/fit_size.h"
#include "workspace/composer_painting.h"
#include "workspace/undo/undo_image.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace workspace {

namespace {

imaging::PhotoBuffer whiteBuffer(int width, int height) {
    imaging::PhotoBuffer buffer;
    buffer.width = width;
    buffer.height = height;
    buffer.bgr.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kBytesPerPixel,
                      0xFF);
    return buffer;
}

template <typename Visitor> void forEachSelectable(ObjectList& objects, Visitor visit) {
    for (int i = 0; i < objects.size(); ++i) {
        std::visit(
            [&](auto& record) {
                if constexpr (requires { record.selected; })
                    visit(record.selected);
            },
            objects.at(i));
    }
}

} // namespace

WorkspaceDocument::WorkspaceDocument(const QString& programFolder, DocumentListener& listener,
                                     QSize clientSize, const resources::ResourceLibrary* library)
    : listener_(listener), history_(programFolder + QStringLiteral("/Undo_Temp_Data")), caches_(library) {
    clientSize_ = clientSize;
    backBuffer_ = QImage(clientSize_.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    photo_ = whiteBuffer(800, 600);
    background_ = whiteBuffer(800, 600);
    photoChanged();
    keepLoadedPhoto();
    Recompose(false);
}

WorkspaceDocument::~WorkspaceDocument() {
    history_.clear();
}

void WorkspaceDocument::setLoadedPicture(imaging::PhotoBuffer photo, bool libraryDecoded, int formatCode,
                                         const QString& path) {
    photo_ = std::move(photo);
    fitted_ = true;
    libraryDecoded_ = libraryDecoded;
    formatCode_ = formatCode;
    picturePath_ = path;
    original_.reset();
    photoChanged();
    modified_ = false;
}

void WorkspaceDocument::keepLoadedPhoto() {
    objects_.clear();
    activeText_ = -1;
    history_.clear();
    gestureStep_ = 0;
    regions_.clear();
    memoryCliparts_.clear();
    memoryClipartCalendars_.clear();
    ++caches_.photoGeneration;
    loadedPhoto_ = photo_;
}

void WorkspaceDocument::photoChanged() {
    if (listener_.showsComposition())
        working_ = photo_;
    ++caches_.photoGeneration;
    forgetStretchedPictures();
    // Flattening (a clipart placed, a brush stroke begun) keeps the canvas size, and the view with it.
    const QSize canvas(photo_.width, photo_.height);
    if (fitted_ || canvas != shownCanvas_) {
        fitted_ = true;
        zoomedBeforePreview_.reset();
        view_ = fittedViewRect(photo_.width, photo_.height, clientSize_.width(), clientSize_.height());
    }
    shownCanvas_ = canvas;
    resetCropRect();
}

void WorkspaceDocument::setBackground(imaging::PhotoBuffer background) {
    background_ = std::move(background);
    ++caches_.backgroundGeneration;
    forgetStretchedPictures();
}

void WorkspaceDocument::resizeClient(QSize clientSize) {
    const QSize old = clientSize_;
    clientSize_ = clientSize;
    backBuffer_ = QImage(clientSize_.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    if (!fitted_ && preview_) {
        if (!zoomedBeforePreview_)
            zoomedBeforePreview_ = view_;
        moveView(fittedViewRect(photo_.width, photo_.height, clientSize_.width(), clientSize_.height()));
        return;
    }
    if (!fitted_) {
        Rect moved = view_;
        if (zoomedBeforePreview_) {
            moved = *zoomedBeforePreview_;
            zoomedBeforePreview_.reset();
        } else {
            // The canvas point at the window's centre stays there.
            const QPoint centre(old.width() / 2, old.height() / 2);
            const QPoint shift = QPoint(clientSize.width() / 2, clientSize.height() / 2) - centre;
            moved = {view_.left + shift.x(), view_.top + shift.y(), view_.right + shift.x(),
                     view_.bottom + shift.y()};
        }
        moveView(placeView(moved, clientSize_));
        return;
    }
    view_ = fittedViewRect(photo_.width, photo_.height, clientSize_.width(), clientSize_.height());
    resetCropRect();
    placeTextsInView();
    Recompose(preview_);
}

void WorkspaceDocument::SetTool(int tool) {
    if (tool == ToolCrop) {
        ClearSelection();
        brush_.paintingEnabled = false;
    }
    tool_ = tool;
}

void WorkspaceDocument::ClearSelection() {
    forEachSelectable(objects_, [](std::int32_t& selected) { selected = 0; });
}

void WorkspaceDocument::PlaceText(int x, int y) {
    placeText(QPoint(x, y));
}

void WorkspaceDocument::PlaceText() {
    placeText(std::nullopt);
}

void WorkspaceDocument::PlaceTextCentred(int x, int y) {
    placeText(QPoint(x, y), true);
}

int WorkspaceDocument::templateTextHeight() const {
    if (template_.font.height != 0)
        return template_.font.height;
    return std::max(text::kMinTextHeight, std::min(photo_.width, photo_.height) / 10);
}

void WorkspaceDocument::placeText(std::optional<QPoint> point, bool centred) {
    if (tool_ != ToolText)
        return;
    if (!objects_.contains(Text) && !FlattenIntoPhoto(true))
        return;

    text::TextObject object{};
    text::setFaceName(object.font, text::faceName(template_.font));
    object.font.height = templateTextHeight();
    object.style = template_.style;
    object.colour = template_.colour;
    object.secondColour = template_.secondColour;
    object.transparency = template_.transparency;
    std::copy(std::begin(template_.text), std::end(template_.text), std::begin(object.text));
    ClearSelection();
    object.selected = 1;

    const QSize measured = measureTextCell(object.font, text::textOf(object), object.style);
    const int width = view_.width() * measured.width() / std::max(1, photo_.width);
    const int height = view_.height() * measured.height() / std::max(1, photo_.height);
    // Without a point, centred where the window shows the photo.
    const Rect area = placingArea();
    QPoint at(area.left + (area.width() - width) / 2, area.top + (area.height() - height) / 2);
    if (point)
        at = centred ? *point - QPoint(width / 2, height / 2) : *point;
    object.left = at.x();
    object.top = at.y();
    object.right = at.x() + width;
    object.bottom = at.y() + height;
    objects_.append(object);
    activeText_ = objects_.size() - 1;

    Recompose(false);
    RecordObjectStep();
    modified_ = true;
    brush_.paintingEnabled = false;
    listener_.objectPlaced();
    listener_.editText(*objects_.get<text::TextObject>(activeText_));
}

void WorkspaceDocument::ApplyTextStyle(unsigned settings, std::uint64_t gesture) {
    for (int i = 0; i < objects_.size(); ++i) {
        text::TextObject* object = objects_.get<text::TextObject>(i);
        if (!object || object->selected != 1)
            continue;
        const text::TextObject before = *object;
        if (settings & text::TextFace)
            text::setFaceName(object->font, text::faceName(template_.font));
        if (settings & text::TextStyle)
            object->style = template_.style;
        if (settings & text::TextColour)
            object->colour = template_.colour;
        if (settings & text::TextSecondColour)
            object->secondColour = template_.secondColour;
        if (settings & text::TextTransparency)
            object->transparency = template_.transparency;
        if (settings & text::TextSize)
            object->font.height = templateTextHeight();
        object->font.width = 0;
        // Only a real change is an edit worth an undo step.
        const bool changed = std::memcmp(&before, object, sizeof before) != 0;
        // The composition measures the restyled text's rectangle, which the step then records.
        Recompose(false);
        if (changed)
            RecordGestureStep(gesture);
        return;
    }
}

void WorkspaceDocument::UpdateActiveText() {
    if (tool_ != ToolText || activeText_ < 0 || activeText_ >= objects_.size())
        return;
    text::TextObject* object = objects_.get<text::TextObject>(activeText_);
    // Once its selection is dropped the text keeps its words: the box then edits those of the next Add.
    if (!object || object->selected != 1)
        return;
    std::copy(std::begin(template_.text), std::end(template_.text), std::begin(object->text));
    Recompose(false);
}

bool WorkspaceDocument::FlattenIntoPhoto(bool crop) {
    return flattenCutting(cropCut(crop), ImageOperation::Kind::Flatten);
}

std::optional<CanvasCut> WorkspaceDocument::cropCut(bool crop) const {
    if (!crop || tool_ != ToolCrop || photo_.empty())
        return std::nullopt;
    const CanvasCut cut = canvasCutOf(photo_.width, photo_.height, view_, crop_);
    return cut.empty() ? std::nullopt : std::optional<CanvasCut>(cut);
}

bool WorkspaceDocument::flattenCutting(const std::optional<CanvasCut>& cut, ImageOperation::Kind kind) {
    ImageOperation operation{kind, objects_, QSize(photo_.width, photo_.height), cut, 0, backgroundColour_};
    if (!RenderPhotoArea()) {
        listener_.problemOccurred(DocumentProblem::RenderFailed);
        return false;
    }
    if (cut && cut->column >= 0 && cut->row >= 0 && cut->column + cut->width <= photo_.width &&
        cut->row + cut->height <= photo_.height) {
        imaging::PhotoBuffer cropped;
        cropped.width = cut->width;
        cropped.height = cut->height;
        cropped.bgr.resize(static_cast<std::size_t>(cut->width) * cut->height * kBytesPerPixel);
        for (int row = 0; row < cut->height; ++row)
            std::copy_n(photo_.row(cut->row + row) + static_cast<std::size_t>(cut->column) * kBytesPerPixel,
                        cropped.stride(), cropped.row(row));
        photo_ = std::move(cropped);
    }
    objects_.clear();
    activeText_ = -1;
    RecordImageStep(std::move(operation));
    photoChanged();
    Recompose(false);
    listener_.objectSelected(0);
    return true;
}

void WorkspaceDocument::SetBackgroundColour(std::uint32_t colour) {
    imaging::PhotoBuffer sheet;
    sheet.width = photo_.width;
    sheet.height = photo_.height;
    sheet.bgr.resize(sheet.stride() * static_cast<std::size_t>(sheet.height));
    const std::uint8_t bgr[3] = {static_cast<std::uint8_t>(colour >> 16),
                                 static_cast<std::uint8_t>(colour >> 8), static_cast<std::uint8_t>(colour)};
    for (std::size_t i = 0; i < sheet.bgr.size(); i += 3)
        std::copy_n(bgr, 3, sheet.bgr.data() + i);
    setBackground(std::move(sheet));
    backgroundColour_ = colour & 0x00FFFFFF;
    Recompose(false);
}

bool WorkspaceDocument::SetImageAsBackground() {
    auto whole = RenderWholeImage();
    if (!whole)
        listener_.problemOccurred(DocumentProblem::RenderFailed);
    if (!whole || !flattenCutting(cropCut(true), ImageOperation::Kind::Background))
        return false;
    setBackground(std::move(*whole));
    backgroundColour_.reset();
    modified_ = false;
    listener_.objectSelected(0);
    Recompose(false);
    return true;
}

std::optional<imaging::PhotoBuffer> WorkspaceDocument::flattenForExport(bool wholeImage) {
    if (!FlattenIntoPhoto(false))
        return std::nullopt;
    if (!wholeImage)
        return photo_;
    auto whole = RenderWholeImage();
    if (!whole)
        listener_.problemOccurred(DocumentProblem::RenderFailed);
    return whole;
}

void WorkspaceDocument::RecordObjectStep() {
    if (!keepsHistory_)
        return;
    gestureStep_ = 0;
    const bool hadSteps = history_.stepCount() > 0;
    afterRecording(history_.recordObjectStep(objects_), hadSteps);
    listener_.undoStateChanged();
}

void WorkspaceDocument::RecordImageStep(std::optional<ImageOperation> operation) {
    if (!keepsHistory_)
        return;
    gestureStep_ = 0;
    const bool hadSteps = history_.stepCount() > 0;
    afterRecording(history_.recordImageStep(objects_, photo_, std::move(operation)), hadSteps);
    listener_.undoStateChanged();
}

void WorkspaceDocument::RecordGestureStep(std::uint64_t gesture) {
    if (gesture != 0 && gesture == gestureStep_ && history_.position() >= 0) {
        history_.replaceCurrentObjects(objects_);
        return;
    }
    RecordObjectStep();
    gestureStep_ = gesture;
}

void WorkspaceDocument::undo() {
    gestureStep_ = 0;
    if (history_.undoTakesTwoSteps()) {
        if (auto move = history_.undoOneStep())
            applyHistoryMove(*move);
    }
    if (auto move = history_.undoOneStep())
        applyHistoryMove(*move);
    Recompose(false);
    objectSelectionAfterHistory();
}

void WorkspaceDocument::redo() {
    gestureStep_ = 0;
    if (history_.redoTakesTwoSteps()) {
        if (auto move = history_.redoOneStep())
            applyHistoryMove(*move);
    }
    if (auto move = history_.redoOneStep())
        applyHistoryMove(*move);
    Recompose(false);
    objectSelectionAfterHistory();
}

void WorkspaceDocument::applyHistoryMove(const HistoryMove& move) {
    objects_.clear();
    activeText_ = -1;
    switch (move.photo) {
    case HistoryMove::Photo::Unchanged:
        break;
    case HistoryMove::Photo::BackToLoaded:
        photo_ = loadedPhoto_;
        photoChanged();
        break;
    case HistoryMove::Photo::FromRecord:
        // An unreadable record leaves the photo as it is rather than blanking it.
        if (move.record) {
            if (auto decoded = decodeUndoImage(*move.record)) {
                photo_ = std::move(*decoded);
                photoChanged();
            }
        }
        break;
    }
    if (move.objects) {
        restoreObjects(*move.objects);
        // Recorded at another zoom or window size, texts find their window place from their anchors.
        placeTextsInView();
        reselectText();
    }
}

void WorkspaceDocument::restoreObjects(const ObjectList& objects) {
    for (int i = 0; i < objects.size(); ++i) {
        objects_.append(objects.at(i));
        tool_ = objects.kind(i);
        listener_.showToolPanel(objects.kind(i));
    }
}

void WorkspaceDocument::reselectText() {
    for (int i = 0; i < objects_.size(); ++i) {
        const text::TextObject* object = objects_.get<text::TextObject>(i);
        if (object && object->selected == 1) {
            activeText_ = i;
            listener_.editText(*object);
            return;
        }
    }
}

void WorkspaceDocument::objectSelectionAfterHistory() {
    const bool turnable = objects_.contains(Clipart) || objects_.contains(Mask) || objects_.contains(Frame);
    listener_.objectSelected(turnable ? 1 : 0);
}

std::array<Rect, 8> WorkspaceDocument::HandleRects(const Rect& r) {
    const Rect first{r.left - 8, r.top - 8, r.left, r.top};
    const int dy = r.bottom + 8 - r.top;
    const int dx = r.right + 8 - r.left;
    const QPoint moves[8] = {{0, 0},   {0, dy / 2},  {0, dy}, {dx / 2, dy},
                             {dx, dy}, {dx, dy / 2}, {dx, 0}, {dx / 2, 0}};
    std::array<Rect, 8> handles;
    for (int i = 0; i < 8; ++i)
        handles[static_cast<std::size_t>(i)] = {first.left + moves[i].x(), first.top + moves[i].y(),
                                                first.right + moves[i].x(), first.bottom + moves[i].y()};
    return handles;
}

} // namespace workspace

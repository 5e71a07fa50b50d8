#pragma once
// The workspace document: the photo, the background sheet behind it and the ordered objects on top, with
// the text template, the brush settings and the undo history. Pure code: it composes into its own back
// buffer and reports to a DocumentListener; the widget only shows the buffer and forwards input.

#include "imaging/photo_buffer.h"
#include "imaging/picture.h"
#include "text/calendar/month_calendar.h"
#include "text/text_object.h"
#include "workspace/adjusted_view.h"
#include "workspace/decorations/decoration_caches.h"
#include "workspace/decorations/resource_placement.h"
#include "workspace/document_listener.h"
#include "workspace/image_operation.h"
#include "workspace/manipulation/drag_layers.h"
#include "workspace/manipulation/manipulation_state.h"
#include "workspace/manipulation/picture_handles.h"
#include "workspace/object_list.h"
#include "workspace/original_picture.h"
#include "workspace/undo/undo_history.h"
#include "workspace/view_geometry.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <array>
#include <functional>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace platform {
class DesktopWallpaper;
struct WallpaperReport;
} // namespace platform

namespace resources {
class ResourceLibrary;
}

namespace workspace {

inline constexpr int kBytesPerPixel = 3;
// Operations on larger photos show the wait cursor first.
inline constexpr int kWaitCursorPixels = 0xC0000;

enum ToolMode : int {
    ToolClipart = 0,
    ToolMask = 2,
    ToolFrame = 3,
    ToolText = 4,
    ToolCrop = 5,
    ToolTuning = 6,
    ToolDecoration = 9,
};

struct BrushSettings {
    int tipIndex = -1;
    bool paintingEnabled = false;
    int angle = 0;
    int opacity = 255;
    int size = 50;
    std::uint32_t colour = 0; // 0x00BBGGRR
};

// The brush opacity (0 to 255) the opacity dial (-180 to 180) stands for.
constexpr int brushOpacityFromDial(int dial) {
    return (dial + 180) * 255 / 360;
}

// The angle in degrees and the user scale of a clipart, mask or frame.
struct PictureTurn {
    float angle = 0;
    float scale = 1.0f;
};

struct CropAspect {
    float width = 0;
    float height = 0;
    bool constrained = false;
};

// Runs `work`, a long operation on `picture`. A runner may run it on another thread and set the picture's
// escape flag to stop it; without one the work runs at once.
using PictureWorkRunner = std::function<void(imaging::Picture& picture, const std::function<void()>& work)>;

// How the edits are made again at full size: `runner` runs each filter as for ApplyImageCommand, and
// `stopped`, asked between the edits, gives up the replay when it says so.
struct ReplayControl {
    PictureWorkRunner runner;
    std::function<bool()> stopped;
};

class WorkspaceDocument : public ResourcePlacement {
public:
    // A white 800 × 600 photo on a white 800 × 600 background, the Frame tool, an empty history (an undo
    // file left by an earlier run is removed). Frames, masks, cliparts and decorations come from
    // `library`; without one they cannot be placed and draw nothing.
    WorkspaceDocument(const QString& programFolder, DocumentListener& listener, QSize clientSize,
                      const resources::ResourceLibrary* library = nullptr);
    ~WorkspaceDocument() override;
    WorkspaceDocument(const WorkspaceDocument&) = delete;
    WorkspaceDocument& operator=(const WorkspaceDocument&) = delete;

    // --- photo and background
    // Replaces the photo with a freshly loaded picture (the loader's kind is kept for the undo encoder).
    void setLoadedPicture(imaging::PhotoBuffer photo, bool libraryDecoded, int formatCode,
                          const QString& path);
    // Forgets every object and the history, and keeps a copy of the photo to return to.
    void keepLoadedPhoto();
    // Rebuilds the working buffer from the photo and recomputes the view and crop rectangles.
    void photoChanged();

    const imaging::PhotoBuffer& photo() const { return photo_; }
    const imaging::PhotoBuffer& loadedPhoto() const { return loadedPhoto_; }
    const imaging::PhotoBuffer& background() const { return background_; }
    // The background sheet's one colour (0x00BBGGRR) when it was set by colour (white at first); none
    // once it is a picture.
    std::optional<std::uint32_t> backgroundColour() const { return backgroundColour_; }
    void setBackground(imaging::PhotoBuffer background);
    int canvasWidth() const { return photo_.width; }
    int canvasHeight() const { return photo_.height; }
    bool libraryDecoded() const { return libraryDecoded_; }
    int formatCode() const { return formatCode_; }
    const QString& picturePath() const { return picturePath_; }
    // The file the photo was opened from, for results at its own size; a newly loaded picture has none
    // until it is set.
    void setOriginal(OriginalPicture original) { original_ = std::move(original); }
    const std::optional<OriginalPicture>& original() const { return original_; }
    // Whether the original has more pixels than the working copy it was opened as.
    bool hasLargerOriginal() const;

    // --- view
    // The size handler: a new back buffer and a composition (as for output while previewing). A fitted
    // view is fitted again with a new crop rectangle; a zoomed one keeps its zoom and the canvas point at
    // the window's centre. Previewing shows the whole picture: a zoomed view is fitted for the preview
    // and comes back, where it was, with the first size after it.
    void resizeClient(QSize clientSize);
    // --- zoom: view pixels per canvas pixel. The view rectangle carries it: a zoomed-in view is larger
    // than the window and partly outside it. Texts and the crop rectangle keep their canvas places.
    double zoom() const;
    // The view fills the window (a photo opens so); it is fitted again when the window changes size.
    bool viewFitted() const { return fitted_; }
    void fitToWindow();
    // Zoom, held to kMinimumZoom-kMaximumZoom (or the fitted zoom beyond them), keeping the canvas point
    // under the window point `anchor` in place. Nothing happens during a drag or while previewing.
    void setZoom(double zoom, QPoint anchor);
    void zoomBy(double factor, QPoint anchor);
    // Moves a view larger than the window by window pixels, never beyond the photo's edge; not while
    // previewing.
    void panBy(int dx, int dy);
    QSize clientSize() const { return clientSize_; }
    const Rect& viewRect() const { return view_; }
    const Rect& cropRect() const { return crop_; }
    void setCropRect(const Rect& crop) { crop_ = crop; }
    // The view less an eighth of its width and height on every side; while a proportion is chosen,
    // seated in that proportion as choosing it does.
    void resetCropRect();
    // Whether the crop rectangle covers enough of the photo to cut it to: at least 4 pixels of width
    // and 1 of height. A crop that would not is refused before anything changes, with this reason.
    bool cropCutsPhoto() const;
    static constexpr char kCropTooSmall[] = "the rectangle is too small to crop in this view: the photo "
                                            "keeps at least 4 pixels of width and 1 of height";
    CropAspect& cropAspect() { return cropAspect_; }
    const QImage& backBuffer() const { return backBuffer_; }
    bool previewing() const { return preview_; }
    void setPreviewing(bool preview) { preview_ = preview; }

    // --- tools and objects
    void SetTool(int tool);
    int tool() const { return tool_; }
    const ObjectList& objects() const { return objects_; }
    ObjectList& objects() { return objects_; }
    int activeText() const { return activeText_; }
    text::TextObject& textTemplate() { return template_; }
    BrushSettings& brush() { return brush_; }
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    void ClearSelection();
    // Adds a new text from the template (the text tool only), its rectangle's top-left at a window point,
    // or without one centred on the photo. It becomes the selected text.
    void PlaceText(int x, int y);
    void PlaceText();
    // The new text's rectangle centred on the window point rather than starting there.
    void PlaceTextCentred(int x, int y);
    // The selected text takes these settings (text::TextSetting bits) from the template: one undo step
    // when that changed it, or one for the whole gesture (the transparency slider dragged) that made the
    // change.
    void ApplyTextStyle(unsigned settings, std::uint64_t gesture = 0);
    // Typing: the active text takes the template's text while it is selected. No undo step.
    void UpdateActiveText();
    // A burst of typing has ended: one undo step when the active text's text differs from the state last
    // recorded, so that Undo takes back the whole burst (and nothing typed is lost to an Undo).
    void EndTypingBurst();
    // Turns the composition into the photo (cut to the crop rectangle with `crop` in the crop tool). False,
    // with the objects and the photo as they were, when the composition could not be drawn.
    bool FlattenIntoPhoto(bool crop);

    // --- colour tool and effect filters (document_colour.cpp, document_filters.cpp)
    // Replaces the colour adjustment entry. The first adjustment flattens the objects into the photo and
    // records its steps. Further ones without a gesture replace the entry without new steps; with one (a
    // slider dragged or wheeled), each gesture is one undo step of its own.
    void SetColourAdjustment(const ColourAdjustment& values, std::uint64_t gesture = 0);
    // Runs the effect filter of an operation code on the photo, with the objects turned into pixels
    // first, and records one image step. False, with the document as it was, for an unknown code, when the
    // composition could not be drawn, or when the filter was stopped through the picture's escape flag.
    bool ApplyImageCommand(int operationCode, const PictureWorkRunner& runner = {});

    // --- background and export
    // A background sheet of canvas size in one colour (0x00BBGGRR). No undo step; not a modification.
    void SetBackgroundColour(std::uint32_t colour);
    // The whole view as it is becomes the background sheet, and the objects become photo pixels: the next
    // photo is laid over the composition. False, with nothing changed, when it could not be rendered.
    bool SetImageAsBackground();
    // What an export writes: the objects are flattened into the photo first (one image step, so Undo
    // brings them back), then the photo area or the whole view at canvas resolution.
    std::optional<imaging::PhotoBuffer> flattenForExport(bool wholeImage);
    // 0: the objects are flattened into the photo, which is written as a 24-bit BMP at `picture` and shown
    // on the desktop (nothing is, when the composition cannot be drawn); 1: the desktop takes it off
    // again; any other value does nothing.
    platform::WallpaperReport SetWallpaper(int action, platform::DesktopWallpaper& desktop,
                                           const QString& picture);

    // --- full-size results (document_replay.cpp)
    // For a document made only to replay: no undo step is recorded, no undo file written.
    void stopKeepingHistory() { keepsHistory_ = false; }
    // For a document nothing shows (a recipe run): the history is kept whole, but its photos stay in
    // memory and no undo file is written. Frames and undo show the very pixels the file would give.
    void keepHistoryInMemory() { history_.keepPhotosInMemory(); }
    // This document takes `edited`'s window size, background and pictures, and `original` (the picture
    // `edited`'s photo was opened from, at its own size) as its photo; makes every image operation of
    // `edited`'s record again on it, then turns `edited`'s current objects into pixels, every place and
    // size scaled to the larger photo. Returns what `edited`'s export would write, at that size; nothing
    // when stopped or when a composition could not be drawn.
    std::optional<imaging::PhotoBuffer> replayEdits(const WorkspaceDocument& edited,
                                                    imaging::PhotoBuffer original, bool wholeImage,
                                                    const ReplayControl& control);

    // --- composition
    void Recompose(bool forOutput);
    // The composition at canvas size, written into the photo. False, with the photo untouched, when no
    // canvas could be had.
    bool RenderPhotoArea();
    // The whole view, background included, at canvas resolution.
    std::optional<imaging::PhotoBuffer> RenderWholeImage();
    // The drawing area of an output composition: the client size in canvas pixels.
    QSize outputAreaSize() const;

    // --- history
    void RecordObjectStep();
    // The photo as it stands becomes a step, made by `operation` (what a replay on the original does).
    void RecordImageStep(std::optional<ImageOperation> operation = std::nullopt);
    // One undo step for a whole gesture (a dial or slider drag, a burst of wheel steps) that changes the
    // objects many times: the first change records an object step, each later one with the same gesture
    // number brings that step up to date while it is still the newest thing recorded (nothing else was
    // recorded, undone or redone since). Gesture 0 is none: each change records its own step.
    void RecordGestureStep(std::uint64_t gesture);
    void undo();
    void redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    const UndoHistory& history() const { return history_; }

    // --- the mouse and the keyboard on the canvas, in window pixels (manipulation.cpp, stacking.cpp)
    // Left button pressed: takes a handle (of the crop rectangle, the active text or the selected
    // clipart, mask or frame), the crop rectangle, a brush stroke or the topmost object under the point,
    // in that order; a press on none of them drops the selection. True when a drag started; the window
    // then captures the mouse until ButtonUp. Nothing happens while previewing.
    bool ButtonDown(int x, int y);
    // The mouse moved: moves, sizes, turns or paints what the press took; returns the cursor for the
    // point. With `snapTurn` (Shift held) a picture's turn handle turns in steps of 15°.
    PointerCursor MouseMove(int x, int y, bool snapTurn = false);
    // One stamp at a window point on the stroke in progress, however near the last one: a recipe's
    // stroke lays exactly one per point. Nothing happens without a stroke in progress.
    void StampStroke(int x, int y);
    // A whole stroke with its stamps at these canvas offsets (canvas pixels from the canvas centre, y
    // downward): what a drag of the mouse lays, placed exactly rather than through the view's window
    // pixels, so that a recorded stroke can be painted again as it was. Flattens first and records one
    // undo step, as a stroke does. False, with nothing changed, without stamps, when the brush does not
    // paint or while previewing.
    bool PaintStroke(std::span<const QPoint> offsets);
    // Left button released: ends the drag. A move, a stroke, or a text or picture sized or turned by its
    // handles records one undo step, so Undo returns to where the drag started.
    void ButtonUp();
    bool dragging() const { return manipulation_.drag != ManipulationState::Drag::None; }
    // The handle of the selected clipart, mask or frame at the point: 0 to 3 its corners, 4 (kTurnHandle)
    // the turn handle; -1 when none is there or no handles show (the crop tool, preview).
    int pictureHandleAt(int x, int y) const;
    const ManipulationState& manipulation() const { return manipulation_; }
    // Right button or menu key (text tool only): the text under the point, or under its label square,
    // becomes the selected and active text; elsewhere the selection is cleared.
    void ContextMenuAt(int x, int y);
    // Removes the lowest selected text or clipart (any tool); one undo step when one went.
    void DeleteSelected();
    // Stacking of the selected object of the tool's kind (text and clipart tools); one undo step each
    // time an object moved.
    void BringForward();
    void SendBackward();
    void BringToFront();
    void SendToBack();
    // Seats the crop rectangle in the proportion width : height and keeps it while a corner is dragged;
    // a zero part lifts the constraint and leaves the rectangle where it is.
    void SetCropAspect(float widthPart, float heightPart);
    // The arrow keys: moves what a drag would move in this tool by canvas pixels; true when something
    // moved. EndNudge (the key released) records the series as one undo step.
    bool NudgeSelected(int dx, int dy);
    void EndNudge();
    // A resource thumbnail (by resources::ResourceCategory code) dropped at a window point goes to its
    // placing operation (the document's own unless another was set). Brush tips and unknown categories
    // give NotFound.
    PlaceResult DropThumbnail(int category, int index, int x, int y);
    // Hands drops to `placement` instead; null gives them back to the document's own placing operations.
    void setResourcePlacement(ResourcePlacement* placement) { placement_ = placement ? placement : this; }
    // The pictures of the brush tips by tip index (32-bit, straight alpha), for painting and the cursor.
    void setBrushPictures(std::vector<QImage> tips);
    // The chosen tip's picture; null when no tip is chosen or its picture is unknown.
    const QImage* brushTip() const;
    // The brush cursor: the chosen tip at the brush size and angle as the view shows it, centred on the
    // hot spot; null when no tip is chosen.
    QImage brushCursorImage() const;

    // --- frames, masks, cliparts, decorations and brushes (frame_mask.cpp, clipart_decoration.cpp,
    // decoration_composer.cpp)
    // Each placing operation reads its picture first and changes nothing when it cannot: then the
    // result says whether there was nothing to read or a damaged entry. A frame, mask or decoration
    // replaces the one of its kind; with none present, and for the first clipart, the objects are
    // flattened into the photo first. The new object is the selected one; one undo step.
    PlaceResult PlaceFrame(int index) override;
    PlaceResult PlaceMask(int index) override;
    PlaceResult PlaceClipart(int index, int x, int y) override;
    PlaceResult PlaceDecoration(int index) override;
    // A clipart of pixels the document keeps itself (B,G,R,A, straight alpha, rows of width × 4 bytes,
    // copied), centred on the window point. False, with nothing changed, when the pixels do not match
    // the size or the objects could not be flattened first. `calendar`: the pixels are that month's
    // calendar picture, which a full-size result draws afresh at its own size.
    bool PlaceMemoryClipart(std::span<const std::uint8_t> pixels, int width, int height, int x, int y,
                            std::optional<text::CalendarMonth> calendar = std::nullopt);
    // The window point for a clipart placed without a drop point (picked in the list, the calendar): the
    // middle of the view (zoomed in, of its part in the window) for the first clipart on the photo, then
    // each time 24 view pixels right of and below the last clipart placed, coming round into that part
    // again at its far edges, so that none hides the one before.
    QPoint nextPlacingPoint() const;
    // The scale dial (-180 to 180) sets the scale of the first selected clipart, mask or frame, the
    // rotation dial its angle; both recompose. False when no such object is selected.
    bool SetSelectedScale(int value);
    bool SetSelectedAngle(int value);
    // What the dials turn and size: the first selected clipart, mask or frame's angle and scale; nothing
    // when no such object is selected.
    std::optional<PictureTurn> SelectedPictureTurn() const;
    // The brush panel's settings: the tip (-1 none), painting on or off, angle in degrees, opacity 0-255,
    // size in canvas pixels, colour 0x00BBGGRR.
    void SetBrush(int tipIndex, bool paintingEnabled, int angle, int opacity, int size, std::uint32_t colour);
    const resources::ResourceLibrary* library() const { return caches_.pictures->library(); }
    // The library's files changed (an import): pictures are read afresh.
    void forgetResourcePictures();
    // Reads the library's pictures through `pictures` (made for the same library), which other
    // documents may share: a recipe's photos decode each picture once for the whole run.
    void shareResourcePictures(std::shared_ptr<ResourcePictures> pictures);
    // The in-memory cliparts' pixels, by the position an in-memory clipart refers to.
    const std::vector<QImage>& memoryCliparts() const { return memoryCliparts_; }
    // The month an in-memory clipart shows when it is a calendar (by the position an in-memory clipart
    // refers to); nothing for other pictures and positions out of range.
    std::optional<text::CalendarMonth> memoryClipartCalendar(int memoryIndex) const;
    // The untransformed hit regions of the picture objects, by their region index.
    const std::vector<QRect>& regions() const { return regions_; }

    // While a text handle (0-7) is dragged, the composer refits the active text keeping the opposite
    // edges; -1 when no handle is dragged.
    void setTextHandleDrag(int handle) { draggedTextHandle_ = handle; }

    // The eight handles around a rectangle, 8 × 8 each: corners and edge midpoints.
    static std::array<Rect, 8> HandleRects(const Rect& around);

private:
    struct OutputSwitches {
        bool renderToCanvas = false;
        bool decorations = true;
        int objectsEnd = -1;  // objects drawn: all, or those below this position
        bool overlays = true; // decorations and the crop overlay after the objects
    };

    // The crop tool's cut of the photo when `crop` asks for one and the crop tool is active.
    std::optional<CanvasCut> cropCut(bool crop) const;
    // FlattenIntoPhoto, cutting the photo to `cut` (canvas pixels) when given; records the operation.
    bool flattenCutting(const std::optional<CanvasCut>& cut, ImageOperation::Kind kind);
    // The objects of `edited` as they lie on this document's photo.
    ObjectList objectsScaledFrom(const ObjectList& objects, QSize canvas) const;
    // The calendars among the in-memory cliparts drawn again `factor` times larger (nothing at 1 or
    // less), and the calendar cliparts of the objects made to cover with them the places they covered
    // with the pictures they were placed with.
    void redrawCalendars(double factor);
    void fitRedrawnCalendars();
    void composeInto(QImage& target, bool forOutput);
    void drawObjects(QPainter& painter, int first, int end, bool forOutput);
    // False for the back buffer of a document that nothing shows.
    bool paintsOn(const QPaintDevice* device) const;
    // Objects below this position that paint only within the view are concealed on screen: they keep
    // their places up to date as when drawn, but paint nothing. coveredEnd finds the last object below
    // `end` that covers the view with an opaque picture.
    int coveredEnd(int end);
    bool paintsWithinView(int index) const;
    void drawDecorations(QPainter& painter, const QRect& area);
    void drawCropOverlay(QPainter& painter);
    // drag_composition.cpp: a drag step recomposed from layers kept for the drag; the objects at `first`
    // to `last` drawn afresh between the layers kept below and above them (made when they differ).
    void composeDragStep();
    void composeBetweenLayers(int first, int last);
    // After the object at `index` changed (-1: none found): composed between kept layers where it can be.
    void composeChangeOf(int index);
    std::pair<int, int> draggedObjects() const;
    // The part `part` of the picture stretched over `over`, kept between compositions while neither
    // changes: dragging an object recomposes at every mouse move, and stretching a large photo is the
    // dearest step.
    const QImage& stretched(const imaging::PhotoBuffer& source, StretchedPart& cache, const Rect& over,
                            const QRect& part);
    void forgetStretchedPictures();
    void drawColourAdjustment(QPainter& painter, const ColourAdjustment& values, bool forOutput);
    void drawTextObject(QPainter& painter, text::TextObject& object, bool forOutput, bool active);
    // decoration_composer.cpp: a frame, mask, clipart, decoration or brush stroke at position `index`.
    void drawPictureObject(QPainter& painter, int index, bool forOutput);
    void ComposeFrame(QPainter& painter, FrameObject& frame, bool forOutput);
    void ApplyMask(QPainter& painter, MaskObject& mask, bool forOutput);
    void ComposeClipart(QPainter& painter, ClipartObject& clipart, bool forOutput);
    void ComposeDecoration(QPainter& painter, DecorationObject& decoration, bool forOutput);
    void ComposeBrushStroke(QPainter& painter, const BrushStrokeObject& stroke);
    void markWithHandles(QPainter& painter, const QTransform& toWindow, int width, int height);
    // The photo frames show: the latest stored undo image, else the photo itself.
    const imaging::PhotoBuffer& framePhoto();
    // The photo compositions draw: the working copy where they are shown (the photo may be flattened for a
    // filter running on another thread while the screen still shows it with its objects), else the photo
    // itself, which a document nothing shows then need not copy each time it changes.
    const imaging::PhotoBuffer& composedPhoto() const;
    // The background resampled to the view area in canvas pixels, cut to the canvas; empty, for plain
    // white, when that area is not larger than the canvas or there is no background picture.
    const imaging::PhotoBuffer& backgroundCache();
    // A canvas-sized buffer shown over the view, stretched once per content and view size when on screen.
    void drawCanvasBuffer(QPainter& painter, const imaging::PhotoBuffer& buffer, ShownBuffer& screen,
                          bool onScreen);
    // The same for a canvas-sized 32-bit picture, `shown` holding it stretched over the view.
    void drawCanvasPicture(QPainter& painter, const QImage& picture, StretchedPart& shown, bool onScreen);
    // frame_mask.cpp, clipart_decoration.cpp
    int addRegion(const QRect& region);
    QPolygonF screenRegion(int regionIndex, QRect fallback, const QTransform& transform) const;
    // The one object of this kind, -1 when there is none.
    int firstOfKind(ObjectKind kind) const;
    // Takes the object out, keeping the active text index on the text it designates.
    void removeObjectAt(int index);
    PlaceResult unavailable(const QString& fileName) const;
    void finishPlacing(bool turnable);
    void restoreObjects(const ObjectList& objects);
    void placeText(std::optional<QPoint> point, bool centred = false);
    // The template's height, or for 0 a tenth of the photo's shorter side.
    int templateTextHeight() const;
    void reselectText();
    void applyHistoryMove(const HistoryMove& move);
    // After a step was recorded: a restarted history returns to the current photo, and the user is told
    // when edits that could have been undone are lost.
    void afterRecording(RecordOutcome outcome, bool hadSteps);
    void objectSelectionAfterHistory();
    // manipulation.cpp
    std::optional<Rect> handleFrame() const;
    // A new stroke with these stamps laid, when the brush paints; the drag that lays more follows.
    bool startBrushStroke(std::span<const QPoint> stamps);
    // A window point as a stamp keeps it: canvas pixels from the canvas centre, y downward; none without
    // a view.
    std::optional<QPoint> strokeOffset(int x, int y) const;
    void layBrushStamp(QPoint offset);
    bool followBrushPath(int x, int y);
    void takeText(int index);
    // The main window's object dials follow a selection the user changed: they apply to a selected
    // clipart, mask or frame.
    void selectionChanged();
    void movePictures(int x, int y);
    PointerCursor dragHandle(int x, int y);
    // picture_handle_drag.cpp: the selected picture's handles (its position, -1 when no handles show).
    int handledPicture() const;
    std::optional<PictureHandles> pictureHandlesAt(int index) const;
    bool startPictureHandleDrag(int x, int y);
    // The cursor of the picture handle under the point, or of the one being dragged; Arrow when none.
    PointerCursor pictureHandleCursor(int x, int y) const;
    void dragPictureHandle(int x, int y, bool snapTurn);
    // True when the drag changed the picture's scale or angle.
    bool endPictureHandleDrag();
    // stacking.cpp
    void moveObject(int from, int to);
    int stackingCandidate(bool (*qualifies)(int position, int size)) const;
    // The view fitted to the window and never enlarged: renders for output are measured against it, so
    // that they do not depend on the zoom.
    Rect screenViewRect() const;
    // Canvas pixels per pixel of that view; 0 when there is no view.
    float canvasPerScreenPixel() const;
    // The part of the view inside the window: all the screen ever needs of a stretched canvas.
    QRect shownViewPart() const;
    // The same as a view rectangle, where new objects go so that they are seen: the whole view while it
    // fits the window (or there is no window).
    Rect placingArea() const;
    // Puts the view at `view`, carrying the texts and the crop rectangle with it, and recomposes.
    void moveView(const Rect& view);
    // Texts keep their place in the view: their window rectangles follow from their anchors.
    void placeTextsInView();

    DocumentListener& listener_;
    imaging::PhotoBuffer photo_;
    imaging::PhotoBuffer working_;
    imaging::PhotoBuffer background_;
    std::optional<std::uint32_t> backgroundColour_ = 0xFFFFFF;
    imaging::PhotoBuffer loadedPhoto_;
    bool libraryDecoded_ = false;
    int formatCode_ = 0;
    QString picturePath_;
    std::optional<OriginalPicture> original_;
    bool keepsHistory_ = true;

    QSize clientSize_;
    Rect view_;
    bool fitted_ = true;
    QSize shownCanvas_; // the canvas size the view was last made for
    std::optional<Rect> zoomedBeforePreview_; // the zoomed view a preview put aside
    Rect crop_;
    CropAspect cropAspect_;
    float displayScale_ = 1.0f;
    QImage backBuffer_;
    OutputSwitches output_;
    int concealedEnd_ = 0;
    bool concealed_ = false; // the object being drawn is concealed
    QPoint canvasOrigin_; // while rendering to the canvas: where the canvas lies in the output area
    StretchedPart stretchedPhoto_;
    StretchedPart stretchedBackground_;
    AdjustedView adjustedView_;
    bool preview_ = false;

    ObjectList objects_;
    int activeText_ = -1;
    int tool_ = ToolFrame;
    text::TextObject template_{};
    BrushSettings brush_;
    bool modified_ = false;
    // While a text handle is dragged: which one (0-7), so the composer keeps the opposite edges.
    int draggedTextHandle_ = -1;

    UndoHistory history_;
    // The gesture whose step is the newest one recorded; 0 when the newest step belongs to none.
    std::uint64_t gestureStep_ = 0;

    ManipulationState manipulation_;
    DragLayers dragLayers_;
    ResourcePlacement* placement_ = this;
    std::vector<QImage> brushTips_;
    // Masks and brush tips enlarged are sampled smoothly: set by a full-size replay only, so the
    // working-size and screen pictures keep their nearest-neighbour pixels.
    bool smoothEnlarging_ = false;

    std::vector<QRect> regions_;
    std::vector<QImage> memoryCliparts_;
    // Beside each in-memory clipart: the month it shows when it is a calendar. Kept in memory only, as
    // the record's image operations are.
    std::vector<std::optional<text::CalendarMonth>> memoryClipartCalendars_;
    // Where the last clipart was placed, in canvas pixels from the canvas centre.
    std::optional<QPoint> lastClipartOffset_;
    DecorationCaches caches_;
};

} // namespace workspace

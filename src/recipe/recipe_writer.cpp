#include "recipe/recipe_writer.h"

#include "imaging/colour/colour_adjustment.h"
#include "imaging/filters/image_commands.h"
#include "recipe/photo_fractions.h"
#include "recipe/recipe.h"
#include "recipe/recipe_plan.h"
#include "recipe/recipe_text.h"
#include "recipe/step_handlers.h"
#include "text/fonts/log_font.h"
#include "workspace/composer_painting.h"
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/document.h"

#include <QJsonArray>
#include <QSaveFile>
#include <cmath>
#include <optional>

namespace recipe {

namespace {

using workspace::ObjectKind;
using workspace::ObjectList;
using workspace::Rect;

QString colourText(std::uint32_t colour) {
    return QStringLiteral("#%1%2%3")
        .arg(colour & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((colour >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((colour >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QJsonArray pair(int a, int b) {
    return QJsonArray{a, b};
}

// One axis of the view a step's places are carried through: the window pixel a photo pixel lands on,
// as the steps compute it.
struct Axis {
    int viewStart = 0;
    int viewSide = 0;
    int canvasSide = 0;

    int window(int photo) const {
        return viewStart + static_cast<int>(std::lround(photo * viewSide / double(std::max(1, canvasSide))));
    }
    // The photo pixel whose window pixel is `target`; none when the view skips it.
    std::optional<int> photoFor(int target) const {
        if (viewSide <= 0)
            return std::nullopt;
        const int guess = static_cast<int>(std::lround(double(target - viewStart) * canvasSide / viewSide));
        for (int photo = guess - 2; photo <= guess + 2; ++photo)
            if (window(photo) == target)
                return photo;
        return std::nullopt;
    }
};

// The photo as a recipe's steps see it at one moment: its size and the view it is shown in.
struct Canvas {
    QSize size;
    Rect view;
    Axis x() const { return {view.left, view.width(), size.width()}; }
    Axis y() const { return {view.top, view.height(), size.height()}; }
};

class Writer {
public:
    explicit Writer(const workspace::WorkspaceDocument& document)
        : document_(document), client_(document.clientSize()) {}

    // The objects of one flattening, then what made it. False once something cannot be stated.
    bool addOperation(const workspace::ImageOperation& operation) {
        const Canvas canvas = canvasOf(operation.canvas);
        photo_ = operation.canvas;
        if (!addObjects(operation.objects, canvas))
            return false;
        // The whole image the background is made from shows the sheet around the photo.
        const bool background = operation.kind == workspace::ImageOperation::Kind::Background;
        if ((background || showsSheet(operation.objects)) && !matchSheet(operation.backgroundColour))
            return false;
        switch (operation.kind) {
        case workspace::ImageOperation::Kind::Background:
            sheet_.reset();
            return addImageBackground(operation.cut, canvas);
        case workspace::ImageOperation::Kind::Filter:
            return addFilter(operation.filter);
        case workspace::ImageOperation::Kind::Flatten:
            // Without a cut, the placing of the next objects or the export flattens these, as the editor did.
            return !operation.cut || addCrop(*operation.cut, canvas);
        }
        return true;
    }

    bool addCurrentObjects(const ObjectList& objects, QSize photo) {
        photo_ = photo;
        return addObjects(objects, canvasOf(photo)) &&
               (!showsSheet(objects) || matchSheet(document_.backgroundColour()));
    }

    const QJsonArray& steps() const { return steps_; }
    const QString& problem() const { return problem_; }

private:
    // The view a photo opens in, which the steps work in.
    Canvas canvasOf(QSize photo) const {
        return {photo,
                workspace::fittedViewRect(photo.width(), photo.height(), client_.width(), client_.height())};
    }

    // Places on photo pixels that the fitted view skips are reached at 100 %: `step` (a step for the
    // canvas it is given, or none when that view cannot reach what it needs) is made in the fitted view
    // where it can be, else between the zoom steps to 100 % and back.
    template <typename Step> bool addInSomeView(const Canvas& fitted, const QString& problem, Step&& step) {
        if (const std::optional<QJsonObject> made = step(fitted))
            return addStep(*made);
        const QPoint centre(client_.width() / 2, client_.height() / 2);
        const Canvas actual{fitted.size,
                            workspace::zoomedViewRect(fitted.view, fitted.size.width(), fitted.size.height(),
                                                      1.0, centre, client_)};
        const std::optional<QJsonObject> made = step(actual);
        if (!made)
            return fail(problem);
        return addStep(zoomStep("actual")) && addStep(*made) && addStep(zoomStep("fit"));
    }

    static QJsonObject zoomStep(const char* to) {
        return {{QStringLiteral("op"), QStringLiteral("zoom")}, {QStringLiteral("to"), QLatin1String(to)}};
    }

    static bool showsSheet(const ObjectList& objects) {
        return objects.contains(workspace::Frame) || objects.contains(workspace::Mask);
    }

    // The background sheet, where frames, masks or the whole image show it, made what it was in the
    // editor: a colour by a background step; a picture only by the image-background step before.
    bool matchSheet(std::optional<std::uint32_t> wanted) {
        if (wanted == sheet_)
            return true;
        if (!wanted)
            return fail(QStringLiteral("the background sheet is a picture from before this photo's edits (of "
                                       "another photo, or of the collage), which no recipe step makes"));
        sheet_ = wanted;
        return addStep({{QStringLiteral("op"), QStringLiteral("background")},
                        {QStringLiteral("colour"), colourText(*wanted)}});
    }

    bool fail(const QString& problem) {
        problem_ = problem;
        return false;
    }

    // Whether placing an object of `kind` first turns what lies on the photo into pixels.
    bool placingFlattens(ObjectKind kind) const {
        return !pending_ || kind == workspace::BrushStroke || kind != *pending_;
    }

    bool addObjects(const ObjectList& objects, const Canvas& canvas) {
        if (objects.empty())
            return true;
        const ObjectKind kind = objects.kind(0);
        // The editor flattened the objects before these where placing them would not: an export between
        // two placings of the same kind, for one.
        if (!placingFlattens(kind) && !addStep({{QStringLiteral("op"), QStringLiteral("flatten")}}))
            return false;
        const bool several = kind == workspace::Clipart || kind == workspace::Text;
        for (int i = 0; i < objects.size(); ++i) {
            if (i > 0 && (objects.kind(i) != kind || !several))
                return fail(
                    QStringLiteral("the objects on the photo cannot be placed in this order by steps"));
            if (!addObject(objects.at(i), canvas))
                return false;
        }
        pending_ = kind;
        return true;
    }

    bool addObject(const workspace::ObjectRecord& record, const Canvas& canvas) {
        return std::visit([&](const auto& object) { return add(object, canvas); }, record);
    }

    // The scale and angle dials and the arrow keys, for a picture placed with no offset of its own.
    // The dials and the handles both give the dials' values; no other scale or angle is ever made.
    template <typename Picture>
    bool addDials(QJsonObject& step, const Picture& picture, QPoint placedOffset, const char* what) {
        if (picture.scale != 1.0f) {
            if (workspace::scaleFromDial(scaleDialOf(picture.scale)) != picture.scale)
                return fail(
                    QStringLiteral("a %1 of a scale the scale dial does not give cannot be stated in a "
                                   "recipe")
                        .arg(QLatin1String(what)));
            step[QLatin1String("scale")] = double(picture.scale);
        }
        if (picture.angle != 0.0f) {
            if (picture.angle != std::round(picture.angle) || std::abs(picture.angle) > 180)
                return fail(
                    QStringLiteral("a %1 of an angle the angle dial does not give cannot be stated in "
                                   "a recipe")
                        .arg(QLatin1String(what)));
            step[QLatin1String("angle")] = static_cast<int>(picture.angle);
        }
        const QPoint offset = QPoint(picture.offsetX, picture.offsetY) - placedOffset;
        if (!offset.isNull())
            step[QLatin1String("offset")] = pair(offset.x(), offset.y());
        return true;
    }

    bool add(const workspace::FrameObject& frame, const Canvas&) {
        QJsonObject step{{QStringLiteral("op"), QStringLiteral("frame")},
                         {QStringLiteral("index"), frame.resourceIndex}};
        return addDials(step, frame, {}, "frame") && addStep(step);
    }

    bool add(const workspace::MaskObject& mask, const Canvas&) {
        QJsonObject step{{QStringLiteral("op"), QStringLiteral("mask")},
                         {QStringLiteral("index"), mask.resourceIndex}};
        return addDials(step, mask, {}, "mask") && addStep(step);
    }

    // Placed on the photo's middle, then moved by the arrow keys to its own place.
    bool add(const workspace::ClipartObject& clipart, const Canvas& canvas) {
        // A calendar is drawn again from its month; other pictures kept in memory (pasted ones) cannot be.
        const std::optional<text::CalendarMonth> month =
            clipart.inMemory ? document_.memoryClipartCalendar(clipart.resourceIndex) : std::nullopt;
        if (clipart.inMemory && !month)
            return fail(
                QStringLiteral("a clipart kept only in memory (a pasted picture) cannot be stated in a "
                               "recipe"));
        const QPoint at(canvas.size.width() / 2, canvas.size.height() / 2);
        const QPoint placed =
            workspace::canvasOffsetOf(canvas.view, canvas.size.width(), canvas.size.height(),
                                      canvas.x().window(at.x()), canvas.y().window(at.y()));
        QJsonObject step{{QStringLiteral("op"), QStringLiteral("clipart")},
                         {QStringLiteral("index"), clipart.resourceIndex},
                         {QStringLiteral("at"), pair(at.x(), at.y())}};
        if (month) {
            step.remove(QStringLiteral("index"));
            step[QLatin1String("op")] = QStringLiteral("calendar");
            step[QLatin1String("year")] = month->year;
            step[QLatin1String("month")] = month->month;
        }
        return addDials(step, clipart, placed, "clipart") && addStep(step);
    }

    // A decoration always covers the whole view from its offset: its scale draws nothing.
    bool add(const workspace::DecorationObject& decoration, const Canvas&) {
        QJsonObject step{{QStringLiteral("op"), QStringLiteral("decoration")},
                         {QStringLiteral("index"), decoration.resourceIndex}};
        if (decoration.offsetX != 0 || decoration.offsetY != 0)
            step[QLatin1String("offset")] = pair(decoration.offsetX, decoration.offsetY);
        return addStep(step);
    }

    bool add(const text::TextObject& object, const Canvas& canvas) {
        const QString words = text::textOf(object);
        if (words.trimmed().isEmpty())
            return fail(QStringLiteral("a text without words cannot be stated in a recipe"));
        // By its centre, which stays in the photo's middle on a photo of another shape: the centre of the
        // rectangle the text is placed with, measured as placing measures it.
        text::LogFont font{};
        text::setFaceName(font, text::faceName(object.font));
        font.height = object.font.height;
        const QSize measured = workspace::measureTextCell(font, words, object.style);
        if (object.font.height < text::kMinTextHeight || object.font.height > text::kMaxTextHeight)
            return fail(QStringLiteral("the text \"%1\" is of a height no step can give").arg(words));
        QJsonObject step{{QStringLiteral("op"), QStringLiteral("text")},
                         {QStringLiteral("text"), words},
                         {QStringLiteral("height"), object.font.height},
                         {QStringLiteral("style"), object.style},
                         {QStringLiteral("colour1"), colourText(object.colour)},
                         {QStringLiteral("colour2"), colourText(object.secondColour)}};
        if (const QString face = text::faceName(object.font); !face.isEmpty())
            step[QLatin1String("face")] = face;
        if (object.transparency != 0.0f)
            step[QLatin1String("transparency")] = double(object.transparency);
        return addInSomeView(
            canvas,
            QStringLiteral("the text \"%1\" is centred outside the photo, where no step can place it")
                .arg(words),
            [&](const Canvas& view) -> std::optional<QJsonObject> {
                const std::optional<QPoint> centre = textCentre(object, measured, view);
                if (!centre)
                    return std::nullopt;
                QJsonObject placed = step;
                placed[QLatin1String("centre")] = pair(centre->x(), centre->y());
                return placed;
            });
    }

    // The photo pixel to centre a text on in `view` that puts it where the export draws `object`: at its
    // anchor, the place it last had in the view it was shown in, carried to the canvas. None when no
    // photo pixel does.
    static std::optional<QPoint> textCentre(const text::TextObject& object, QSize measured,
                                            const Canvas& view) {
        const std::int64_t cw = view.size.width();
        const std::int64_t shownWidth = object.anchorViewWidth;
        const auto drawnAt = [&](std::int64_t anchor, std::int64_t viewWidth) {
            return viewWidth > 0 ? anchor * cw / viewWidth : anchor;
        };
        const QPoint target(static_cast<int>(drawnAt(object.anchorX, shownWidth)),
                            static_cast<int>(drawnAt(object.anchorY, shownWidth)));
        // Placing centres the measured rectangle, in window pixels, on the window point of the centre.
        const int width = view.view.width() * measured.width() / std::max(1, view.size.width());
        const int height = view.view.height() * measured.height() / std::max(1, view.size.height());
        const auto search = [&](const Axis& axis, int half, int wanted, int side) -> std::optional<int> {
            const int guess = static_cast<int>(
                std::lround((double(wanted) * view.view.width() / std::max<std::int64_t>(1, cw) + half) *
                            side / std::max(1, axis.viewSide)));
            for (int photo = std::max(0, guess - 4); photo <= std::min(side - 1, guess + 4); ++photo) {
                const int anchor = axis.window(photo) - half - axis.viewStart;
                if (drawnAt(anchor, view.view.width()) == wanted)
                    return photo;
            }
            return std::nullopt;
        };
        const std::optional<int> x = search(view.x(), width / 2, target.x(), view.size.width());
        const std::optional<int> y = search(view.y(), height / 2, target.y(), view.size.height());
        if (!x || !y)
            return std::nullopt;
        return QPoint(*x, *y);
    }

    // By the photo pixel of each stamp, wherever the mouse laid it; a stroke of more stamps than a step
    // holds is painted as several, one after the other, which lay the same stamps on the same pixels.
    bool add(const workspace::BrushStrokeObject& stroke, const Canvas& canvas) {
        const std::size_t count = stroke.xs.size();
        if (count == 0 || stroke.tipWidth <= 0 || stroke.ys.size() != count ||
            stroke.scales.size() != count || stroke.angles.size() != count ||
            stroke.opacities.size() != count)
            return fail(QStringLiteral("a damaged brush stroke cannot be stated in a recipe"));
        const int size = static_cast<int>(std::lround(stroke.scales.front() * stroke.tipWidth));
        const float scale = static_cast<float>(size) / static_cast<float>(stroke.tipWidth);
        const float angle = stroke.angles.front();
        const int opacity = stroke.opacities.front();
        for (std::size_t i = 0; i < count; ++i)
            if (stroke.scales[i] != scale || stroke.angles[i] != angle || stroke.opacities[i] != opacity)
                return fail(QStringLiteral("a brush stroke whose size, angle or opacity changed while it was "
                                           "painted cannot be stated in a recipe"));
        if (size < 16 || size > 256 || angle != std::round(angle) || std::abs(angle) > 180)
            return fail(
                QStringLiteral("a brush stroke of a size or angle the brush panel does not give cannot "
                               "be stated in a recipe"));
        const QPoint centre(canvas.size.width() / 2, canvas.size.height() / 2);
        for (std::size_t first = 0; first < count; first += std::size_t{kMaxPoints}) {
            QJsonArray stamps;
            for (std::size_t i = first; i < std::min(count, first + std::size_t{kMaxPoints}); ++i)
                stamps.append(pair(centre.x() + stroke.xs[i], centre.y() + stroke.ys[i]));
            if (!addStep({{QStringLiteral("op"), QStringLiteral("stroke")},
                          {QStringLiteral("tip"), stroke.tipIndex},
                          {QStringLiteral("colour"), colourText(stroke.colour)},
                          {QStringLiteral("size"), size},
                          {QStringLiteral("angle"), static_cast<int>(angle)},
                          {QStringLiteral("opacity"), opacity},
                          {QStringLiteral("stamps"), stamps}}))
                return false;
        }
        return true;
    }

    bool add(const workspace::ColourAdjustment& values, const Canvas&) {
        const imaging::ColourSliderPositions positions = imaging::colourPositionsFromAdjustment(values);
        if (imaging::colourAdjustmentFromPositions(positions) != values)
            return fail(QStringLiteral("a colour tuning between the sliders' positions cannot be stated in a "
                                       "recipe"));
        QJsonObject step{{QStringLiteral("op"), QStringLiteral("adjust")}};
        for (std::size_t i = 0; i < positions.size(); ++i)
            step[QLatin1String(kColourFieldNames[i])] = positions[i];
        return addStep(step);
    }

    bool addFilter(int operation) {
        const imaging::FilterMenuName name = imaging::filterMenuNameOf(operation);
        if (!name.text)
            return fail(QStringLiteral("filter %1 is on neither filter menu").arg(operation));
        pending_.reset();
        return addStep({{QStringLiteral("op"), QStringLiteral("filter")},
                        {QStringLiteral("menu"), name.menu == imaging::FilterMenu::Linear
                                                     ? QStringLiteral("linear")
                                                     : QStringLiteral("non-linear")},
                        {QStringLiteral("name"), QLatin1String(name.text)}});
    }

    bool addCrop(const workspace::CanvasCut& cut, const Canvas& canvas) {
        pending_.reset();
        return addInSomeView(canvas, QStringLiteral("the crop cannot be stated in a recipe"),
                             [&](const Canvas& view) -> std::optional<QJsonObject> {
                                 const std::optional<QJsonArray> rect = cropRect(cut, view);
                                 if (!rect)
                                     return std::nullopt;
                                 return QJsonObject{{QStringLiteral("op"), QStringLiteral("crop")},
                                                    {QStringLiteral("rect"), *rect}};
                             });
    }

    // Set Current Image as Background, in the crop tool when it cut the photo too.
    bool addImageBackground(const std::optional<workspace::CanvasCut>& cut, const Canvas& canvas) {
        pending_.reset();
        const QJsonObject step{{QStringLiteral("op"), QStringLiteral("image-background")}};
        if (!cut)
            return addStep(step);
        return addInSomeView(canvas,
                             QStringLiteral("the crop of the image set as the background cannot be stated "
                                            "in a recipe"),
                             [&](const Canvas& view) -> std::optional<QJsonObject> {
                                 const std::optional<QJsonArray> rect = cropRect(*cut, view);
                                 if (!rect)
                                     return std::nullopt;
                                 QJsonObject cutting = step;
                                 cutting[QLatin1String("rect")] = *rect;
                                 return cutting;
                             });
    }

    // The crop rectangle whose corners, carried through the view as the crop step carries them, cut the
    // photo exactly as the editor did; none when the view skips what it needs.
    static std::optional<QJsonArray> cropRect(const workspace::CanvasCut& cut, const Canvas& canvas) {
        const auto cutOf = [&](int left, int top, int right, int bottom) {
            const Rect crop{canvas.x().window(left), canvas.y().window(top), canvas.x().window(right),
                            canvas.y().window(bottom)};
            return workspace::canvasCutOf(canvas.size.width(), canvas.size.height(), canvas.view, crop);
        };
        const int width = canvas.size.width();
        const int height = canvas.size.height();
        const auto search = [](int start, int end, auto&& fits) -> std::optional<int> {
            for (int value = std::max(0, start); value <= end; ++value)
                if (fits(value))
                    return value;
            return std::nullopt;
        };
        const auto left = search(cut.column - 4, cut.column + 4,
                                 [&](int v) { return cutOf(v, 0, width, height).column == cut.column; });
        const auto top = search(cut.row - 4, cut.row + 4,
                                [&](int v) { return cutOf(0, v, width, height).row == cut.row; });
        if (!left || !top)
            return std::nullopt;
        const auto right = search(*left + cut.width - 4, std::min(width, *left + cut.width + 8),
                                  [&](int v) { return cutOf(*left, *top, v, height).width == cut.width; });
        const auto bottom = search(*top + cut.height - 4, std::min(height, *top + cut.height + 8),
                                   [&](int v) { return cutOf(*left, *top, width, v).height == cut.height; });
        if (!right || !bottom)
            return std::nullopt;
        return QJsonArray{*left, *top, *right, *bottom};
    }

    bool addStep(const QJsonObject& step) {
        if (steps_.size() >= kMaxSteps)
            return fail(QStringLiteral("the edits take more than %1 steps, the most a recipe may have")
                            .arg(kMaxSteps));
        // In fractions of the photo as it is at this step, so that the recipe fits photos of any shape.
        const StepKind* kind = findStepKind(step.value(QLatin1String("op")).toString());
        steps_.append(stepInFractions(*kind, step, photo_));
        return true;
    }

    const workspace::WorkspaceDocument& document_;
    QSize client_;
    QSize photo_; // the photo's size where the steps being written are carried out
    QJsonArray steps_;
    QString problem_;
    std::optional<ObjectKind> pending_; // the kind of the objects placed and not yet turned into pixels
    // The background sheet the steps so far leave: one colour, or none for the picture an image-background
    // step made. A recipe's photo starts on white.
    std::optional<std::uint32_t> sheet_ = 0xFFFFFF;
};

} // namespace

WrittenRecipe writeRecipe(const workspace::WorkspaceDocument& document) {
    if (document.canvasWidth() <= 0 || document.canvasHeight() <= 0)
        return {{}, QStringLiteral("no photo is open")};
    const QSize client = document.clientSize();
    if (client.width() < 100 || client.height() < 100 || client.width() > 4096 || client.height() > 4096)
        return {{}, QStringLiteral("the window's workspace is of a size no recipe can name")};
    Writer writer(document);
    for (const workspace::ImageOperation& operation : document.history().operations())
        if (!writer.addOperation(operation))
            return {{}, writer.problem()};
    if (!writer.addCurrentObjects(document.objects(), QSize(document.canvasWidth(), document.canvasHeight())))
        return {{}, writer.problem()};
    const QJsonObject recipe{
        {QStringLiteral("recipe"), kRecipeVersion},
        {QStringLiteral("view"), pair(client.width(), client.height())},
        {QStringLiteral("units"), QStringLiteral("fraction")},
        {QStringLiteral("export"), QJsonObject{{QStringLiteral("extent"), QStringLiteral("photo")}}},
        {QStringLiteral("steps"), writer.steps()}};
    // A recipe that could not be read back is not written.
    QByteArray json = recipeText(recipe);
    if (json.size() > kMaxRecipeBytes)
        return {{},
                QStringLiteral("the edits make a recipe of more than %1 bytes, the most a recipe file may "
                               "hold")
                    .arg(kMaxRecipeBytes)};
    return {json, {}};
}

QString saveRecipe(const workspace::WorkspaceDocument& document, const QString& path) {
    const WrittenRecipe written = writeRecipe(document);
    if (written.json.isEmpty())
        return written.problem;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(written.json) != written.json.size() || !file.commit())
        return QStringLiteral("%1 could not be written: %2").arg(path, file.errorString());
    return {};
}

} // namespace recipe

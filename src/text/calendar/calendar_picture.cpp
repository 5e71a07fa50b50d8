#include "text/calendar/calendar_picture.h"

#include "text/fonts/font_resolver.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace text {

namespace {

constexpr int kTitleAndDayHeight = 24;
constexpr int kLabelHeight = 16;
constexpr int kFaceWeight = 700;
// Text sits this far from a cell's right edge, and two pixels below its top.
constexpr int kRightInset = 10;
constexpr int kTopInset = 2;
// The weekday labels take their cell's right edge this much further right.
constexpr int kLabelShift = 5;

constexpr int kWhiteSum = 3 * 255;
constexpr int kLightSum = 3 * 220;
constexpr int kDarkSum = 3 * 10;

// Arial Black's cell (ascent + descent) is 1.41 em. A stand-in face gets the em Arial Black would have
// at the cell height asked for, not its own: the broader stand-ins would otherwise crowd the labels into
// one another and the title into the buttons.
constexpr double kArialBlackCellPerEm = 2888.0 / 2048.0;

QFont calendarFont(int cellHeight) {
    const ResolvedFace face = resolveFace(QStringLiteral("Arial Black"));
    QFont font;
    font.setFamilies(QStringList{face.family});
    font.setWeight(static_cast<QFont::Weight>(std::max(kFaceWeight, face.minimumWeight)));
    font.setPixelSize(static_cast<int>(std::lround(cellHeight / kArialBlackCellPerEm)));
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// One engraved text with its top-left corner at (x, y): dark there, light a pixel down and right.
void engrave(QPainter& painter, const QFontMetricsF& metrics, qreal x, qreal y, const QString& text) {
    const qreal baseline = y + metrics.ascent();
    painter.setPen(QColor::fromRgb(kEngraveDark));
    painter.drawText(QPointF(x, baseline), text);
    painter.setPen(QColor::fromRgb(kEngraveLight));
    painter.drawText(QPointF(x + 1, baseline + 1), text);
}

} // namespace

void drawMonthCalendar(QImage& target, CalendarMonth shown, double scale) {
    if (target.isNull() || !(scale > 0))
        return;
    const int width = static_cast<int>(std::lround(target.width() / scale));
    const CalendarLayout layout = layoutCalendar(width, static_cast<int>(std::lround(target.height() / scale)));
    QPainter painter(&target);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.fillRect(target.rect(), Qt::white);
    if (scale != 1)
        painter.scale(scale, scale);

    const QFont large = calendarFont(kTitleAndDayHeight);
    const QFont small = calendarFont(kLabelHeight);
    const QFontMetricsF largeMetrics(large, &target);
    const QFontMetricsF smallMetrics(small, &target);

    painter.setFont(large);
    const QString title = calendarTitle(shown);
    const CalendarCell& band = layout.title;
    const int titleX =
        band.left + (band.right - band.left - static_cast<int>(largeMetrics.horizontalAdvance(title))) / 2;
    engrave(painter, largeMetrics, titleX, band.top + kTopInset, title);

    painter.setFont(small);
    for (int i = 0; i < kCalendarColumns; ++i) {
        const CalendarCell& cell = layout.headerCells[static_cast<std::size_t>(i)];
        const QString label = weekdayLabel(i + 1);
        const qreal x = cell.right + kLabelShift - smallMetrics.horizontalAdvance(label) - kRightInset;
        engrave(painter, smallMetrics, static_cast<int>(x), cell.top + kTopInset, label);
    }

    painter.setFont(large);
    for (int k = 0; k < kCalendarCells; ++k) {
        const int day = cellDay(shown, k);
        if (day == 0)
            continue;
        const CalendarCell& cell = layout.dayCells[static_cast<std::size_t>(k)];
        const QString text = QString::number(day);
        const qreal x = cell.right - largeMetrics.horizontalAdvance(text) - kRightInset;
        engrave(painter, largeMetrics, static_cast<int>(x), cell.top + kTopInset, text);
    }
}

std::uint8_t calendarAlpha(int red, int green, int blue) {
    switch (red + green + blue) {
    case kLightSum:
    case kDarkSum:
        return 255;
    case kWhiteSum:
        return 0;
    default:
        return 128;
    }
}

bool exportCalendarPicture(const QImage& backBuffer, int width, int height, std::span<std::uint8_t> out) {
    if (width <= 0 || height <= 0 ||
        out.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)
        return false;
    const QImage source = backBuffer.convertToFormat(QImage::Format_RGB32);
    std::uint8_t* pixel = out.data();
    for (int i = 0; i < height; ++i) {
        const QRgb* row =
            i < source.height() ? reinterpret_cast<const QRgb*>(source.constScanLine(i)) : nullptr;
        for (int j = 0; j < width; ++j, pixel += 4) {
            const QRgb colour = row && j < source.width() ? row[j] : 0xFFFFFFFF;
            pixel[0] = static_cast<std::uint8_t>(qBlue(colour));
            pixel[1] = static_cast<std::uint8_t>(qGreen(colour));
            pixel[2] = static_cast<std::uint8_t>(qRed(colour));
            pixel[3] = calendarAlpha(qRed(colour), qGreen(colour), qBlue(colour));
        }
    }
    return true;
}

std::vector<std::uint8_t> calendarPictureOf(CalendarMonth shown) {
    QImage backBuffer(calendarWidthFor(kCalendarPictureSide), kCalendarPictureSide, QImage::Format_RGB32);
    if (backBuffer.isNull())
        return {};
    drawMonthCalendar(backBuffer, shown);
    std::vector<std::uint8_t> picture(std::size_t{kCalendarPictureSide} * kCalendarPictureSide * 4);
    exportCalendarPicture(backBuffer, kCalendarPictureSide, kCalendarPictureSide, picture);
    return picture;
}

QImage scaledCalendarPicture(CalendarMonth shown, double scale) {
    if (!(scale > 0) || kCalendarPictureSide * scale > 1 << 15)
        return {};
    const int side = std::max(1, static_cast<int>(std::lround(kCalendarPictureSide * scale)));
    // The back buffer reaches just past the scaled calendar, so its right column is drawn in full.
    QImage backBuffer(static_cast<int>(std::ceil(calendarWidthFor(kCalendarPictureSide) * scale)), side,
                      QImage::Format_RGB32);
    QImage picture(side, side, QImage::Format_ARGB32);
    if (backBuffer.isNull() || picture.isNull())
        return {};
    drawMonthCalendar(backBuffer, shown, double(side) / kCalendarPictureSide);
    // 32-bit rows are width × 4 bytes long: the picture's bytes are the exported layout.
    exportCalendarPicture(backBuffer, side, side,
                          std::span(picture.bits(), static_cast<std::size_t>(picture.sizeInBytes())));
    return picture;
}

} // namespace text

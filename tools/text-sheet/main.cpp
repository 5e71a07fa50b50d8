// Writes a PNG sample sheet of every text style (and the fallback style) in three faces and three sizes,
// once on white and once on a photo-like background, for looking the styles over.
//   text-sheet <output.png>

#include "text/styled_text_renderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <array>
#include <cstdio>

namespace {

struct Sample {
    int style;
    text::RgbColour first;
    text::RgbColour second;
};

// The text panel's sample colours of each style; the fallback ignores its colours.
constexpr std::array<Sample, 9> kSamples{{
    {0, text::rgb(0, 255, 0), text::rgb(0, 156, 0)},
    {1, text::rgb(128, 65, 191), text::rgb(255, 255, 255)},
    {2, text::rgb(198, 25, 0), text::rgb(255, 255, 255)},
    {3, text::rgb(0, 25, 198), text::rgb(255, 255, 255)},
    {4, text::rgb(198, 25, 0), text::rgb(255, 255, 0)},
    {5, text::rgb(88, 66, 214), text::rgb(255, 255, 255)},
    {6, text::rgb(255, 255, 255), text::rgb(255, 80, 255)},
    {7, text::rgb(0, 25, 198), text::rgb(198, 25, 0)},
    {8, text::rgb(0, 0, 0), text::rgb(0, 0, 0)},
}};

constexpr std::array<const char*, 3> kFaces{"Arial", "Times New Roman", "Arial Black"};
constexpr std::array<int, 3> kHeights{24, 40, 72};
const QString kWord = QStringLiteral("Équipe Jolly");

constexpr int kMargin = 16;
constexpr int kLabelWidth = 70;
constexpr int kGap = 14;

// A sunset landscape with grain, standing in for a photo.
void paintPhotoLike(QPainter& painter, const QRect& area) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(40, 70, 140));
    sky.setColorAt(0.55, QColor(235, 150, 90));
    sky.setColorAt(1, QColor(250, 210, 150));
    painter.fillRect(area, sky);
    QRadialGradient sun(area.left() + area.width() * 0.7, area.top() + area.height() * 0.5,
                        area.height() * 0.35);
    sun.setColorAt(0, QColor(255, 250, 220, 255));
    sun.setColorAt(0.2, QColor(255, 230, 160, 200));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    painter.fillRect(area, sun);
    QRandomGenerator random(7);
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath hills;
        const qreal base = area.top() + area.height() * (0.6 + 0.13 * layer);
        hills.moveTo(area.left(), area.bottom());
        for (int x = area.left(); x <= area.right() + 40; x += 40)
            hills.lineTo(x, base - 40 * random.generateDouble() - 20 * (layer % 2));
        hills.lineTo(area.right(), area.bottom());
        hills.closeSubpath();
        QLinearGradient ground(0, base - 60, 0, area.bottom());
        ground.setColorAt(0, QColor::fromHsv(100 + 20 * layer, 140, 150 - 40 * layer));
        ground.setColorAt(1, QColor::fromHsv(90 + 20 * layer, 180, 60 - 15 * layer));
        painter.fillPath(hills, ground);
    }
    for (int i = 0; i < area.width() * area.height() / 6; ++i) {
        const int shade = random.bounded(2) ? 255 : 0;
        painter.setPen(QColor(shade, shade, shade, 18));
        painter.drawPoint(area.left() + random.bounded(area.width()),
                          area.top() + random.bounded(area.height()));
    }
}

struct Layout {
    std::array<int, kFaces.size() * kHeights.size()> columnX{};
    std::array<int, kSamples.size()> rowY{};
    QSize panel;
};

Layout layOut() {
    Layout layout;
    int x = kMargin + kLabelWidth;
    for (std::size_t f = 0; f < kFaces.size(); ++f)
        for (std::size_t h = 0; h < kHeights.size(); ++h) {
            layout.columnX[f * kHeights.size() + h] = x;
            const text::LogFont font = text::makeLogFont(QString::fromLatin1(kFaces[f]), kHeights[h]);
            x += text::MeasureStyledText(font, kWord).width() + kGap;
        }
    int y = kMargin + 24;
    int rowHeight = 0;
    for (const char* face : kFaces)
        rowHeight = std::max(
            rowHeight,
            text::MeasureStyledText(text::makeLogFont(QString::fromLatin1(face), kHeights.back()), kWord)
                .height());
    for (std::size_t s = 0; s < kSamples.size(); ++s) {
        layout.rowY[s] = y;
        y += rowHeight + kGap;
    }
    layout.panel = QSize(x + kMargin, y + kMargin);
    return layout;
}

void paintPanel(QPainter& painter, const Layout& layout, QPoint offset, const QColor& ink) {
    painter.save();
    painter.translate(offset);
    QFont label(QStringLiteral("DejaVu Sans"));
    label.setPixelSize(13);
    painter.setFont(label);
    painter.setPen(ink);
    for (std::size_t f = 0; f < kFaces.size(); ++f)
        painter.drawText(layout.columnX[f * kHeights.size()], kMargin + 12,
                         QStringLiteral("%1  (%2, %3, %4 px)")
                             .arg(QString::fromLatin1(kFaces[f]))
                             .arg(kHeights[0])
                             .arg(kHeights[1])
                             .arg(kHeights[2]));
    for (std::size_t s = 0; s < kSamples.size(); ++s) {
        const Sample& sample = kSamples[s];
        painter.setFont(label);
        painter.setPen(ink);
        painter.drawText(kMargin, layout.rowY[s] + 20,
                         sample.style < 8 ? QStringLiteral("Style %1").arg(sample.style)
                                          : QStringLiteral("Fallback"));
        for (std::size_t f = 0; f < kFaces.size(); ++f)
            for (std::size_t h = 0; h < kHeights.size(); ++h) {
                const text::LogFont font = text::makeLogFont(QString::fromLatin1(kFaces[f]), kHeights[h]);
                const QPoint at(layout.columnX[f * kHeights.size() + h], layout.rowY[s]);
                text::DrawTextInRect(painter, sample.style, kWord, font, QRect(at, QSize(1, 1)), sample.first,
                                     sample.second, 255);
            }
    }
    painter.restore();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: text-sheet <output.png>\n");
        return 2;
    }
    const Layout layout = layOut();
    QImage sheet(layout.panel.width(), layout.panel.height() * 2, QImage::Format_RGB32);
    QPainter painter(&sheet);
    painter.fillRect(QRect(QPoint(0, 0), layout.panel), Qt::white);
    const QRect photo(QPoint(0, layout.panel.height()), layout.panel);
    paintPhotoLike(painter, photo);
    paintPanel(painter, layout, QPoint(0, 0), Qt::black);
    paintPanel(painter, layout, photo.topLeft(), Qt::white);
    painter.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "text-sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

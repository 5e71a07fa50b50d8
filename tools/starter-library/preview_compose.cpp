#include "preview_compose.h"

#include "imaging/fit_size.h"

#include <QPainter>
#include <cmath>

namespace starter {

void composeFramed(QImage& view, const QImage& photo, const QImage& frame, const QRect& hole,
                   const QColor& background) {
    const int vw = view.width();
    const int vh = view.height();
    const int cw = photo.width();
    const int ch = photo.height();
    QPainter painter(&view);
    painter.fillRect(view.rect(), background);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const imaging::FittedSize fitted = imaging::FitSize(vw, vh, frame.width(), frame.height(), true);
    const int fw = static_cast<int>(fitted.width * 0.6);
    const int fh = static_cast<int>(fitted.height * 0.6);
    const float left = static_cast<float>(hole.left()) / static_cast<float>(frame.width());
    const float right = static_cast<float>(hole.right() + 1) / static_cast<float>(frame.width());
    const float top = static_cast<float>(hole.top()) / static_cast<float>(frame.height());
    const float bottom = static_cast<float>(hole.bottom() + 1) / static_cast<float>(frame.height());
    // The photo covers the hole's exact size on screen and one pixel more all round, which the frame's
    // opaque edge hides. Truncating the hole to whole pixels leaves a line of background at its edge
    // even at 1:1 (960 × (856/960 - 104/960) in single precision is 751.99997), and a photo exactly as
    // large as the hole still lets the background through the frame's smoothed edge pixels.
    const double hw = fw * (static_cast<double>(right) - left) + 2;
    const double hh = fh * (static_cast<double>(bottom) - top) + 2;
    if (hw <= 2 || hh <= 2)
        return;
    const double aspect = hw / hh;
    const double photoAspect = static_cast<double>(cw) / ch;
    QRect crop;
    if (aspect >= photoAspect) {
        const int cropHeight = static_cast<int>(ch * photoAspect / aspect);
        crop = QRect(0, (ch - cropHeight) / 2, cw, cropHeight);
    } else {
        const int cropWidth = static_cast<int>(cw * aspect / photoAspect);
        crop = QRect((cw - cropWidth) / 2, 0, cropWidth, ch);
    }
    const double cx = vw / 2.0;
    const double cy = vh / 2.0;
    QTransform photoPlace;
    photoPlace.translate(cx, cy);
    photoPlace.scale(hw / crop.width(), hh / crop.height());
    photoPlace.translate(-crop.width() / 2.0, -crop.height() / 2.0);
    painter.setTransform(photoPlace);
    painter.drawImage(QPoint(0, 0), photo.copy(crop));
    QTransform framePlace;
    framePlace.translate(cx, cy);
    framePlace.scale(static_cast<double>(fw) / frame.width(), static_cast<double>(fh) / frame.height());
    framePlace.translate(-frame.width() / 2.0, -frame.height() / 2.0);
    painter.setTransform(framePlace);
    painter.drawImage(QPoint(0, 0), frame);
}

QImage composeMasked(const QImage& photo, const QImage& mask, const QColor& background) {
    const int cw = photo.width();
    const int ch = photo.height();
    const QImage source = mask.convertToFormat(QImage::Format_ARGB32);
    const QImage picture = photo.convertToFormat(QImage::Format_RGB32);
    QImage out(cw, ch, QImage::Format_RGB32);
    out.fill(background);
    const double s = cw / 1024.0;
    const int sw = static_cast<int>(source.width() * s + 0.5);
    const int sh = static_cast<int>(source.height() * s + 0.5);
    const int left = cw / 2 - sw / 2;
    const int top = ch / 2 - sh / 2;
    for (int y = std::max(0, top); y < std::min(ch, top + sh); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* photoRow = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const int my = static_cast<int>((y - top) / s + 0.5);
        if (my >= source.height())
            continue;
        const auto* maskRow = reinterpret_cast<const QRgb*>(source.constScanLine(my));
        for (int x = std::max(0, left); x < std::min(cw, left + sw); ++x) {
            const int mx = static_cast<int>((x - left) / s + 0.5);
            if (mx >= source.width())
                continue;
            double a = qBlue(maskRow[mx]) / 255.0;
            if (a > 0.9)
                a = 1;
            auto blend = [&](int b, int p) { return static_cast<int>(a * b + (1 - a) * p); };
            row[x] = qRgb(blend(qRed(row[x]), qRed(photoRow[x])), blend(qGreen(row[x]), qGreen(photoRow[x])),
                          blend(qBlue(row[x]), qBlue(photoRow[x])));
        }
    }
    return out;
}

void stampTip(QImage& canvas, const QImage& tip, QPoint centre, int size, const QColor& colour, int opacity) {
    const double f = static_cast<double>(size) / tip.width();
    const int tw = static_cast<int>(tip.width() * f + 0.5);
    const int th = static_cast<int>(tip.height() * f + 0.5);
    const float weight = opacity * 0.003921569f;
    for (int y = 0; y < th; ++y) {
        const int cy = centre.y() - th / 2 + y;
        const int sy = static_cast<int>(y / f + 0.5);
        if (cy < 0 || cy >= canvas.height() || sy >= tip.height())
            continue;
        auto* row = reinterpret_cast<QRgb*>(canvas.scanLine(cy));
        const auto* tipRow = reinterpret_cast<const QRgb*>(tip.constScanLine(sy));
        for (int x = 0; x < tw; ++x) {
            const int cx = centre.x() - tw / 2 + x;
            const int sx = static_cast<int>(x / f + 0.5);
            if (cx < 0 || cx >= canvas.width() || sx >= tip.width())
                continue;
            const float w = qAlpha(tipRow[sx]) * 0.003921569f * weight;
            auto tint = [&](int c, int current) { return static_cast<int>(w * c + (1 - w) * current); };
            row[cx] = qRgb(tint(colour.red(), qRed(row[cx])), tint(colour.green(), qGreen(row[cx])),
                           tint(colour.blue(), qBlue(row[cx])));
        }
    }
}

} // namespace starter

// icon-render: draws the product icon's PNG sizes from its SVG drawings, into an icon theme's layout.
//   icon-render OUT_FOLDER NAME SIZE=DRAWING.svg...
// writes OUT_FOLDER/SIZExSIZE/apps/NAME.png for each size, from the drawing named for it.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

constexpr int kLargestSize = 1024;

bool render(const QString& drawing, int size, const QString& path) {
    QSvgRenderer renderer(drawing);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "icon-render: %s is not an SVG drawing it can read\n", qPrintable(drawing));
        return false;
    }
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    {
        QPainter painter(&icon);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    if (!QDir().mkpath(QFileInfo(path).path()) ||
        !icon.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        std::fprintf(stderr, "icon-render: %s could not be written\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: icon-render OUT_FOLDER NAME SIZE=DRAWING.svg...\n");
        return 2;
    }
    const QString& folder = arguments[0];
    const QString& name = arguments[1];
    for (const QString& request : arguments.mid(2)) {
        const qsizetype equals = request.indexOf(QLatin1Char('='));
        bool sized = false;
        const int size = equals > 0 ? request.left(equals).toInt(&sized) : 0;
        if (!sized || size < 1 || size > kLargestSize) {
            std::fprintf(stderr, "icon-render: \"%s\" is not SIZE=DRAWING.svg with a size of 1 to %d\n",
                         qPrintable(request), kLargestSize);
            return 2;
        }
        const QString path = QStringLiteral("%1/%2x%2/apps/%3.png").arg(folder).arg(size).arg(name);
        if (!render(request.mid(equals + 1), size, path))
            return 1;
    }
    return 0;
}

#include "gallery_board.h"

#include "controls/dez_list_box.h"
#include "controls/dez_menu.h"
#include "controls/dial_ctrl.h"
#include "controls/numbered_images.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_palette.h"
#include "controls/skin_scroll_bar.h"
#include "controls/skin_slider.h"
#include "controls/buttons/tab_button.h"
#include "controls/buttons/toggle_button.h"
#include "controls/zor_combo_box.h"

#include <QPainter>
#include <QWidget>
#include <functional>
#include <vector>

namespace gallery {

namespace {

using namespace controls;

constexpr int kBoardWidth = 1100;
constexpr int kBoardHeight = 900;

enum class Look { Normal, Hover, Pressed, Disabled };

const char* lookName(Look look) {
    switch (look) {
    case Look::Normal:
        return "normal";
    case Look::Hover:
        return "hover";
    case Look::Pressed:
        return "pressed";
    case Look::Disabled:
        return "disabled";
    }
    return "";
}

void applyLook(QWidget* widget, Look look) {
    widget->setAttribute(Qt::WA_UnderMouse, look == Look::Hover || look == Look::Pressed);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setDown(look == Look::Pressed);
    widget->setEnabled(look != Look::Disabled);
}

// A caption under (or beside) each sample.
struct Label {
    QRect box;
    QString text;
    bool heading = false;
};

class Board : public QWidget {
public:
    Board() {
        resize(kBoardWidth, kBoardHeight);
        QPalette shade = palette();
        shade.setColor(QPalette::Window, skin::kWindowFace);
        setPalette(shade);
    }
    std::vector<Label> labels;
    std::vector<std::pair<QPoint, int>> images;
    std::vector<std::pair<QRect, int>> stretched;
    std::vector<QRect> panels;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), skin::kWindowFace);
        for (const auto& panel : panels) {
            p.setPen(skin::kBorderLight);
            p.setBrush(Qt::white);
            p.drawRect(panel.adjusted(0, 0, -1, -1));
        }
        for (const auto& [target, id] : stretched)
            paintNumberedImage(p, id, target);
        for (const auto& [at, id] : images)
            paintNumberedImage(p, id, QRectF(at, numberedImageSize(id)));
        QFont small = font();
        small.setPixelSize(10);
        p.setFont(small);
        p.setPen(QColor(90, 96, 108));
        for (const auto& label : labels) {
            QFont face = small;
            face.setBold(label.heading);
            face.setPixelSize(label.heading ? 12 : 10);
            p.setFont(face);
            p.setPen(label.heading ? QColor(44, 50, 62) : QColor(90, 96, 108));
            p.drawText(label.box, (label.heading ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignTop,
                       label.text);
        }
    }
};

void heading(Board& board, int x, int y, const QString& text) {
    board.labels.push_back({QRect(x, y, 400, 16), text, true});
}

// The main window's frame in miniature: title strip, edges, caption buttons, tabs and panels.
void miniWindow(Board& board, const QRect& frame) {
    const int W = frame.width();
    const int H = frame.height();
    const QPoint o = frame.topLeft();
    board.stretched.push_back({QRect(o + QPoint(0, 25), QSize(20, H - 25)), image::LeftEdge});
    board.stretched.push_back({QRect(o + QPoint(W - 20, 25), QSize(20, H - 25)), image::RightEdge});
    board.stretched.push_back({QRect(o + QPoint(0, H - 14), QSize(W, 14)), image::BottomEdge});
    board.stretched.push_back({QRect(o, QSize(W, 30)), image::TopEdge});
    board.panels.push_back(QRect(o + QPoint(20, 102), QSize(150, H - 122)));
    board.panels.push_back(QRect(o + QPoint(175, 86), QSize(W - 195, H - 106)));

    const std::vector<std::array<int, 4>> captions = {
        {image::MinimiseButton, image::MinimiseHover, image::MinimisePressed, image::MinimiseButton},
        {image::MaximiseButton, image::MaximiseHover, image::MaximisePressed, image::MaximiseButton},
        {image::CloseButton, image::CloseHover, image::ClosePressed, image::CloseButton},
    };
    for (int i = 0; i < 3; ++i) {
        auto* button = new CSkinButton(0, QString(), &board);
        const auto& ids = captions[static_cast<std::size_t>(i)];
        button->setImages(ids[0], ids[1], ids[2], ids[3]);
        button->setGeometry(QRect(o + QPoint(W - 92 + 26 * i, 7), QSize(26, 17)));
        applyLook(button, i == 2 ? Look::Hover : Look::Normal);
    }
    const QStringList menus = {"&File", "&Panel", "&Mode", "&Edit", "&Tool", "&Help"};
    const int menuWidths[] = {40, 70, 40, 40, 40, 40};
    int x = 20;
    for (int i = 0; i < menus.size(); ++i) {
        auto* button = new CSkinButton(0, menus[i], &board);
        button->setLook(CSkinButton::Look::Flat);
        button->setGeometry(QRect(o + QPoint(x, 30), QSize(menuWidths[i], 20)));
        applyLook(button, i == 1 ? Look::Hover : Look::Normal);
        x += menuWidths[i];
    }
    auto* import = new CSkinButton(0, QStringLiteral("  Import"), &board);
    import->setTextColour(QColor(30, 35, 140));
    import->setGeometry(QRect(o + QPoint(18, 65), QSize(76, 30)));
    auto* remove = new CSkinButton(0, QStringLiteral("  Remove"), &board);
    remove->setTextColour(QColor(30, 35, 140));
    remove->setGeometry(QRect(o + QPoint(96, 65), QSize(76, 30)));
    const QStringList tabs = {"Frame", "Mask", "Clipart", "Decoration", "Crop"};
    const int tabWidth = (W - 195) / tabs.size();
    for (int i = 0; i < tabs.size(); ++i) {
        auto* tab = new CTabButton(0, tabs[i], &board);
        tab->setActive(i == 0);
        tab->setGeometry(QRect(o + QPoint(175 + tabWidth * i, 60), QSize(tabWidth, 26)));
        applyLook(tab, i == 2 ? Look::Hover : Look::Normal);
    }
}

class TitleLabel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(Qt::black);
        p.drawText(rect().translated(1, 0), Qt::AlignLeft | Qt::AlignVCenter, "Quorix Pictovance Dazazizu");
        p.setPen(QColor(235, 245, 245));
        p.drawText(rect().translated(0, 1), Qt::AlignLeft | Qt::AlignVCenter, "Quorix Pictovance Dazazizu");
    }
};

template <typename Make>
void statesRow(Board& board, int x, int y, int step, const QSize& size, const std::vector<Look>& looks,
               Make make) {
    for (std::size_t i = 0; i < looks.size(); ++i) {
        QWidget* widget = make();
        widget->setGeometry(QRect(QPoint(x + step * static_cast<int>(i), y), size));
        applyLook(widget, looks[i]);
        board.labels.push_back(
            {QRect(x + step * static_cast<int>(i), y + size.height() + 3, size.width(), 14),
             lookName(looks[i])});
    }
}

void imagesSection(Board& board, int top) {
    heading(board, 10, top, "Numbered images (natural size)");
    int x = 10;
    int y = top + 20;
    int rowHeight = 0;
    for (const int id : numberedImageIds()) {
        if (id == image::LeftEdge || id == image::RightEdge || id == image::TopEdge ||
            id == image::BottomEdge)
            continue;
        const QSize size = numberedImageSize(id);
        if (x + size.width() > kBoardWidth - 10) {
            x = 10;
            y += rowHeight + 22;
            rowHeight = 0;
        }
        // The caption buttons belong on the title strip.
        const bool caption = id == image::CloseButton ||
                             (id >= image::MaximiseButton && id <= image::MinimiseButton) ||
                             (id >= image::CloseHover && id <= image::MinimisePressed);
        const int strip = caption ? 7 : 0;
        if (caption)
            board.stretched.push_back(
                {QRect(x - strip, y - strip, size.width() + 2 * strip, size.height() + 2 * strip),
                 image::TopEdge});
        board.images.push_back({QPoint(x, y), id});
        board.labels.push_back(
            {QRect(x - 10, y + size.height() + strip + 3, size.width() + 20, 14), QString::number(id)});
        x += std::max(size.width(), 30) + 16;
        rowHeight = std::max(rowHeight, size.height());
    }
    // The cell frame as the photo list uses it: stretched around a thumbnail, with the missing-file mark.
    const QRect thumb(x + 10, y + 8, 66, 50);
    board.stretched.push_back({thumb.adjusted(-1, -1, 2, 2), image::CellFrame});
    board.stretched.push_back({QRect(thumb.center() - QPoint(15, 15), QSize(32, 32)), image::MissingFile});
    board.labels.push_back({QRect(thumb.left() - 10, thumb.bottom() + 6, 86, 14), "189 + 190 in use"});
}

} // namespace

QImage renderBoard(qreal devicePixelRatio) {
    Board board;
    board.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));

    miniWindow(board, QRect(10, 10, 640, 230));
    auto* title = new TitleLabel(&board);
    title->setGeometry(26, 17, 300, 16);

    imagesSection(board, 250);

    const int controlsTop = 520;
    heading(board, 10, controlsTop, "Push buttons");
    const std::vector<Look> all = {Look::Normal, Look::Hover, Look::Pressed, Look::Disabled};
    statesRow(board, 10, controlsTop + 20, 84, QSize(75, 22), all,
              [&board] { return new CSkinButton(0, QStringLiteral("Undo"), &board); });
    heading(board, 10, controlsTop + 66, "Brush toggle");
    statesRow(board, 10, controlsTop + 86, 84, QSize(74, 44), {Look::Normal, Look::Hover, Look::Pressed},
              [&board] { return new CToggleButton(0, &board); });
    auto* off = new CToggleButton(0, &board);
    off->setOn(false);
    off->setGeometry(262, controlsTop + 86, 74, 44);
    board.labels.push_back({QRect(262, controlsTop + 133, 74, 14), "off"});

    heading(board, 10, controlsTop + 156, "Dials");
    const int dialTop = controlsTop + 176;
    auto* rotation = new CDialCtrl(0, &board);
    rotation->setGeometry(10, dialTop, 85, 70);
    rotation->setValue(45);
    rotation->setReadout("45");
    auto* scale = new CDialCtrl(1, &board);
    scale->setGeometry(105, dialTop, 85, 70);
    scale->setValue(-90);
    scale->setReadout("50%");
    scale->setActive(false);
    auto* brushA = new CDialCtrl(2, &board);
    brushA->setGeometry(200, dialTop, 42, 53);
    brushA->setValue(-120);
    brushA->setReadout("-120");
    auto* brushB = new CDialCtrl(3, &board);
    brushB->setGeometry(250, dialTop, 42, 53);
    brushB->setValue(150);
    brushB->setReadout("232");
    applyLook(brushB, Look::Hover);
    board.labels.push_back({QRect(10, dialTop + 73, 180, 14), "active 45 / inactive"});
    board.labels.push_back({QRect(190, dialTop + 73, 110, 14), "brush dials"});

    heading(board, 10, controlsTop + 270, "Sliders");
    statesRow(board, 10, controlsTop + 292, 130, QSize(110, 13), {Look::Normal, Look::Hover, Look::Disabled},
              [&board] {
                  auto* slider = new CSkinSlider(&board);
                  slider->setRange(16, 256);
                  slider->setPosition(128);
                  return slider;
              });

    // Right column: scroll bars, list box, combo box.
    const int right = 380;
    heading(board, right, controlsTop, "Scroll bar, list box, combo box");
    auto* bar = new CSkinScrollBar(&board);
    bar->setGeometry(right, controlsTop + 20, 17, 150);
    bar->setRange(0, 400);
    bar->setPage(150);
    bar->setPosition(120);
    auto* idle = new CSkinScrollBar(&board);
    idle->setGeometry(right + 24, controlsTop + 20, 17, 150);
    board.labels.push_back({QRect(right - 6, controlsTop + 173, 56, 14), "on / off"});

    auto* list = new CDezListBox(&board);
    list->setGeometry(right + 56, controlsTop + 20, 230, 150);
    for (const char* path :
         {"/home/ann/Pictures/holiday/beach.jpg", "/home/ann/Pictures/holiday/sunset over the bay.png",
          "/home/ann/Pictures/family/grandma-birthday-2023.jpeg", "/home/ann/scans/letter.tif",
          "/home/ann/Pictures/cat.gif", "/home/ann/Pictures/garden.bmp",
          "/home/ann/Pictures/old/portrait.pcx", "/home/ann/Pictures/old/map.tga"})
        list->addString(QString::fromLatin1(path));
    list->setCurSel(1);
    auto* formats = new CDezListBox(&board);
    formats->setGeometry(right + 294, controlsTop + 20, 90, 150);
    for (const char* format : {"JPG", "BMP", "GIF", "PNG", "PNM", "TGA", "TIF", "PCX"})
        formats->addString(QString::fromLatin1(format));
    formats->setCurSel(0);

    auto* combo = new CZorComboBox(&board);
    combo->setGeometry(right + 56, controlsTop + 186, 150, 22);
    for (const char* face : {"DejaVu Serif", "DejaVu Sans", "DejaVu Sans Mono"})
        combo->addString(QString::fromLatin1(face));
    combo->setPreviewFonts(true);
    combo->setCurSel(0);
    auto* hotCombo = new CZorComboBox(&board);
    hotCombo->setGeometry(right + 214, controlsTop + 186, 150, 22);
    hotCombo->addString("Hovered");
    hotCombo->setCurSel(0);
    applyLook(hotCombo, Look::Hover);

    QImage image(board.size() * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(skin::kWindowFace);
    QPainter painter(&image);
    board.render(&painter);

    // The menu is a window of its own: render it beside the board's window sample.
    CDezMenu menu({MenuItemRecord::command(10907, "Simple Photo Mode"),
                   MenuItemRecord::command(10908, "Photo Collage Mode", true), MenuItemRecord::separatorRow(),
                   MenuItemRecord::command(10934, "Undo (Ctrl+Z)"),
                   MenuItemRecord::popup("Add Linear Filter", {MenuItemRecord::command(11994, "Soften")}),
                   MenuItemRecord{11996, "Batch Convert", false, false, true, {}}});
    menu.ensurePolished();
    menu.resize(menu.sizeHint());
    menu.setActiveAction(menu.actions().at(3));
    menu.render(&painter, QPoint(680, 30));
    painter.setPen(QColor(90, 96, 108));
    QFont small = board.font();
    small.setPixelSize(10);
    painter.setFont(small);
    painter.drawText(QRect(680, 12, 300, 14), Qt::AlignLeft,
                     "CDezMenu (checked, separator, submenu, disabled)");
    return image;
}

} // namespace gallery

#include "imaging/widgets/colour_panel.h"

#include "controls/buttons/skin_button.h"
#include "controls/skin_slider.h"
#include "platform/messages.h"

#include <QPainter>

namespace imaging {

namespace {

constexpr int kSliderHeight = 13;
constexpr int kFirstRowOffset = 30;
constexpr int kRowPitch = 20;
constexpr int kColumnIndent = 100;
constexpr int kRightMargin = 20;
constexpr int kLeftLabelWidth = 70;
constexpr int kRightLabelWidth = 50;
// Room right of each slider for its value, "-36.0°" at the widest.
constexpr int kReadoutGap = 4;
constexpr int kReadoutWidth = 44;
constexpr QSize kResetSize(76, 20);

// Contrast, brightness and saturation stand on the left; hue, gamma and colour on the right.
bool leftColumn(std::size_t slider) {
    return slider < 3;
}

} // namespace

ColourPanel::ColourPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (std::size_t i = 0; i < sliders_.size(); ++i) {
        const ColourSliderSetup& setup = kColourSliders[i];
        auto slider = std::make_unique<controls::CSkinSlider>(this);
        slider->setObjectName(QString::number(setup.controlId));
        slider->setRange(setup.minimum, setup.maximum);
        slider->setPosition(setup.defaultPosition);
        slider->setNeutralPosition(setup.defaultPosition);
        slider->setToolTip(QStringLiteral("%1 (double-click: back to %2)")
                               .arg(QString::fromLatin1(setup.label),
                                    colourSliderReadout(static_cast<ColourSlider>(i), setup.defaultPosition)));
        connect(slider.get(), &controls::CSkinSlider::positionChanged, this, [this, i, moved = slider.get()] {
            gesture_ = moved->gesture();
            update(readoutRect(static_cast<ColourSlider>(i)));
            notify();
        });
        sliders_[i] = std::move(slider);
    }
    reset_ = std::make_unique<controls::CSkinButton>(kResetId, QStringLiteral("Reset"), this);
    connect(reset_.get(), &controls::CSkinButton::command, this, [this] { Reset(); });
}

ColourPanel::~ColourPanel() = default;

ColourSliderPositions ColourPanel::positions() const {
    ColourSliderPositions result{};
    for (std::size_t i = 0; i < sliders_.size(); ++i)
        result[i] = sliders_[i]->position();
    return result;
}

void ColourPanel::setPositions(const ColourSliderPositions& positions) {
    for (std::size_t i = 0; i < sliders_.size(); ++i)
        sliders_[i]->setPosition(positions[i]);
    update();
}

void ColourPanel::Reset() {
    setPositions(defaultColourPositions());
    gesture_ = 0;
    notify();
}

controls::CSkinSlider* ColourPanel::slider(ColourSlider which) const {
    return sliders_[static_cast<std::size_t>(which)].get();
}

void ColourPanel::notify() {
    if (QWidget* target = parentWidget())
        platform::postMessage(target, platform::UM_COLOURADJUST);
}

QRect ColourPanel::labelRect(ColourSlider which) const {
    const QRect slider = sliders_[static_cast<std::size_t>(which)]->geometry();
    const int width = leftColumn(static_cast<std::size_t>(which)) ? kLeftLabelWidth : kRightLabelWidth;
    // As tall as a row, centred on the slider, so the caption's descenders fit.
    return QRect(slider.left() - width, slider.center().y() - kRowPitch / 2, width, kRowPitch);
}

QRect ColourPanel::readoutRect(ColourSlider which) const {
    const QRect slider = sliders_[static_cast<std::size_t>(which)]->geometry();
    return QRect(slider.right() + 1 + kReadoutGap, slider.center().y() - kRowPitch / 2, kReadoutWidth,
                 kRowPitch);
}

void ColourPanel::resizeEvent(QResizeEvent*) {
    const QRect client = rect();
    const int middle = client.left() + client.width() / 2;
    for (std::size_t i = 0; i < sliders_.size(); ++i) {
        const int row = static_cast<int>(i % 3);
        const int top = client.top() + kFirstRowOffset + row * kRowPitch;
        const int left = leftColumn(i) ? client.left() + kColumnIndent : middle + kColumnIndent;
        const int right =
            (leftColumn(i) ? middle : client.right() + 1 - kRightMargin) - kReadoutGap - kReadoutWidth;
        sliders_[i]->setGeometry(left, top, std::max(0, right - left), kSliderHeight);
    }
    reset_->setGeometry(QRect(QPoint(client.left(), client.bottom() + 1 - kResetSize.height()), kResetSize));
}

void ColourPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(40, 40, 40));
    for (std::size_t i = 0; i < sliders_.size(); ++i) {
        const auto which = static_cast<ColourSlider>(i);
        painter.drawText(labelRect(which), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1(kColourSliders[i].label));
        painter.drawText(readoutRect(which), Qt::AlignRight | Qt::AlignVCenter,
                         colourSliderReadout(which, sliders_[i]->position()));
    }
}

} // namespace imaging

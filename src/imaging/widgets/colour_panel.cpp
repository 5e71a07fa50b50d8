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
        slider->setToolTip(QString::fromLatin1(setup.label));
        connect(slider.get(), &controls::CSkinSlider::positionChanged, this, [this, moved = slider.get()] {
            gesture_ = moved->gesture();
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

void ColourPanel::resizeEvent(QResizeEvent*) {
    const QRect client = rect();
    const int middle = client.left() + client.width() / 2;
    for (std::size_t i = 0; i < sliders_.size(); ++i) {
        const int row = static_cast<int>(i % 3);
        const int top = client.top() + kFirstRowOffset + row * kRowPitch;
        const int left = leftColumn(i) ? client.left() + kColumnIndent : middle + kColumnIndent;
        const int right = leftColumn(i) ? middle : client.right() + 1 - kRightMargin;
        sliders_[i]->setGeometry(left, top, std::max(0, right - left), kSliderHeight);
    }
    reset_->setGeometry(QRect(QPoint(client.left(), client.bottom() + 1 - kResetSize.height()), kResetSize));
}

void ColourPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(40, 40, 40));
    for (std::size_t i = 0; i < sliders_.size(); ++i)
        painter.drawText(labelRect(static_cast<ColourSlider>(i)), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1(kColourSliders[i].label));
}

} // namespace imaging

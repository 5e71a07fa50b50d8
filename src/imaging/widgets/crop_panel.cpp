#include "imaging/widgets/crop_panel.h"

#include "controls/buttons/skin_button.h"
#include "controls/skin_palette.h"
#include "controls/buttons/skin_radio_button.h"
#include "platform/messages.h"

#include <QPainter>

namespace imaging {

namespace {

constexpr QSize kChoiceSize(120, 20);
constexpr int kFirstColumn = 80;
constexpr QSize kCropButtonSize(76, 20);
constexpr QPoint kCaptionAt(20, 2);

} // namespace

CropPanel::CropPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int i = 0; i < kCropConstraintCount; ++i) {
        const CropConstraint& constraint = kCropConstraints[static_cast<std::size_t>(i)];
        auto choice = std::make_unique<controls::CSkinRadioButton>(
            constraint.controlId, QString::fromLatin1(constraint.label), this);
        connect(choice.get(), &controls::CSkinRadioButton::command, this, [this, i] { selectConstraint(i); });
        choices_[static_cast<std::size_t>(i)] = std::move(choice);
    }
    choices_[0]->setOn(true); // the workspace starts without a constraint
    crop_ = std::make_unique<controls::CSkinButton>(kCropButtonId, QStringLiteral("Crop"), this);
    connect(crop_.get(), &controls::CSkinButton::command, this, [this] {
        if (QWidget* target = parentWidget())
            platform::sendMessage(target, platform::UM_APPLYCROP);
    });
}

CropPanel::~CropPanel() = default;

void CropPanel::selectConstraint(int index) {
    if (index < 0 || index >= kCropConstraintCount)
        return;
    checked_ = index;
    for (int i = 0; i < kCropConstraintCount; ++i)
        choices_[static_cast<std::size_t>(i)]->setOn(i == index);
    const CropConstraint& constraint = kCropConstraints[static_cast<std::size_t>(index)];
    if (QWidget* target = parentWidget())
        platform::sendMessage(target, platform::UM_CROPASPECT,
                              static_cast<platform::WParam>(constraint.widthPart),
                              static_cast<platform::LParam>(constraint.heightPart));
}

void CropPanel::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

controls::CSkinRadioButton* CropPanel::choice(int index) const {
    return index >= 0 && index < kCropConstraintCount ? choices_[static_cast<std::size_t>(index)].get()
                                                      : nullptr;
}

void CropPanel::resizeEvent(QResizeEvent*) {
    const QRect client = rect();
    const int firstRow = client.top() + client.height() / 4;
    const int rowPitch = client.height() / 5;
    for (int i = 0; i < kCropConstraintCount; ++i) {
        const int column = i / 2;
        const int row = i % 2;
        choices_[static_cast<std::size_t>(i)]->setGeometry(QRect(
            QPoint(client.left() + kFirstColumn + kChoiceSize.width() * column, firstRow + rowPitch * row),
            kChoiceSize));
    }
    crop_->setGeometry(QRect(QPoint(client.left(), client.top() + client.height() - kCropButtonSize.height()),
                             kCropButtonSize));
}

void CropPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), controls::skin::kPanel);
    if (caption_.isEmpty())
        return;
    painter.setPen(controls::skin::kText);
    const QFontMetrics metrics(font());
    painter.drawText(kCaptionAt + QPoint(0, metrics.ascent()), caption_);
}

} // namespace imaging

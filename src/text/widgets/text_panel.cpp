#include "text/widgets/text_panel.h"

#include "controls/buttons/skin_button.h"
#include "controls/colour/colour_ref.h"
#include "controls/colour/zor_colour_picker.h"
#include "controls/skin_palette.h"
#include "controls/skin_slider.h"
#include "controls/zor_combo_box.h"
#include "text/style_sample_cache.h"
#include "text/text_box_limit.h"
#include "text/widgets/text_box.h"
#include "text/widgets/text_style_list.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace text {

namespace {

// The rectangle with these edges.
QRect edges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

// A child made here and owned by its Qt parent from then on.
template <typename Widget, typename... Args> Widget* makeChild(Args&&... args) {
    return std::make_unique<Widget>(std::forward<Args>(args)...).release();
}

} // namespace

CTextPanel::CTextPanel(platform::Dialogs& dialogs, const QStringList& faces, QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);

    slider_ = makeChild<controls::CSkinSlider>(this);
    slider_->setRange(0, 100);
    connect(slider_, &controls::CSkinSlider::positionChanged, this, &CTextPanel::transparencyMoved);

    fontList_ = makeChild<controls::CZorComboBox>(this);
    fontList_->setSorted(true);
    fontList_->setPreviewFonts(true);
    for (const QString& face : faces)
        fontList_->addString(face);
    fontList_->setCurSel(fontList_->count() > 0 ? 0 : -1);
    connect(fontList_, &controls::CZorComboBox::selectionChanged, this, &CTextPanel::fontChosen);

    colour1_ = makeChild<controls::CZorColourPicker>(ID_COLOUR_1, dialogs, this);
    colour1_->setText(QStringLiteral("Text Color"));
    colour1_->setToolTip(colour1_->text());
    colour1_->SetDefaultText(QStringLiteral("Color"));
    colour1_->SetCustomText(QStringLiteral("Custom Color"));
    colour2_ = makeChild<controls::CZorColourPicker>(ID_COLOUR_2, dialogs, this);
    colour2_->setText(QStringLiteral("Shaow Color"));
    colour2_->setToolTip(colour2_->text());
    colour2_->SetDefaultText(QStringLiteral("Color"));
    colour2_->SetCustomText(QStringLiteral("Costom Color"));
    for (controls::CZorColourPicker* picker : {colour1_, colour2_})
        picker->SetPickingMode(controls::CZorColourPicker::PickText);

    styleList_ = makeChild<CTextStyleList>(this);
    connect(styleList_, &CTextStyleList::styleChosen, this, &CTextPanel::styleChosen);

    sizeBox_ = makeChild<QSpinBox>(this);
    sizeBox_->setRange(kMinTextHeight - 1, kMaxTextHeight);
    sizeBox_->setSpecialValueText(QStringLiteral("Auto"));
    sizeBox_->setSuffix(QStringLiteral(" px"));
    sizeBox_->setToolTip(QStringLiteral("Text height in photo pixels; Auto makes a new text a tenth of the "
                                        "photo's shorter side"));
    // A typed number counts once it is complete, not digit by digit.
    sizeBox_->setKeyboardTracking(false);
    connect(sizeBox_, &QSpinBox::valueChanged, this, &CTextPanel::sizeChosen);

    textBox_ = makeChild<CTextBox>(this);
    connect(textBox_, &CTextBox::textChanged, this, &CTextPanel::boxChanged);
    connect(textBox_, &CTextBox::focusLeft, this, &CTextPanel::endTyping);

    addButton_ = makeChild<controls::CSkinButton>(ID_ADD_TEXT, QStringLiteral("Add"), this);
    connect(addButton_, &controls::CSkinButton::command, this,
            [this] { platform::sendMessage(parentWidget(), platform::UM_ADDTEXT); });

    typingPause_.setSingleShot(true);
    typingPause_.setInterval(kTypingPauseMs);
    connect(&typingPause_, &QTimer::timeout, this, &CTextPanel::endTyping);

    setFaceName(template_.font, fontList_->currentText());
    template_.font.height = 0; // Auto
    template_.transparency = static_cast<float>(slider_->position()) * 0.01f;
    const StyleColours opening = kStyleSampleColours[0];
    colour1_->SetColour(opening.first);
    colour2_->SetColour(opening.second);
    template_.colour = opening.first;
    template_.secondColour = opening.second;
    template_.style = 0;
}

CTextPanel::~CTextPanel() {
    // The box outlives this object's members while the base class deletes the children.
    disconnect(textBox_, nullptr, this, nullptr);
}

QString CTextPanel::boxText() const {
    return textBox_->text();
}

void CTextPanel::layoutChildren() {
    const int x0 = 0;
    const int y0 = 0;
    const int x1 = width();
    const int y1 = height();
    const int yt = y0 + (y1 - y0) / 8;
    slider_->setGeometry(edges(x0 + 120, yt, x0 + 250, yt + 13));
    fontList_->setGeometry(edges(x0 + 120, yt + 25, x0 + 250, yt + 45));
    colour1_->setGeometry(edges(x0 + 120, yt + 50, x0 + 250, yt + 70));
    colour2_->setGeometry(edges(x0 + 120, yt + 75, x0 + 250, yt + 95));
    // The style list is wide enough for a whole cell beside its scroll bar, so no sample is cut off; the
    // text box keeps the same gap after it.
    const int listRight = x0 + 270 + CTextStyleList::kOuterWidth;
    styleList_->setGeometry(edges(x0 + 270, y0 + 20, listRight, y1 - 20));
    textBox_->setGeometry(edges(listRight + 10, y0 + 20, x1 - 20, y1 - 20));
    addButton_->setGeometry(edges(x0, y1 - 20, x0 + 76, y1));
    // The size sits in the controls' column, on the row of "Add".
    sizeBox_->setGeometry(edges(x0 + 120, y1 - 20, x0 + 250, y1));
}

void CTextPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

void CTextPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The box is where the user types: it has the focus whenever the panel comes up.
    textBox_->setFocus(Qt::OtherFocusReason);
}

void CTextPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(controls::skin::kText);
    const QFontMetrics metrics(font());
    // Each label sits left of its control, from x 20 to 5 pixels before it, 2 pixels below its top.
    auto label = [&](const QString& text, const QWidget* control) {
        const QRect box(QPoint(20, control->y() + 2),
                        QPoint(control->x() - 5 - 1, control->y() + 2 + metrics.height()));
        p.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
    };
    label(QStringLiteral("Transparency"), slider_);
    label(QStringLiteral("Font"), fontList_);
    label(QStringLiteral("1st Color"), colour1_);
    label(QStringLiteral("2nd Color"), colour2_);
    p.drawText(QRect(addButton_->geometry().right() + 8, sizeBox_->y(),
                     sizeBox_->x() - addButton_->geometry().right() - 8, sizeBox_->height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Size"));
    p.drawText(QRect(slider_->geometry().right() + 6, slider_->y() - 1, 30, metrics.height()),
               Qt::AlignLeft | Qt::AlignTop, QString::number(slider_->position()));
    p.drawText(QRect(styleList_->x(), styleList_->y() - 16, styleList_->width(), 16),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Style"));
}

void CTextPanel::sendStyle(unsigned settings, std::uint64_t gesture) {
    styleGesture_ = gesture;
    platform::sendMessage(parentWidget(), platform::UM_TEXTSTYLE, settings);
}

void CTextPanel::transparencyMoved(int position) {
    template_.transparency = static_cast<float>(position) * 0.01f;
    sendStyle(TextTransparency, slider_->gesture());
    update();
}

void CTextPanel::fontChosen(int index) {
    setFaceName(template_.font, fontList_->text(index));
    sendStyle(TextFace);
}

void CTextPanel::colourPicked(int pickerId, std::uint32_t colour) {
    const bool first = pickerId == ID_COLOUR_1;
    if (colour == controls::kDefaultColour) {
        // The default box names no colour: it stands for the chosen style's own colour.
        const StyleColours style = kStyleSampleColours[static_cast<std::size_t>(styleList_->selected())];
        colour = first ? style.first : style.second;
        colourPicker(first ? 1 : 2)->SetColour(colour);
    }
    (first ? template_.colour : template_.secondColour) = colour;
    sendStyle(first ? TextColour : TextSecondColour);
}

void CTextPanel::styleChosen(int style) {
    const StyleColours colours = kStyleSampleColours[static_cast<std::size_t>(style)];
    template_.style = style;
    template_.colour = colours.first;
    template_.secondColour = colours.second;
    colour1_->SetColour(colours.first);
    colour2_->SetColour(colours.second);
    sendStyle(TextStyle | TextColour | TextSecondColour);
}

void CTextPanel::sizeChosen(int height) {
    template_.font.height = height == sizeBox_->minimum() ? 0 : height;
    sendStyle(TextSize);
}

void CTextPanel::boxChanged() {
    // An insertion past the limit is cut back at once, and that change reports the text.
    if (!fitsTextBox(textBox_->text()))
        return;
    if (!filling_) {
        typing_ = true;
        typingPause_.start();
    }
    platform::sendMessage(parentWidget(), platform::UM_TEXTCHANGED,
                          static_cast<platform::WParam>((kEditChanged << 16) | ID_TEXT_BOX), 0);
}

void CTextPanel::endTyping() {
    typingPause_.stop();
    if (!typing_)
        return;
    typing_ = false;
    emit typingPaused();
}

void CTextPanel::editText(const TextObject& text) {
    setFaceName(template_.font, faceName(text.font));
    template_.font.height = std::abs(text.font.height);
    template_.style = text.style;
    template_.colour = text.colour;
    template_.secondColour = text.secondColour;
    template_.transparency = text.transparency;

    // The controls only show the settings: none of them reports a change.
    int face = fontList_->count() - 1;
    while (face >= 0 && fontList_->text(face) != faceName(text.font))
        --face;
    fontList_->setCurSel(face);
    styleList_->setSelected(text.style);
    colour1_->SetColour(text.colour);
    colour2_->SetColour(text.secondColour);
    slider_->setPosition(static_cast<int>(std::lround(text.transparency * 100.0f)));
    {
        const QSignalBlocker quiet(sizeBox_);
        sizeBox_->setValue(std::max(kMinTextHeight, template_.font.height));
    }
    update(); // the transparency readout

    filling_ = true;
    textBox_->setText(textOf(text));
    filling_ = false;
    textBox_->moveCursor(QTextCursor::End);
}

platform::LResult CTextPanel::onMessage(int message, platform::WParam wParam, platform::LParam lParam) {
    if (message == platform::UM_COLOURPICKED)
        colourPicked(static_cast<int>(lParam), static_cast<std::uint32_t>(wParam));
    return 0;
}

bool CTextPanel::event(QEvent* event) {
    if (dispatchMessage(event))
        return true;
    return QWidget::event(event);
}

} // namespace text

#pragma once
// "Add Transparent Month Calender": a small borderless dialog with rounded corners around the month
// calendar. OK writes the calendar picture (260 × 260, B,G,R,A) into the buffer it was given and accepts;
// Cancel and the close button place nothing.

#include <QDialog>
#include <cstdint>
#include <memory>
#include <span>

namespace controls {
class CSkinButton;
}

namespace text {

class CMonthCalendar;

class CCalendarDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCloseId = 10010;
    static constexpr int kOkId = 1; // the dialog's own OK and Cancel
    static constexpr int kCancelId = 2;

    // `picture` must hold 260 × 260 × 4 bytes; it is written only on OK.
    CCalendarDialog(QWidget* owner, std::span<std::uint8_t> picture);
    ~CCalendarDialog() override;

    CMonthCalendar* calendar() const { return calendar_.get(); }
    controls::CSkinButton* okButton() const { return ok_.get(); }
    controls::CSkinButton* cancelButton() const { return cancel_.get(); }
    controls::CSkinButton* closeButton() const { return close_.get(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void acceptWithPicture();

    std::span<std::uint8_t> picture_;
    std::unique_ptr<CMonthCalendar> calendar_;
    std::unique_ptr<controls::CSkinButton> ok_;
    std::unique_ptr<controls::CSkinButton> cancel_;
    std::unique_ptr<controls::CSkinButton> close_;
};

} // namespace text

#pragma once

#include <QDialog>
#include <memory>

namespace controls {
class CSkinButton;
}

namespace app {

// The About window: frameless with rounded corners, dragged by its top strip, closed by its close
// button.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent);
    ~AboutWindow() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<controls::CSkinButton> closeButton_;
};

} // namespace app

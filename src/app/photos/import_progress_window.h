#pragma once

#include <QWidget>
#include <memory>

class QLabel;

namespace controls {
class CSkinButton;
}

namespace app {

// The small window shown during an import: the file in progress and a "Stop" button, which sends
// UM_IMPORTCANCEL to the main window.
class ImportProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit ImportProgressWindow(QWidget* mainWindow);
    ~ImportProgressWindow() override;

    void showPath(const QString& path);
    QString shownPath() const;
    // Shows the window centred over the main window.
    void showCentred();
    controls::CSkinButton* stopButton() const { return stop_.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* mainWindow_;
    std::unique_ptr<QLabel> path_;
    std::unique_ptr<controls::CSkinButton> stop_;
};

} // namespace app

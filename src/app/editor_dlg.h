#pragma once

#include "platform/messages.h"

#include <QWidget>

namespace app {

class CEditorApp;

// The editor's one main window. It owns every panel and control, lays them out, and is the only router:
// each command id and private message reaches it and is passed to the part that performs it.
class CEditorDlg : public QWidget, public platform::MessageReceiver {
    Q_OBJECT
public:
    explicit CEditorDlg(CEditorApp& app);
    ~CEditorDlg() override;

    // Builds the window: language file, size, the single-instance mark, language table.
    void OnInitDialog();

    // Every button, menu item and accelerator arrives here.
    void onCommand(int id);
    platform::LResult onMessage(int message, platform::WParam wParam, platform::LParam lParam) override;

    // A second start handed its command line over: come to the front, keep a "PIF" argument in the
    // profile, lay out again.
    void handOffReceived(const QString& commandLine);
    // Lays the children out for the current size.
    void relayout();

    int layoutCount() const { return layoutCount_; }

signals:
    // Emitted for each command after it has been routed.
    void commandRouted(int id);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void extractLanguageFile();
    void loadLanguageTable();

    CEditorApp& app_;
    int layoutCount_ = 0;
};

} // namespace app

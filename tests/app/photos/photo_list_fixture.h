#pragma once
// A photo list control in a parent that records the messages it sends, showing photos made up for the
// test: each record a landscape photo on a real file, with a thumbnail that is blue in its upper half
// and red in its lower half once drawn upright.

#include "app/photos/photo_list_ctrl.h"
#include "app/photos/photo_list_store.h"
#include "support/temp_folder.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace photolist_test {

class ListParent : public QWidget, public platform::MessageReceiver {
public:
    std::vector<int> received;
    platform::LResult onMessage(int message, platform::WParam, platform::LParam) override {
        received.push_back(message);
        return 0;
    }

protected:
    bool event(QEvent* e) override { return dispatchMessage(e) || QWidget::event(e); }
};

// An 80 × 80 JPEG stored bottom row first, as the list keeps its thumbnails.
QByteArray upsideDownThumbnail();

struct ListFixture : ::testing::Test {
    testing_support::TempFolder folder;
    ListParent parent;
    app::PhotoList list;
    std::unique_ptr<app::CPhotoListCtrl> ctrl = std::make_unique<app::CPhotoListCtrl>(&parent);

    ListFixture() {
        parent.resize(400, 800);
        ctrl->setGeometry(0, 0, 173, 700); // two columns
        parent.show();                     // hidden widgets hold their resize events back
    }
    // Appends `count` photos of 800 × 600 on files that exist and hands the list over.
    void fill(int count);
    // Centre of the picture box of shown position `position`.
    QPoint centreOf(int position) const;
    std::vector<int> marked() const;
    int opens() const;
    void click(int position, Qt::KeyboardModifiers modifiers = {});
};

} // namespace photolist_test

#include "photo_list_fixture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace photolist_test {

QByteArray upsideDownThumbnail() {
    QImage image(80, 80, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 80, 40, Qt::red);
    painter.fillRect(0, 40, 80, 40, Qt::blue);
    painter.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return jpeg;
}

void ListFixture::fill(int count) {
    const QByteArray thumb = upsideDownThumbnail();
    for (int i = 0; i < count; ++i) {
        const QString name = QString("photo %1.jpg").arg(list.records.size());
        folder.write(name, "x");
        app::PhotoRecord record;
        EXPECT_TRUE(app::setRecordPath(record, folder.file(name), true));
        record.listIndex = static_cast<int>(list.records.size());
        record.width = 800;
        record.height = 600;
        list.records.push_back(record);
        list.thumbs.push_back({thumb});
    }
    ctrl->setList(&list);
}

QPoint ListFixture::centreOf(int position) const {
    return app::photo_list::pictureBox(position, ctrl->columns(), ctrl->verticalOffset()).center();
}

std::vector<int> ListFixture::marked() const {
    std::vector<int> indices;
    for (std::size_t i = 0; i < list.records.size(); ++i)
        if (list.records[i].marked != 0)
            indices.push_back(static_cast<int>(i));
    return indices;
}

int ListFixture::opens() const {
    return static_cast<int>(
        std::count(parent.received.begin(), parent.received.end(), platform::UM_OPENLISTPHOTO));
}

void ListFixture::click(int position, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(ctrl.get(), Qt::LeftButton, modifiers, centreOf(position));
}

} // namespace photolist_test

// Painting the photo list: a long list scrolled to the middle, as when the user drags the scroll bar.
#include "app/photos/photo_list_ctrl.h"
#include "app/photos/photo_list_store.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QByteArray thumbnail(int seed) {
    QImage image(80, 80, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 80, 80);
    gradient.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 200, 230));
    gradient.setColorAt(1, QColor::fromHsv(seed * 91 % 360, 160, 90));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 75);
    return jpeg;
}

// 5,000 photos of mixed shapes, every tenth file missing, in a 173 × 700 list scrolled to the middle.
struct Scene {
    QTemporaryDir folder;
    app::PhotoList list;
    QWidget parent;
    app::CPhotoListCtrl ctrl{&parent};

    Scene() {
        for (int i = 0; i < 5000; ++i) {
            const QString path = folder.filePath(QString("holiday photo %1.jpg").arg(i));
            if (i % 10 != 0) {
                QFile file(path);
                file.open(QIODevice::WriteOnly);
            }
            app::PhotoRecord record;
            app::setRecordPath(record, path, true);
            record.listIndex = i;
            record.width = i % 3 == 0 ? 600 : 800;
            record.height = i % 3 == 0 ? 800 : 600;
            record.marked = i % 7 == 0;
            list.records.push_back(record);
            list.thumbs.push_back({thumbnail(i)});
        }
        ctrl.setGeometry(0, 0, 173, 700);
        ctrl.setList(&list);
        platform::sendMessage(&ctrl, platform::UM_LISTSCROLL, 5, ctrl.scrollRange() / 2);
    }
};

// The same rows again and again: thumbnails come from the cache.
void BM_RepaintScrolledList(benchmark::State& state) {
    Scene scene;
    QPixmap target(scene.ctrl.size());
    for (auto _ : state)
        scene.ctrl.render(&target);
}
BENCHMARK(BM_RepaintScrolledList)->Unit(benchmark::kMicrosecond);

// A new screenful every time: every visible thumbnail is decoded.
void BM_RepaintAfterScrollingAPage(benchmark::State& state) {
    Scene scene;
    QPixmap target(scene.ctrl.size());
    int page = 0;
    for (auto _ : state) {
        page = (page + 1) % 40;
        platform::sendMessage(&scene.ctrl, platform::UM_LISTSCROLL, 5, 760 * page);
        scene.ctrl.render(&target);
    }
}
BENCHMARK(BM_RepaintAfterScrollingAPage)->Unit(benchmark::kMicrosecond);

} // namespace

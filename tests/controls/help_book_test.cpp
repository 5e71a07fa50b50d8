// The help book as the build lays it out in Help/, screenshots included: every page is reached from the
// contents, every link and picture leads somewhere, and the viewer finds the pictures.
#include "controls/help_viewer.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextImageFormat>
#include <deque>
#include <gtest/gtest.h>

namespace {

const QString kBuiltBook = QStringLiteral(PICTOVANCE_BINARY_DIR "/Help");

QString readPage(const QString& page) {
    QFile file(QDir(kBuiltBook).filePath(page));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList captures(const QString& html, const QRegularExpression& pattern) {
    QStringList found;
    for (auto it = pattern.globalMatch(html); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

QStringList links(const QString& html) {
    return captures(html, QRegularExpression(QStringLiteral("<a [^>]*href=\"([^\"]*)\"")));
}

QStringList pictures(const QString& html) {
    return captures(html, QRegularExpression(QStringLiteral("<img [^>]*src=\"([^\"]*)\"")));
}

bool hasAnchor(const QString& html, const QString& anchor) {
    return html.contains(QStringLiteral("id=\"%1\"").arg(anchor)) ||
           html.contains(QStringLiteral("name=\"%1\"").arg(anchor));
}

} // namespace

TEST(BuiltHelpBook, EveryPageIsReachedFromTheContentsAndEveryLinkAndPictureLeadsSomewhere) {
    const QDir book(kBuiltBook);
    const QStringList pages = book.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_TRUE(pages.contains(QStringLiteral("index.html"))) << kBuiltBook.toStdString();

    // The contents name every page themselves, so none is found only by chance.
    const QStringList fromIndex = links(readPage(QStringLiteral("index.html")));
    for (const QString& page : pages) {
        if (page != QLatin1String("index.html")) {
            EXPECT_TRUE(fromIndex.contains(page)) << "the contents do not link " << page.toStdString();
        }
    }

    QSet<QString> reached{QStringLiteral("index.html")};
    QSet<QString> picturesShown;
    std::deque<QString> waiting{QStringLiteral("index.html")};
    while (!waiting.empty()) {
        const QString page = waiting.front();
        waiting.pop_front();
        const QString html = readPage(page);
        ASSERT_FALSE(html.isEmpty()) << page.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << page.toStdString();
        for (const QString& link : links(html)) {
            if (link.contains(QLatin1Char(':')))
                continue; // an outside address
            const QString target = link.section(QLatin1Char('#'), 0, 0);
            const QString anchor = link.section(QLatin1Char('#'), 1);
            const QString file = target.isEmpty() ? page : target;
            const std::string where = (page + QStringLiteral(" -> ") + link).toStdString();
            if (!book.exists(file)) {
                ADD_FAILURE() << "missing page: " << where;
                continue;
            }
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(hasAnchor(readPage(file), anchor)) << "missing anchor: " << where;
            }
            if (!reached.contains(file)) {
                reached.insert(file);
                waiting.push_back(file);
            }
        }
        for (const QString& picture : pictures(html)) {
            EXPECT_FALSE(QImage(book.filePath(picture)).isNull())
                << "missing or unreadable picture: " << page.toStdString() << " -> " << picture.toStdString();
            picturesShown.insert(picture);
        }
    }
    EXPECT_EQ(reached.size(), pages.size());

    // Every screenshot the build draws appears in the book, and the book shows at least one per panel.
    const QStringList shots = QDir(book.filePath(QStringLiteral("shots"))).entryList({"*.png"}, QDir::Files);
    EXPECT_GE(shots.size(), 12);
    for (const QString& shot : shots)
        EXPECT_TRUE(picturesShown.contains(QStringLiteral("shots/") + shot))
            << "unused: " << shot.toStdString();
}

TEST(BuiltHelpBook, TheViewerShowsThePicturesOfEveryPage) {
    controls::CHelpViewer viewer;
    const QStringList pages = QDir(kBuiltBook).entryList({QStringLiteral("*.html")}, QDir::Files);
    int shown = 0;
    for (const QString& page : pages) {
        ASSERT_TRUE(viewer.openBook(kBuiltBook, page)) << page.toStdString();
        QTextDocument* document = viewer.browser()->document();
        document->documentLayout()->documentSize(); // lays the page out, loading its pictures
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
                const QTextCharFormat format = fragment.fragment().charFormat();
                if (!format.isImageFormat())
                    continue;
                const QString name = format.toImageFormat().name();
                const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(name));
                const QImage image = resource.userType() == QMetaType::QByteArray
                                         ? QImage::fromData(resource.toByteArray())
                                         : resource.value<QImage>();
                const bool loaded = !image.isNull() || !resource.value<QPixmap>().isNull();
                EXPECT_TRUE(loaded) << page.toStdString() << " -> " << name.toStdString();
                shown += loaded;
            }
        }
    }
    EXPECT_GE(shown, 12);
}

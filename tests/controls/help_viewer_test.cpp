#include "controls/help_viewer.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QRegularExpression>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace controls;

namespace {

const QString kBookFolder = QStringLiteral(PICTOVANCE_SOURCE_DIR "/help");

} // namespace

TEST(HelpViewer, OpensTheDefaultPageOfABook) {
    testing_support::TempFolder book;
    ASSERT_TRUE(book.write("index.html",
                           "<html><head><title>Guide</title></head>"
                           "<body><p>Welcome</p><a href=\"tools.html\">Tools</a></body></html>"));
    ASSERT_TRUE(book.write("tools.html", "<html><body><p>The tools</p></body></html>"));
    CHelpViewer viewer;
    EXPECT_EQ(viewer.windowTitle(), "Quorix Pictovance Dazazizu Help");
    ASSERT_TRUE(viewer.openBook(book.path()));
    EXPECT_TRUE(viewer.currentPage().toLocalFile().endsWith("/index.html"));
    EXPECT_TRUE(viewer.browser()->toPlainText().contains("Welcome"));
    viewer.browser()->setSource(QUrl("tools.html"));
    EXPECT_TRUE(viewer.browser()->toPlainText().contains("The tools"));
}

TEST(HelpViewer, OpensANamedPageWithContentsLeadingToTheDefaultPage) {
    testing_support::TempFolder book;
    ASSERT_TRUE(book.write("index.html", "<html><body><p>Welcome</p></body></html>"));
    ASSERT_TRUE(book.write("packages.html", "<html><body><p>Packages</p></body></html>"));
    QWidget owner;
    EXPECT_FALSE(showHelpBook(&owner, book.path(), "missing.html"));
    EXPECT_EQ(owner.findChild<CHelpViewer*>(), nullptr);
    ASSERT_TRUE(showHelpBook(&owner, book.path(), "packages.html"));
    auto* viewer = owner.findChild<CHelpViewer*>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->browser()->toPlainText().contains("Packages"));
    viewer->browser()->home();
    EXPECT_TRUE(viewer->currentPage().toLocalFile().endsWith("/index.html"));
}

TEST(HelpViewer, MissingBookIsReportedAndLeavesNoWindow) {
    testing_support::TempFolder empty;
    CHelpViewer viewer;
    EXPECT_FALSE(viewer.openBook(empty.path()));
    EXPECT_FALSE(viewer.openBook(empty.file("no such folder")));

    QWidget owner;
    EXPECT_FALSE(showHelpBook(&owner, empty.path()));
    EXPECT_EQ(owner.findChild<CHelpViewer*>(), nullptr);
}

TEST(HelpViewer, TheOwnersHelpWindowIsReused) {
    testing_support::TempFolder book;
    ASSERT_TRUE(book.write("index.html", "<html><body>Help</body></html>"));
    QWidget owner;
    ASSERT_TRUE(showHelpBook(&owner, book.path()));
    auto* first = owner.findChild<CHelpViewer*>();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    ASSERT_TRUE(showHelpBook(&owner, book.path()));
    EXPECT_EQ(owner.findChildren<CHelpViewer*>().size(), 1);
    // A book that has gone since is reported, not shown stale.
    ASSERT_TRUE(QFile::remove(book.file("index.html")));
    EXPECT_FALSE(showHelpBook(&owner, book.path()));
}

TEST(HelpBook, ShippedBookOpensAndEveryLinkLeadsToAPage) {
    CHelpViewer viewer;
    ASSERT_TRUE(viewer.openBook(kBookFolder));
    const QDir folder(kBookFolder);
    const QStringList pages = folder.entryList({"*.html"}, QDir::Files);
    EXPECT_GE(pages.size(), 10);
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)(#[^\"]*)?\""));
    for (const QString& page : pages) {
        QFile file(folder.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(html.contains("<title>")) << page.toStdString();
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (target.isEmpty() || target.contains(':'))
                continue; // same-page anchors and outside addresses
            EXPECT_TRUE(folder.exists(target)) << page.toStdString() << " -> " << target.toStdString();
        }
        // Every page leads back to the contents.
        if (page != "index.html") {
            EXPECT_TRUE(html.contains("href=\"index.html\"")) << page.toStdString();
        }
    }
}

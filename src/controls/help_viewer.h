#pragma once
// The help book reader: a small window around a QTextBrowser with Back, Forward and Contents buttons.
// The book is a folder of HTML pages; its default page is "index.html".

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace controls {

class CSkinButton;

class CHelpViewer : public QWidget {
    Q_OBJECT
public:
    static constexpr char kDefaultPage[] = "index.html";

    explicit CHelpViewer(QWidget* parent = nullptr);

    // Shows a page of the book, its default page unless another is named. Returns false, leaving the
    // viewer as it was, when the folder holds no such page.
    bool openBook(const QString& helpFolder, const QString& page = QString::fromLatin1(kDefaultPage));
    QUrl currentPage() const;
    QTextBrowser* browser() const { return browser_; }

private:
    void updateButtons();

    QTextBrowser* browser_;
    CSkinButton* back_;
    CSkinButton* forward_;
    CSkinButton* home_;
};

// Opens the book of `helpFolder` at `page` in the owner's help window (made on first use, then reused;
// without an owner a new window that frees itself when closed), brings it to the front and returns true;
// returns false, showing nothing, when the page is missing. The caller tells the user.
bool showHelpBook(QWidget* owner, const QString& helpFolder,
                  const QString& page = QString::fromLatin1(CHelpViewer::kDefaultPage));

} // namespace controls

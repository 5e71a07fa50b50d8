#pragma once
// The help book reader: a small window around a QTextBrowser with Back, Forward and Contents buttons.
// The book is a folder of HTML pages; its default page is "index.html".

#include <QWidget>

class QTextBrowser;

namespace controls {

class CSkinButton;

class CHelpViewer : public QWidget {
    Q_OBJECT
public:
    static constexpr char kDefaultPage[] = "index.html";

    explicit CHelpViewer(QWidget* parent = nullptr);

    // Shows the book's default page. Returns false, leaving the viewer as it was, when the folder holds
    // no default page.
    bool openBook(const QString& helpFolder);
    QUrl currentPage() const;
    QTextBrowser* browser() const { return browser_; }

private:
    void updateButtons();

    QTextBrowser* browser_;
    CSkinButton* back_;
    CSkinButton* forward_;
    CSkinButton* home_;
};

// Opens the book of `helpFolder` in the owner's help window (made on first use, then reused; without an
// owner a new window that frees itself when closed), brings it to the front and returns true; returns false,
// showing nothing, when the book is missing. The caller tells the user.
bool showHelpBook(QWidget* owner, const QString& helpFolder);

} // namespace controls

#include "controls/help_viewer.h"

#include "controls/numbered_images.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_palette.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace controls {

namespace {

constexpr int kToolbarButtonWidth = 84;

} // namespace

CHelpViewer::CHelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)),
      back_(new CSkinButton(0, tr("Back"), this)), forward_(new CSkinButton(0, tr("Forward"), this)),
      home_(new CSkinButton(0, tr("Contents"), this)) {
    setWindowTitle(QStringLiteral("Quorix Pictovance Dazazizu Help"));
    setWindowIcon(numberedIcon(image::WindowIcon));
    resize(860, 660);
    QPalette shade = palette();
    shade.setColor(QPalette::Window, skin::kWindowFace);
    setPalette(shade);
    setAutoFillBackground(true);

    browser_->setOpenExternalLinks(true);
    browser_->setFrameShape(QFrame::NoFrame);

    auto* toolbar = new QHBoxLayout;
    toolbar->setContentsMargins(10, 8, 10, 8);
    toolbar->setSpacing(6);
    for (auto* button : {back_, forward_, home_}) {
        button->setFixedSize(kToolbarButtonWidth, 26);
        toolbar->addWidget(button);
    }
    toolbar->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(toolbar);
    layout->addWidget(browser_, 1);

    connect(back_, &QAbstractButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QAbstractButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QAbstractButton::clicked, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::historyChanged, this, &CHelpViewer::updateButtons);
    updateButtons();
}

bool CHelpViewer::openBook(const QString& helpFolder, const QString& page) {
    const QFileInfo home(QDir(helpFolder).filePath(QString::fromLatin1(kDefaultPage)));
    const QFileInfo shown(QDir(helpFolder).filePath(page));
    if (!shown.isFile() || !shown.isReadable())
        return false;
    browser_->setSearchPaths({shown.absolutePath()});
    browser_->clearHistory();
    // The Contents button leads to the default page whichever page the book was opened at.
    browser_->setSource(QUrl::fromLocalFile(home.absoluteFilePath()));
    if (shown != home)
        browser_->setSource(QUrl::fromLocalFile(shown.absoluteFilePath()));
    updateButtons();
    return true;
}

QUrl CHelpViewer::currentPage() const {
    return browser_->source();
}

void CHelpViewer::updateButtons() {
    back_->setEnabled(browser_->isBackwardAvailable());
    forward_->setEnabled(browser_->isForwardAvailable());
    home_->setEnabled(!browser_->source().isEmpty());
}

bool showHelpBook(QWidget* owner, const QString& helpFolder, const QString& page) {
    auto* viewer = owner ? owner->findChild<CHelpViewer*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!viewer) {
        // Probe first, so a missing book leaves no empty window behind.
        if (!QFileInfo(QDir(helpFolder).filePath(page)).isFile())
            return false;
        viewer = new CHelpViewer(owner);
        // Without an owner nobody else would free the window.
        if (!owner)
            viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!viewer->openBook(helpFolder, page))
        return false;
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return true;
}

} // namespace controls

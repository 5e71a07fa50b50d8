#include "app/editor_dlg.h"

#include "app/command_ids.h"
#include "app/command_line.h"
#include "app/editor_app.h"
#include "app/language_table.h"
#include "app/product.h"
#include "app/profile.h"

#include <QDir>
#include <QPainter>
#include <QScreen>

namespace app {

namespace {
constexpr int kCaptionSlot = 23;
QString languageFilePath(const platform::Folders& folders) {
    return folders.GetDataFolder() + QStringLiteral("EnglishLang_src");
}
} // namespace

CEditorDlg::CEditorDlg(CEditorApp& app) : QWidget(nullptr), app_(app) {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

CEditorDlg::~CEditorDlg() = default;

void CEditorDlg::OnInitDialog() {
    extractLanguageFile();
    setWindowTitle(QString::fromLatin1(kProductName));
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        setGeometry(available.x(), available.y(), available.width(), available.height() - 10);
    }
    app_.markMainWindowReady();
    loadLanguageTable();
    relayout();
}

void CEditorDlg::extractLanguageFile() {
    const platform::Folders& folders = app_.folders();
    if (!folders.dataFolderAvailable()) {
        app_.dialogs().inform(
            this, QStringLiteral("The Data folder \"%1\" could not be created.\nThe editor will run, but it cannot "
                                 "keep your photo list, its resources or its captions until that folder can be "
                                 "written.")
                      .arg(QDir::toNativeSeparators(folders.GetDataFolder())));
        return;
    }
    app::extractLanguageFile(languageFilePath(folders));
}

void CEditorDlg::loadLanguageTable() {
    auto table = std::make_unique<LanguageTable>();
    // A missing or short file leaves slots empty: captions then read as empty texts.
    table->loadFromFile(languageFilePath(app_.folders()));
    app_.setLanguageTable(std::move(table));
}

void CEditorDlg::onCommand(int id) {
    switch (id) {
    case ID_CLOSE:
    case ID_FILE_EXIT:
        close();
        break;
    default:
        break;
    }
    emit commandRouted(id);
}

platform::LResult CEditorDlg::onMessage(int, platform::WParam, platform::LParam) { return 0; }

void CEditorDlg::handOffReceived(const QString& commandLine) {
    showNormal();
    raise();
    activateWindow();
    if (const auto argument = pifArgument(commandLine))
        writeProfileString(QStringLiteral("CommandPath"), QStringLiteral("path"), *argument);
    relayout();
}

void CEditorDlg::relayout() {
    ++layoutCount_;
    update();
}

bool CEditorDlg::event(QEvent* event) {
    if (dispatchMessage(event))
        return true;
    return QWidget::event(event);
}

void CEditorDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(236, 238, 241));
    painter.setPen(QColor(40, 44, 52));
    painter.drawText(QRect(20, 6, width() - 40, 24), Qt::AlignVCenter | Qt::AlignLeft, app_.languageText(kCaptionSlot));
}

void CEditorDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

} // namespace app

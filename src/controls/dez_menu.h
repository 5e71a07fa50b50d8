#pragma once
// The editor's drop-down menus. A CDezMenu is built from MenuItemRecords every time it opens and is
// destroyed when it closes; every row is drawn by the control kit (DezMenuStyle). The arrow keys, Enter
// and Escape work as in any menu; Right opens a submenu, Left closes it.

#include <QMenu>
#include <vector>

namespace controls {

// One row of a menu: a command, a separator, or a submenu with its own rows.
struct MenuItemRecord {
    int id = 0;
    QString text;
    bool separator = false;
    bool checked = false;
    bool disabled = false;
    std::vector<MenuItemRecord> submenu;

    static MenuItemRecord command(int id, const QString& text, bool checked = false);
    static MenuItemRecord separatorRow();
    static MenuItemRecord popup(const QString& text, std::vector<MenuItemRecord> items);
};

class CDezMenu : public QMenu {
    Q_OBJECT
public:
    explicit CDezMenu(QWidget* parent = nullptr);
    CDezMenu(const std::vector<MenuItemRecord>& items, QWidget* parent = nullptr);

    void appendItem(const MenuItemRecord& record);
    void appendItems(const std::vector<MenuItemRecord>& records);
    const std::vector<MenuItemRecord>& records() const { return records_; }

    // Opens with the top-left corner at `anchor` (global coordinates), waits for the user and returns the
    // chosen command id, or 0 when the menu closed without a choice.
    int track(const QPoint& anchor);
    // Opens and returns at once; the choice arrives as commandChosen.
    void popupAt(const QPoint& anchor);
    // A drop-down opens at its button's lower-left corner: this point, in global coordinates.
    static QPoint anchorBelow(const QWidget& button);

signals:
    // Emitted by the top menu for a choice made in it or in any of its submenus.
    void commandChosen(int id);

private:
    CDezMenu(CDezMenu* root, const QString& title, QWidget* parent);

    CDezMenu* root_;
    std::vector<MenuItemRecord> records_;
};

} // namespace controls

#include "controls/dez_menu.h"

#include "controls/dez_menu_style.h"

#include <QAction>

namespace controls {

MenuItemRecord MenuItemRecord::command(int id, const QString& text, bool checked) {
    MenuItemRecord record;
    record.id = id;
    record.text = text;
    record.checked = checked;
    return record;
}

MenuItemRecord MenuItemRecord::separatorRow() {
    MenuItemRecord record;
    record.separator = true;
    return record;
}

MenuItemRecord MenuItemRecord::popup(const QString& text, std::vector<MenuItemRecord> items) {
    MenuItemRecord record;
    record.text = text;
    record.submenu = std::move(items);
    return record;
}

CDezMenu::CDezMenu(QWidget* parent) : CDezMenu(nullptr, QString(), parent) {}

CDezMenu::CDezMenu(const std::vector<MenuItemRecord>& items, QWidget* parent) : CDezMenu(parent) {
    appendItems(items);
}

CDezMenu::CDezMenu(CDezMenu* root, const QString& title, QWidget* parent)
    : QMenu(title, parent), root_(root ? root : this) {
    setStyle(DezMenuStyle::instance());
    setSeparatorsCollapsible(false);
}

void CDezMenu::appendItem(const MenuItemRecord& record) {
    records_.push_back(record);
    if (record.separator) {
        addSeparator();
        return;
    }
    if (!record.submenu.empty()) {
        // Parent-owned: the submenu goes when this menu goes.
        auto* submenu = new CDezMenu(root_, record.text, this);
        submenu->appendItems(record.submenu);
        submenu->setEnabled(!record.disabled);
        addMenu(submenu);
        return;
    }
    QAction* action = addAction(record.text);
    action->setData(record.id);
    action->setCheckable(record.checked);
    action->setChecked(record.checked);
    action->setEnabled(!record.disabled);
    const int id = record.id;
    CDezMenu* root = root_;
    connect(action, &QAction::triggered, root, [root, id] { emit root->commandChosen(id); });
}

void CDezMenu::appendItems(const std::vector<MenuItemRecord>& records) {
    for (const auto& record : records)
        appendItem(record);
}

int CDezMenu::track(const QPoint& anchor) {
    const QAction* chosen = exec(anchor);
    return chosen ? chosen->data().toInt() : 0;
}

void CDezMenu::popupAt(const QPoint& anchor) {
    popup(anchor);
}

QPoint CDezMenu::anchorBelow(const QWidget& button) {
    return button.mapToGlobal(QPoint(0, button.height()));
}

} // namespace controls

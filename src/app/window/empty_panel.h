#pragma once

#include <QWidget>

namespace app {

// A plain white panel: the place of a panel whose contents arrive later.
class EmptyPanel : public QWidget {
    Q_OBJECT
public:
    explicit EmptyPanel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace app

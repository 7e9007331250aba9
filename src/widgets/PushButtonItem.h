#pragma once
// A property grid row that is a push button: its value cell looks like a button with the
// caption " Push ...", and each click on it counts as an accepted edit, so the grid's owner
// hears of every push (the parameter list writes a command register on it).
#include "ICustomItem.h"

class PushButtonItem : public ICustomItem {
public:
    explicit PushButtonItem(QString caption = QStringLiteral(" Push ..."));

    QString valueText() const override { return m_caption; }
    void drawValue(QPainter& painter, const QRect& rect, const QWidget* grid, bool editable) const override;
    bool edit(QWidget* area, const QRect& rect) override;

private:
    QString m_caption;
};

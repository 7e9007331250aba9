#include "PushButtonItem.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

PushButtonItem::PushButtonItem(QString caption) : m_caption(std::move(caption)) {}

void PushButtonItem::drawValue(QPainter& painter, const QRect& rect, const QWidget* grid, bool editable) const
{
    QStyleOptionButton option;
    option.initFrom(grid);
    option.rect = rect.adjusted(1, 1, -1, -1);
    option.text = m_caption;
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    option.state |= QStyle::State_Raised;
    if (!editable)
        option.state &= ~QStyle::State_Enabled;
    grid->style()->drawControl(QStyle::CE_PushButton, &option, &painter, grid);
}

bool PushButtonItem::edit(QWidget*, const QRect&)
{
    return true;
}

#include "LineListModel.h"

LineListModel::LineListModel(int capacity, QObject* parent)
    : QAbstractListModel(parent), m_capacity(capacity > 0 ? capacity : 1)
{
}

void LineListModel::addLine(const QString& line)
{
    beginInsertRows(QModelIndex(), 0, 0);
    m_lines.push_front(line);
    endInsertRows();
    if (count() > m_capacity) {
        const int last = count() - 1;
        beginRemoveRows(QModelIndex(), last, last);
        m_lines.pop_back();
        endRemoveRows();
    }
}

void LineListModel::clear()
{
    beginResetModel();
    m_lines.clear();
    endResetModel();
}

int LineListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant LineListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || index.parent().isValid() || index.row() < 0 || index.row() >= count())
        return {};
    return lineAt(index.row());
}

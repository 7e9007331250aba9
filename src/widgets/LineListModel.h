#pragma once
// A bounded list of text lines, newest first, for the terminal transcript and the
// communication dialog's message list. Lines are logged on every exchange, so adding one must
// cost the same whether the list is empty or full: a deque takes the new line at the front and
// drops the oldest from the back, and the view is told about exactly those two rows.
#include <QAbstractListModel>
#include <QString>

#include <deque>

class LineListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LineListModel(int capacity, QObject* parent = nullptr);

    // Puts the line at row 0; drops the oldest line when more than capacity are held.
    void addLine(const QString& line);
    void clear();

    int capacity() const { return m_capacity; }
    int count() const { return static_cast<int>(m_lines.size()); }
    // Row 0 is the newest line.
    const QString& lineAt(int row) const { return m_lines[static_cast<size_t>(row)]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    int m_capacity;
    std::deque<QString> m_lines;
};

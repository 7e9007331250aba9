#pragma once
// Shows a LineListModel: one text line per row, row 0 at the top. Every row has the height
// of one line of the font, so the view needs no per-row layout: a new line costs a scroll
// range update and a repaint of the visible rows, however many lines the model holds.
// (QListView lays out every row again after each insertion, which grew to milliseconds per
// line with a full transcript.) Lines come with every exchange, hundreds a second during a
// long walk, and a repaint of the visible lines costs milliseconds, so the view follows them
// at most ten times a second: the first line after a quiet spell at once, the rest together
// at the end of the interval.
#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QTimer>

class LineListModel;

class LineListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LineListView(LineListModel* model, QWidget* parent = nullptr);

    LineListModel* model() const { return m_model; }
    // The model row shown at the top of the view.
    int topRow() const;
    int rowHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void linesChanged();
    void refresh();
    void widenTo(int width);
    void updateScrollBars();

    LineListModel* m_model;
    int m_widest = 0;
    QTimer m_pending;
    QElapsedTimer m_sinceRefresh;
};

#include "LineListView.h"

#include "LineListModel.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
constexpr int kRefreshIntervalMs = 100;
}

LineListView::LineListView(LineListModel* model, QWidget* parent)
    : QAbstractScrollArea(parent), m_model(model)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &LineListView::linesChanged);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &LineListView::linesChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_widest = 0;
        linesChanged();
    });
    m_pending.setSingleShot(true);
    connect(&m_pending, &QTimer::timeout, this, &LineListView::refresh);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
    updateScrollBars();
}

int LineListView::topRow() const
{
    return verticalScrollBar()->value();
}

int LineListView::rowHeight() const
{
    return fontMetrics().height();
}

void LineListView::widenTo(int width)
{
    // Lines are measured when they are painted, not when they are added: measuring text costs
    // more than adding it. The width only ever grows; narrowing would mean measuring every line.
    if (width > m_widest) {
        m_widest = width;
        updateScrollBars();
    }
}

void LineListView::linesChanged()
{
    if (m_pending.isActive())
        return;
    const qint64 since = m_sinceRefresh.isValid() ? m_sinceRefresh.elapsed() : kRefreshIntervalMs;
    if (since >= kRefreshIntervalMs)
        refresh();
    else
        m_pending.start(int(kRefreshIntervalMs - since));
}

void LineListView::refresh()
{
    m_sinceRefresh.start();
    updateScrollBars();
    // Repainting a hidden window costs nothing: update() only marks it.
    viewport()->update();
}

void LineListView::updateScrollBars()
{
    const int visibleRows = std::max(1, viewport()->height() / std::max(1, rowHeight()));
    verticalScrollBar()->setRange(0, std::max(0, m_model->count() - visibleRows));
    verticalScrollBar()->setPageStep(visibleRows);
    horizontalScrollBar()->setRange(0, std::max(0, m_widest + 8 - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void LineListView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int height = rowHeight();
    const int left = 4 - horizontalScrollBar()->value();
    const int count = m_model->count();
    const int width = std::max(m_widest + 8, viewport()->width() + horizontalScrollBar()->value());
    int widest = 0;
    int y = 0;
    for (int row = topRow(); row < count && y < viewport()->height(); ++row, y += height) {
        QRect used;
        painter.drawText(QRect(left, y, width, height), Qt::AlignLeft | Qt::AlignVCenter, m_model->lineAt(row), &used);
        widest = std::max(widest, used.width());
    }
    widenTo(widest);
}

void LineListView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LineListView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_widest = 0;
        updateScrollBars();
        viewport()->update();
    }
}

#include "CompareDialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kRowsShownAtOnce = 16;
constexpr int kWidestTable = 900; // pixels; longer values are elided

QString summaryText(const SettingFile::Comparison& comparison)
{
    if (comparison.settings == 0)
        return QStringLiteral("This file holds no setting for the camera.");
    QString text;
    if (!comparison.complete)
        text = QStringLiteral("The comparison stopped after %1 of %2 settings; the others were not compared.\n")
                   .arg(comparison.compared)
                   .arg(comparison.settings);
    const auto differing = int(comparison.differences.size());
    if (differing == 0)
        return text
            + (comparison.complete ? QStringLiteral("The camera holds every setting of this file.")
                                   : QStringLiteral("The settings compared agree with the camera."));
    return text
        + QStringLiteral("%1 of %2 settings %3 from the camera:")
              .arg(differing)
              .arg(comparison.compared)
              .arg(differing == 1 ? QStringLiteral("differs") : QStringLiteral("differ"));
}

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

CompareDialog::CompareDialog(QWidget* owner, const QString& path, const SettingFile::Comparison& comparison)
    : QDialog(owner), m_summary(new QLabel(summaryText(comparison), this)), m_table(new QTableWidget(this))
{
    setObjectName(QStringLiteral("CompareDialog"));
    setWindowTitle(QStringLiteral("Compare with Camera"));
    if (owner)
        setWindowIcon(owner->windowIcon());

    auto* file = new QLabel(QStringLiteral("File: %1").arg(path), this);
    file->setObjectName(QStringLiteral("compareFile"));
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_summary->setObjectName(QStringLiteral("compareSummary"));
    m_summary->setBuddy(m_table);

    fillTable(comparison);

    auto* buttons = new QDialogButtonBox(this);
    m_apply = buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::AcceptRole);
    m_close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    m_apply->setObjectName(QStringLiteral("applyButton"));
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_apply->setAccessibleName(QStringLiteral("Apply"));
    m_apply->setAccessibleDescription(QStringLiteral("Load the file into the camera"));
    m_close->setAccessibleName(QStringLiteral("Close"));
    m_apply->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    fitToContents();
}

void CompareDialog::fillTable(const SettingFile::Comparison& comparison)
{
    m_table->setObjectName(QStringLiteral("compareTable"));
    m_table->setAccessibleName(QStringLiteral("Settings that differ"));
    m_table->setColumnCount(3);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Parameter"), QStringLiteral("File value"),
                                        QStringLiteral("Camera value")});
    m_table->setRowCount(int(comparison.differences.size()));
    int row = 0;
    for (const SettingFile::Difference& difference : comparison.differences) {
        const QString camera = difference.cameraValue.empty() ? QStringLiteral("(no answer)")
                                                              : QString::fromStdString(difference.cameraValue);
        m_table->setItem(row, 0, cell(QString::fromStdString(difference.setting)));
        m_table->setItem(row, 1, cell(QString::fromStdString(difference.fileValue)));
        m_table->setItem(row, 2, cell(camera));
        ++row;
    }
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table for the buttons; the arrow keys move through the rows.
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    QHeaderView* header = m_table->horizontalHeader();
    // Short values keep their columns as wide as the longest heading, so the three read as a grid.
    header->setMinimumSectionSize(header->fontMetrics().horizontalAdvance(QStringLiteral("Camera value")) + 24);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setStretchLastSection(true);
    if (row > 0)
        m_table->setCurrentCell(0, 0);
    else
        m_table->hide(); // the summary says there is nothing to list
}

void CompareDialog::fitToContents()
{
    QSize wanted = sizeHint();
    if (!m_table->isHidden()) {
        // Every column readable without scrolling sideways, and a page of rows at once.
        const QHeaderView* header = m_table->horizontalHeader();
        int width = m_table->frameWidth() * 2 + m_table->verticalScrollBar()->sizeHint().width();
        m_table->resizeColumnsToContents();
        for (int column = 0; column < m_table->columnCount(); ++column)
            width += std::max(header->sectionSizeHint(column), m_table->columnWidth(column));
        const int rows = std::min(m_table->rowCount(), kRowsShownAtOnce);
        const int height = m_table->frameWidth() * 2 + header->sizeHint().height()
            + rows * m_table->verticalHeader()->defaultSectionSize();
        m_table->setMinimumWidth(std::min(width, kWidestTable));
        wanted = sizeHint();
        wanted.rheight() += height - m_table->sizeHint().height();
    }
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(wanted);
}

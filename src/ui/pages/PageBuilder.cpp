#include "PageBuilder.h"

#include "CommandTable.h"
#include "NumberBox.h"
#include "PageData.h"
#include "ParameterTable.h"
#include "UpDownControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

QString ControlDescription(int ctrlId)
{
    const ParameterTable& table = ParameterTable::Layout();
    for (int i = 0; i < table.RowCount(); ++i) {
        const ParameterRow& row = table.Row(i);
        if (row.ctrlId != uint32_t(ctrlId))
            continue;
        if (row.cmdId < uint32_t(CommandTable::kCount)) {
            const std::string mnemonic = CommandTable::Instance().GetMnemonic(int(row.cmdId));
            if (!mnemonic.empty())
                return QStringLiteral("Camera command %1, control %2")
                    .arg(QString::fromStdString(mnemonic))
                    .arg(ctrlId);
        }
        break;
    }
    return QStringLiteral("Control %1").arg(ctrlId);
}

namespace {

void TagControl(QWidget* w, int id)
{
    if (id == 0)
        return;
    w->setProperty("ctrlId", id);
    w->setObjectName(QStringLiteral("ctrl_%1").arg(id));
}

void Describe(QWidget* w, int id, const QString& accessibleName)
{
    const QString description = ControlDescription(id);
    w->setToolTip(description);
    w->setAccessibleDescription(description);
    w->setAccessibleName(accessibleName.simplified());
}

// Room for eight digits and a sign, the widest value any parameter takes.
int NumberWidth(const QWidget* w)
{
    return QFontMetrics(w->font()).horizontalAdvance(QStringLiteral("-00000000")) + 14;
}

void FillList(QComboBox* combo, const char* entries)
{
    if (!entries || !*entries)
        return;
    const QStringList parts = QString::fromUtf8(entries).split(QLatin1Char('|'));
    for (const QString& part : parts) {
        const int eq = part.lastIndexOf(QLatin1Char('='));
        bool ok = false;
        const int value = eq > 0 ? part.mid(eq + 1).toInt(&ok) : 0;
        if (ok)
            combo->addItem(part.left(eq), value);
        else
            combo->addItem(part, 0); // no value of its own: the position stands for it
    }
}

// Lays out one group: rows of [label | control ...]; kSameRow continues a row to the right,
// kHeader labels head the control columns of the rows below them.
class GroupGrid {
public:
    GroupGrid(QWidget* frame, QString title, BuiltPage& page)
        : m_frame(frame), m_grid(new QGridLayout(frame)), m_title(std::move(title)), m_page(page)
    {
        m_grid->setHorizontalSpacing(8);
        m_grid->setVerticalSpacing(4);
    }

    void Add(const PageItem& item)
    {
        if (item.kind == PageItemKind::Label) {
            AddLabel(item);
            return;
        }
        m_headerRow = false;
        const bool sameRow = (item.flags & kSameRow) && m_row >= 0;
        if (!sameRow) {
            ++m_row;
            m_col = 0;
            m_rowLabel.clear();
        }
        QLabel* label = nullptr;
        if (item.label) {
            label = new QLabel(QString::fromUtf8(item.label), m_frame);
            TagControl(label, item.labelId);
            Remember(item.labelId, label);
            if (item.flags & kExtraLabel)
                label->setProperty("extraLabel", true);
            m_grid->addWidget(label, m_row, m_col++, Qt::AlignLeft | Qt::AlignVCenter);
            m_rowLabel = label->text();
        } else if (!sameRow && !(item.flags & kWide)) {
            m_col = 1; // keep the control column aligned with the labelled rows
        }
        const int controlCol = m_col;
        QWidget* focus = nullptr;
        QWidget* cell = MakeControl(item, focus);
        if ((item.flags & kWide) && !item.label && !sameRow) {
            m_grid->addWidget(cell, m_row, 0, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
            m_col = 2;
        } else {
            m_grid->addWidget(cell, m_row, m_col++, Qt::AlignLeft | Qt::AlignVCenter);
        }
        if (label) {
            label->setBuddy(focus);
            if (item.flags & kHidden)
                label->setHidden(true);
        }
        if (item.flags & kHidden)
            cell->setHidden(true);

        QStringList name{m_title};
        if (!m_rowLabel.isEmpty())
            name << m_rowLabel;
        if (m_headers.contains(controlCol))
            name << m_headers.value(controlCol);
        if (item.caption && (item.kind == PageItemKind::Button || item.kind == PageItemKind::Check))
            name << QString::fromUtf8(item.caption);
        Describe(focus, item.id, name.join(QLatin1Char(' ')));
    }

private:
    void AddLabel(const PageItem& item)
    {
        if (item.flags & kHeader) {
            ++m_row;
            m_col = 1;
            m_headerRow = true;
        } else if (!(item.flags & kSameRow) || m_row < 0) {
            ++m_row;
            m_col = 0;
            m_headerRow = false;
        }
        auto* label = new QLabel(QString::fromUtf8(item.label), m_frame);
        TagControl(label, item.id);
        if (item.flags & kExtraLabel)
            label->setProperty("extraLabel", true);
        if (item.flags & kHidden)
            label->setHidden(true);
        if (m_headerRow)
            m_headers[m_col] = label->text();
        m_grid->addWidget(label, m_row, m_col++, Qt::AlignLeft | Qt::AlignBottom);
        Remember(item.id, label);
    }

    void Remember(int id, QWidget* w)
    {
        if (id == 0)
            return;
        if (m_page.controls.contains(id))
            m_page.repeatedIds << id;
        else
            m_page.controls.insert(id, w);
    }

    // The widget for one control; focus receives the buddy, tooltip and accessible texts.
    QWidget* MakeControl(const PageItem& item, QWidget*& focus)
    {
        switch (item.kind) {
        case PageItemKind::Number: {
            auto* box = new NumberBox(item.id, m_frame);
            if (item.flags & kNarrow)
                box->setFixedWidth(QFontMetrics(box->font()).horizontalAdvance(QStringLiteral("00")) + 14);
            else
                box->setFixedWidth(NumberWidth(box));
            Remember(item.id, box);
            focus = box;
            if (item.spinId == 0) {
                const ParameterTable& table = ParameterTable::Layout();
                for (int i = 0; i < table.RowCount(); ++i)
                    if (table.Row(i).ctrlId == uint32_t(item.id)) {
                        box->setText(QString::number(table.Row(i).value));
                        break;
                    }
                return box;
            }
            auto* cell = new QWidget(m_frame);
            auto* row = new QHBoxLayout(cell);
            row->setContentsMargins(0, 0, 0, 0);
            row->setSpacing(1);
            box->setParent(cell);
            auto* spin = new UpDownControl(item.spinId, cell);
            spin->setBuddy(box);
            const ParameterTable& table = ParameterTable::Layout();
            for (int i = 0; i < table.RowCount(); ++i) {
                if (table.Row(i).ctrlId == uint32_t(item.id)) {
                    // The table's starting range and value until the camera has been read.
                    spin->setRange(table.Row(i).minValue, table.Row(i).maxValue);
                    spin->setPosition(table.Row(i).value);
                    break;
                }
            }
            spin->setFixedHeight(box->sizeHint().height());
            spin->setToolTip(ControlDescription(item.spinId));
            spin->setAccessibleDescription(spin->toolTip());
            row->addWidget(box);
            row->addWidget(spin);
            Remember(item.spinId, spin);
            return cell;
        }
        case PageItemKind::Box: {
            auto* box = new QLineEdit(m_frame);
            box->setReadOnly(true);
            TagControl(box, item.id);
            if (item.flags & kText) {
                box->setMinimumWidth(NumberWidth(box) * 2);
            } else {
                box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                box->setFixedWidth(NumberWidth(box));
            }
            Remember(item.id, box);
            focus = box;
            return box;
        }
        case PageItemKind::List: {
            auto* combo = new QComboBox(m_frame);
            TagControl(combo, item.id);
            FillList(combo, item.entries);
            combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            combo->setMinimumWidth(NumberWidth(combo));
            Remember(item.id, combo);
            focus = combo;
            return combo;
        }
        case PageItemKind::Check: {
            auto* check = new QCheckBox(item.caption ? QString::fromUtf8(item.caption) : QString(), m_frame);
            TagControl(check, item.id);
            const ParameterTable& table = ParameterTable::Layout();
            for (int i = 0; i < table.RowCount(); ++i)
                if (table.Row(i).ctrlId == uint32_t(item.id))
                    check->setChecked(table.Row(i).value == 1);
            Remember(item.id, check);
            focus = check;
            return check;
        }
        case PageItemKind::Button:
        default: {
            auto* button = new QPushButton(QString::fromUtf8(item.caption), m_frame);
            TagControl(button, item.id);
            // Enter on a button must do nothing; only a click or Space presses it.
            button->setAutoDefault(false);
            button->setDefault(false);
            Remember(item.id, button);
            focus = button;
            return button;
        }
        }
    }

    QWidget* m_frame;
    QGridLayout* m_grid;
    QString m_title;
    BuiltPage& m_page;
    int m_row = -1;
    int m_col = 0;
    QString m_rowLabel;
    QMap<int, QString> m_headers;
    bool m_headerRow = false;
};

} // namespace

BuiltPage BuildPage(const PageDef& def, QWidget* parent)
{
    BuiltPage page;
    page.content = new QWidget(parent);
    auto* columns = new QHBoxLayout(page.content);
    columns->setSpacing(10);
    QVBoxLayout* column = nullptr;
    std::unique_ptr<GroupGrid> grid;

    auto newColumn = [&] {
        if (column)
            column->addStretch(1);
        column = new QVBoxLayout;
        column->setSpacing(6);
        columns->addLayout(column);
    };
    newColumn();
    for (int i = 0; i < def.itemCount; ++i) {
        const PageItem& item = def.items[i];
        switch (item.kind) {
        case PageItemKind::Column:
            newColumn();
            break;
        case PageItemKind::Group: {
            QWidget* frame;
            QString title;
            if (item.caption) {
                title = QString::fromUtf8(item.caption);
                frame = new QGroupBox(title, page.content);
            } else {
                frame = new QWidget(page.content); // controls outside any group
            }
            if (item.id) {
                TagControl(frame, item.id);
                if (!page.controls.contains(item.id))
                    page.controls.insert(item.id, frame);
                else
                    page.repeatedIds << item.id;
            }
            column->addWidget(frame);
            grid = std::make_unique<GroupGrid>(frame, title, page);
            break;
        }
        default:
            if (!grid) { // a table that starts without a group: outside any group
                auto* frame = new QWidget(page.content);
                column->addWidget(frame);
                grid = std::make_unique<GroupGrid>(frame, QString(), page);
            }
            grid->Add(item);
            break;
        }
    }
    if (column)
        column->addStretch(1);
    columns->addStretch(1);
    return page;
}

#include "PropertyGrid.h"

#include "ICustomItem.h"
#include "PropertyGridCalendar.h"
#include "PropertyGridListEditor.h"
#include "PropertyGridTextEditor.h"
#include "RuntimeDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <utility>

namespace {

using ItemKind = PropertyGrid::ItemKind;

// Ids of the controls in the long-text and the date and time dialogs.
constexpr int kLongTextEditId = 1001;
constexpr int kDateEditId = 1002;
constexpr int kTimeEditId = 1003;

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString dateTimeText(const QDateTime& dateTime)
{
    return dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

using IntegerRange = PropertyGrid::IntegerRange;

bool isSigned(IntegerRange range)
{
    return range == IntegerRange::Int32 || range == IntegerRange::Int64;
}

bool is32Bit(IntegerRange range)
{
    return range == IntegerRange::Int32 || range == IntegerRange::UInt32;
}

// What a whole-number row holds for these bits: a qlonglong in the signed ranges, a qulonglong
// in the unsigned ones, cut to the range's width.
QVariant wholeNumber(IntegerRange range, uint64_t bits)
{
    if (is32Bit(range))
        bits &= 0xFFFFFFFFu;
    switch (range) {
    case IntegerRange::Int32: return qlonglong(int32_t(uint32_t(bits)));
    case IntegerRange::Int64: return qlonglong(int64_t(bits));
    default: return qulonglong(bits);
    }
}

uint64_t bitsOf(IntegerRange range, const QVariant& value)
{
    return isSigned(range) ? uint64_t(value.toLongLong()) : value.toULongLong();
}

// A whole number as typed: decimal, or hexadecimal in hexadecimal mode or after "H'". In
// hexadecimal the digits are the bits of the range's width, so eight digits cover the negative
// numbers of a 32-bit row too. Nothing for text that is no number of the range.
std::optional<QVariant> parseInteger(QString text, bool hex, IntegerRange range)
{
    text = text.trimmed();
    if (text.startsWith(QLatin1String("H'"), Qt::CaseInsensitive)) {
        text = text.mid(2).trimmed();
        hex = true;
    }
    bool ok = false;
    if (hex) {
        const qulonglong bits = text.toULongLong(&ok, 16);
        if (!ok || (is32Bit(range) && bits > 0xFFFFFFFFu))
            return std::nullopt;
        return wholeNumber(range, bits);
    }
    if (isSigned(range)) {
        const qlonglong value = text.toLongLong(&ok, 10);
        if (!ok || (is32Bit(range) && (value < INT32_MIN || value > INT32_MAX)))
            return std::nullopt;
        return QVariant(value);
    }
    if (text.startsWith(QLatin1Char('-')))
        return std::nullopt;
    const qulonglong value = text.toULongLong(&ok, 10);
    if (!ok || (is32Bit(range) && value > 0xFFFFFFFFu))
        return std::nullopt;
    return QVariant(value);
}

std::optional<double> parseReal(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// Read-only values are told apart by a lighter grey than edited ones, but stay readable: the
// style's disabled text colour is too pale on white for values that matter.
QColor readOnlyText(const QPalette& colours)
{
    const QColor text = colours.color(QPalette::Text);
    const QColor base = colours.color(QPalette::Base);
    return QColor((text.red() * 11 + base.red() * 9) / 20, (text.green() * 11 + base.green() * 9) / 20,
                  (text.blue() * 11 + base.blue() * 9) / 20);
}

// Runs a dialog that the grid owns and returns what `take` reads from it once accepted;
// nothing when it was cancelled, or when the grid went away while it ran.
template <class Dialog, class Take>
std::optional<QVariant> runEditorDialog(QWidget* grid, Dialog* dialog, Take take)
{
    const QPointer<QWidget> gridAlive(grid);
    const QPointer<Dialog> guard(dialog);
    const int result = dialog->exec();
    std::optional<QVariant> value;
    if (gridAlive && guard && result == QDialog::Accepted)
        value = take(*dialog);
    delete guard.data();
    return gridAlive ? value : std::nullopt;
}

} // namespace

PropertyGrid::PropertyGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    QFont gridFont = font();
    gridFont.setFamily(QStringLiteral("Tahoma"));
    setFont(gridFont);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    relayout();
}

PropertyGrid::~PropertyGrid()
{
    // The editor must not report back into a grid that is half gone.
    if (m_editor) {
        m_editor->disconnect(this);
        delete m_editor;
    }
}

// Rows and sections --------------------------------------------------------------------------

PropertyGrid::Row* PropertyGrid::row(ItemId item)
{
    return const_cast<Row*>(std::as_const(*this).row(item));
}

const PropertyGrid::Row* PropertyGrid::row(ItemId item) const
{
    if (item < m_firstItem || item - m_firstItem >= m_rows.size())
        return nullptr;
    return &m_rows[item - m_firstItem];
}

PropertyGrid::Section* PropertyGrid::section(SectionId id)
{
    if (id < m_firstSection || id - m_firstSection >= m_sections.size())
        return nullptr;
    return &m_sections[id - m_firstSection];
}

PropertyGrid::SectionId PropertyGrid::addSection(const TextArg& name)
{
    m_sections.push_back({name.text(), false, {}});
    relayout();
    return m_firstSection + SectionId(m_sections.size() - 1);
}

PropertyGrid::ItemId PropertyGrid::addRow(SectionId sectionId, const QString& name, ItemKind kind, QVariant value,
                                            bool editable, QStringList choices)
{
    Section* owner = section(sectionId);
    if (!owner)
        return 0;
    if (m_widestName >= 0)
        m_widestName = std::max(m_widestName, fontMetrics().horizontalAdvance(name));
    m_rows.push_back({sectionId, name, kind, editable, std::move(value), std::move(choices), nullptr});
    const ItemId id = m_firstItem + ItemId(m_rows.size() - 1);
    owner->rows.push_back(id);
    relayout();
    return id;
}

PropertyGrid::ItemId PropertyGrid::addBoolItem(SectionId section, const TextArg& name, bool value, bool editable)
{
    return addRow(section, name.text(), ItemKind::Bool, value, editable);
}

PropertyGrid::ItemId PropertyGrid::addIntegerItem(SectionId section, const TextArg& name, int value, bool editable)
{
    return addRow(section, name.text(), ItemKind::Integer, qlonglong(value), editable);
}

PropertyGrid::ItemId PropertyGrid::addIntegerItem(SectionId section, const TextArg& name, IntegerRange range,
                                                    bool editable)
{
    const ItemId id = addRow(section, name.text(), ItemKind::Integer, wholeNumber(range, 0), editable);
    if (Row* added = row(id))
        added->range = range;
    return id;
}

PropertyGrid::ItemId PropertyGrid::addDoubleItem(SectionId section, const TextArg& name, double value, bool editable)
{
    return addRow(section, name.text(), ItemKind::Double, value, editable);
}

PropertyGrid::ItemId PropertyGrid::addStringItem(SectionId section, const TextArg& name, const TextArg& value,
                                                   bool editable)
{
    return addRow(section, name.text(), ItemKind::String, value.text(), editable);
}

PropertyGrid::ItemId PropertyGrid::addTextItem(SectionId section, const TextArg& name, const TextArg& value,
                                                 bool editable)
{
    return addRow(section, name.text(), ItemKind::Text, value.text(), editable);
}

PropertyGrid::ItemId PropertyGrid::addComboItem(SectionId section, const TextArg& name, const QStringList& choices,
                                                  int selected, bool editable)
{
    const int index = selected >= 0 && selected < choices.size() ? selected : -1;
    return addRow(section, name.text(), ItemKind::Combo, index, editable, choices);
}

PropertyGrid::ItemId PropertyGrid::addComboItem(SectionId section, const TextArg& name,
                                                  const std::vector<std::string>& choices, int selected, bool editable)
{
    QStringList list;
    for (const std::string& choice : choices)
        list.append(QString::fromStdString(choice));
    return addComboItem(section, name, list, selected, editable);
}

PropertyGrid::ItemId PropertyGrid::addDateItem(SectionId section, const TextArg& name, const QDate& value,
                                                 bool editable)
{
    return addRow(section, name.text(), ItemKind::Date, value, editable);
}

PropertyGrid::ItemId PropertyGrid::addDateTimeItem(SectionId section, const TextArg& name, const QDateTime& value,
                                                     bool editable)
{
    return addRow(section, name.text(), ItemKind::DateTime, value, editable);
}

PropertyGrid::ItemId PropertyGrid::addColorItem(SectionId section, const TextArg& name, const QColor& value,
                                                  bool editable)
{
    return addRow(section, name.text(), ItemKind::Color, value, editable);
}

PropertyGrid::ItemId PropertyGrid::addFontItem(SectionId section, const TextArg& name, const QFont& value,
                                                 bool editable)
{
    return addRow(section, name.text(), ItemKind::Font, value, editable);
}

PropertyGrid::ItemId PropertyGrid::addFolderItem(SectionId section, const TextArg& name, const TextArg& path,
                                                   bool editable)
{
    return addRow(section, name.text(), ItemKind::Folder, path.text(), editable);
}

PropertyGrid::ItemId PropertyGrid::addCustomItem(SectionId section, const TextArg& name,
                                                   std::unique_ptr<ICustomItem> item, bool editable)
{
    if (!item)
        return 0;
    const ItemId id = addRow(section, name.text(), ItemKind::Custom, {}, editable);
    if (Row* added = row(id))
        added->custom = std::move(item);
    return id;
}

void PropertyGrid::clear()
{
    closeEditor();
    m_firstSection += SectionId(m_sections.size());
    m_firstItem += ItemId(m_rows.size());
    m_sections.clear();
    m_rows.clear();
    m_widestName = 0;
    m_current = -1;
    relayout();
}

// Values -------------------------------------------------------------------------------------

QString PropertyGrid::textOf(const Row& r) const
{
    switch (r.kind) {
    case ItemKind::Bool: return r.value.toBool() ? m_trueText : m_falseText;
    case ItemKind::Integer: {
        if (m_hexMode) {
            const uint64_t bits = bitsOf(r.range, r.value) & (is32Bit(r.range) ? 0xFFFFFFFFu : ~uint64_t(0));
            return QString::asprintf("H' %llX", static_cast<unsigned long long>(bits));
        }
        return isSigned(r.range) ? QString::number(r.value.toLongLong()) : QString::number(r.value.toULongLong());
    }
    case ItemKind::Double: return QString::asprintf("%g", r.value.toDouble());
    case ItemKind::String:
    case ItemKind::Text:
    case ItemKind::Folder: return r.value.toString();
    case ItemKind::Combo: return r.choices.value(r.value.toInt());
    case ItemKind::Date: return dateText(r.value.toDate());
    case ItemKind::DateTime: return dateTimeText(r.value.toDateTime());
    case ItemKind::Color: {
        const QColor colour = r.value.value<QColor>();
        return QString::asprintf("%d; %d; %d", colour.red(), colour.green(), colour.blue());
    }
    case ItemKind::Font: {
        const QFont font = r.value.value<QFont>();
        return QStringLiteral("%1; %2pt").arg(font.family()).arg(font.pointSize());
    }
    case ItemKind::Custom: return r.custom ? r.custom->valueText() : QString();
    }
    return {};
}

QString PropertyGrid::valueText(ItemId item) const
{
    const Row* found = row(item);
    return found ? textOf(*found) : QString();
}

bool PropertyGrid::setValue(ItemId item, std::initializer_list<ItemKind> kinds, const QVariant& value)
{
    Row* found = row(item);
    if (!found || std::find(kinds.begin(), kinds.end(), found->kind) == kinds.end())
        return false;
    found->value = value;
    const QRect rect = valueRect(item);
    if (!rect.isEmpty())
        viewport()->update(rect);
    return true;
}

bool PropertyGrid::setItemValue(ItemId item, bool value)
{
    return setValue(item, {ItemKind::Bool}, value);
}

bool PropertyGrid::setItemValue(ItemId item, int value)
{
    return setWholeNumber(item, uint64_t(int64_t(value)), value < 0);
}

bool PropertyGrid::setItemValue(ItemId item, std::int64_t value)
{
    return setWholeNumber(item, uint64_t(value), value < 0);
}

bool PropertyGrid::setItemValue(ItemId item, std::uint64_t value)
{
    return setWholeNumber(item, value, false);
}

bool PropertyGrid::setWholeNumber(ItemId item, uint64_t bits, bool negative)
{
    const Row* found = row(item);
    if (!found)
        return false;
    const bool fitsInt = negative ? int64_t(bits) >= INT_MIN : bits <= uint64_t(INT_MAX);
    switch (found->kind) {
    case ItemKind::Integer: return setValue(item, {ItemKind::Integer}, wholeNumber(found->range, bits));
    case ItemKind::Double: return setValue(item, {ItemKind::Double}, negative ? double(int64_t(bits)) : double(bits));
    case ItemKind::Bool: return setValue(item, {ItemKind::Bool}, bits != 0);
    case ItemKind::Combo: {
        const int index = int(int64_t(bits));
        return fitsInt && index >= -1 && index < found->choices.size() && setValue(item, {ItemKind::Combo}, index);
    }
    default: return false;
    }
}

bool PropertyGrid::setItemValue(ItemId item, double value)
{
    return setValue(item, {ItemKind::Double}, value);
}

bool PropertyGrid::setItemValue(ItemId item, const QString& value)
{
    const Row* found = row(item);
    if (found && found->kind == ItemKind::Combo) {
        const int index = found->choices.indexOf(value);
        return index >= 0 && setValue(item, {ItemKind::Combo}, index);
    }
    return setValue(item, {ItemKind::String, ItemKind::Text, ItemKind::Folder}, value);
}

bool PropertyGrid::setItemValue(ItemId item, const std::string& value)
{
    return setItemValue(item, QString::fromStdString(value));
}

bool PropertyGrid::setItemValue(ItemId item, const char* value)
{
    return setItemValue(item, QString::fromUtf8(value));
}

bool PropertyGrid::setItemValue(ItemId item, const QDate& value)
{
    return setValue(item, {ItemKind::Date}, value);
}

bool PropertyGrid::setItemValue(ItemId item, const QDateTime& value)
{
    return setValue(item, {ItemKind::DateTime}, value);
}

bool PropertyGrid::setItemValue(ItemId item, const QColor& value)
{
    return setValue(item, {ItemKind::Color}, value);
}

bool PropertyGrid::setItemValue(ItemId item, const QFont& value)
{
    return setValue(item, {ItemKind::Font}, value);
}

bool PropertyGrid::getItemValue(ItemId item, bool& value) const
{
    const Row* found = row(item);
    if (!found || found->kind != ItemKind::Bool)
        return false;
    value = found->value.toBool();
    return true;
}

bool PropertyGrid::getItemValue(ItemId item, int& value) const
{
    const Row* found = row(item);
    if (!found || (found->kind != ItemKind::Integer && found->kind != ItemKind::Bool && found->kind != ItemKind::Combo))
        return false;
    // A wider whole number gives its low 32 bits.
    value = found->kind == ItemKind::Integer ? int(uint32_t(bitsOf(found->range, found->value))) : found->value.toInt();
    return true;
}

bool PropertyGrid::getItemValue(ItemId item, std::int64_t& value) const
{
    std::uint64_t bits = 0;
    if (!getItemValue(item, bits))
        return false;
    value = std::int64_t(bits);
    return true;
}

bool PropertyGrid::getItemValue(ItemId item, std::uint64_t& value) const
{
    const Row* found = row(item);
    if (!found)
        return false;
    if (found->kind == ItemKind::Integer)
        value = bitsOf(found->range, found->value);
    else if (found->kind == ItemKind::Bool || found->kind == ItemKind::Combo)
        value = std::uint64_t(std::int64_t(found->value.toInt()));
    else
        return false;
    return true;
}

bool PropertyGrid::getItemValue(ItemId item, double& value) const
{
    const Row* found = row(item);
    if (!found || (found->kind != ItemKind::Double && found->kind != ItemKind::Integer))
        return false;
    value = found->value.toDouble();
    return true;
}

bool PropertyGrid::getItemValue(ItemId item, QString& value) const
{
    const Row* found = row(item);
    if (!found)
        return false;
    value = textOf(*found);
    return true;
}

bool PropertyGrid::getItemValue(ItemId item, std::string& value) const
{
    QString text;
    if (!getItemValue(item, text))
        return false;
    value = text.toStdString();
    return true;
}

bool PropertyGrid::getItemValue(ItemId item, QDate& value) const
{
    const Row* found = row(item);
    if (!found || (found->kind != ItemKind::Date && found->kind != ItemKind::DateTime))
        return false;
    value = found->kind == ItemKind::Date ? found->value.toDate() : found->value.toDateTime().date();
    return true;
}

bool PropertyGrid::getItemValue(ItemId item, QDateTime& value) const
{
    const Row* found = row(item);
    if (!found || found->kind != ItemKind::DateTime)
        return false;
    value = found->value.toDateTime();
    return true;
}

bool PropertyGrid::getItemValue(ItemId item, QColor& value) const
{
    const Row* found = row(item);
    if (!found || found->kind != ItemKind::Color)
        return false;
    value = found->value.value<QColor>();
    return true;
}

bool PropertyGrid::getItemValue(ItemId item, QFont& value) const
{
    const Row* found = row(item);
    if (!found || found->kind != ItemKind::Font)
        return false;
    value = found->value.value<QFont>();
    return true;
}

void PropertyGrid::setBoolTexts(const TextArg& trueText, const TextArg& falseText)
{
    m_trueText = trueText.text();
    m_falseText = falseText.text();
    viewport()->update();
}

void PropertyGrid::setDateTimeCaptions(const TextArg& dateCaption, const TextArg& timeCaption)
{
    m_dateCaption = dateCaption.text();
    m_timeCaption = timeCaption.text();
}

void PropertyGrid::setHexMode(bool hex)
{
    m_hexMode = hex;
    viewport()->update();
}

void PropertyGrid::setSectionCollapsed(SectionId id, bool collapsed)
{
    Section* found = section(id);
    if (!found || found->collapsed == collapsed)
        return;
    closeEditor();
    found->collapsed = collapsed;
    relayout();
}

// Layout and painting ------------------------------------------------------------------------

void PropertyGrid::relayout()
{
    const QFontMetrics metrics = fontMetrics();
    m_rowHeight = metrics.height() + 6;
    m_lines.clear();
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        const SectionId id = m_firstSection + SectionId(i);
        m_lines.push_back({id, 0});
        if (!m_sections[i].collapsed) {
            for (ItemId item : m_sections[i].rows)
                m_lines.push_back({id, item});
        }
    }
    // Measured once per font; adding a row measures only its own name, so that filling the
    // grid with thousands of rows stays linear.
    if (m_widestName < 0) {
        m_widestName = 0;
        for (const Row& r : m_rows)
            m_widestName = std::max(m_widestName, metrics.horizontalAdvance(r.name));
    }
    // The names get the room they need, but leave at least two fifths to the values.
    const int cap = std::max(3 * m_rowHeight, viewport()->width() * 3 / 5);
    m_nameWidth = std::clamp(m_rowHeight + m_widestName + 12, std::min(3 * m_rowHeight, cap), cap);
    m_current = std::min(m_current, int(m_lines.size()) - 1);

    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, int(m_lines.size()) * m_rowHeight - viewport()->height()));
    bar->setPageStep(viewport()->height());
    bar->setSingleStep(m_rowHeight);
    if (m_editor && m_editor->parentWidget() == viewport())
        m_editor->setGeometry(valueRect(m_editing).adjusted(1, 0, 0, -1));
    viewport()->update();
}

int PropertyGrid::lineOf(ItemId item) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].item == item)
            return int(i);
    }
    return -1;
}

int PropertyGrid::lineAt(int y) const
{
    const int line = (y + verticalScrollBar()->value()) / m_rowHeight;
    return y >= 0 && line < int(m_lines.size()) ? line : -1;
}

QRect PropertyGrid::lineRect(int line) const
{
    return QRect(0, line * m_rowHeight - verticalScrollBar()->value(), viewport()->width(), m_rowHeight);
}

QRect PropertyGrid::valueRect(ItemId item) const
{
    const int line = item ? lineOf(item) : -1;
    if (line < 0)
        return {};
    const QRect rect = lineRect(line);
    return QRect(m_nameWidth, rect.top(), rect.width() - m_nameWidth, rect.height());
}

void PropertyGrid::setCurrentLine(int line)
{
    if (m_lines.empty())
        return;
    m_current = std::clamp(line, 0, int(m_lines.size()) - 1);
    QScrollBar* bar = verticalScrollBar();
    const int top = m_current * m_rowHeight;
    if (top < bar->value())
        bar->setValue(top);
    else if (top + m_rowHeight > bar->value() + viewport()->height())
        bar->setValue(top + m_rowHeight - viewport()->height());
    viewport()->update();
}

void PropertyGrid::toggleSection(SectionId id)
{
    if (const Section* found = section(id))
        setSectionCollapsed(id, !found->collapsed);
}

void PropertyGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int first = verticalScrollBar()->value() / m_rowHeight;
    for (int line = first; line < int(m_lines.size()); ++line) {
        const QRect rect = lineRect(line);
        if (rect.top() >= viewport()->height())
            break;
        const Line& l = m_lines[std::size_t(line)];
        if (l.item == 0)
            paintHeading(painter, rect, *section(l.section), line == m_current);
        else
            paintRow(painter, rect, *row(l.item), line == m_current);
    }
}

void PropertyGrid::paintHeading(QPainter& painter, const QRect& rect, const Section& s, bool current) const
{
    const QPalette& colours = palette();
    painter.fillRect(rect, colours.button());
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());

    // The expander: a small box with a minus, or a plus while the section is collapsed.
    const QRect box(rect.left() + (m_rowHeight - 9) / 2, rect.top() + (m_rowHeight - 9) / 2, 8, 8);
    painter.setPen(colours.color(QPalette::ButtonText));
    painter.drawRect(box);
    painter.drawLine(box.left() + 2, box.center().y(), box.right() - 2, box.center().y());
    if (s.collapsed)
        painter.drawLine(box.center().x(), box.top() + 2, box.center().x(), box.bottom() - 2);

    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    QRect textRect = rect.adjusted(m_rowHeight, 1, -4, -1);
    textRect.setWidth(std::min(textRect.width(), metrics.horizontalAdvance(s.name) + 8));
    if (current) {
        const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
        painter.fillRect(textRect, colours.brush(group, QPalette::Highlight));
        painter.setPen(colours.color(group, QPalette::HighlightedText));
    }
    painter.setFont(bold);
    painter.drawText(textRect.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     metrics.elidedText(s.name, Qt::ElideRight, rect.width() - m_rowHeight - 8));
    painter.setFont(font());
}

void PropertyGrid::paintRow(QPainter& painter, const QRect& rect, const Row& r, bool current) const
{
    const QPalette& colours = palette();
    const QFontMetrics metrics = fontMetrics();
    const QRect indent(rect.left(), rect.top(), m_rowHeight, rect.height());
    const QRect nameCell(m_rowHeight, rect.top(), m_nameWidth - m_rowHeight, rect.height());
    const QRect valueCell(m_nameWidth, rect.top(), rect.width() - m_nameWidth, rect.height());
    painter.fillRect(indent, colours.button());

    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    painter.fillRect(nameCell, current ? colours.brush(group, QPalette::Highlight) : colours.base());
    painter.setPen(colours.color(group, current ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(nameCell.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     metrics.elidedText(r.name, Qt::ElideRight, nameCell.width() - 8));

    painter.fillRect(valueCell, colours.base());
    if (r.custom) {
        r.custom->drawValue(painter, valueCell.adjusted(0, 0, 0, -1), this, r.editable);
    } else {
        QRect textRect = valueCell.adjusted(4, 0, -4, 0);
        if (r.kind == ItemKind::Color) {
            const int side = rect.height() - 8;
            const QRect swatch(textRect.left(), rect.top() + 4, side, side);
            painter.fillRect(swatch, r.value.value<QColor>());
            painter.setPen(colours.color(QPalette::Text));
            painter.drawRect(swatch.adjusted(0, 0, -1, -1));
            textRect.setLeft(swatch.right() + 6);
        }
        // A long text shows on one line; its line breaks as spaces.
        QString text = textOf(r);
        text.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
        painter.setPen(r.editable ? colours.color(QPalette::Text) : readOnlyText(colours));
        painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                         metrics.elidedText(text, Qt::ElideRight, textRect.width()));
    }

    painter.setPen(colours.color(QPalette::Button).darker(115));
    painter.drawLine(nameCell.left(), rect.bottom(), rect.right(), rect.bottom());
    painter.drawLine(m_nameWidth - 1, rect.top(), m_nameWidth - 1, rect.bottom());
}

void PropertyGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void PropertyGrid::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_widestName = -1;
        relayout();
    }
}

void PropertyGrid::scrollContentsBy(int, int)
{
    if (m_editor && m_editor->parentWidget() == viewport())
        m_editor->setGeometry(valueRect(m_editing).adjusted(1, 0, 0, -1));
    viewport()->update();
}

// Mouse and keys -----------------------------------------------------------------------------

void PropertyGrid::mousePressEvent(QMouseEvent* event)
{
    m_pressedLine = -1;
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const int line = lineAt(pos.y());
    if (line < 0)
        return;
    setCurrentLine(line);
    const Line clicked = m_lines[std::size_t(line)];
    if (clicked.item == 0)
        toggleSection(clicked.section);
    else if (pos.x() >= m_nameWidth)
        m_pressedLine = line;
}

void PropertyGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const int pressed = std::exchange(m_pressedLine, -1);
    const QPoint pos = event->position().toPoint();
    // A click is a press and a release on the same value.
    if (event->button() == Qt::LeftButton && pressed >= 0 && lineAt(pos.y()) == pressed && pos.x() >= m_nameWidth)
        editItem(m_lines[std::size_t(pressed)].item);
}

void PropertyGrid::keyPressEvent(QKeyEvent* event)
{
    const int pageLines = std::max(1, viewport()->height() / m_rowHeight);
    const Line* current = m_current >= 0 ? &m_lines[std::size_t(m_current)] : nullptr;
    switch (event->key()) {
    case Qt::Key_Up: setCurrentLine(m_current - 1); break;
    case Qt::Key_Down: setCurrentLine(m_current + 1); break;
    case Qt::Key_PageUp: setCurrentLine(m_current - pageLines); break;
    case Qt::Key_PageDown: setCurrentLine(m_current + pageLines); break;
    case Qt::Key_Home: setCurrentLine(0); break;
    case Qt::Key_End: setCurrentLine(int(m_lines.size()) - 1); break;
    case Qt::Key_Left:
        if (current && current->item == 0) {
            setSectionCollapsed(current->section, true);
        } else if (current) {
            int heading = m_current;
            while (heading > 0 && m_lines[std::size_t(heading)].item != 0)
                --heading;
            setCurrentLine(heading);
        }
        break;
    case Qt::Key_Right:
        if (current && current->item == 0)
            setSectionCollapsed(current->section, false);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
    case Qt::Key_Space:
        if (current && current->item == 0)
            toggleSection(current->section);
        else if (current)
            editItem(current->item);
        break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

// Editing ------------------------------------------------------------------------------------

bool PropertyGrid::editItem(ItemId item)
{
    const Row* r = row(item);
    if (!r || !r->editable)
        return false;
    closeEditor();
    if (lineOf(item) < 0)
        setSectionCollapsed(r->section, false);
    setCurrentLine(lineOf(item));
    const QRect cell = valueRect(item);
    switch (r->kind) {
    case ItemKind::Bool:
    case ItemKind::Combo: startChoice(item, cell); break;
    case ItemKind::Integer:
    case ItemKind::Double:
    case ItemKind::String: startInPlaceEdit(item, cell); break;
    case ItemKind::Date: startCalendar(item, cell); break;
    case ItemKind::Text: editLongText(item); break;
    case ItemKind::DateTime: editDateTime(item); break;
    case ItemKind::Color:
    case ItemKind::Font:
    case ItemKind::Folder: editWithChooser(item); break;
    case ItemKind::Custom: {
        const QPointer<PropertyGrid> alive(this);
        const bool accepted = r->custom->edit(viewport(), cell);
        if (alive && accepted && row(item)) {
            viewport()->update();
            emit itemChanged(item);
        }
        break;
    }
    }
    return true;
}

void PropertyGrid::startInPlaceEdit(ItemId item, const QRect& cell)
{
    const Row& r = *row(item);
    // A real number is offered with all its digits, not rounded as "%g" shows it.
    const QString original = r.kind == ItemKind::Double
        ? QString::number(r.value.toDouble(), 'g', QLocale::FloatingPointShortest)
        : textOf(r);
    auto* edit = new PropertyGridTextEditor(original, viewport());
    edit->setGeometry(cell.adjusted(1, 0, 0, -1));
    m_editor = edit;
    m_editing = item;
    connect(edit, &PropertyGridTextEditor::editAccepted, this, [this, item](const QString& text) {
        const Row* edited = row(item);
        if (!edited) {
            closeEditor();
            return;
        }
        QVariant value = text;
        if (edited->kind == ItemKind::Integer) {
            value = parseInteger(text, m_hexMode, edited->range).value_or(QVariant());
        } else if (edited->kind == ItemKind::Double) {
            const std::optional<double> number = parseReal(text);
            value = number ? QVariant(*number) : QVariant();
        }
        if (!value.isValid()) {
            // Not a number: the row keeps its value.
            closeEditor();
            QApplication::beep();
            return;
        }
        acceptEdit(item, value);
    });
    connect(edit, &PropertyGridTextEditor::editCancelled, this, &PropertyGrid::closeEditor);
    edit->show();
    edit->setFocus(Qt::OtherFocusReason);
}

void PropertyGrid::startChoice(ItemId item, const QRect& cell)
{
    const Row& r = *row(item);
    const bool isBool = r.kind == ItemKind::Bool;
    const QStringList choices = isBool ? QStringList{m_trueText, m_falseText} : r.choices;
    const int current = isBool ? (r.value.toBool() ? 0 : 1) : r.value.toInt();
    auto* combo = new PropertyGridListEditor(choices, current, viewport());
    combo->setGeometry(cell.adjusted(1, 0, 0, -1));
    m_editor = combo;
    m_editing = item;
    connect(combo, &PropertyGridListEditor::choiceAccepted, this, [this, item, isBool](int index) {
        acceptEdit(item, isBool ? QVariant(index == 0) : QVariant(index));
    });
    connect(combo, &PropertyGridListEditor::editCancelled, this, &PropertyGrid::closeEditor);
    combo->show();
    combo->setFocus(Qt::OtherFocusReason);
    combo->showPopup();
}

void PropertyGrid::startCalendar(ItemId item, const QRect& cell)
{
    auto* calendar = new PropertyGridCalendar(row(item)->value.toDate(), this);
    calendar->adjustSize();
    // Below the value, or above it where the screen ends.
    QPoint at = viewport()->mapToGlobal(cell.bottomLeft());
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + calendar->height() > room.bottom())
            at.setY(viewport()->mapToGlobal(cell.topLeft()).y() - calendar->height());
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - calendar->width())));
    }
    calendar->move(at);
    m_editor = calendar;
    m_editing = item;
    connect(calendar, &PropertyGridCalendar::dateAccepted, this,
            [this, item](const QDate& date) { acceptEdit(item, date); });
    connect(calendar, &PropertyGridCalendar::editCancelled, this, &PropertyGrid::closeEditor);
    calendar->show();
    calendar->setFocus(Qt::OtherFocusReason);
}

void PropertyGrid::editLongText(ItemId item)
{
    QString text = row(item)->value.toString();
    auto* dialog = new RuntimeDialog(this);
    dialog->setWindowTitle(row(item)->name);
    dialog->setUseStandardButtons(true);
    dialog->addDlgControl(QStringLiteral("EDIT"), {},
                          RuntimeDialogItem::Multiline | RuntimeDialogItem::WantReturn | RuntimeDialogItem::VScroll,
                          RuntimeDialogItem::ClientEdge, QRect(7, 7, 220, 90), &text, kLongTextEditId);
    if (const std::optional<QVariant> value = runEditorDialog(this, dialog, [&text](RuntimeDialog&) { return text; }))
        acceptEdit(item, *value);
}

void PropertyGrid::editDateTime(ItemId item)
{
    QDateTime value = row(item)->value.toDateTime();
    if (!value.isValid())
        value = QDateTime::currentDateTime();
    QDate date = value.date();
    QTime time = value.time();
    auto* dialog = new RuntimeDialog(this);
    dialog->setWindowTitle(row(item)->name);
    dialog->setUseStandardButtons(true);
    const auto none = RuntimeDialogItem::NoStyle;
    const auto plain = RuntimeDialogItem::NoExStyle;
    const QString label = QStringLiteral("STATIC");
    const QString picker = QStringLiteral("SysDateTimePick32");
    dialog->addDlgControl(label, m_dateCaption, none, plain, QRect(7, 9, 36, 8));
    dialog->addDlgControl(picker, {}, none, plain, QRect(46, 7, 69, 13), &date, kDateEditId);
    dialog->addDlgControl(label, m_timeCaption, none, plain, QRect(7, 27, 36, 8));
    dialog->addDlgControl(picker, {}, RuntimeDialogItem::TimeFormat, plain, QRect(46, 25, 69, 13), &time, kTimeEditId);
    const auto take = [&](RuntimeDialog&) {
        QDateTime chosen = value;
        chosen.setDate(date);
        chosen.setTime(time);
        return chosen;
    };
    if (const std::optional<QVariant> chosen = runEditorDialog(this, dialog, take))
        acceptEdit(item, *chosen);
}

void PropertyGrid::editWithChooser(ItemId item)
{
    const Row& r = *row(item);
    std::optional<QVariant> chosen;
    switch (r.kind) {
    case ItemKind::Color:
        chosen = runEditorDialog(this, new QColorDialog(r.value.value<QColor>(), this),
                                 [](QColorDialog& dialog) { return dialog.selectedColor(); });
        break;
    case ItemKind::Font:
        chosen = runEditorDialog(this, new QFontDialog(r.value.value<QFont>(), this),
                                 [](QFontDialog& dialog) { return dialog.selectedFont(); });
        break;
    default: {
        auto* dialog = new QFileDialog(this, QStringLiteral("Choose a directory"), r.value.toString());
        dialog->setFileMode(QFileDialog::Directory);
        dialog->setOption(QFileDialog::ShowDirsOnly);
        chosen = runEditorDialog(this, dialog, [](QFileDialog& d) { return d.selectedFiles().value(0); });
        break;
    }
    }
    if (chosen)
        acceptEdit(item, *chosen);
}

void PropertyGrid::acceptEdit(ItemId item, const QVariant& value)
{
    closeEditor();
    Row* edited = row(item);
    if (!edited)
        return;
    // Reported even when the value stays as it was: the owner may want the same value again
    // (a command register triggered once more).
    edited->value = value;
    viewport()->update();
    emit itemChanged(item);
}

void PropertyGrid::closeEditor()
{
    m_editing = 0;
    QWidget* editor = m_editor;
    if (!editor)
        return;
    m_editor = nullptr;
    const bool hadFocus = editor->hasFocus();
    editor->disconnect(this);
    editor->hide();
    editor->deleteLater();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
}

#include "RuntimeDialogItem.h"

#include "UpDownControl.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>

#include <array>
#include <optional>

namespace {

// In code order: the first six are the standard classes of dialog templates.
constexpr std::array<const char*, 19> kClassNames = {
    "BUTTON",           "EDIT",          "STATIC",           "LISTBOX",           "SCROLLBAR",
    "COMBOBOX",         "msctls_updown32", "msctls_progress32", "msctls_trackbar32", "msctls_hotkey32",
    "SysListView32",    "SysTreeView32", "SysTabControl32",  "SysAnimate32",      "RICHEDIT",
    "SysDateTimePick32", "SysMonthCal32", "SysIPAddress32",  "ComboBoxEx32",
};
static_assert(kClassNames.size() == RuntimeDialogItem::kLastClassCode - RuntimeDialogItem::kFirstClassCode + 1);

enum ClassIndex {
    Button, Edit, Static, ListBox, ScrollBar, ComboBox, UpDown, Progress, TrackBar, HotKey,
    ListView, TreeView, TabControl, Animate, RichEdit, DateTimePick, MonthCal, IpAddress, ComboBoxEx
};

using Style = RuntimeDialogItem::Style;
using ExStyle = RuntimeDialogItem::ExStyle;

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};

Qt::Alignment textAlignment(Style style)
{
    if (style & RuntimeDialogItem::CenterText)
        return Qt::AlignHCenter;
    if (style & RuntimeDialogItem::RightText)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

bool framed(Style style, ExStyle exStyle)
{
    return (style & RuntimeDialogItem::Border) || exStyle != RuntimeDialogItem::NoExStyle;
}

void applyFrame(QFrame* frame, Style style, ExStyle exStyle)
{
    if (exStyle & RuntimeDialogItem::ClientEdge)
        frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    else if (exStyle & RuntimeDialogItem::StaticEdge)
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    else if (style & RuntimeDialogItem::Border)
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    else
        frame->setFrameStyle(QFrame::NoFrame);
}

void applyScrollBars(QAbstractScrollArea* area, Style style)
{
    area->setVerticalScrollBarPolicy((style & RuntimeDialogItem::VScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    area->setHorizontalScrollBarPolicy((style & RuntimeDialogItem::HScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

QWidget* makeButton(const QString& caption, Style style, QWidget* parent)
{
    if (style & RuntimeDialogItem::GroupBox)
        return new QGroupBox(caption, parent);
    if (style & RuntimeDialogItem::CheckBox)
        return new QCheckBox(caption, parent);
    if (style & RuntimeDialogItem::RadioButton)
        return new QRadioButton(caption, parent);
    auto* button = new QPushButton(caption, parent);
    button->setDefault(style & RuntimeDialogItem::DefaultButton);
    return button;
}

QWidget* makeEdit(const QString& caption, Style style, ExStyle exStyle, QWidget* parent)
{
    if (style & RuntimeDialogItem::Multiline) {
        auto* edit = new QPlainTextEdit(caption, parent);
        edit->setReadOnly(style & RuntimeDialogItem::ReadOnly);
        edit->setLineWrapMode((style & RuntimeDialogItem::HScroll) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        // Tab moves on to the next control, as everywhere else in a dialog.
        edit->setTabChangesFocus(true);
        applyScrollBars(edit, style);
        applyFrame(edit, style, exStyle);
        return edit;
    }
    auto* edit = new QLineEdit(caption, parent);
    edit->setReadOnly(style & RuntimeDialogItem::ReadOnly);
    edit->setEchoMode((style & RuntimeDialogItem::Password) ? QLineEdit::Password : QLineEdit::Normal);
    edit->setAlignment(textAlignment(style) | Qt::AlignVCenter);
    edit->setFrame(framed(style, exStyle));
    return edit;
}

QWidget* makeDateTimePicker(Style style, QWidget* parent)
{
    auto* picker = new QDateTimeEdit(parent);
    if (style & RuntimeDialogItem::TimeFormat) {
        picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    } else {
        picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        picker->setCalendarPopup(true);
    }
    return picker;
}

QWidget* makeControl(int index, const QString& caption, int id, Style style, ExStyle exStyle, QWidget* parent)
{
    const Qt::Orientation orientation = (style & RuntimeDialogItem::Vertical) ? Qt::Vertical : Qt::Horizontal;
    switch (index) {
    case Button: return makeButton(caption, style, parent);
    case Edit: return makeEdit(caption, style, exStyle, parent);
    case Static: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment(textAlignment(style) | Qt::AlignTop);
        label->setWordWrap(true);
        applyFrame(label, style, exStyle);
        return label;
    }
    case ListBox: {
        auto* list = new QListWidget(parent);
        applyFrame(list, style, exStyle);
        return list;
    }
    case ScrollBar: return new QScrollBar(orientation, parent);
    case ComboBox:
    case ComboBoxEx: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(style & RuntimeDialogItem::Editable);
        return combo;
    }
    case UpDown: return new UpDownControl(id, parent);
    case Progress: {
        auto* bar = new QProgressBar(parent);
        bar->setOrientation(orientation);
        bar->setTextVisible(false);
        return bar;
    }
    case TrackBar: return new QSlider(orientation, parent);
    case HotKey: return new QKeySequenceEdit(parent);
    case ListView:
    case TreeView: {
        auto* tree = new QTreeWidget(parent);
        tree->setRootIsDecorated(index == TreeView);
        tree->setHeaderHidden(index == TreeView);
        applyFrame(tree, style, exStyle);
        return tree;
    }
    case TabControl: return new QTabWidget(parent);
    case Animate: return new QLabel(parent);
    case RichEdit: {
        auto* edit = new QTextEdit(parent);
        edit->setPlainText(caption);
        edit->setReadOnly(style & RuntimeDialogItem::ReadOnly);
        edit->setTabChangesFocus(true);
        applyScrollBars(edit, style);
        applyFrame(edit, style, exStyle);
        return edit;
    }
    case DateTimePick: return makeDateTimePicker(style, parent);
    case MonthCal: return new QCalendarWidget(parent);
    case IpAddress: {
        auto* edit = new QLineEdit(parent);
        edit->setInputMask(QStringLiteral("000.000.000.000;_"));
        edit->setText(caption);
        return edit;
    }
    default: return nullptr;
    }
}

std::optional<QString> readText(const QWidget* control)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(control))
        return edit->toPlainText();
    if (auto* edit = qobject_cast<const QTextEdit*>(control))
        return edit->toPlainText();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (auto* list = qobject_cast<const QListWidget*>(control))
        return list->currentItem() ? list->currentItem()->text() : QString();
    if (auto* keys = qobject_cast<const QKeySequenceEdit*>(control))
        return keys->keySequence().toString(QKeySequence::PortableText);
    return std::nullopt;
}

void writeText(QWidget* control, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(control))
        edit->setPlainText(text);
    else if (auto* edit = qobject_cast<QTextEdit*>(control))
        edit->setPlainText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->isEditable() ? combo->setEditText(text) : combo->setCurrentIndex(combo->findText(text));
    else if (auto* list = qobject_cast<QListWidget*>(control)) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        list->setCurrentItem(found.isEmpty() ? nullptr : found.first());
    } else if (auto* keys = qobject_cast<QKeySequenceEdit*>(control))
        keys->setKeySequence(QKeySequence(text, QKeySequence::PortableText));
}

std::optional<int> readNumber(const QWidget* control)
{
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentIndex();
    if (auto* list = qobject_cast<const QListWidget*>(control))
        return list->currentRow();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->isChecked() ? 1 : 0;
    if (auto* slider = qobject_cast<const QAbstractSlider*>(control))
        return slider->value();
    if (auto* bar = qobject_cast<const QProgressBar*>(control))
        return bar->value();
    if (auto* upDown = qobject_cast<const UpDownControl*>(control))
        return upDown->position();
    if (auto* tabs = qobject_cast<const QTabWidget*>(control))
        return tabs->currentIndex();
    return std::nullopt;
}

void writeNumber(QWidget* control, int value)
{
    if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setCurrentIndex(value);
    else if (auto* list = qobject_cast<QListWidget*>(control))
        list->setCurrentRow(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setChecked(value != 0);
    else if (auto* slider = qobject_cast<QAbstractSlider*>(control))
        slider->setValue(value);
    else if (auto* bar = qobject_cast<QProgressBar*>(control))
        bar->setValue(value);
    else if (auto* upDown = qobject_cast<UpDownControl*>(control))
        upDown->setPosition(value);
    else if (auto* tabs = qobject_cast<QTabWidget*>(control))
        tabs->setCurrentIndex(value);
}

} // namespace

int RuntimeDialogItem::classCode(const QString& className)
{
    for (std::size_t i = 0; i < kClassNames.size(); ++i) {
        if (className == QLatin1String(kClassNames[i]))
            return kFirstClassCode + int(i);
    }
    return 0;
}

QString RuntimeDialogItem::className(int classCode)
{
    if (classCode < kFirstClassCode || classCode > kLastClassCode)
        return {};
    return QLatin1String(kClassNames[std::size_t(classCode - kFirstClassCode)]);
}

RuntimeDialogItem::RuntimeDialogItem(QString className, QString caption, int id, Style style, ExStyle exStyle,
                                   const QRect& rect, Binding binding)
    : m_className(std::move(className)), m_caption(std::move(caption)), m_id(id), m_style(style),
      m_exStyle(exStyle), m_rect(rect), m_binding(binding)
{
}

QWidget* RuntimeDialogItem::createControl(QWidget* parent) const
{
    const int code = classCode(m_className);
    if (code == 0)
        return nullptr;
    QWidget* control = makeControl(code - kFirstClassCode, m_caption, m_id, m_style, m_exStyle, parent);
    if (control) {
        control->setEnabled(!(m_style & Disabled));
        if (m_style & Hidden)
            control->hide();
    }
    return control;
}

void RuntimeDialogItem::loadData(QWidget* control) const
{
    std::visit(Overloaded{
                   [](std::monostate) {},
                   [control](QString* text) { writeText(control, *text); },
                   [control](int* value) { writeNumber(control, *value); },
                   [control](bool* on) { writeNumber(control, *on ? 1 : 0); },
                   [control](QDate* date) {
                       if (auto* picker = qobject_cast<QDateTimeEdit*>(control))
                           picker->setDate(*date);
                       else if (auto* calendar = qobject_cast<QCalendarWidget*>(control))
                           calendar->setSelectedDate(*date);
                   },
                   [control](QTime* time) {
                       if (auto* picker = qobject_cast<QDateTimeEdit*>(control))
                           picker->setTime(*time);
                   },
                   [control](QDateTime* dateTime) {
                       if (auto* picker = qobject_cast<QDateTimeEdit*>(control))
                           picker->setDateTime(*dateTime);
                   },
               },
               m_binding);
}

QString RuntimeDialogItem::problem(const QWidget* control) const
{
    const bool dateOrTime = std::holds_alternative<QDate*>(m_binding) || std::holds_alternative<QTime*>(m_binding)
        || std::holds_alternative<QDateTime*>(m_binding);
    auto* picker = qobject_cast<const QDateTimeEdit*>(control);
    // A picker whose field was cleared or half typed holds no date or time at all.
    if (dateOrTime && picker && !picker->hasAcceptableInput())
        return QStringLiteral("Invalid DateTime");
    return {};
}

void RuntimeDialogItem::saveData(const QWidget* control) const
{
    auto* picker = qobject_cast<const QDateTimeEdit*>(control);
    std::visit(Overloaded{
                   [](std::monostate) {},
                   [control](QString* text) {
                       if (const std::optional<QString> value = readText(control))
                           *text = *value;
                   },
                   [control](int* value) {
                       if (const std::optional<int> number = readNumber(control))
                           *value = *number;
                   },
                   [control](bool* on) {
                       if (const std::optional<int> number = readNumber(control))
                           *on = *number != 0;
                   },
                   [control, picker](QDate* date) {
                       if (picker)
                           *date = picker->date();
                       else if (auto* calendar = qobject_cast<const QCalendarWidget*>(control))
                           *date = calendar->selectedDate();
                   },
                   [picker](QTime* time) {
                       if (picker)
                           *time = picker->time();
                   },
                   [picker](QDateTime* dateTime) {
                       if (picker)
                           *dateTime = picker->dateTime();
                   },
               },
               m_binding);
}

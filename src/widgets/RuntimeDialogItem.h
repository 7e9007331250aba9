#pragma once
// One control of a run-time dialog (RuntimeDialog): the window class to create, known by name
// ("EDIT", "SysDateTimePick32", ...) or by its code, its caption, id, style, rectangle in
// dialog units, and an optional variable bound to it. The dialog fills the control from the
// variable when it starts and writes the control's value back only when it is accepted.
#include <QDate>
#include <QDateTime>
#include <QFlags>
#include <QRect>
#include <QString>
#include <QTime>

#include <variant>

class QWidget;

class RuntimeDialogItem {
public:
    // What a control looks like and how it behaves, beyond its class. Flags that do not
    // concern a class are ignored by it.
    enum StyleFlag : unsigned {
        NoStyle = 0,
        Hidden = 1u << 0,        // created but not shown
        Disabled = 1u << 1,
        Border = 1u << 2,        // thin frame
        VScroll = 1u << 3,       // multi-line edits and lists: vertical scroll bar
        HScroll = 1u << 4,       // multi-line edits: no wrapping, horizontal scroll bar
        DefaultButton = 1u << 5, // BUTTON: pressed by Enter
        CheckBox = 1u << 6,      // BUTTON kinds; a plain push button without these
        RadioButton = 1u << 7,
        GroupBox = 1u << 8,
        Multiline = 1u << 9,     // EDIT
        WantReturn = 1u << 10,   // multi-line EDIT: Enter starts a new line instead of
                                 // pressing the default button
        ReadOnly = 1u << 11,
        Password = 1u << 12,
        CenterText = 1u << 13,
        RightText = 1u << 14,
        Vertical = 1u << 15,     // scroll bar, track bar, progress bar
        Editable = 1u << 16,     // COMBOBOX: typed entries besides the list
        TimeFormat = 1u << 17,   // SysDateTimePick32: a time instead of a date
    };
    Q_DECLARE_FLAGS(Style, StyleFlag)

    enum ExStyleFlag : unsigned {
        NoExStyle = 0,
        ClientEdge = 1u << 0, // sunken frame
        StaticEdge = 1u << 1, // flat frame
    };
    Q_DECLARE_FLAGS(ExStyle, ExStyleFlag)

    // The variable bound to a control. Text suits edits, static texts, lists and combo boxes
    // (their chosen entry's text); int suits lists and combo boxes (the chosen index), check
    // and radio buttons (0 or 1), scroll, track and progress bars, up/down controls and tab
    // controls; bool suits check and radio buttons; the date and time kinds suit the date and
    // time picker, a date also the month calendar. A binding the control cannot hold is
    // ignored.
    using Binding = std::variant<std::monostate, QString*, int*, bool*, QDate*, QTime*, QDateTime*>;

    // Codes of the known classes, from 128 upwards in the order "BUTTON", "EDIT", "STATIC",
    // "LISTBOX", "SCROLLBAR", "COMBOBOX", "msctls_updown32", ..., "ComboBoxEx32" (146).
    static constexpr int kFirstClassCode = 128;
    static constexpr int kLastClassCode = 146;
    // 0 for a class name that is not known.
    static int classCode(const QString& className);
    // Empty for a code that is not known.
    static QString className(int classCode);

    RuntimeDialogItem(QString className, QString caption, int id, Style style, ExStyle exStyle,
                     const QRect& rect, Binding binding = {});

    const QString& className() const { return m_className; }
    const QString& caption() const { return m_caption; }
    int id() const { return m_id; }
    Style style() const { return m_style; }
    ExStyle exStyle() const { return m_exStyle; }
    // x, y, width and height in dialog units.
    const QRect& rect() const { return m_rect; }
    const Binding& binding() const { return m_binding; }

    // Makes the control as a child of parent, not yet placed; nullptr when the class is not
    // one that can be made here.
    QWidget* createControl(QWidget* parent) const;
    // Puts the bound variable's value into the control.
    void loadData(QWidget* control) const;
    // Why the control's value cannot be taken (the text to show the person), or empty.
    QString problem(const QWidget* control) const;
    // Writes the control's value into the bound variable; call after problem() came back empty.
    void saveData(const QWidget* control) const;

private:
    QString m_className;
    QString m_caption;
    int m_id;
    Style m_style;
    ExStyle m_exStyle;
    QRect m_rect;
    Binding m_binding;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(RuntimeDialogItem::Style)
Q_DECLARE_OPERATORS_FOR_FLAGS(RuntimeDialogItem::ExStyle)

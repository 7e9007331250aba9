#pragma once
// A modal dialog put together at run time from a list of controls (RuntimeDialogItem) rather
// than from a fixed window class: code adds the controls with their rectangles in dialog
// units just before the dialog runs. Asked for, it adds the standard "OK" and cancel buttons
// below the lowest control. Running it returns the id of the button that ended it.
//
// Keys behave as in any dialog: Enter presses the default button (with none, it accepts as
// OK would), Escape and the close button cancel. Accepting first takes every bound control's
// value; a control that holds no acceptable value is reported and the dialog stays open.
#include "RuntimeDialogItem.h"

#include <QDialog>
#include <QFont>
#include <QSize>

#include <optional>
#include <vector>

class RuntimeDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;

    enum DialogStyleFlag : unsigned {
        NoDialogStyle = 0,
        Caption = 1u << 0,    // a title bar
        SystemMenu = 1u << 1, // a close button in the title bar
        Resizable = 1u << 2,  // a sizing frame; otherwise the size is fixed
    };
    Q_DECLARE_FLAGS(DialogStyle, DialogStyleFlag)

    // The owner is the dialog's parent: the dialog is centred on it and takes its font.
    explicit RuntimeDialog(QWidget* owner = nullptr);
    ~RuntimeDialog() override;

    void setDialogStyle(DialogStyle style) { m_style = style; }
    DialogStyle dialogStyle() const { return m_style; }
    // The client size in dialog units. The dialog grows when its controls need more room.
    void setDialogSize(const QSize& units) { m_sizeUnits = units; }
    // A font of the dialog's own, used instead of the owner's.
    void setDialogFont(const QString& face, int pointSize);
    // Adds "OK" and the cancel button when the dialog starts, after the controls added by then.
    void setUseStandardButtons(bool use) { m_useStandardButtons = use; }
    void setCancelCaption(const QString& caption) { m_cancelCaption = caption; }

    // Appends a control. The rectangle is x, y, width and height in dialog units; ids of 0 or
    // below mean no id. Controls are made when the dialog starts, in the order added.
    void addDlgControl(const QString& className, const QString& caption, RuntimeDialogItem::Style style,
                       RuntimeDialogItem::ExStyle exStyle, const QRect& rect,
                       RuntimeDialogItem::Binding binding = {}, int id = 0);
    // The same with the class given by its code (128 "BUTTON" to 146 "ComboBoxEx32").
    void addDlgControl(int classCode, const QString& caption, RuntimeDialogItem::Style style,
                       RuntimeDialogItem::ExStyle exStyle, const QRect& rect,
                       RuntimeDialogItem::Binding binding = {}, int id = 0);
    // Appends "OK" (id 1, the default button) and the cancel button (id 2) in a row 6 dialog
    // units below the lowest control, 14 units high: OK from x 10 to 60, cancel 55 units
    // further right.
    void addStandardButtons();

    const std::vector<RuntimeDialogItem>& items() const { return m_items; }
    // The font the dialog runs with: its own if set, else the owner's, else the active
    // window's (the stand-in for the program's main window), else "MS Sans Serif" at 8 points.
    QFont dialogFont() const;
    // The control made for an id, once the dialog has started; nullptr before or when none.
    QWidget* control(int id) const;

    // Runs the dialog modally: 1 for OK, 2 for Cancel, or the code given to endDialog().
    int doModal();
    int exec() override { return doModal(); }
    // Ends the dialog with that code without taking the controls' values.
    void endDialog(int result) { done(result); }
    // Makes the controls before the dialog is first shown, and fills them at every showing.
    void setVisible(bool visible) override;

signals:
    // A push button other than OK and Cancel was pressed; the dialog stays open.
    void commandButton(int id);

public slots:
    // Takes the bound controls' values and ends with 1; stays open when one is not acceptable.
    void accept() override;
    void reject() override { done(kIdCancel); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void loadData();
    void pressDefaultButton();

    DialogStyle m_style = DialogStyle(Caption | SystemMenu);
    QSize m_sizeUnits;
    std::optional<QFont> m_font;
    bool m_useStandardButtons = false;
    QString m_cancelCaption = QStringLiteral("Cancel");
    std::vector<RuntimeDialogItem> m_items;
    std::vector<QWidget*> m_controls; // one per item, nullptr where none could be made
    bool m_built = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(RuntimeDialog::DialogStyle)

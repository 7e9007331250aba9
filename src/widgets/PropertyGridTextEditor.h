#pragma once
// The one-line editor that the property grid lays over the value of a number or short text
// row. Enter, Tab or moving the focus elsewhere accepts the text; Escape cancels. Either
// ends the edit once; the grid then removes the editor.
#include <QLineEdit>

class PropertyGridTextEditor : public QLineEdit {
    Q_OBJECT
public:
    PropertyGridTextEditor(const QString& text, QWidget* parent);

signals:
    void editAccepted(const QString& text);
    void editCancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void finish(bool accepted);

    bool m_finished = false;
};

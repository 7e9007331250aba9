#pragma once
// The drop-down list that the property grid opens over the value of a bool or list row. It
// opens with its list showing; choosing an entry accepts it, closing the list without a
// choice (Escape, a click elsewhere) cancels. Either ends the edit once.
#include <QComboBox>

class PropertyGridListEditor : public QComboBox {
    Q_OBJECT
public:
    PropertyGridListEditor(const QStringList& choices, int current, QWidget* parent);

    void showPopup() override;

signals:
    void choiceAccepted(int index);
    void editCancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish(bool accepted, int index = -1);

    bool m_finished = false;
};

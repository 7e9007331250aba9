#pragma once
// The month calendar that the property grid opens below the value of a date row, as a popup.
// Clicking a day or pressing Enter on one accepts it; Escape or a click outside the calendar
// cancels. Either ends the edit once.
#include <QCalendarWidget>

class PropertyGridCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    PropertyGridCalendar(const QDate& date, QWidget* parent);

signals:
    void dateAccepted(const QDate& date);
    void editCancelled();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void finish(bool accepted, const QDate& date = {});

    bool m_finished = false;
};

#include "PropertyGridCalendar.h"

PropertyGridCalendar::PropertyGridCalendar(const QDate& date, QWidget* parent) : QCalendarWidget(parent)
{
    setWindowFlags(Qt::Popup);
    setGridVisible(true);
    setSelectedDate(date.isValid() ? date : QDate::currentDate());
    connect(this, &QCalendarWidget::clicked, this, [this](QDate day) { finish(true, day); });
    connect(this, &QCalendarWidget::activated, this, [this](QDate day) { finish(true, day); });
}

void PropertyGridCalendar::hideEvent(QHideEvent* event)
{
    QCalendarWidget::hideEvent(event);
    finish(false);
}

void PropertyGridCalendar::finish(bool accepted, const QDate& date)
{
    if (m_finished)
        return;
    m_finished = true;
    if (accepted)
        emit dateAccepted(date);
    else
        emit editCancelled();
}

#pragma once
// A small page of real controls that answers look-ups by control id, as the main window does.
#include "ControlLookup.h"
#include "NumberBox.h"
#include "UpDownControl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>

#include <vector>

// A page of real controls, found by id as the main window finds them.
class TestPage : public QWidget, public ControlLookup {
public:
    TestPage() { m_layout = new QVBoxLayout(this); }

    QWidget* FindControl(int ctrlId) const override
    {
        return findChild<QWidget*>(QStringLiteral("ctrl_%1").arg(ctrlId));
    }

    NumberBox* AddBox(int boxId, int spinId)
    {
        auto* box = new NumberBox(boxId, this);
        m_layout->addWidget(box);
        if (spinId) {
            auto* spin = new UpDownControl(spinId, this);
            m_layout->addWidget(spin);
            spin->setBuddy(box);
        }
        return box;
    }
    QComboBox* AddList(int id, const QStringList& items)
    {
        auto* list = new QComboBox(this);
        tag(list, id);
        list->addItems(items);
        return list;
    }
    // A check box or push button captioned with its id.
    template <class Button>
    Button* Add(int id)
    {
        auto* button = new Button(QString::number(id), this);
        tag(button, id);
        return button;
    }
    // A radio group: the first id starts the group; the group is exclusive on its own.
    QList<QRadioButton*> AddRadioGroup(const std::vector<int>& ids)
    {
        auto* group = new QButtonGroup(this);
        QList<QRadioButton*> buttons;
        for (size_t i = 0; i < ids.size(); ++i) {
            auto* radio = new QRadioButton(QString::number(ids[i]), this);
            tag(radio, ids[i]);
            if (i == 0)
                radio->setProperty("groupStart", true);
            group->addButton(radio);
            buttons.append(radio);
        }
        return buttons;
    }
    UpDownControl* Spin(int id) const { return findChild<UpDownControl*>(QStringLiteral("ctrl_%1").arg(id)); }
    NumberBox* Box(int id) const { return findChild<NumberBox*>(QStringLiteral("ctrl_%1").arg(id)); }
    QComboBox* List(int id) const { return findChild<QComboBox*>(QStringLiteral("ctrl_%1").arg(id)); }

private:
    void tag(QWidget* w, int id)
    {
        w->setProperty("ctrlId", id);
        w->setObjectName(QStringLiteral("ctrl_%1").arg(id));
        m_layout->addWidget(w);
    }
    QVBoxLayout* m_layout;
};

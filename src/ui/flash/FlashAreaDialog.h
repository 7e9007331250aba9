#pragma once
// "Parameter Flash Area Select": the modal choice of a flash memory area to load settings
// from or store them into. Built for one command; after OK, Area() is the chosen area.
#include "FlashAreas.h"
#include "OnlineStatusUpdater.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;

class FlashAreaDialog : public QDialog, public OnlineStatusUpdater {
    Q_OBJECT
public:
    FlashAreaDialog(QWidget* owner, FlashAreas::Purpose purpose);
    ~FlashAreaDialog() override;

    // The area of the chosen entry; FlashAreas::kInvalidArea before OK.
    int Area() const { return m_area; }
    // The chosen entry's text, as the person saw it.
    std::string AreaName() const;
    QComboBox* AreaList() const { return m_list; }

    void accept() override;

private:
    QLabel* m_prompt;
    QComboBox* m_list;
    int m_area = FlashAreas::kInvalidArea;
};

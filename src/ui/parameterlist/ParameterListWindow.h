#pragma once
// The parameter list "XML": the camera's features as rows of a property grid, one section per
// category of its feature description, read with "Read All Data" and written when a row is
// changed. Above the grid it names the camera (manufacturer, model and serial number from its
// bootstrap registers) and where the features came from. Modeless; created once with the main
// window and shown from the Utility menu. The window only arranges and forwards: the camera
// side (ParameterList) reads and writes the registers.
#include "OnlineStatusUpdater.h"
#include "ParameterList.h"
#include "PropertyGrid.h"

#include <QDialog>

#include <unordered_map>

class Camera;
class QLabel;
class QPushButton;

class ParameterListWindow : public QDialog, public OnlineStatusUpdater, private ParameterList::View {
    Q_OBJECT
public:
    explicit ParameterListWindow(Camera& camera, QWidget* owner = nullptr);
    ~ParameterListWindow() override;

    // Asks the camera who it is and for its feature description (or takes the one shipped for
    // its model) and lists the features, under the progress window.
    void LoadFeatures();
    // "Read All Data": every readable feature from the camera, under the progress window.
    void ReadAllData();

    PropertyGrid* Grid() const { return m_grid; }
    QLabel* Header() const { return m_header; }
    QLabel* Note() const { return m_note; }
    QPushButton* ReadAllButton() const { return m_readAll; }
    ParameterList& List() { return m_list; }
    // The grid row of a feature by its name in the description; 0 when it is not listed.
    PropertyGrid::ItemId RowOf(const std::string& featureName) const;

private:
    Camera& m_camera;
    void ShowValue(size_t record, const RowValue& value) override;
    void fillGrid();
    void onRowChanged(PropertyGrid::ItemId row);
    void showIdentity();

    ParameterList m_list{m_camera};
    QLabel* m_header;
    QLabel* m_note;
    PropertyGrid* m_grid;
    QPushButton* m_readAll;
    QPushButton* m_close;
    std::unordered_map<PropertyGrid::ItemId, size_t> m_recordOfRow;
    bool m_busy = false;
};

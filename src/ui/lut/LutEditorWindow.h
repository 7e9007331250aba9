#pragma once
// The LUT editor of one colour channel ("LUT Setting for Red/Green/Blue"): the channel's
// table shown as a curve on a 260 x 260 graph, edit points through which a smooth curve is
// laid (the mouse adds, moves and deletes them in Edit Mode), the table read from and written
// to the camera, and the table turned back into edit points. Three exist for the whole run
// (LutFeature); each is a top-level window created hidden. What the table and the points do
// is LutCurve's; the transfers are LutTransfer's; this class arranges and forwards.
//
// Mouse positions are the editor's client pixels; the graph lies at (160, 20).
#include "LutCurve.h"
#include "OnlineStatusUpdater.h"

#include <QDialog>
#include <QPointer>

class Camera;
class LutGraph;
class NumberBox;
class QLabel;
class QPushButton;
class UpDownControl;

class LutEditorWindow : public QDialog, public OnlineStatusUpdater {
    Q_OBJECT
public:
    static constexpr int kGraphLeft = 160;
    static constexpr int kGraphTop = 20;
    static constexpr int kInitialConvertPoints = 8;

    LutEditorWindow(Camera& camera, int channel);
    ~LutEditorWindow() override;

    // The window initialisation: joins the online-status notifier and the window lock list,
    // takes its title and its place (50 pixels right and down per channel from the screen's
    // corner), a cleared curve in Edit Mode. Runs once.
    void Initialize();
    // Where the progress of a transfer shows while this editor is hidden (the main window).
    void SetProgressOwner(QWidget* owner) { m_progressOwner = owner; }

    // The button commands.
    // Reads this channel's table from the camera; View Mode afterwards, whatever came. True
    // when all 32 entries came.
    bool ReadFromCamera();
    // Writes this editor's table into the channel's camera table (0 red, 1 green, 2 blue).
    bool WriteToCamera(int channel);
    // Writes this editor's table into all three camera tables, red first; stops at the first
    // channel the camera did not take completely.
    bool WriteToAllTables();
    void ClearTableData();
    // Turns the table into as many edit points as the spin shows.
    void ConvertEditable();

    void SetMode(LutCurve::Mode mode);
    // Repaints the graph (and so the LUT line).
    void Invalidate();

    int Channel() const { return m_channel; }
    LutCurve& Curve() { return m_curve; }
    LutGraph* Graph() const { return m_graph; }
    QString ModeText() const;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Camera& m_camera;
    QPushButton* addButton(const char* text, const char* name, QWidget* parent);
    void buildControls();

    const int m_channel;
    LutCurve m_curve;
    LutGraph* m_graph = nullptr;
    QLabel* m_modeText = nullptr;
    NumberBox* m_pointCount = nullptr;
    UpDownControl* m_spin = nullptr;
    QPointer<QWidget> m_progressOwner;
    int m_height = 0;
    bool m_initialized = false;
};

#pragma once
// The lookup tables on the main window: the three LUT editors (red, green, blue; only the
// green one is ever shown, by "Open LUT Table", as "LUT Setting for Monochrome"), the LUT
// menu ("&Open LUT file", "&Save LUT file", "&Load all LUT table") and the LUT-mode rule's
// part for the editor (FollowLutMode).
#include "Feature.h"

#include <array>
#include <memory>
#include <string>

class Camera;
class LutEditorWindow;
class ControlAdapter;
class QWidget;

class LutFeature : public Feature {
public:
    // Both belong to the main window and outlive this object. The editors are created here,
    // in the order red, green, blue; their windows are initialised when the window's are.
    LutFeature(Camera& camera, QWidget* mainWindow, ControlAdapter& controls);
    ~LutFeature() override;

    std::vector<Claim> Claims() override;
    std::vector<MenuClaim> MenuClaims() override;
    std::vector<MomentClaim> Moments() override;

    LutEditorWindow& Editor(int channel) const { return *m_editors[size_t(channel)]; }

    // "Open LUT Table": the green editor shown as the monochrome one.
    void OpenTable();
    // The LUT-mode rule has been applied: with a mode other than "Gamma" or "LUT" the shown
    // editor is hidden.
    void FollowLutMode();
    // "&Open LUT file": asks for a file and loads it.
    void OpenLutFile();
    // Reads the red, green and blue tables from the camera, stopping at the first read that
    // fails; true when all three came. One action: the windows stay locked throughout.
    bool LoadAll();
    // "&Open LUT file" once a file is chosen: a sound file fills the editors (the rows it
    // has) and puts them into View Mode; a file with any fault changes nothing.
    bool LoadFile(const std::string& path);

private:
    Camera& m_camera;
    void saveLutFile();
    bool writeTables(const std::string& path) const;

    QWidget* m_mainWindow;
    ControlAdapter& m_controls;
    std::array<std::unique_ptr<LutEditorWindow>, 3> m_editors;
};

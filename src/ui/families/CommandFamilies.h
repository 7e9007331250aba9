#pragma once
// The window side of the command-line families: lists whose command needs an encoding of
// its own (counter resets, signal sources, binning, the gain mode, the factory baud rate)
// are sent with the family's line when a person chooses an entry. The lines themselves are the
// camera layer's (Camera).
#include "Feature.h"

#include <cstdint>

class Camera;
class ControlAdapter;
class ParameterControls;

class CommandFamilies : public Feature {
public:
    CommandFamilies(Camera& camera, ControlAdapter& controls, ParameterControls& parameters);

    std::vector<Claim> Claims() override;

    // The list's value through its family mapping, written and acknowledged; the row follows
    // what the camera accepted. 0 for a list outside the families or a refusal.
    int ListSet(int listId);
    // The value a list set sends for a list at a selection; -1 for a list outside them.
    int32_t ListSetValue(int listId, int selection) const;

private:
    Camera& m_camera;
    ControlAdapter& m_controls;
    ParameterControls& m_parameters;
};

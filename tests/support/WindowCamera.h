#pragma once
// The camera that a window test's windows are built on, as Program hands one to the main
// window: made on first use on the process-wide settings store, made afresh by Fresh (a
// window built before must be gone by then). Header-only: test support does not link the
// camera layer.
#include "Camera.h"

#include <memory>

namespace WindowCamera {

inline std::unique_ptr<Camera>& Slot()
{
    static std::unique_ptr<Camera> camera;
    return camera;
}

inline Camera& Get()
{
    if (!Slot())
        Slot() = std::make_unique<Camera>();
    return *Slot();
}

// A camera as a fresh run sees it: its link settings read again, nothing open, no values.
inline Camera& Fresh()
{
    Slot() = std::make_unique<Camera>();
    return *Slot();
}

} // namespace WindowCamera

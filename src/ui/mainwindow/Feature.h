#pragma once
// A feature of the main window: a class that claims the controls, push buttons and menu
// entries it serves and the moments of the program's fixed sequences it joins, each claim with
// the handler that serves it, so what a feature claims and what it does cannot drift apart.
// Features are built and registered in one place (the program's composition root); none of
// them pokes hooks into another. A moment that one feature raises and one other serves is no
// moment: the composition root hands the one the other.
//
// A control change is routed as: every Before claim, then the one Instead claim or, without
// one, the generic parameter path; then, when the change went through, every After claim.
// Claims and moments are served in registration order. User-interface thread only.
#include <functional>
#include <vector>

enum class When { Before, Instead, After };

// Points of the program's fixed sequences where other features join in. The sequence that
// owns a point raises it; the features that joined it are called in registration order.
enum class Moment {
    StartupWindowsReady, // start-up: the windows exist; they join the lists and show
    StartupConnected,    // start-up: the connection answered; the camera is read
    StartupTabsBuilt,    // start-up: the tabs are built; pending rows are sent
    StartupCompleted,    // a connected start-up ends: lists, rules, ranges, status
    StartupWindowShown,  // the main window is up after its first show: the windows
                         // beside it come to the front
    ControlModeChanged,  // the factory-mode switch changed the Control Mode
    ExposureLimitsDue,   // the exposure rows take the exposure-time limits
    ExposureTimesDue,    // the automatic functions' exposure displays are re-read
    ListValuesAttached,  // the lists got their item values: lists built from the
                         // camera's answers follow
};

class Feature {
public:
    using Handler = std::function<void()>;

    // A control this feature serves in one phase of its change.
    struct Claim {
        int ctrlId;
        When when;
        Handler handler;
    };
    // A menu command this feature carries out; its entry is enabled.
    struct MenuClaim {
        int commandId;
        Handler handler;
    };
    // A moment this feature joins.
    struct MomentClaim {
        Moment moment;
        Handler handler;
    };

    virtual ~Feature() = default;

    // Read once, when the feature is registered; the handlers are called from then on.
    virtual std::vector<Claim> Claims() { return {}; }
    virtual std::vector<MenuClaim> MenuClaims() { return {}; }
    virtual std::vector<MomentClaim> Moments() { return {}; }
};

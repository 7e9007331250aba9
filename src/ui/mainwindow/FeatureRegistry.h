#pragma once
// The features of the main window, in registration order, and the routing of control
// claims, menu commands and moments to them. A feature's claims and menu commands are read
// once, when it is added. The main window owns one.
#include "Feature.h"

#include <memory>
#include <vector>

class FeatureRegistry {
public:
    // Takes the feature. A second Instead claim on a control, or a second feature for a
    // menu command, is a programming error: it is refused (false) and the feature dropped.
    bool Add(std::unique_ptr<Feature> feature);

    bool HasInstead(int ctrlId) const;
    // Every claim of that phase on the control, in registration order.
    void RunControl(int ctrlId, When when);
    bool HasMenu(int commandId) const;
    void RunMenu(int commandId);
    void Raise(Moment moment);

    // The registered feature of that class, or nullptr (tests and the composition root).
    template <class T>
    T* Find() const
    {
        for (const Entry& entry : m_entries)
            if (auto* found = dynamic_cast<T*>(entry.feature.get()))
                return found;
        return nullptr;
    }

private:
    struct Entry {
        std::unique_ptr<Feature> feature;
        std::vector<Feature::Claim> claims;
        std::vector<int> menuCommands;
        bool Claims(int ctrlId, When when) const;
        bool Carries(int commandId) const;
    };
    std::vector<Entry> m_entries;
};

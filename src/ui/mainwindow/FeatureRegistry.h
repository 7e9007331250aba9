#pragma once
// The features of the main window, in registration order, and the routing of control
// claims, menu commands and moments to their handlers. The main window owns one.
#include "Feature.h"

#include <memory>
#include <stdexcept>
#include <vector>

// Two claims that cannot both be served: a programming error that stops the program's start.
// The message names the features and the claim.
class FeatureClash : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class FeatureRegistry {
public:
    // Takes the feature with its claims. Throws FeatureClash, and keeps nothing of the
    // feature, when a claim clashes: a second Instead claim on a control, a second feature
    // for a menu command, or one feature claiming a control twice in one phase.
    void Add(std::unique_ptr<Feature> feature);

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
        for (const auto& feature : m_features)
            if (auto* found = dynamic_cast<T*>(feature.get()))
                return found;
        return nullptr;
    }

private:
    template <class C>
    struct Owned {
        C claim;
        const Feature* owner;
    };
    std::vector<std::unique_ptr<Feature>> m_features;
    std::vector<Owned<Feature::Claim>> m_claims;
    std::vector<Owned<Feature::MenuClaim>> m_menu;
    std::vector<Owned<Feature::MomentClaim>> m_moments;
};

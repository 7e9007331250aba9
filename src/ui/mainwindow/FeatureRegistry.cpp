#include "FeatureRegistry.h"

#include <algorithm>

bool FeatureRegistry::Entry::Claims(int ctrlId, When when) const
{
    return std::any_of(claims.begin(), claims.end(),
                       [&](const Feature::Claim& c) { return c.ctrlId == ctrlId && c.when == when; });
}

bool FeatureRegistry::Entry::Carries(int commandId) const
{
    return std::find(menuCommands.begin(), menuCommands.end(), commandId) != menuCommands.end();
}

bool FeatureRegistry::Add(std::unique_ptr<Feature> feature)
{
    if (!feature)
        return false;
    Entry entry{nullptr, feature->Claims(), feature->MenuCommands()};
    for (const Feature::Claim& claim : entry.claims)
        if (claim.when == When::Instead && HasInstead(claim.ctrlId))
            return false;
    for (int command : entry.menuCommands)
        if (HasMenu(command))
            return false;
    entry.feature = std::move(feature);
    m_entries.push_back(std::move(entry));
    return true;
}

bool FeatureRegistry::HasInstead(int ctrlId) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const Entry& e) { return e.Claims(ctrlId, When::Instead); });
}

void FeatureRegistry::RunControl(int ctrlId, When when)
{
    for (const Entry& entry : m_entries)
        if (entry.Claims(ctrlId, when))
            entry.feature->OnControl(ctrlId, when);
}

bool FeatureRegistry::HasMenu(int commandId) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.Carries(commandId); });
}

void FeatureRegistry::RunMenu(int commandId)
{
    for (const Entry& entry : m_entries)
        if (entry.Carries(commandId)) {
            entry.feature->OnMenu(commandId);
            return;
        }
}

void FeatureRegistry::Raise(Moment moment)
{
    for (const Entry& entry : m_entries)
        entry.feature->OnMoment(moment);
}

#include "FeatureRegistry.h"

#include <algorithm>
#include <string>
#include <typeinfo>

#if defined(__GNUG__)
#include <cxxabi.h>
#include <cstdlib>
#endif

namespace {

// The feature's class name, for the clash message.
std::string NameOf(const Feature& feature)
{
    const char* raw = typeid(feature).name();
#if defined(__GNUG__)
    int status = 0;
    if (char* readable = abi::__cxa_demangle(raw, nullptr, nullptr, &status)) {
        std::string name(readable);
        std::free(readable);
        return name;
    }
#endif
    return raw;
}

const char* PhaseName(When when)
{
    switch (when) {
    case When::Before:
        return "before";
    case When::Instead:
        return "instead of";
    case When::After:
        return "after";
    }
    return "";
}

} // namespace

void FeatureRegistry::Add(std::unique_ptr<Feature> feature)
{
    if (!feature)
        return;
    const Feature* owner = feature.get();
    std::vector<Feature::Claim> claims = feature->Claims();
    std::vector<Feature::MenuClaim> menu = feature->MenuClaims();
    std::vector<Feature::MomentClaim> moments = feature->Moments();

    auto clash = [&](const std::string& text) {
        throw FeatureClash("The features clash, the program cannot start: " + text);
    };
    for (auto it = claims.begin(); it != claims.end(); ++it) {
        const auto same = [&](const Feature::Claim& c) { return c.ctrlId == it->ctrlId && c.when == it->when; };
        if (std::any_of(claims.begin(), it, same))
            clash(NameOf(*owner) + " claims control " + std::to_string(it->ctrlId) + " twice "
                  + PhaseName(it->when) + " the parameter path.");
        if (it->when != When::Instead)
            continue;
        for (const auto& held : m_claims)
            if (held.claim.ctrlId == it->ctrlId && held.claim.when == When::Instead)
                clash(NameOf(*held.owner) + " and " + NameOf(*owner) + " both claim control "
                      + std::to_string(it->ctrlId) + " instead of the parameter path.");
    }
    for (auto it = menu.begin(); it != menu.end(); ++it) {
        const auto same = [&](const Feature::MenuClaim& c) { return c.commandId == it->commandId; };
        if (std::any_of(menu.begin(), it, same))
            clash(NameOf(*owner) + " claims menu command " + std::to_string(it->commandId) + " twice.");
        for (const auto& held : m_menu)
            if (held.claim.commandId == it->commandId)
                clash(NameOf(*held.owner) + " and " + NameOf(*owner) + " both claim menu command "
                      + std::to_string(it->commandId) + ".");
    }

    for (auto& claim : claims)
        m_claims.push_back({std::move(claim), owner});
    for (auto& claim : menu)
        m_menu.push_back({std::move(claim), owner});
    for (auto& claim : moments)
        m_moments.push_back({std::move(claim), owner});
    m_features.push_back(std::move(feature));
}

bool FeatureRegistry::HasInstead(int ctrlId) const
{
    return std::any_of(m_claims.begin(), m_claims.end(), [&](const auto& held) {
        return held.claim.ctrlId == ctrlId && held.claim.when == When::Instead;
    });
}

void FeatureRegistry::RunControl(int ctrlId, When when)
{
    for (size_t i = 0; i < m_claims.size(); ++i)
        if (m_claims[i].claim.ctrlId == ctrlId && m_claims[i].claim.when == when)
            m_claims[i].claim.handler();
}

bool FeatureRegistry::HasMenu(int commandId) const
{
    return std::any_of(m_menu.begin(), m_menu.end(),
                       [&](const auto& held) { return held.claim.commandId == commandId; });
}

void FeatureRegistry::RunMenu(int commandId)
{
    for (size_t i = 0; i < m_menu.size(); ++i)
        if (m_menu[i].claim.commandId == commandId) {
            m_menu[i].claim.handler();
            return;
        }
}

void FeatureRegistry::Raise(Moment moment)
{
    for (size_t i = 0; i < m_moments.size(); ++i)
        if (m_moments[i].claim.moment == moment)
            m_moments[i].claim.handler();
}

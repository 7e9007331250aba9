#include "AlcStatus.h"

#include "Camera.h"
#include "ControlAdapter.h"
#include "Ids.h"

std::vector<Feature::Claim> AlcStatus::Claims()
{
    return {{CtrlId::AlcStatusRead, When::Instead, [this] { Read(); }}};
}

void AlcStatus::Read()
{
    static const char* const kStates[] = {"OFF", "AIC", "ASC", "AGC"};
    int32_t value = 0;
    if (!m_camera.QueryPlain(CmdIndex::ALCST, value))
        return;
    // A state the program does not know leaves the box empty.
    m_controls.SetText(CtrlId::AlcStatusBox, value >= 0 && value < 4 ? QString::fromLatin1(kStates[value]) : QString());
}

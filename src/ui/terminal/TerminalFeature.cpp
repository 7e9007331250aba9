#include "TerminalFeature.h"

#include "TerminalWindow.h"
#include "Ids.h"

std::vector<Feature::Claim> TerminalFeature::Claims() const
{
    return {{CtrlId::TerminalButton, When::Instead}};
}

void TerminalFeature::OnControl(int, When)
{
    m_terminal.show();
    m_terminal.raise();
}

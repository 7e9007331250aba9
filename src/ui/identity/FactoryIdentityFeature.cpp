#include "FactoryIdentityFeature.h"

#include "Camera.h"
#include "ControlAdapter.h"
#include "FactoryIdentity.h"
#include "Ids.h"

#include <QLineEdit>

namespace {

constexpr int kXmlBoxes[] = {CtrlId::XmlVersionMajor, CtrlId::XmlVersionMinor, CtrlId::XmlVersionPatch};

} // namespace

std::vector<Feature::Claim> FactoryIdentityFeature::Claims() const
{
    return {{CtrlId::WriteModelId, When::Instead},
            {CtrlId::ReadXmlVersion, When::Instead},
            {CtrlId::WriteXmlVersion, When::Instead}};
}

void FactoryIdentityFeature::OnControl(int ctrlId, When when)
{
    if (when != When::Instead)
        return;
    switch (ctrlId) {
    case CtrlId::WriteModelId:
        WriteModelId();
        break;
    case CtrlId::ReadXmlVersion:
        ReadXmlVersion();
        break;
    case CtrlId::WriteXmlVersion:
        WriteXmlVersion();
        break;
    default:
        break;
    }
}

void FactoryIdentityFeature::WriteModelId()
{
    FactoryIdentity::WriteModelId(m_camera, m_controls.ListSelection(CtrlId::CameraModelList));
}

void FactoryIdentityFeature::ReadXmlVersion()
{
    const std::optional<FactoryIdentity::XmlDigits> digits = FactoryIdentity::ReadXmlVersion(m_camera);
    if (!digits)
        return;
    for (size_t i = 0; i < digits->size(); ++i)
        m_controls.SetText(kXmlBoxes[i], QString::fromStdString((*digits)[i]));
}

void FactoryIdentityFeature::WriteXmlVersion()
{
    FactoryIdentity::XmlDigits boxes;
    for (size_t i = 0; i < boxes.size(); ++i)
        if (auto* box = qobject_cast<QLineEdit*>(m_controls.Find(kXmlBoxes[i])))
            boxes[i] = box->text().trimmed().toStdString();
    FactoryIdentity::WriteXmlVersion(m_camera, boxes);
}

#include "FactoryIdentityFeature.h"

#include "Camera.h"
#include "ControlAdapter.h"
#include "FactoryIdentity.h"
#include "Ids.h"

#include <QLineEdit>

namespace {

constexpr int kXmlBoxes[] = {CtrlId::XmlVersionMajor, CtrlId::XmlVersionMinor, CtrlId::XmlVersionPatch};

} // namespace

std::vector<Feature::Claim> FactoryIdentityFeature::Claims()
{
    return {{CtrlId::WriteModelId, When::Instead, [this] { WriteModelId(); }},
            {CtrlId::ReadXmlVersion, When::Instead, [this] { ReadXmlVersion(); }},
            {CtrlId::WriteXmlVersion, When::Instead, [this] { WriteXmlVersion(); }}};
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

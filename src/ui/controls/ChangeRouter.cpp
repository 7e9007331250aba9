#include "ChangeRouter.h"

#include "FeatureRegistry.h"
#include "NumberBox.h"
#include "ParameterControls.h"
#include "UpDownControl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QWidget>

namespace {

constexpr const char* kAttachedProperty = "changeRouterAttached";

int ctrlIdOf(const QObject* object)
{
    const QVariant id = object->property("ctrlId");
    return id.isValid() ? id.toInt() : 0;
}

// The events each control class can raise.
bool fits(ControlClass kind, ControlEvent event)
{
    switch (event) {
    case ControlEvent::Clicked:
        return kind == ControlClass::PushButton || kind == ControlClass::CheckBox || kind == ControlClass::Radio;
    case ControlEvent::FocusLost:
        return kind == ControlClass::NumberBox;
    case ControlEvent::SelectionChanged:
        return kind == ControlClass::DropDown;
    case ControlEvent::SpinStep:
        return kind == ControlClass::Spin;
    }
    return false;
}

} // namespace

ChangeRouter::ChangeRouter(const ControlLookup& lookup, FeatureRegistry& features, QObject* parent)
    : QObject(parent), m_lookup(lookup), m_features(features)
{
}

void ChangeRouter::Attach(QWidget* root)
{
    if (!root)
        return;
    QList<QWidget*> controls = root->findChildren<QWidget*>();
    controls.prepend(root);
    for (QWidget* w : controls) {
        const int id = ctrlIdOf(w);
        if (id <= 0 || w->property(kAttachedProperty).toBool())
            continue;
        w->setProperty(kAttachedProperty, true);
        if (auto* box = qobject_cast<NumberBox*>(w)) {
            connect(box, &NumberBox::commitRequested, this,
                    [this](int boxId) { RouteNotification(boxId, ControlEvent::FocusLost); });
        } else if (auto* spin = qobject_cast<UpDownControl*>(w)) {
            connect(spin, &UpDownControl::stepRequested, this, [this](int spinId, int position, int step) {
                RouteNotification(spinId, ControlEvent::SpinStep, position, step);
            });
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            connect(list, &QComboBox::activated, this,
                    [this, id](int) { RouteNotification(id, ControlEvent::SelectionChanged); });
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, id] { RouteNotification(id, ControlEvent::Clicked); });
        }
    }
}

void ChangeRouter::RouteNotification(int ctrlId, ControlEvent event, int position, int step)
{
    // A message box or a progress window shown while a change is being sent lets the window
    // deliver more notifications. The change in progress owns the camera until it is done;
    // later ones are not queued.
    if (m_busy || ctrlId <= 0)
        return;
    if (!fits(ClassOfControl(m_lookup.FindControl(ctrlId)), event))
        return;
    struct BusyGuard {
        bool& flag;
        explicit BusyGuard(bool& f) : flag(f) { flag = true; }
        ~BusyGuard() { flag = false; }
    } guard(m_busy);

    m_features.RunControl(ctrlId, When::Before);
    bool stands = true;
    if (m_features.HasInstead(ctrlId))
        m_features.RunControl(ctrlId, When::Instead);
    else if (ParameterControls* generic = m_features.Find<ParameterControls>())
        stands = generic->Handle(ctrlId, event, position, step);
    if (stands)
        m_features.RunControl(ctrlId, When::After);
}

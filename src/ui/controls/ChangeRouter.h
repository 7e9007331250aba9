#pragma once
// Routes a person's change of a control to whoever serves it: every control under the window
// that carries an id is connected here (number box commits, spin steps, list choices, clicks),
// and each notification goes to the features' claims and, for unclaimed controls, to the
// parameter controls' generic path (see Feature.h for the order). One change is handled at a
// time: a notification that arrives while another is being handled (a box losing the focus
// to a message box, say) is dropped, so one change is never sent twice.
#include "ControlLookup.h"

#include <QObject>

class FeatureRegistry;
class QWidget;

class ChangeRouter : public QObject {
    Q_OBJECT
public:
    // Both belong to the main window and outlive this object.
    ChangeRouter(const ControlLookup& lookup, FeatureRegistry& features, QObject* parent = nullptr);

    // Connects every control under root that carries a control id. Connecting twice is
    // harmless.
    void Attach(QWidget* root);

    // The one entry point for control notifications. The event must fit the control's class
    // (a click on a button, a commit of a number box, ...); anything else is ignored.
    void RouteNotification(int ctrlId, ControlEvent event, int position = 0, int step = 0);

private:
    const ControlLookup& m_lookup;
    FeatureRegistry& m_features;
    bool m_busy = false;
};

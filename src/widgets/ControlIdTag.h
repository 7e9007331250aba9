#pragma once
// A control that has a numeric id carries it three ways: the property "ctrlId" for the
// lookups by id, the object name "ctrl_<id>" for tests and style sheets, and the accessible
// description "Control N" so that screen readers and testers can tell controls apart.
class QWidget;

// Ids of 0 or below (static texts use -1) mean "no id" and leave the control untouched.
void tagControlId(QWidget* control, int id);

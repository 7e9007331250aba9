#pragma once
// Builds the widgets of one tab page from its table (PageData.h): groups in columns, each a
// grid of label, control and spin, every control carrying its id ("ctrlId", "ctrl_<id>"), a
// tooltip naming its camera command, an accessible name "<group title> <label>" and, for a
// label, the control it names as buddy.
#include <QHash>
#include <QString>

struct PageDef;
class QWidget;

struct BuiltPage {
    QWidget* content = nullptr;        // the page's columns of groups
    QHash<int, QWidget*> controls;     // every item with an id (first one wins)
    QList<int> repeatedIds;            // ids that the table gives more than once
};

BuiltPage BuildPage(const PageDef& def, QWidget* parent);

// "Camera command PE, control 1338" for a control bound to a parameter row whose command has
// a mnemonic, else "Control 2553".
QString ControlDescription(int ctrlId);

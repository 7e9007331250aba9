#include "ParameterPage.h"

#include "PageBuilder.h"
#include "PageData.h"

#include <QScrollArea>
#include <QVBoxLayout>

ParameterPage::ParameterPage(int pageIndex, MainWindow* owner, QWidget* parent)
    : QWidget(parent), m_pageIndex(pageIndex), m_def(PageDefinition(pageIndex)), m_owner(owner)
{
    setObjectName(QStringLiteral("page_%1").arg(pageIndex));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes from the tabs straight to the page's first control; the frame around the
    // controls is no stop of its own (it still scrolls a control that gets the focus into view).
    scroll->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(scroll);

    BuiltPage built = BuildPage(m_def, scroll);
    scroll->setWidget(built.content);
    m_controls = std::move(built.controls);
    m_repeatedIds = std::move(built.repeatedIds);
}

unsigned ParameterPage::templateId() const { return m_def.templateId; }
bool ParameterPage::isFactory() const { return m_def.factory; }
QString ParameterPage::tabText() const { return QString::fromUtf8(m_def.tabText); }

#include "IdentityDialog.h"

#include "OnlineStatusNotifier.h"
#include "WindowLockList.h"

#include <QLineEdit>
#include <QVBoxLayout>

IdentityDialog::IdentityDialog(const QString& title, QWidget* parent)
    : QDialog(parent), OnlineStatusUpdater(this), m_contents(new QVBoxLayout)
{
    setWindowTitle(title);
    if (parent)
        setWindowIcon(parent->windowIcon());
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(6);
    m_contents->setContentsMargins(11, 11, 11, 0);
    root->addLayout(m_contents, 1);
    root->addWidget(OnlineStrip());
    OnlineStatusNotifier::Instance().Register(this);
    WindowLockList::Instance().Register(this);
}

IdentityDialog::~IdentityDialog()
{
    WindowLockList::Instance().Unregister(this);
}

std::string IdentityDialog::Utf8(const QLineEdit* field)
{
    return field->text().toStdString();
}

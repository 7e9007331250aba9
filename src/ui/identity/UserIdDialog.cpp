#include "UserIdDialog.h"

#include "Camera.h"
#include "Identity.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

UserIdDialog::UserIdDialog(Camera& camera, QWidget* parent)
    : IdentityDialog(QStringLiteral("User Id"), parent),
      m_camera(camera), m_userId(new QLineEdit(this)),
      m_save(new QPushButton(QStringLiteral("Save"), this))
{
    setObjectName(QStringLiteral("CUserIdDialog"));
    m_userId->setObjectName(QStringLiteral("userId"));
    m_userId->setMinimumWidth(m_userId->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 17);
    m_save->setObjectName(QStringLiteral("save"));
    auto* label = new QLabel(QStringLiteral("&User ID:"), this);
    label->setBuddy(m_userId);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_userId, 1);
    row->addWidget(m_save);
    Contents()->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Contents()->addWidget(buttons);
    connect(m_save, &QPushButton::clicked, this, &UserIdDialog::Save);
    // Enter in the field saves.
    m_save->setDefault(true);

    std::string text;
    m_userId->setText(Identity::ReadUserId(m_camera, text) == 1 ? QString::fromStdString(text)
                                                      : QLatin1String(Identity::kUserIdPlaceholder));
}

void UserIdDialog::Save()
{
    Identity::SaveUserId(m_camera, Utf8(m_userId));
}

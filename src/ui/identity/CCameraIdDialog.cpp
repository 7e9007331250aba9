#include "CCameraIdDialog.h"

#include "ControlMode.h"
#include "Identity.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

static_assert(CCameraIdDialog::kFields == Identity::kCameraIdLength);

CCameraIdDialog::CCameraIdDialog(QWidget* parent)
    : IdentityDialog(QStringLiteral("Camera Id"), parent), m_save(new QPushButton(QStringLiteral("Save"), this))
{
    setObjectName(QStringLiteral("CCameraIdDialog"));
    m_save->setObjectName(QStringLiteral("save"));
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("&Camera ID:"), this);
    row->addWidget(label);
    const int width = fontMetrics().horizontalAdvance(QLatin1Char('W')) * 2;
    for (int k = 0; k < kFields; ++k) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("cameraId%1").arg(k));
        field->setAccessibleName(QStringLiteral("Camera id character %1").arg(k + 1));
        field->setMaxLength(1);
        field->setFixedWidth(width);
        field->setAlignment(Qt::AlignCenter);
        row->addWidget(field);
        m_fields[k] = field;
    }
    label->setBuddy(m_fields[0]);
    for (int k = 0; k + 1 < kFields; ++k)
        connect(m_fields[k], &QLineEdit::textEdited, this, [next = m_fields[k + 1]](const QString& text) {
            if (!text.isEmpty())
                next->setFocus();
        });
    row->addWidget(m_save);
    Contents()->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Contents()->addWidget(buttons);
    connect(m_save, &QPushButton::clicked, this, &CCameraIdDialog::Save);
    m_save->setAutoDefault(false);

    std::string id;
    if (Identity::ReadCameraId(id) == 1) {
        const QString text = QString::fromStdString(id);
        for (int k = 0; k < kFields; ++k)
            m_fields[k]->setText(text.mid(k, 1));
    }
    m_save->setVisible(ControlMode::Get() == ControlMode::kFactory);
}

void CCameraIdDialog::Save()
{
    std::vector<std::string> fields;
    for (const QLineEdit* field : m_fields)
        fields.push_back(Utf8(field));
    Identity::SaveCameraId(Identity::FirstCharacters(fields, ""));
}

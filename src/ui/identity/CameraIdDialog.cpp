#include "CameraIdDialog.h"

#include "Camera.h"
#include "ControlMode.h"
#include "Identity.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

static_assert(CameraIdDialog::kFields == Identity::kCameraIdLength);

CameraIdDialog::CameraIdDialog(Camera& camera, QWidget* parent)
    : IdentityDialog(QStringLiteral("Camera Id"), parent), m_camera(camera), m_save(new QPushButton(QStringLiteral("Save"), this))
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
        // Room for a paste from the context menu, which Fill spreads over the fields.
        field->setMaxLength(kFields);
        field->setFixedWidth(width);
        field->setAlignment(Qt::AlignCenter);
        row->addWidget(field);
        m_fields[k] = field;
    }
    label->setBuddy(m_fields[0]);
    for (int k = 0; k < kFields; ++k) {
        m_fields[k]->installEventFilter(this);
        connect(m_fields[k], &QLineEdit::textEdited, this, [this, k](const QString& text) {
            if (text.size() > 1)
                Fill(k, text);
        });
    }
    row->addWidget(m_save);
    Contents()->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Contents()->addWidget(buttons);
    connect(m_save, &QPushButton::clicked, this, &CameraIdDialog::Save);
    m_save->setAutoDefault(false);

    std::string id;
    if (Identity::ReadCameraId(m_camera, id) == 1) {
        const QString text = QString::fromStdString(id);
        for (int k = 0; k < kFields; ++k)
            m_fields[k]->setText(text.mid(k, 1));
    }
    m_save->setVisible(ControlMode::Get() == ControlMode::kFactory);
}

bool CameraIdDialog::eventFilter(QObject* watched, QEvent* event)
{
    const auto it = std::find(m_fields.begin(), m_fields.end(), watched);
    if (it == m_fields.end() || event->type() != QEvent::KeyPress)
        return IdentityDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int index = int(it - m_fields.begin());
    if (key->matches(QKeySequence::Paste)) {
        Fill(index, QGuiApplication::clipboard()->text());
        return true;
    }
    // A typed character takes the field's place, whatever it held, and moves on.
    const QString text = key->text();
    if (text.size() == 1 && text[0].isPrint() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        Fill(index, text);
        return true;
    }
    return IdentityDialog::eventFilter(watched, event);
}

void CameraIdDialog::Fill(int first, const QString& text)
{
    int k = first;
    for (const QChar c : text) {
        if (k == kFields)
            break;
        if (!c.isPrint())
            continue; // a pasted line end
        m_fields[k++]->setText(QString(c));
    }
    QLineEdit* next = m_fields[std::min(k, kFields - 1)];
    next->setFocus();
    next->selectAll();
}

void CameraIdDialog::Save()
{
    std::vector<std::string> fields;
    for (const QLineEdit* field : m_fields)
        fields.push_back(Utf8(field));
    Identity::SaveCameraId(m_camera, Identity::FirstCharacters(fields, ""));
}

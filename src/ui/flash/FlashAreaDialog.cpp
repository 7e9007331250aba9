#include "FlashAreaDialog.h"

#include "ControlIdTag.h"
#include "ControlMode.h"
#include "DialogUnits.h"
#include "Ids.h"
#include "OnlineStatusNotifier.h"
#include "WindowLockList.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FlashAreaDialog::FlashAreaDialog(QWidget* owner, FlashAreas::Purpose purpose)
    : QDialog(owner), OnlineStatusUpdater(this),
      m_prompt(new QLabel(QStringLiteral("Select parameter flash memory area"), this)),
      m_list(new QComboBox(this))
{
    setObjectName(QStringLiteral("CParameterAreaSelectDialog"));
    if (owner)
        setWindowIcon(owner->windowIcon());
    const bool load = purpose == FlashAreas::Purpose::Load;
    setWindowTitle(load ? QStringLiteral("Load setting data") : QStringLiteral("Store setting data"));
    m_prompt->setText(load ? QStringLiteral("Select the flash memory area to load setting data")
                           : QStringLiteral("Select the flash memory area to save setting data"));
    m_prompt->setAlignment(Qt::AlignCenter);
    m_prompt->setBuddy(m_list);
    tagControlId(m_prompt, CtrlId::AreaPrompt);
    tagControlId(m_list, CtrlId::AreaList);
    tagControlId(OnlineStrip(), CtrlId::AreaOnlineStrip);
    for (const std::string& entry : FlashAreas::Entries(purpose, ControlMode::Get()))
        m_list->addItem(QString::fromStdString(entry));
    m_list->setCurrentIndex(0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    tagControlId(buttons->button(QDialogButtonBox::Ok), 1);
    tagControlId(buttons->button(QDialogButtonBox::Cancel), 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &FlashAreaDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    tagControlId(line, CtrlId::AreaSeparator);

    auto* contents = new QVBoxLayout;
    contents->setContentsMargins(11, 11, 11, 0);
    contents->addWidget(m_prompt);
    contents->addWidget(m_list);
    contents->addStretch(1);
    contents->addWidget(line);
    contents->addWidget(buttons);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->addLayout(contents, 1);
    root->addWidget(OnlineStrip());
    setMinimumSize(dialogUnitsToPixels(QRect(0, 0, 175, 76), font()).size());

    OnlineStatusNotifier::Instance().Register(this);
    WindowLockList::Instance().Register(this);
}

FlashAreaDialog::~FlashAreaDialog()
{
    WindowLockList::Instance().Unregister(this);
}

std::string FlashAreaDialog::AreaName() const
{
    return m_list->currentText().toStdString();
}

void FlashAreaDialog::accept()
{
    m_area = FlashAreas::AreaOfEntry(m_list->currentText().toStdString());
    QDialog::accept();
}

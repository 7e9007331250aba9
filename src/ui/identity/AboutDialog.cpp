#include "AboutDialog.h"

#include "Camera.h"
#include "ControlMode.h"
#include "Identity.h"
#include "LinkLabel.h"
#include "ProgramInfo.h"
#include "UserNotice.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

namespace {

const char kNotice[] = "Copyright (C) Norvik. All rights reserved.";
const char kWebAddress[] = "https://www.norvik.example/lumora";

QLineEdit* valueField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    return field;
}

QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

} // namespace

AboutDialog::AboutDialog(Camera& camera, QWidget* parent) : IdentityDialog(QStringLiteral("About This Control"), parent), m_camera(camera)
{
    setObjectName(QStringLiteral("CAboutDialog"));
    Contents()->addWidget(buildProgram());
    Contents()->addWidget(buildCameraData());
    Contents()->addWidget(buildUserId());
    Contents()->addWidget(buildDeviceVersion());
    Contents()->addWidget(buildHelp());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    Contents()->addWidget(buttons);

    // The initialisation in its order: protection, link, help files, placeholders, the
    // camera's data, then what the Control Mode allows.
    protectUserId(true);
    m_link->setLink(true);
    m_link->setTextColor(Qt::blue);
    m_link->setFontUnderline(true);
    m_link->setLinkCursor(QCursor(Qt::PointingHandCursor));
    fillHelpFiles();
    showPlaceholders();
    readCamera();
    applyControlMode();
}

QWidget* AboutDialog::buildProgram()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* name = new QLabel(QLatin1String(ProgramInfo::kName), box);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    name->setFont(bold);
    grid->addWidget(name, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Version:"), box), 1, 0);
    grid->addWidget(new QLabel(QLatin1String(ProgramInfo::kVersion), box), 1, 1);
    grid->addWidget(new QLabel(QLatin1String(kNotice), box), 2, 0, 1, 2);
    m_link = new LinkLabel(QLatin1String(kWebAddress), box);
    m_link->setObjectName(QStringLiteral("makerLink"));
    m_link->setAccessibleName(QStringLiteral("Maker's web site"));
    grid->addWidget(m_link, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* AboutDialog::buildCameraData()
{
    auto* group = new QGroupBox(QStringLiteral("Camera"), this);
    auto* grid = new QGridLayout(group);
    m_firmware = valueField("firmwareVersion", group);
    m_fpga = valueField("fpgaVersion", group);
    m_xml = valueField("xmlVersion", group);
    m_model = valueField("modelName", group);
    m_cameraId = valueField("cameraId", group);
    const struct {
        const char* label;
        QLineEdit* field;
    } rows[] = {
        {"&Firmware Version:", m_firmware}, {"FP&GA Version:", m_fpga}, {"&XML Version:", m_xml},
        {"&Model Name:", m_model},         {"&Camera ID:", m_cameraId},
    };
    int row = 0;
    for (const auto& r : rows) {
        grid->addWidget(labelFor(QString::fromLatin1(r.label), r.field, group), row, 0);
        grid->addWidget(r.field, row++, 1);
    }
    return group;
}

QWidget* AboutDialog::buildUserId()
{
    auto* group = new QGroupBox(QStringLiteral("User ID"), this);
    auto* grid = new QGridLayout(group);
    m_protect = new QRadioButton(QStringLiteral("Protect User ID"), group);
    m_enableEdit = new QRadioButton(QStringLiteral("Enable To Edit User ID"), group);
    m_protect->setObjectName(QStringLiteral("protectUserId"));
    m_enableEdit->setObjectName(QStringLiteral("enableUserId"));
    m_userId = new QLineEdit(group);
    m_userId->setObjectName(QStringLiteral("userId"));
    m_saveUserId = new QPushButton(QStringLiteral("Save User ID"), group);
    m_saveUserId->setObjectName(QStringLiteral("saveUserId"));
    m_saveUserId->setAutoDefault(false);
    grid->addWidget(m_protect, 0, 0, 1, 2);
    grid->addWidget(m_enableEdit, 0, 2);
    grid->addWidget(labelFor(QStringLiteral("&User ID:"), m_userId, group), 1, 0);
    grid->addWidget(m_userId, 1, 1, 1, 2);
    grid->addWidget(m_saveUserId, 1, 3);
    connect(m_protect, &QRadioButton::toggled, this, &AboutDialog::protectUserId);
    connect(m_saveUserId, &QPushButton::clicked, this, &AboutDialog::SaveUserId);
    return group;
}

QWidget* AboutDialog::buildDeviceVersion()
{
    auto* group = new QGroupBox(QStringLiteral("Device Version"), this);
    auto* row = new QHBoxLayout(group);
    for (size_t i = 0; i < m_deviceVersion.size(); ++i) {
        auto* part = new QLineEdit(group);
        part->setObjectName(QStringLiteral("deviceVersion%1").arg(i));
        part->setAccessibleName(QStringLiteral("Device version part %1").arg(i + 1));
        part->setMaximumWidth(part->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 4);
        part->setAlignment(Qt::AlignCenter);
        if (i > 0)
            row->addWidget(new QLabel(QStringLiteral("."), group));
        else
            row->addWidget(labelFor(QStringLiteral("&Device Version:"), part, group));
        row->addWidget(part);
        m_deviceVersion[i] = part;
    }
    row->addStretch(1);
    m_saveDeviceVersion = new QPushButton(QStringLiteral("Save Dev Ver"), group);
    m_saveDeviceVersion->setObjectName(QStringLiteral("saveDeviceVersion"));
    m_saveDeviceVersion->setAutoDefault(false);
    row->addWidget(m_saveDeviceVersion);
    connect(m_saveDeviceVersion, &QPushButton::clicked, this, &AboutDialog::SaveDeviceVersion);
    return group;
}

QWidget* AboutDialog::buildHelp()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    m_helpFiles = new QComboBox(box);
    m_helpFiles->setObjectName(QStringLiteral("helpFiles"));
    m_viewHelp = new QPushButton(QStringLiteral("View Help File"), box);
    m_viewHelp->setObjectName(QStringLiteral("viewHelpFile"));
    m_viewHelp->setAutoDefault(false);
    row->addWidget(labelFor(QStringLiteral("&Help File"), m_helpFiles, box));
    row->addWidget(m_helpFiles, 1);
    row->addWidget(m_viewHelp);
    connect(m_viewHelp, &QPushButton::clicked, this, &AboutDialog::ViewHelpFile);
    return box;
}

void AboutDialog::protectUserId(bool protect)
{
    m_protect->setChecked(protect);
    m_enableEdit->setChecked(!protect);
    m_userId->setEnabled(!protect);
    m_saveUserId->setEnabled(!protect);
}

void AboutDialog::fillHelpFiles()
{
    const QStringList names =
        QDir::current().entryList({QStringLiteral("*.pdf")}, QDir::Files | QDir::Readable, QDir::Name);
    m_helpFiles->addItems(names);
    m_helpFiles->setCurrentIndex(names.isEmpty() ? -1 : 0);
}

void AboutDialog::showPlaceholders()
{
    m_firmware->setText(QLatin1String(Identity::kVersionPlaceholder));
    m_fpga->setText(QLatin1String(Identity::kVersionPlaceholder));
    m_xml->setText(QLatin1String(Identity::kXmlVersionPlaceholder));
    m_model->setText(QLatin1String(Identity::kNamePlaceholder));
    m_cameraId->setText(QLatin1String(Identity::kNamePlaceholder));
    m_userId->setText(QLatin1String(Identity::kUserIdPlaceholder));
    for (QLineEdit* part : m_deviceVersion)
        part->setText(QLatin1String(Identity::kPartPlaceholder));
}

void AboutDialog::readCamera()
{
    const Identity::AboutData data = Identity::ReadAboutData(m_camera);
    const std::pair<const std::optional<std::string>&, QLineEdit*> fields[] = {
        {data.firmware, m_firmware}, {data.model, m_model},   {data.cameraId, m_cameraId},
        {data.fpga, m_fpga},         {data.userId, m_userId}, {data.xmlVersion, m_xml},
    };
    for (const auto& [value, field] : fields)
        if (value)
            field->setText(text(*value));
    if (data.deviceVersion)
        for (size_t i = 0; i < m_deviceVersion.size(); ++i)
            m_deviceVersion[i]->setText(text((*data.deviceVersion)[i]));
}

void AboutDialog::applyControlMode()
{
    const bool factory = ControlMode::Get() != ControlMode::kNormal;
    for (QLineEdit* part : m_deviceVersion)
        part->setEnabled(factory);
    m_saveDeviceVersion->setVisible(factory);
    m_saveDeviceVersion->setEnabled(factory);
}

void AboutDialog::SaveUserId()
{
    Identity::SaveUserId(m_camera, Utf8(m_userId));
}

void AboutDialog::SaveDeviceVersion()
{
    std::vector<std::string> parts;
    for (const QLineEdit* part : m_deviceVersion)
        parts.push_back(Utf8(part));
    Identity::SaveDeviceVersion(m_camera, Identity::FirstCharacters(parts, "."));
}

void AboutDialog::ViewHelpFile()
{
    if (m_helpFiles->currentIndex() < 0) {
        Notices().Message("No file was selected !!", "", NoticeIcon::Error);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(m_helpFiles->currentText())));
}

#include "ParameterListWindow.h"

#include "Camera.h"
#include "OnlineStatusNotifier.h"
#include "ProgressWindow.h"
#include "PushButtonItem.h"
#include "WindowLockList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>


namespace {

constexpr const char* kTitle = "XML";

// The windows on the lock list stay disabled while a walk over the registers runs.
class LockedWindows {
public:
    LockedWindows() { WindowLockList::Instance().DisableAll(); }
    ~LockedWindows() { WindowLockList::Instance().EnableAll(); }
};

// The grid's range for a whole-number register: its full width and signedness.
PropertyGrid::IntegerRange rangeOf(const FeatureRecord& record)
{
    using Range = PropertyGrid::IntegerRange;
    if (record.length > 4)
        return record.isSigned ? Range::Int64 : Range::UInt64;
    return record.isSigned ? Range::Int32 : Range::UInt32;
}

} // namespace

ParameterListWindow::ParameterListWindow(Camera& camera, QWidget* owner)
    : QDialog(owner), OnlineStatusUpdater(this), m_camera(camera), m_header(new QLabel(this)), m_note(new QLabel(this)),
      m_grid(new PropertyGrid(this)), m_readAll(new QPushButton(QStringLiteral("Read All Data"), this)),
      m_close(new QPushButton(QStringLiteral("Close"), this))
{
    setWindowTitle(QString::fromLatin1(kTitle));
    setObjectName(QStringLiteral("CXMLDialog"));
    setSizeGripEnabled(true);
    m_header->setObjectName(QStringLiteral("cameraHeader"));
    m_header->setTextFormat(Qt::PlainText);
    m_note->setObjectName(QStringLiteral("sourceNote"));
    m_note->setTextFormat(Qt::PlainText);
    m_note->setWordWrap(true);
    m_grid->setObjectName(QStringLiteral("featureGrid"));
    m_grid->setAccessibleName(QStringLiteral("Camera features"));
    m_readAll->setObjectName(QStringLiteral("readAllButton"));
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_readAll->setAutoDefault(false);
    m_close->setAutoDefault(false);

    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_readAll);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    layout->addWidget(m_note);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    layout->addWidget(OnlineStrip());

    connect(m_readAll, &QPushButton::clicked, this, &ParameterListWindow::ReadAllData);
    connect(m_close, &QPushButton::clicked, this, &QDialog::hide);
    connect(m_grid, &PropertyGrid::itemChanged, this, &ParameterListWindow::onRowChanged);

    OnlineStatusNotifier::Instance().Register(this);
    WindowLockList::Instance().Register(this);
    resize(460, 560);
}

ParameterListWindow::~ParameterListWindow()
{
    WindowLockList::Instance().Unregister(this);
}

void ParameterListWindow::LoadFeatures()
{
    if (m_busy)
        return;
    m_busy = true;
    {
        const LockedWindows locked;
        ProgressWindow progress(this);
        m_list.Load(progress);
    }
    showIdentity();
    fillGrid();
    m_busy = false;
}

void ParameterListWindow::ReadAllData()
{
    if (m_busy)
        return;
    m_busy = true;
    {
        const LockedWindows locked;
        ProgressWindow progress(this);
        m_list.ReadAll(progress, *this);
    }
    // The hint to read the values has served its purpose.
    m_note->setText(QString::fromStdString(m_list.Note()));
    m_busy = false;
}

void ParameterListWindow::showIdentity()
{
    const DeviceIdentity& who = m_list.Identity();
    QString header;
    if (m_list.SpeaksGenCp()) {
        header = QStringLiteral("%1 %2, serial number %3")
                     .arg(QString::fromStdString(who.manufacturer), QString::fromStdString(who.model),
                          QString::fromStdString(who.serial));
    } else {
        header = QStringLiteral("Camera without GenCP");
    }
    m_header->setText(header);
    QString note = QString::fromStdString(m_list.Note());
    if (m_list.DescriptionSource() != ParameterList::Source::None)
        note += QStringLiteral(" Press \"Read All Data\" to show the camera's values.");
    m_note->setText(note);
}

void ParameterListWindow::fillGrid()
{
    m_grid->clear();
    m_recordOfRow.clear();
    FeatureDescription& description = m_list.Description();
    std::unordered_map<std::string, PropertyGrid::SectionId> sections;
    for (const std::string& name : description.sections)
        sections[name] = m_grid->addSection(name);
    for (size_t i = 0; i < description.records.size(); ++i) {
        FeatureRecord& record = description.records[i];
        if (record.Has(FeatureRecord::Disabled))
            continue;
        const PropertyGrid::SectionId section = sections[record.section];
        const bool writable = record.Has(FeatureRecord::Writable);
        PropertyGrid::ItemId row = 0;
        if (record.Has(FeatureRecord::Command)) {
            row = m_grid->addCustomItem(section, record.displayName, std::make_unique<PushButtonItem>(), writable);
        } else if (record.Has(FeatureRecord::Text)) {
            row = m_grid->addStringItem(section, record.displayName, std::string(), writable);
        } else if (record.Has(FeatureRecord::Float)) {
            row = m_grid->addDoubleItem(section, record.displayName, 0.0, writable);
        } else if (!record.valueMap.empty()) {
            std::vector<std::string> choices;
            for (const auto& entry : record.valueMap)
                choices.push_back(entry.second);
            row = m_grid->addComboItem(section, record.displayName, choices, -1, writable);
        } else {
            row = m_grid->addIntegerItem(section, record.displayName, rangeOf(record), writable);
        }
        record.gridRow = row;
        m_recordOfRow[row] = i;
    }
}

PropertyGrid::ItemId ParameterListWindow::RowOf(const std::string& featureName) const
{
    for (const FeatureRecord& record : m_list.Description().records)
        if (record.name == featureName)
            return record.gridRow;
    return 0;
}

void ParameterListWindow::ShowValue(size_t index, const RowValue& value)
{
    const FeatureRecord& record = m_list.Description().records[index];
    if (record.Has(FeatureRecord::Text))
        m_grid->setItemValue(record.gridRow, value.text);
    else if (record.Has(FeatureRecord::Float))
        m_grid->setItemValue(record.gridRow, value.real);
    else
        m_grid->setItemValue(record.gridRow, value.integer);
}

void ParameterListWindow::onRowChanged(PropertyGrid::ItemId row)
{
    const auto found = m_recordOfRow.find(row);
    if (found == m_recordOfRow.end() || m_busy)
        return;
    RowValue value;
    int64_t number = 0;
    double real = 0;
    if (m_grid->getItemValue(row, number))
        value.integer = number;
    if (m_grid->getItemValue(row, real))
        value.real = real;
    m_grid->getItemValue(row, value.text);
    m_busy = true;
    m_list.Write(found->second, value, *this);
    m_busy = false;
}

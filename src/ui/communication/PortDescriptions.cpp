#include "PortDescriptions.h"

#include "NetworkPort.h"
#include "SerialDevices.h"
#include "SettingsStore.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

constexpr int kPresentRole = Qt::UserRole + 1;

// What the port map gives the COM name. A network address is shown as it stands, like a device
// that is there: whether its server answers is learnt only by connecting.
SerialDevice deviceOf(const QString& portName)
{
    const std::string entry = Settings().PortDevice(portName.toStdString());
    if (IsNetworkAddress(entry))
        return SerialDevice{entry, {}, true, {}};
    return DescribePortDevice(entry);
}

// Draws an entry as its name followed by its description, dimmed when the device is absent.
class PortItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString description = index.data(Qt::ToolTipRole).toString();
        if (description.isEmpty())
            return;
        option->text += QStringLiteral("    ") + description;
        if (!index.data(kPresentRole).toBool())
            option->palette.setColor(QPalette::Text, option->palette.color(QPalette::Disabled, QPalette::Text));
    }
};

// A by-id name is long and its both ends tell most (the adapter's make, its serial number and
// port): it gives up its middle rather than widen the window.
class StableNameLabel : public QLabel {
public:
    explicit StableNameLabel(QWidget* parent) : QLabel(parent)
    {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        hide();
    }
    void setPath(const QString& path)
    {
        setToolTip(path);
        m_name = QFileInfo(path).fileName();
        setVisible(!path.isEmpty());
        elide();
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        elide();
    }

private:
    void elide() { setText(fontMetrics().elidedText(m_name, Qt::ElideMiddle, width())); }

    QString m_name;
};

} // namespace

void DescribeComPorts(QComboBox* list, bool nativePorts)
{
    if (!dynamic_cast<PortItemDelegate*>(list->itemDelegate()))
        list->setItemDelegate(new PortItemDelegate(list));
    for (int i = 0; i < list->count(); ++i) {
        QString description;
        bool present = true;
        if (nativePorts) {
            const SerialDevice device = deviceOf(list->itemText(i));
            present = device.present;
            description = QString::fromStdString(device.path);
            if (!device.stableName.empty())
                description += QStringLiteral(" (%1)").arg(QString::fromStdString(device.stableName));
            if (!present)
                description += QStringLiteral(" (not present)");
        }
        list->setItemData(i, description, Qt::ToolTipRole);
        list->setItemData(i, present, kPresentRole);
    }
    // The open list is as wide as its longest entry, beyond the closed box if need be.
    QAbstractItemView* view = list->view();
    view->setMinimumWidth(view->sizeHintForColumn(0) + view->verticalScrollBar()->sizeHint().width()
                          + 2 * view->frameWidth());
}

QLabel* MakeStableNameLabel(QWidget* parent)
{
    auto* label = new StableNameLabel(parent);
    label->setObjectName(QStringLiteral("portStableName"));
    return label;
}

void ShowPortDevice(QLabel* device, QLabel* stableName, const QString& portName)
{
    const SerialDevice found = portName.isEmpty() ? SerialDevice{} : deviceOf(portName);
    device->setText(QString::fromStdString(found.path));
    static_cast<StableNameLabel*>(stableName)->setPath(QString::fromStdString(found.stableName));
}

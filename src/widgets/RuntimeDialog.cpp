#include "RuntimeDialog.h"

#include "ControlIdTag.h"
#include "DialogUnits.h"
#include "UserNotice.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace {

// The margin kept right of and below the controls, in dialog units.
constexpr int kMarginUnits = 7;

bool isEnterKey(const QKeyEvent* key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier;
}

void warn(const QString& text)
{
    Notices().Message(text.toStdString(), {}, NoticeIcon::Exclamation);
}

} // namespace

RuntimeDialog::RuntimeDialog(QWidget* owner) : QDialog(owner) {}

RuntimeDialog::~RuntimeDialog() = default;

void RuntimeDialog::setDialogFont(const QString& face, int pointSize)
{
    m_font = QFont(face, pointSize);
}

void RuntimeDialog::addDlgControl(const QString& className, const QString& caption, RuntimeDialogItem::Style style,
                                 RuntimeDialogItem::ExStyle exStyle, const QRect& rect,
                                 RuntimeDialogItem::Binding binding, int id)
{
    m_items.emplace_back(className, caption, id, style, exStyle, rect, binding);
}

void RuntimeDialog::addDlgControl(int classCode, const QString& caption, RuntimeDialogItem::Style style,
                                 RuntimeDialogItem::ExStyle exStyle, const QRect& rect,
                                 RuntimeDialogItem::Binding binding, int id)
{
    addDlgControl(RuntimeDialogItem::className(classCode), caption, style, exStyle, rect, binding, id);
}

void RuntimeDialog::addStandardButtons()
{
    int lowest = 0;
    for (const RuntimeDialogItem& item : m_items)
        lowest = std::max(lowest, item.rect().y() + item.rect().height());
    const QRect ok(10, lowest + 6, 50, 14);
    addDlgControl(QStringLiteral("BUTTON"), QStringLiteral("OK"), RuntimeDialogItem::DefaultButton,
                  RuntimeDialogItem::NoExStyle, ok, {}, kIdOk);
    addDlgControl(QStringLiteral("BUTTON"), m_cancelCaption, RuntimeDialogItem::NoStyle, RuntimeDialogItem::NoExStyle,
                  ok.translated(55, 0), {}, kIdCancel);
}

QFont RuntimeDialog::dialogFont() const
{
    if (m_font)
        return *m_font;
    if (const QWidget* owner = parentWidget())
        return owner->font();
    if (const QWidget* main = QApplication::activeWindow(); main && main != this)
        return main->font();
    return QFont(QStringLiteral("MS Sans Serif"), 8);
}

QWidget* RuntimeDialog::control(int id) const
{
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_items[i].id() == id && m_controls[i])
            return m_controls[i];
    }
    return nullptr;
}

int RuntimeDialog::doModal()
{
    return QDialog::exec();
}

void RuntimeDialog::setVisible(bool visible)
{
    // Built before the first show, so the dialog is centred with its final size.
    if (visible && !isVisible()) {
        build();
        loadData();
    }
    QDialog::setVisible(visible);
}

void RuntimeDialog::build()
{
    if (m_built)
        return;
    m_built = true;
    if (m_useStandardButtons)
        addStandardButtons();

    const QFont font = dialogFont();
    setFont(font);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (m_style & Caption)
        flags |= Qt::WindowTitleHint;
    else
        flags |= Qt::FramelessWindowHint;
    if (m_style & SystemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags);

    QRect extent;
    QLabel* label = nullptr; // a static text waiting for the control it names
    for (const RuntimeDialogItem& item : m_items) {
        QWidget* control = item.createControl(this);
        m_controls.push_back(control);
        if (!control) {
            warn(QStringLiteral("Failed to create DlgItem."));
            continue;
        }
        tagControlId(control, item.id());
        const QRect pixels = dialogUnitsToPixels(item.rect(), font);
        if (pixels.width() < 0 || pixels.height() < 0) {
            warn(QStringLiteral("Failed SetWindowPos for control %1.").arg(item.className()));
        } else {
            control->setGeometry(pixels);
            extent |= pixels;
        }
        if (label && control->focusPolicy() != Qt::NoFocus)
            label->setBuddy(control);
        label = item.className() == QLatin1String("STATIC") ? qobject_cast<QLabel*>(control) : nullptr;

        if (auto* button = qobject_cast<QPushButton*>(control)) {
            const int id = item.id();
            connect(button, &QPushButton::clicked, this, [this, id] {
                if (id == kIdOk)
                    accept();
                else if (id == kIdCancel)
                    reject();
                else
                    emit commandButton(id);
            });
        }
        if (qobject_cast<QPlainTextEdit*>(control) && !(item.style() & RuntimeDialogItem::WantReturn))
            control->installEventFilter(this);
    }

    const QSize client = dialogUnitsToPixels(QRect(QPoint(0, 0), m_sizeUnits), font).size();
    const QSize margin = dialogUnitsToPixels(QRect(0, 0, kMarginUnits, kMarginUnits), font).size();
    const QSize needed(extent.isNull() ? 0 : extent.right() + 1 + margin.width(),
                       extent.isNull() ? 0 : extent.bottom() + 1 + margin.height());
    const QSize size = client.expandedTo(needed);
    if (m_style & Resizable)
        resize(size);
    else
        setFixedSize(size);
}

void RuntimeDialog::loadData()
{
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i])
            m_items[i].loadData(m_controls[i]);
    }
}

void RuntimeDialog::accept()
{
    // All values are checked before any variable is written, so a refused OK changes nothing.
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (!m_controls[i])
            continue;
        const QString problem = m_items[i].problem(m_controls[i]);
        if (!problem.isEmpty()) {
            warn(problem);
            m_controls[i]->setFocus();
            return;
        }
    }
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i])
            m_items[i].saveData(m_controls[i]);
    }
    done(kIdOk);
}

void RuntimeDialog::pressDefaultButton()
{
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->isDefault() && button->isVisible()) {
            if (button->isEnabled())
                button->click();
            return;
        }
    }
    // Without a default button Enter still means OK.
    accept();
}

void RuntimeDialog::keyPressEvent(QKeyEvent* event)
{
    if (isEnterKey(event)) {
        pressDefaultButton();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool RuntimeDialog::eventFilter(QObject* watched, QEvent* event)
{
    // A multi-line edit that does not want Enter leaves it to the dialog; with Shift or Ctrl
    // held, Enter still goes to the edit.
    if (event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent*>(event))) {
        pressDefaultButton();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

#include "QtUserNotice.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace {

QMessageBox::Icon boxIcon(NoticeIcon icon)
{
    switch (icon) {
    case NoticeIcon::Information: return QMessageBox::Information;
    case NoticeIcon::Question: return QMessageBox::Question;
    case NoticeIcon::Error: return QMessageBox::Critical;
    case NoticeIcon::Warning:
    case NoticeIcon::Exclamation: return QMessageBox::Warning;
    case NoticeIcon::None: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

QString fromLocal(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string toPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

QtUserNotice::QtUserNotice(QString defaultCaption) : m_defaultCaption(std::move(defaultCaption)) {}

QString QtUserNotice::caption(const std::string& caption) const
{
    return caption.empty() ? m_defaultCaption : fromLocal(caption);
}

QWidget* QtUserNotice::owner()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void QtUserNotice::Message(const std::string& text, const std::string& captionText, NoticeIcon icon)
{
    QMessageBox box(boxIcon(icon), caption(captionText), fromLocal(text), QMessageBox::Ok, owner());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtUserNotice::AskYesNo(const std::string& text, const std::string& captionText)
{
    return ask(text, captionText, true);
}

bool QtUserNotice::AskYesNoDefaultNo(const std::string& text, const std::string& captionText)
{
    return ask(text, captionText, false);
}

bool QtUserNotice::ask(const std::string& text, const std::string& captionText, bool yesIsDefault)
{
    QMessageBox box(QMessageBox::Question, caption(captionText), fromLocal(text),
                    QMessageBox::Yes | QMessageBox::No, owner());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtUserNotice::ToQtFilter(const std::string& filter)
{
    QString text = fromLocal(filter);
    if (!text.contains(QLatin1Char('|')))
        return text;
    QStringList parts = text.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.isEmpty() && patterns.isEmpty())
            break;
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (%1)").arg(patterns);
        filters << description;
    }
    return filters.join(QStringLiteral(";;"));
}

std::string QtUserNotice::OpenFileName(const std::string& title, const std::string& folder,
                                       const std::string& filter)
{
    return toPath(QFileDialog::getOpenFileName(owner(), fromLocal(title), QFile::decodeName(folder.c_str()),
                                               ToQtFilter(filter)));
}

std::string QtUserNotice::SaveFileName(const std::string& title, const std::string& folder,
                                       const std::string& filter)
{
    // Every save asks its own overwrite question (with the file's name and the program's text)
    // once the name is complete, so the dialog must not ask first.
    return toPath(QFileDialog::getSaveFileName(owner(), fromLocal(title), QFile::decodeName(folder.c_str()),
                                               ToQtFilter(filter), nullptr, QFileDialog::DontConfirmOverwrite));
}

void QtUserNotice::BeginWait()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserNotice::EndWait()
{
    QApplication::restoreOverrideCursor();
}

void QtUserNotice::ProcessEvents()
{
    QCoreApplication::processEvents();
}

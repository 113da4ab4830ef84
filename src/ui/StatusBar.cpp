#include "ui/StatusBar.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace {

QLabel* addPart(QStatusBar* bar, const char* name)
{
    auto* part = new QLabel(bar);
    part->setObjectName(QLatin1String(name));
    part->hide();
    bar->addPermanentWidget(part);
    return part;
}

void showText(QLabel* part, const QString& text)
{
    part->setText(text);
    part->setVisible(!text.isEmpty());
}

} // namespace

StatusBar::StatusBar(QMainWindow* window)
    : m_bar(new QStatusBar(window)), m_modified(addPart(m_bar, "lblModified")),
      m_problems(addPart(m_bar, "lblProblemCounts")), m_format(addPart(m_bar, "lblFileFormat"))
{
    m_bar->setObjectName(QStringLiteral("sbStatusBar"));
    m_bar->setAccessibleName(QStringLiteral("Status"));
    window->setStatusBar(m_bar);
}

QString StatusBar::fileFormat() const
{
    return m_format->isVisibleTo(m_bar) ? m_format->text() : QString();
}

QString StatusBar::problemCounts() const
{
    return m_problems->isVisibleTo(m_bar) ? m_problems->text() : QString();
}

void StatusBar::setFileFormat(const QString& text)
{
    showText(m_format, text);
}

void StatusBar::setProblemCounts(const QString& text)
{
    showText(m_problems, text);
}

void StatusBar::setModified(bool changed)
{
    showText(m_modified, changed ? QStringLiteral("Modified") : QString());
}

void StatusBar::say(const QString& message)
{
    m_bar->showMessage(message);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/startpage.h"

#include "ui_startpage.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPixmap>

StartPage::StartPage(QWidget* parent) : QWidget(parent), ui(new Ui::StartPage)
{
    ui->setupUi(this);
    ui->start_logo->setPixmap(QPixmap(QStringLiteral(":/images/logo-transparent.png")));
    connect(ui->start_hint, &QLabel::linkActivated, this, &StartPage::followLink);
    connect(ui->start_recent, &QLabel::linkActivated, this, &StartPage::followLink);
    setRecentFiles({});
}

StartPage::~StartPage() = default;

void StartPage::setRecentFiles(const QStringList& files)
{
    m_files = files;
    QStringList lines;
    for (int i = 0; i < files.size(); ++i) {
        const QFileInfo info(files[i]);
        const QString name = info.fileName().toHtmlEscaped();
        const QString folder = QDir::toNativeSeparators(info.absolutePath()).toHtmlEscaped();
        if (info.isFile())
            lines << QStringLiteral("<a href=\"recent:%1\">%2</a> <span style=\"color:gray\">%3</span>")
                         .arg(i)
                         .arg(name, folder);
        else
            lines << QStringLiteral("<span style=\"color:gray\">%1 %2</span>").arg(name, tr("(introuvable)"));
    }
    ui->start_recent->setText(lines.join(QStringLiteral("<br/>")));
    ui->start_recent_title->setVisible(!files.isEmpty());
    ui->start_recent->setVisible(!files.isEmpty());
}

bool StartPage::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        setRecentFiles(m_files);
    return QWidget::event(event);
}

void StartPage::followLink(const QString& link)
{
    if (link == QLatin1String("open")) {
        emit openDialogRequested();
        return;
    }
    bool ok = false;
    const int index = link.section(QLatin1Char(':'), 1).toInt(&ok);
    if (!ok || index < 0 || index >= m_files.size())
        return;
    if (QFileInfo(m_files[index]).isFile())
        emit openRequested(m_files[index]);
    else
        setRecentFiles(m_files);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>

namespace Ui {
class StartPage;
}

// Stands in the tab area until the first load: how to start, and the recent files as links.
class StartPage : public QWidget
{
    Q_OBJECT

public:
    explicit StartPage(QWidget* parent = nullptr);
    ~StartPage() override;

    // A file that has gone is listed greyed, without a link; no files hides the list.
    void setRecentFiles(const QStringList& files);

signals:
    void openDialogRequested();
    void openRequested(const QString& file);

protected:
    // Back in the window, a file may have gone meanwhile.
    bool event(QEvent* event) override;

private:
    void followLink(const QString& link);

    std::unique_ptr<Ui::StartPage> ui;
    QStringList m_files;
};

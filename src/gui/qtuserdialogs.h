// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/userdialogs.h"

class QWidget;

// The real dialogs: message boxes, file and input dialogs, progress dialogs.
class QtUserDialogs : public UserDialogs
{
public:
    // Dialogs without a parent of their own are centred on parent (may be null).
    explicit QtUserDialogs(QWidget* parent = nullptr) : m_parent(parent) { }
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(Icon icon, const QString& title, const QString& text) override;
    int question(const QString& title, const QString& text, const QStringList& buttons, int defaultButton) override;
    QString openFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& proposed, const QString& filter) override;
    QString folderName(const QString& caption, const QString& folder) override;
    QString selectedFilter() const override { return m_selectedFilter; }
    bool getInt(const QString& title, const QString& label, int value, int minimum, int maximum, int step,
                int* answer) override;
    bool getText(const QString& title, const QString& label, const QString& value, QString* answer) override;
    std::unique_ptr<ProgressReporter> createProgress(const ProgressOptions& options) override;
    bool printDialog(QPrinter* printer) override;
    bool openInViewer(const QString& file) override;

private:
    QWidget* m_parent;
    QString m_selectedFilter;
};

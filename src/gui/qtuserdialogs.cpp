// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qtuserdialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>

namespace {

class DialogProgress : public ProgressReporter
{
public:
    DialogProgress(const ProgressOptions& o, QWidget* parent)
        : m_dialog(o.label, o.cancelText, o.minimum, o.maximum, parent)
    {
        m_dialog.setWindowTitle(o.title);
        // A dialog of its own, framed and centred on the window, not a sheet in a corner.
        m_dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
        if (o.cancelText.isEmpty())
            m_dialog.setCancelButton(nullptr);
        m_dialog.setWindowModality(o.windowModal ? Qt::WindowModal : Qt::NonModal);
        m_dialog.setMinimumDuration(o.minimumDuration);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        if (parent) {
            m_dialog.adjustSize();
            const QRect frame = parent->window()->frameGeometry();
            m_dialog.move(frame.center() - m_dialog.rect().center());
        }
        if (o.minimumDuration == 0)
            m_dialog.show();
        QApplication::processEvents();
    }
    void setLabelText(const QString& text) override { m_dialog.setLabelText(text); }
    void setRange(int minimum, int maximum) override { m_dialog.setRange(minimum, maximum); }
    int minimum() const override { return m_dialog.minimum(); }
    int maximum() const override { return m_dialog.maximum(); }
    void setValue(int value) override { m_dialog.setValue(value); }
    int value() const override { return m_dialog.value(); }
    bool wasCanceled() const override { return m_dialog.wasCanceled(); }
    void processEvents() override { QApplication::processEvents(); }

private:
    QProgressDialog m_dialog;
};

QMessageBox::Icon boxIcon(UserDialogs::Icon icon)
{
    switch (icon) {
    case UserDialogs::Icon::Information: return QMessageBox::Information;
    case UserDialogs::Icon::Warning: return QMessageBox::Warning;
    case UserDialogs::Icon::Critical: return QMessageBox::Critical;
    case UserDialogs::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}   // namespace

void QtUserDialogs::message(Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

int QtUserDialogs::question(const QString& title, const QString& text, const QStringList& buttons, int defaultButton)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, m_parent);
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton* b = box.addButton(buttons.at(i),
                                       i == buttons.size() - 1 && buttons.size() > 1 ? QMessageBox::RejectRole
                                                                                     : QMessageBox::AcceptRole);
        if (i == defaultButton)
            box.setDefaultButton(b);
        added << b;
    }
    box.exec();
    return added.indexOf(box.clickedButton());
}

QString QtUserDialogs::openFileName(const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, folder, filter);
}

QString QtUserDialogs::folderName(const QString& caption, const QString& folder)
{
    return QFileDialog::getExistingDirectory(m_parent, caption, folder);
}

QString QtUserDialogs::saveFileName(const QString& caption, const QString& proposed, const QString& filter)
{
    m_selectedFilter.clear();
    return QFileDialog::getSaveFileName(m_parent, caption, proposed, filter, &m_selectedFilter);
}

bool QtUserDialogs::getInt(const QString& title, const QString& label, int value, int minimum, int maximum, int step,
                           int* answer)
{
    bool ok = false;
    const int v = QInputDialog::getInt(m_parent, title, label, value, minimum, maximum, step, &ok);
    if (ok && answer)
        *answer = v;
    return ok;
}

bool QtUserDialogs::getText(const QString& title, const QString& label, const QString& value, QString* answer)
{
    bool ok = false;
    const QString v = QInputDialog::getText(m_parent, title, label, QLineEdit::Normal, value, &ok);
    if (ok && answer)
        *answer = v;
    return ok;
}

std::unique_ptr<ProgressReporter> QtUserDialogs::createProgress(const ProgressOptions& options)
{
    return std::make_unique<DialogProgress>(options, m_parent);
}

bool QtUserDialogs::printDialog(QPrinter* printer)
{
    QPrintDialog dialog(printer);
    return dialog.exec() == QDialog::Accepted;
}

bool QtUserDialogs::openInViewer(const QString& file)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

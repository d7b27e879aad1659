// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QList>
#include <QStringList>
#include <functional>
#include <memory>

class QPrinter;

// What the core asks of a person, and how it shows a long operation. The window answers with
// real Qt dialogs; tests answer with a script; the command line answers on the terminal.

class ProgressReporter
{
public:
    virtual ~ProgressReporter() = default;
    virtual void setLabelText(const QString& text) = 0;
    virtual void setRange(int minimum, int maximum) = 0;
    virtual int minimum() const = 0;
    virtual int maximum() const = 0;
    virtual void setValue(int value) = 0;
    virtual int value() const = 0;
    // True once the user pressed Cancel; stays true.
    virtual bool wasCanceled() const = 0;
    // Lets the window paint and the Cancel button be pressed.
    virtual void processEvents() = 0;
};

struct ProgressOptions
{
    QString title;
    QString label;
    QString cancelText;   // empty: no Cancel button
    int minimum = 0;
    int maximum = 100;
    int minimumDuration = 0;
    bool windowModal = true;
};

class UserDialogs
{
public:
    enum class Icon { Information, Warning, Critical, Question };

    virtual ~UserDialogs() = default;

    // A modal box with a single Ok button.
    virtual void message(Icon icon, const QString& title, const QString& text) = 0;
    // A box with the given buttons; answers the index of the pressed one, or -1 when closed.
    virtual int question(const QString& title, const QString& text, const QStringList& buttons,
                         int defaultButton = 0) = 0;
    // Empty when cancelled.
    virtual QString openFileName(const QString& caption, const QString& folder, const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& proposed, const QString& filter) = 0;
    // An existing folder; empty when cancelled, as the default does.
    virtual QString folderName(const QString& caption, const QString& folder);
    // The filter the last saveFileName() ended on ("a;;b" offers two); empty when unknown.
    virtual QString selectedFilter() const { return {}; }
    // False when cancelled; *answer is then untouched.
    virtual bool getInt(const QString& title, const QString& label, int value, int minimum, int maximum, int step,
                        int* answer) = 0;
    virtual bool getText(const QString& title, const QString& label, const QString& value, QString* answer) = 0;
    virtual std::unique_ptr<ProgressReporter> createProgress(const ProgressOptions& options) = 0;
    // The print dialog on printer (configured by the dialog); false when cancelled. Without a
    // window there is nothing to print on: the default cancels.
    virtual bool printDialog(QPrinter* printer);
    // Opens file with the desktop's default application; false when that failed. The default
    // has no desktop and fails.
    virtual bool openInViewer(const QString& file);
};

// A message that core code hands back instead of showing it: the window shows it as a box.
struct Notice
{
    UserDialogs::Icon icon = UserDialogs::Icon::Information;
    QString title;
    QString text;   // empty: nothing to say
};
using Notices = QList<Notice>;

// Shows the notices that have a text, in order, through userDialogs(): on the window's thread.
void showNotices(const Notices& notices);

// Makes the progress of a long step when it starts; core code takes one instead of asking
// userDialogs(), so that it can run off the window's thread.
using ProgressFactory = std::function<std::unique_ptr<ProgressReporter>(const ProgressOptions&)>;
// The progress dialogs of userDialogs(): for the window's thread.
ProgressFactory dialogProgress();

// The dialogs every core operation uses. Until a front end installs its own, messages go to the
// log and to standard error, questions take their default, and file and input dialogs cancel.
UserDialogs& userDialogs();
// Installs d (not owned; nullptr restores the console default).
void setUserDialogs(UserDialogs* d);

// A progress that shows nothing and is never cancelled.
class SilentProgress : public ProgressReporter
{
public:
    explicit SilentProgress(int minimum = 0, int maximum = 100) : m_min(minimum), m_max(maximum) { }
    void setLabelText(const QString&) override { }
    void setRange(int minimum, int maximum) override
    {
        m_min = minimum;
        m_max = maximum;
    }
    int minimum() const override { return m_min; }
    int maximum() const override { return m_max; }
    void setValue(int value) override { m_value = value; }
    int value() const override { return m_value; }
    bool wasCanceled() const override { return false; }
    void processEvents() override { }

private:
    int m_min, m_max, m_value = 0;
};

// Asks no one: messages are dropped, questions take their default, file and input dialogs
// cancel, progress shows nothing. Batch front ends derive from it to keep what they need.
class QuietDialogs : public UserDialogs
{
public:
    void message(Icon, const QString&, const QString&) override { }
    int question(const QString&, const QString&, const QStringList&, int defaultButton) override
    {
        return defaultButton;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    bool getInt(const QString&, const QString&, int, int, int, int, int*) override { return false; }
    bool getText(const QString&, const QString&, const QString&, QString*) override { return false; }
    std::unique_ptr<ProgressReporter> createProgress(const ProgressOptions& o) override
    {
        return std::make_unique<SilentProgress>(o.minimum, o.maximum);
    }
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripteddialogs.h"

#include <QFileInfo>
#include <QPrinter>

namespace {

QString kindOf(UserDialogs::Icon icon)
{
    switch (icon) {
    case UserDialogs::Icon::Information: return QStringLiteral("information");
    case UserDialogs::Icon::Warning: return QStringLiteral("warning");
    case UserDialogs::Icon::Critical: return QStringLiteral("critical");
    case UserDialogs::Icon::Question: return QStringLiteral("question");
    }
    return QString();
}

class ScriptedProgress : public ProgressReporter
{
public:
    ScriptedProgress(ScriptedDialogs& owner, const ProgressOptions& o, int cancelAt)
        : m_owner(owner), m_min(o.minimum), m_max(o.maximum), m_value(o.minimum), m_cancelAt(cancelAt)
    {
    }
    void setLabelText(const QString& text) override { m_owner.progressLabels << text; }
    void setRange(int minimum, int maximum) override
    {
        m_min = minimum;
        m_max = maximum;
    }
    int minimum() const override { return m_min; }
    int maximum() const override { return m_max; }
    void setValue(int value) override
    {
        m_value = value;
        m_owner.progressValues << value;
        if (m_cancelAt >= 0 && value >= m_cancelAt)
            m_canceled = true;
    }
    int value() const override { return m_value; }
    bool wasCanceled() const override { return m_canceled; }
    void processEvents() override
    {
        if (m_owner.onProgressEvents)
            m_owner.onProgressEvents();
    }

private:
    ScriptedDialogs& m_owner;
    int m_min, m_max, m_value;
    int m_cancelAt;
    bool m_canceled = false;
};

}   // namespace

QStringList ScriptedDialogs::summary() const
{
    QStringList out;
    for (const Shown& s : m_shown)
        out << s.kind + QLatin1Char('|') + s.title + QLatin1Char('|') + s.text;
    return out;
}

QStringList ScriptedDialogs::messages() const
{
    QStringList out;
    for (const Shown& s : m_shown) {
        if (s.kind == QLatin1String("information") || s.kind == QLatin1String("warning")
            || s.kind == QLatin1String("critical"))
            out << s.text;
    }
    return out;
}

void ScriptedDialogs::message(Icon icon, const QString& title, const QString& text)
{
    m_shown << Shown{kindOf(icon), title, text, {}};
}

int ScriptedDialogs::question(const QString& title, const QString& text, const QStringList& buttons, int defaultButton)
{
    m_shown << Shown{QStringLiteral("question"), title, text, buttons + QStringList{QString::number(defaultButton)}};
    return m_questions.isEmpty() ? -1 : m_questions.dequeue();
}

QString ScriptedDialogs::openFileName(const QString& caption, const QString& folder, const QString& filter)
{
    m_shown << Shown{QStringLiteral("open"), QString(), caption, {folder, filter}};
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString ScriptedDialogs::folderName(const QString& caption, const QString& folder)
{
    m_shown << Shown{QStringLiteral("folder"), QString(), caption, {folder}};
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString ScriptedDialogs::saveFileName(const QString& caption, const QString& proposed, const QString& filter)
{
    m_shown << Shown{QStringLiteral("save"), QString(), caption, {proposed, filter}};
    return m_saveFiles.isEmpty() ? QString() : m_saveFiles.dequeue();
}

bool ScriptedDialogs::getInt(const QString& title, const QString& label, int value, int minimum, int maximum, int step,
                             int* answer)
{
    m_shown << Shown{
        QStringLiteral("int"),
        title,
        label,
        {QString::number(value), QString::number(minimum), QString::number(maximum), QString::number(step)}};
    if (m_ints.isEmpty())
        return false;
    const int v = m_ints.dequeue();
    if (v == cancelled)
        return false;
    if (answer)
        *answer = v;
    return true;
}

bool ScriptedDialogs::getText(const QString& title, const QString& label, const QString& value, QString* answer)
{
    m_shown << Shown{QStringLiteral("text"), title, label, {value}};
    if (m_texts.isEmpty())
        return false;
    if (answer)
        *answer = m_texts.dequeue();
    return true;
}

std::unique_ptr<ProgressReporter> ScriptedDialogs::createProgress(const ProgressOptions& options)
{
    m_shown << Shown{QStringLiteral("progress"),
                     options.title,
                     options.label,
                     {options.cancelText, QString::number(options.minimum), QString::number(options.maximum)}};
    auto p = std::make_unique<ScriptedProgress>(*this, options, m_cancelAt);
    m_cancelAt = -1;
    return p;
}

bool ScriptedDialogs::printDialog(QPrinter* printer)
{
    m_shown << Shown{QStringLiteral("print"),
                     printer->docName(),
                     QString(),
                     {printer->pageLayout().orientation() == QPageLayout::Landscape ? QStringLiteral("landscape")
                                                                                    : QStringLiteral("portrait")}};
    if (m_prints.isEmpty())
        return false;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(m_prints.dequeue());
    return true;
}

bool ScriptedDialogs::openInViewer(const QString& file)
{
    m_shown << Shown{QStringLiteral("viewer"), QString(), file, {}};
    return m_viewers.isEmpty() ? QFileInfo(file).isFile() : m_viewers.dequeue();
}

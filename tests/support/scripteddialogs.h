// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/userdialogs.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <climits>
#include <functional>

// Stands in for a person: records every box and dialog in order and answers as scripted.
// Unscripted questions answer -1 (closed), file and input dialogs cancel.
class ScriptedDialogs : public UserDialogs
{
public:
    struct Shown
    {
        QString kind;   // "information", "warning", "critical", "question", "open", "folder", "save", "int", "text",
                        // "progress", "print" (title: document name), "viewer" (text: the file)
        QString title;
        QString text;   // message text, dialog label or caption
        QStringList details;   // buttons, folder and filter, bounds, ...
    };

    ScriptedDialogs() { setUserDialogs(this); }
    ~ScriptedDialogs() override { setUserDialogs(nullptr); }

    void answerQuestion(int button) { m_questions.enqueue(button); }
    void answerOpenFile(const QString& path) { m_files.enqueue(path); }
    void answerSaveFile(const QString& path) { m_saveFiles.enqueue(path); }
    // Scripted value, or cancel when none.
    void answerInt(int value) { m_ints.enqueue(value); }
    void cancelInt() { m_ints.enqueue(cancelled); }
    void answerText(const QString& text) { m_texts.enqueue(text); }
    // The next print dialog is accepted with the printer turned into a PDF file at path.
    void answerPrint(const QString& pdfPath) { m_prints.enqueue(pdfPath); }
    // Whether the desktop opens the next files; unscripted, it opens a file that exists.
    void answerViewer(bool opens) { m_viewers.enqueue(opens); }
    // The next progress dialog reports Cancel once its value reaches value (-1: never).
    void cancelProgressAt(int value) { m_cancelAt = value; }
    // Called on every processEvents() of a progress: lets a test act while a long operation runs.
    std::function<void()> onProgressEvents;

    const QList<Shown>& shown() const { return m_shown; }
    // "kind|title|text" of every box and dialog, for compact comparisons.
    QStringList summary() const;
    // The texts of message boxes only, in order.
    QStringList messages() const;
    void clear() { m_shown.clear(); }

    // Labels and values the progress dialogs went through.
    QStringList progressLabels;
    QList<int> progressValues;

    void message(Icon icon, const QString& title, const QString& text) override;
    int question(const QString& title, const QString& text, const QStringList& buttons, int defaultButton) override;
    QString openFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& proposed, const QString& filter) override;
    // Answered from the open-file answers.
    QString folderName(const QString& caption, const QString& folder) override;
    bool getInt(const QString& title, const QString& label, int value, int minimum, int maximum, int step,
                int* answer) override;
    bool getText(const QString& title, const QString& label, const QString& value, QString* answer) override;
    std::unique_ptr<ProgressReporter> createProgress(const ProgressOptions& options) override;
    bool printDialog(QPrinter* printer) override;
    bool openInViewer(const QString& file) override;

private:
    static constexpr int cancelled = INT_MIN;

    QList<Shown> m_shown;
    QQueue<int> m_questions;
    QQueue<QString> m_files;
    QQueue<QString> m_saveFiles;
    QQueue<int> m_ints;
    QQueue<QString> m_texts;
    QQueue<QString> m_prints;
    QQueue<bool> m_viewers;
    int m_cancelAt = -1;
};

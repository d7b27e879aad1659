// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/siteinfo.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <optional>

class QLineEdit;
class QSpinBox;
class QTextEdit;

// Keeps the window's location, comment and speed limit fields with the measure file: fills them
// when a file is opened and writes a value back to the file's site table once the user has
// changed it and left the field (and when another file is opened, and at the end). A file that
// cannot be written keeps the values for the session, and the user is told once per file.
class SiteInfoEditor : public QObject
{
    Q_OBJECT

public:
    // The fields belong to the window; the limit box shows 0 as "—" (no limit).
    SiteInfoEditor(QLineEdit* location, QTextEdit* comment, QSpinBox* limit, QObject* parent = nullptr);
    ~SiteInfoEditor() override;

    // Writes what is pending for the previous file, then shows the values of file: those stored
    // there (or kept this session), else the location given and no limit; the area's name gives
    // the proposal.
    void open(const QString& file, const SiteInfo& stored, const QString& defaultLocation, const QString& areaName,
              const QString& unit);
    // Another speed area was chosen: its name's number becomes the proposal.
    void areaChanged(const QString& areaName);
    // Shows the proposal in the empty limit box, for the user to confirm (editingFinished) or
    // change; nothing once a limit is set.
    void propose();
    // The limit stored or set by the user; empty when there is none (the area's proposal is none).
    std::optional<int> limit() const;
    // Writes the values changed since the last write.
    void save();

signals:
    void limitChanged();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void showLimit(int value);

    QLineEdit* m_location;
    QTextEdit* m_comment;
    QSpinBox* m_limit;
    QString m_file;
    SiteInfo m_pending;   // changed by the user, not yet written
    int m_proposal = 0;   // the number in the area's name, 0 without
    bool m_limitSet = false;   // the file (or the user) gave the limit: areas no longer change it
    bool m_filling = false;
    QHash<QString, SiteInfo> m_session;   // values of files that could not be written
    QSet<QString> m_warned;
};

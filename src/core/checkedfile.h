// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSaveFile>
#include <QString>

// Files the program opens itself. Only regular files are read or replaced: a FIFO or a device in
// a file's place would block the program or feed it endless bytes.

// True for a regular file, or a link to one.
bool isRegularFile(const QString& path);
// True when nothing is at path, or a regular file is.
bool isMissingOrRegularFile(const QString& path);

// A file written whole or not at all, for every writer of the program. Each write and the final
// flush are checked (Qt 5's QSaveFile::commit() does not see a buffered write that failed, so a
// full disk would replace a good file with a truncated one); on any failure the old file stays
// as it was and no temporary is left beside it.
class CheckedFile
{
public:
    explicit CheckedFile(const QString& path);
    CheckedFile(const CheckedFile&) = delete;
    CheckedFile& operator=(const CheckedFile&) = delete;

    // False when the target is something other than a regular file, or cannot be written.
    bool open(QIODevice::OpenMode mode = QIODevice::WriteOnly);
    // False once a write failed; later writes are skipped.
    bool write(const QByteArray& bytes);
    // For writers that need a device (a QDataStream): they report their own failures with fail().
    QIODevice* device() { return &m_file; }
    void fail(const QString& reason);
    bool failed() const { return m_failed; }
    // Replaces the target when every write went through; otherwise drops what was written.
    bool commit();
    QString errorString() const { return m_error; }

private:
    QSaveFile m_file;
    bool m_failed = false;
    QString m_error;
};

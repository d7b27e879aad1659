// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <memory>

// Files the program opens itself. Only regular files are read or replaced: a FIFO or a device in
// a file's place would block the program or feed it endless bytes.

// True for a regular file, or a link to one.
bool isRegularFile(const QString& path);
// True when nothing is at path, or a regular file is.
bool isMissingOrRegularFile(const QString& path);

// A file written whole or not at all, for every writer of the program. The bytes go to a
// temporary ".NAME.tramola-XXXXXX" beside the target, which replaces the target only once every
// write, the final flush and the sync to disk went through (Qt 5's QSaveFile::commit() does not
// see a buffered write that failed, so a full disk would replace a good file with a truncated
// one). On any failure the old file stays as it was and the temporary goes.
//
// A temporary left by a killed writer is removed at the next write into its folder once it is
// an hour old: a live writer touches its file far more often, and an age can be told on every
// system and network share, where a process id cannot.
class CheckedFile
{
    Q_DECLARE_TR_FUNCTIONS(CheckedFile)

public:
    explicit CheckedFile(const QString& path);
    ~CheckedFile();
    CheckedFile(const CheckedFile&) = delete;
    CheckedFile& operator=(const CheckedFile&) = delete;

    // False when the target is something other than a regular file, or its temporary cannot be
    // made. Of the mode only QIODevice::Text counts (line ends of the system).
    bool open(QIODevice::OpenMode mode = QIODevice::WriteOnly);
    // False once a write failed; later writes are skipped.
    bool write(const QByteArray& bytes);
    // For writers that need a device (a QDataStream, a QPdfWriter): every write through it is
    // checked as write() is.
    QIODevice* device();
    // Marks the file failed for a reason of the caller's (first reason kept).
    void fail(const QString& reason);
    bool failed() const { return m_failed; }
    // Replaces the target when every write went through; otherwise drops what was written.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();
    // Why the file could not be written, in French and in the user's words ("disque plein",
    // "accès refusé", …), the system's own text at most in parentheses.
    QString errorString() const { return m_error; }

    // True for the name of a temporary of this class.
    static bool isTemporaryName(const QString& fileName);
    // The age after which a temporary is taken for a killed writer's.
    static constexpr int staleSeconds = 3600;

private:
    class Sink;
    void failWithTemp();
    void failWithCode(int code);
    void discard();

    QString m_target;
    QFile m_temp;
    std::unique_ptr<Sink> m_sink;
    bool m_failed = false;
    QString m_error;
};

// The reason in the user's words of a failed file operation, from the system's error text (a
// QFileDevice's errorString()).
QString fileErrorReason(const QString& systemText);

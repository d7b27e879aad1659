// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/checkedfile.h"

#include <QCoreApplication>
#include <QFileInfo>

bool isRegularFile(const QString& path)
{
    // QFileInfo::isFile() is true for regular files only (not FIFOs, sockets or devices).
    return QFileInfo(path).isFile();
}

bool isMissingOrRegularFile(const QString& path)
{
    const QFileInfo info(path);
    return (!info.exists() && !info.isSymLink()) || info.isFile();
}

CheckedFile::CheckedFile(const QString& path) : m_file(path) { }

bool CheckedFile::open(QIODevice::OpenMode mode)
{
    if (!isMissingOrRegularFile(m_file.fileName())) {
        fail(QCoreApplication::translate("CheckedFile", "%1 n'est pas un fichier ordinaire").arg(m_file.fileName()));
        return false;
    }
    if (!m_file.open(mode)) {
        fail(m_file.errorString());
        return false;
    }
    return true;
}

bool CheckedFile::write(const QByteArray& bytes)
{
    if (m_failed)
        return false;
    if (m_file.write(bytes) != bytes.size())
        fail(m_file.errorString());
    return !m_failed;
}

void CheckedFile::fail(const QString& reason)
{
    if (m_failed)
        return;
    m_failed = true;
    m_error = reason;
}

bool CheckedFile::commit()
{
    if (!m_file.isOpen()) {
        fail(m_error.isEmpty() ? QStringLiteral("not open") : m_error);
        return false;
    }
    // The bytes still buffered are written here, where a full disk shows.
    if (!m_failed && (!m_file.flush() || m_file.error() != QFileDevice::NoError))
        fail(m_file.errorString());
    if (m_failed) {
        m_file.cancelWriting();
        m_file.commit();   // removes the temporary
        return false;
    }
    if (!m_file.commit()) {
        fail(m_file.errorString());
        return false;
    }
    return true;
}

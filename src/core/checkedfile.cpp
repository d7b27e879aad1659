// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/checkedfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>

#if defined(Q_OS_WIN)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

struct Reason
{
    int code;
    const char* text;
};

// The failures a user can act on, by the code the system gives them.
#if defined(Q_OS_WIN)
const Reason reasons[] = {
    {112, QT_TRANSLATE_NOOP("CheckedFile", "disque plein")},   // ERROR_DISK_FULL
    {39, QT_TRANSLATE_NOOP("CheckedFile", "disque plein")},   // ERROR_HANDLE_DISK_FULL
    {5, QT_TRANSLATE_NOOP("CheckedFile", "accès refusé")},   // ERROR_ACCESS_DENIED
    {19, QT_TRANSLATE_NOOP("CheckedFile", "disque protégé en écriture")},   // ERROR_WRITE_PROTECT
    {32, QT_TRANSLATE_NOOP("CheckedFile", "fichier ouvert par un autre programme")},   // ERROR_SHARING_VIOLATION
    {33, QT_TRANSLATE_NOOP("CheckedFile", "fichier ouvert par un autre programme")},   // ERROR_LOCK_VIOLATION
    {3, QT_TRANSLATE_NOOP("CheckedFile", "dossier introuvable")},   // ERROR_PATH_NOT_FOUND
    {206, QT_TRANSLATE_NOOP("CheckedFile", "nom de fichier trop long")},   // ERROR_FILENAME_EXCED_RANGE
    {1117, QT_TRANSLATE_NOOP("CheckedFile", "erreur matérielle du disque")},   // ERROR_IO_DEVICE
    {64, QT_TRANSLATE_NOOP("CheckedFile", "partage réseau perdu")},   // ERROR_NETNAME_DELETED
};
#else
const Reason reasons[] = {
    {ENOSPC, QT_TRANSLATE_NOOP("CheckedFile", "disque plein")},
#ifdef EDQUOT
    {EDQUOT, QT_TRANSLATE_NOOP("CheckedFile", "quota de disque atteint")},
#endif
    {EFBIG, QT_TRANSLATE_NOOP("CheckedFile", "taille de fichier maximale atteinte")},
    {EACCES, QT_TRANSLATE_NOOP("CheckedFile", "accès refusé")},
    {EPERM, QT_TRANSLATE_NOOP("CheckedFile", "accès refusé")},
    {EROFS, QT_TRANSLATE_NOOP("CheckedFile", "disque en lecture seule")},
    {EIO, QT_TRANSLATE_NOOP("CheckedFile", "erreur matérielle du disque")},
    {ENOENT, QT_TRANSLATE_NOOP("CheckedFile", "dossier introuvable")},
    {ENOTDIR, QT_TRANSLATE_NOOP("CheckedFile", "dossier introuvable")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("CheckedFile", "nom de fichier trop long")},
    {EISDIR, QT_TRANSLATE_NOOP("CheckedFile", "un dossier porte ce nom")},
    {EMFILE, QT_TRANSLATE_NOOP("CheckedFile", "trop de fichiers ouverts")},
    {ENFILE, QT_TRANSLATE_NOOP("CheckedFile", "trop de fichiers ouverts")},
    {EBUSY, QT_TRANSLATE_NOOP("CheckedFile", "fichier occupé")},
    {ETXTBSY, QT_TRANSLATE_NOOP("CheckedFile", "fichier occupé")},
};
#endif

QString unknownReason(const QString& systemText)
{
    // A device without an error of its own says "Unknown error", which tells the user nothing.
    if (systemText.isEmpty() || systemText == QFile().errorString())
        return CheckedFile::tr("écriture impossible");
    return CheckedFile::tr("écriture impossible (%1)").arg(systemText);
}

QString reasonForCode(int code)
{
    for (const Reason& r : reasons) {
        if (r.code == code)
            return CheckedFile::tr(r.text);
    }
    return unknownReason(qt_error_string(code));
}

// 0 or the system's error code.
int syncToDisk(QFile& file)
{
    const int fd = file.handle();
    if (fd < 0)
        return 0;
#if defined(Q_OS_WIN)
    return _commit(fd) == 0 ? 0 : errno;
#else
    return ::fsync(fd) == 0 ? 0 : errno;
#endif
}

// Replaces to with from in one step where the system allows it; 0 or the system's error code.
int replaceFile(const QString& from, const QString& to)
{
#if defined(Q_OS_WIN)
    const QString nativeFrom = QDir::toNativeSeparators(from), nativeTo = QDir::toNativeSeparators(to);
    if (MoveFileExW(reinterpret_cast<const wchar_t*>(nativeFrom.utf16()),
                    reinterpret_cast<const wchar_t*>(nativeTo.utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return int(GetLastError());
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ? 0 : errno;
#endif
}

QString randomSuffix()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i)
        suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return suffix;
}

void removeStaleTemporaries(const QDir& folder)
{
    const QDateTime limit = QDateTime::currentDateTimeUtc().addSecs(-CheckedFile::staleSeconds);
    const QFileInfoList found = folder.entryInfoList({QStringLiteral(".*.tramola-*")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : found) {
        if (CheckedFile::isTemporaryName(file.fileName()) && file.lastModified().toUTC() < limit)
            QFile::remove(file.absoluteFilePath());
    }
}

}   // namespace

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

QString fileErrorReason(const QString& systemText)
{
    for (const Reason& r : reasons) {
        if (systemText == qt_error_string(r.code))
            return CheckedFile::tr(r.text);
    }
    return unknownReason(systemText);
}

// Every write of the writer passes here, so that the first failure is kept even when the
// writer looks no further than its own painter or stream.
class CheckedFile::Sink : public QIODevice
{
public:
    explicit Sink(CheckedFile& owner) : m_owner(owner) { }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        for (qint64 done = 0; done < length && !m_owner.m_failed;) {
            const qint64 written = m_owner.m_temp.write(data + done, length - done);
            if (written <= 0)
                m_owner.failWithTemp();
            done += written;
        }
        return m_owner.m_failed ? -1 : length;
    }

private:
    CheckedFile& m_owner;
};

CheckedFile::CheckedFile(const QString& path) : m_target(path), m_sink(std::make_unique<Sink>(*this)) { }

CheckedFile::~CheckedFile()
{
    discard();
}

bool CheckedFile::isTemporaryName(const QString& fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.tramola-[A-Za-z0-9]{6}$"));
    return pattern.match(fileName).hasMatch();
}

bool CheckedFile::open(QIODevice::OpenMode mode)
{
    QFileInfo target(m_target);
    if (target.isDir()) {
        fail(tr("un dossier porte ce nom"));
        return false;
    }
    if (!isMissingOrRegularFile(m_target)) {
        fail(tr("ce n'est pas un fichier ordinaire"));
        return false;
    }
    // A link stays a link: the file it points to is the one replaced.
    if (target.isSymLink())
        target.setFile(target.symLinkTarget());
    m_target = target.absoluteFilePath();
    const QDir folder = target.absoluteDir();
    if (!folder.exists()) {
        fail(tr("dossier introuvable"));
        return false;
    }
    removeStaleTemporaries(folder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temp.setFileName(folder.filePath(QStringLiteral(".%1.tramola-%2").arg(target.fileName(), randomSuffix())));
        if (m_temp.open(QIODevice::WriteOnly | QIODevice::NewOnly | (mode & QIODevice::Text))) {
            m_sink->open(QIODevice::WriteOnly);
            return true;
        }
        // Another writer's temporary of the same name: draw again.
        if (!m_temp.exists())
            break;
    }
    failWithTemp();
    m_temp.setFileName(QString());
    return false;
}

bool CheckedFile::write(const QByteArray& bytes)
{
    if (!m_failed)
        m_sink->write(bytes);
    return !m_failed;
}

QIODevice* CheckedFile::device()
{
    return m_sink.get();
}

void CheckedFile::fail(const QString& reason)
{
    if (m_failed)
        return;
    m_failed = true;
    m_error = reason;
}

void CheckedFile::failWithTemp()
{
    // A write that stops short of a full disk sets no error of its own ("Unknown error"): the
    // next attempt at the bytes left in the buffer tells why.
    if (m_temp.isOpen())
        m_temp.flush();
    fail(fileErrorReason(m_temp.errorString()));
}

void CheckedFile::failWithCode(int code)
{
    fail(reasonForCode(code));
}

bool CheckedFile::commit()
{
    if (!m_temp.isOpen()) {
        fail(tr("écriture impossible"));
        discard();
        return false;
    }
    // The bytes still buffered are written here, where a full disk shows; a network share may
    // only tell at the sync or the close.
    if (!m_failed && !m_temp.flush())
        failWithTemp();
    if (!m_failed) {
        if (const int code = syncToDisk(m_temp))
            failWithCode(code);
    }
    m_sink->close();
    m_temp.close();
    if (!m_failed && m_temp.error() != QFileDevice::NoError)
        failWithTemp();
    if (m_failed) {
        discard();
        return false;
    }
    if (QFileInfo::exists(m_target))
        QFile::setPermissions(m_temp.fileName(), QFile::permissions(m_target));
    if (const int code = replaceFile(m_temp.fileName(), m_target)) {
        failWithCode(code);
        discard();
        return false;
    }
    m_temp.setFileName(QString());
    return true;
}

void CheckedFile::cancel()
{
    fail(tr("écriture annulée"));
    discard();
}

void CheckedFile::discard()
{
    m_sink->close();
    m_temp.close();
    if (!m_temp.fileName().isEmpty())
        QFile::remove(m_temp.fileName());
    m_temp.setFileName(QString());
}

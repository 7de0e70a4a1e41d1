#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

SingleInstanceLock::SingleInstanceLock(const QString& programFolder)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QByteArray hash =
        QCryptographicHash::hash(programFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_lock = std::make_unique<QLockFile>(folder + QStringLiteral("/yojidrill-") +
                                         QString::fromLatin1(hash) + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    m_acquired = m_lock->tryLock(0);
}

#include "testinstallation.h"

#include "core/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

TestInstallation::TestInstallation()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    QDir(root()).mkpath(QStringLiteral("files"));
    QDir(root()).mkpath(QStringLiteral("prog"));
}

void TestInstallation::writeBytes(const QString& relativePath, const QByteArray& bytes) const
{
    const QString path = root() + u'/' + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

void TestInstallation::writeText(const QString& relativePath, const QString& text) const
{
    QString windowsText = text;
    windowsText.replace(u'\n', QStringLiteral("\r\n"));
    writeBytes(relativePath, CodePage::encode(windowsText));
}

void TestInstallation::remove(const QString& relativePath) const
{
    QFile::remove(root() + u'/' + relativePath);
}

QString TestInstallation::timeTableText(int count)
{
    QString text;
    for (int item = 1; item <= count; ++item)
        text += QStringLiteral("%1,%2,30,3,1.5,3,30,7,30,0,0,0\n").arg(100 + item).arg(200 + item);
    return text;
}

void TestInstallation::writeValidSettings() const
{
    writeText(QStringLiteral("prog/設定.txt"), QStringLiteral("1,0,0,0,0,0,0,0,0,0\n"));
    writeText(QStringLiteral("files/共通データ.txt"),
              QStringLiteral("4,\"12345テスト教室\",0,0,0,0,0,0,0,0\n"));
    writeText(QStringLiteral("prog/タイム回数データ.txt"), timeTableText(20));
    writeText(QStringLiteral("files/新音ファイル.txt"),
              QStringLiteral("正解音2,ok1,ok2,*\n間違い音2,ng1,*\n"));
}

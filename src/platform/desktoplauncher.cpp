#include "platform/desktoplauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool SystemDesktopLauncher::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool SystemDesktopLauncher::openAddress(const QString& address)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

#pragma once

#include "platform/status.h"

#include <QString>
#include <QStringList>

// The per-user installation: a layout-1 tree (the program folder and its sibling "files")
// made from the installed template at the first start.
class UserInstallation
{
public:
    // templateFolder and top both hold "files" and the program folder.
    UserInstallation(const QString& templateFolder, const QString& top);

    // Creates the tree when it is missing and adds any file of the template it lacks. A file
    // that exists is never touched: the roster and the result files hold the pupils' work.
    // The template's roster is not added beside a temporary roster, which holds the pupils'.
    // The voice files are linked, not copied. A new tree is built beside top and renamed into
    // place whole, so a failed first start leaves nothing that a later one takes as complete.
    Status ensure() const;

private:
    Status templateFiles(QStringList& relativePaths) const;
    Status fillIn(const QString& top, const QStringList& relativePaths) const;
    Status copyIfMissing(const QString& top, const QString& relativePath) const;
    Status linkVoicesIfMissing(const QString& top) const;

    QString m_template;
    QString m_top;
};

// The voice files of the idioms, linked from the template: about 80 MB that never change.
inline const QString kVoiceFolderPath = QStringLiteral("四字熟語/四字熟語音声");

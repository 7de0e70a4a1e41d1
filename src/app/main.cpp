#include "core/catalogue.h"
#include "core/mainwindow.h"
#include "core/navigator.h"
#include "core/placeholderscreen.h"
#include "core/sharedstate.h"
#include "core/startup.h"
#include "core/waitform.h"
#include "platform/qtmessagebox.h"
#include "platform/singleinstance.h"
#include "sound/cuetable.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 11));

    SharedState state;
    QtMessageBox messages;
    CueTable cueTable;
    const bool started = Main(state, QCoreApplication::applicationDirPath(), messages, [&] {
        return cueTable.load(state.soundFolder + kCueListFileName);
    });
    if (!started)
        return 1;
    const SingleInstanceLock instanceLock(state.programFolder);

    MainWindow window;
    messages.setParent(&window);
    Navigator navigator(window.screenStack(), window.waitForm());
    QObject::connect(&navigator, &Navigator::captionChanged, &window, &QWidget::setWindowTitle);
    const std::pair<ScreenId, QString> screens[] = {
        {ScreenId::NameSelection, QStringLiteral("名前の選択")},
        {ScreenId::Hub, QStringLiteral("学習メニュー")},
        {ScreenId::Drill, QStringLiteral("問題")},
        {ScreenId::Finish, QStringLiteral("結果")}};
    for (const auto& [id, title] : screens)
        navigator.registerScreen(id, [&state, title] {
            return new PlaceholderScreen(state.contentName, title);
        });

    window.show();
    navigator.show(ScreenId::NameSelection);
    return app.exec();
}

#include "accessibletree.h"
#include "core/mainwindow.h"
#include "core/navigator.h"
#include "core/waitform.h"
#include "finishfixture.h"
#include "results/finishscreen.h"
#include "standinscreen.h"
#include "tabwalk.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// The finish screen in the program's window, switched by the real navigator.
class FinishScreenTest : public FinishFixture
{
protected:
    FinishScreenTest()
    {
        QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 11));
        screens.registerScreen(ScreenId::Finish,
                               [this] { return new FinishScreen(finishServices); });
        for (ScreenId id : {ScreenId::Hub, ScreenId::Drill})
            screens.registerScreen(id, [] { return new StandInScreen(QStringLiteral("次")); });
        window.resize(MainWindow::kDesignWidth, MainWindow::kDesignHeight);
        window.show();
    }

    Screen* showFinish()
    {
        screens.show(ScreenId::Finish);
        QCoreApplication::processEvents();
        return screens.loadedScreen(ScreenId::Finish);
    }

    template <typename T> T* element(const char* name)
    {
        Screen* screen = screens.loadedScreen(ScreenId::Finish);
        return screen ? screen->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }
    QString text(const char* name) { return element<QLabel>(name)->text(); }
    bool visible(const char* name) { return element<QWidget>(name)->isVisible(); }

    // For looking at the screen: set YOJI_SCREENSHOT_DIR to keep a picture of each state.
    void keepScreenshot(const QString& name)
    {
        const QString folder = qEnvironmentVariable("YOJI_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    }

    MainWindow window;
    Navigator screens{window.screenStack(), window.waitForm()};
    FinishServices finishServices{*state, screens, sound, records};
};

} // namespace

TEST_F(FinishScreenTest, FirstMasteryOfTheTargetShowsResultPanelAndThenTheButtons)
{
    writeEarlier({{kPupil, 20, 30, 0}, {kPupil, 20, 30, 1}});
    finishDrill(20, 30);
    screens.setWaitFormVisible(true);
    ASSERT_NE(showFinish(), nullptr);

    EXPECT_EQ(text("Label18"), QStringLiteral("今の成績：30秒"));
    EXPECT_EQ(text("Label19"), QStringLiteral("獲得ポイント：11点×10→110点"));
    EXPECT_EQ(text("Label16"), QStringLiteral("範囲１０"));
    EXPECT_EQ(text("Label17"), QStringLiteral("山田　花子"));
    EXPECT_EQ(text("Label13"), QStringLiteral(" (このレベル　2回目)"));
    EXPECT_TRUE(visible("Label2"));
    EXPECT_TRUE(visible("Picture1"));
    EXPECT_EQ(text("Label1"), QStringLiteral("目標レベルクリア。おめでとう！"));
    EXPECT_FALSE(visible("Label20"));
    EXPECT_FALSE(visible("Command4"));
    EXPECT_FALSE(visible("Command5"));
    EXPECT_FALSE(window.waitForm().isVisible());
    EXPECT_EQ(output.commands.last(), cue(QStringLiteral("合格")));
    auto* timer1 = element<QTimer>("Timer1");
    ASSERT_NE(timer1, nullptr);
    EXPECT_TRUE(timer1->isSingleShot());
    EXPECT_EQ(timer1->interval(), 500);
    EXPECT_TRUE(timer1->isActive());
    keepScreenshot(QStringLiteral("finish-target-cleared"));

    QTRY_VERIFY_WITH_TIMEOUT(visible("Command4"), 2000);
    EXPECT_FALSE(visible("Picture1"));
    EXPECT_FALSE(timer1->isActive());
    EXPECT_TRUE(element<QPushButton>("Command4")->hasFocus());
    EXPECT_TRUE(visible("Command5"));
    keepScreenshot(QStringLiteral("finish-buttons"));

    QTest::mouseClick(element<QPushButton>("Command4"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(screens.loadedScreen(ScreenId::Finish), nullptr);
    EXPECT_NE(screens.loadedScreen(ScreenId::Hub), nullptr);
}

TEST_F(FinishScreenTest, MoveOnAdviceHidesOnceMore)
{
    state->itemText6[8] = QStringLiteral("3");
    state->finalItemNo = 20;
    writeEarlier({{kPupil, 8, 30, 0}, {kPupil, 8, 30, 1}});
    finishDrill(8, 30);
    ASSERT_NE(showFinish(), nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(visible("Command4"), 2000);
    EXPECT_EQ(text("Label2"), QStringLiteral("次のレベルへ進みましょう"));
    EXPECT_TRUE(visible("Label2"));
    EXPECT_FALSE(visible("Command5"));
    keepScreenshot(QStringLiteral("finish-move-on"));
}

TEST_F(FinishScreenTest, OnceMoreClosesTheScreenAndStartsTheDrill)
{
    writeEarlier({{kOther, 6, 20, 1}});
    finishDrill(6, 99999, true);
    ASSERT_NE(showFinish(), nullptr);
    EXPECT_EQ(text("Label18"), QStringLiteral("記録なし"));
    EXPECT_EQ(text("Label20"), QStringLiteral("時間切れ"));
    QTRY_VERIFY_WITH_TIMEOUT(visible("Command5"), 2000);
    keepScreenshot(QStringLiteral("finish-time-over"));

    QTest::mouseClick(element<QPushButton>("Command5"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(screens.loadedScreen(ScreenId::Finish), nullptr);
    EXPECT_NE(screens.loadedScreen(ScreenId::Drill), nullptr);
    EXPECT_FALSE(state->drillRun.timeOver);
}

// Once the buttons show, the focus is on "メニューへ", Tab goes to "もう一度", Enter presses
// the focused button and Escape is "メニューへ"; before they show, Escape does nothing.
TEST_F(FinishScreenTest, TheButtonsTakeTheFocusAndEscapeIsTheWayToTheMenu)
{
    finishDrill(6, 150, false);
    ASSERT_NE(showFinish(), nullptr);
    keyAtFocus(&window, Qt::Key_Escape);
    QCoreApplication::processEvents();
    ASSERT_NE(screens.loadedScreen(ScreenId::Finish), nullptr);

    QMetaObject::invokeMethod(element<QTimer>("Timer1"), "timeout");
    ASSERT_TRUE(visible("Command4"));
    EXPECT_EQ(window.focusWidget(), element<QPushButton>("Command4"));
    EXPECT_EQ(unnamedControls(screens.loadedScreen(ScreenId::Finish)), QStringList{});
    EXPECT_EQ(tabWalk(&window, 1), QStringList{"Command5"});
    keyAtFocus(&window, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(screens.loadedScreen(ScreenId::Finish), nullptr);
    EXPECT_EQ(screens.loadedScreen(ScreenId::Drill), nullptr);
    EXPECT_NE(screens.loadedScreen(ScreenId::Hub), nullptr);
}

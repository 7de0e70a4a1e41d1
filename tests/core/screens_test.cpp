#include "core/listfont.h"
#include "core/mainwindow.h"
#include "core/navigator.h"
#include "core/screen.h"
#include "core/waitform.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QPointer>
#include <QStackedWidget>

#include <gtest/gtest.h>

namespace {

// Logs its load and activation steps; can ask for another screen while it loads.
class LoggingScreen : public Screen
{
public:
    LoggingScreen(QString name, QStringList& log) : m_name(std::move(name)), m_log(log) {}
    void load() override { m_log << m_name + QStringLiteral(" load"); }
    void activate() override { m_log << m_name + QStringLiteral(" activate"); }
    QString windowCaption() const override { return m_name; }

private:
    QString m_name;
    QStringList& m_log;
};

class NavigatorTest : public ::testing::Test
{
protected:
    NavigatorTest() : navigator(window.screenStack(), window.waitForm())
    {
        for (auto [id, name] :
             {std::pair{ScreenId::NameSelection, "names"}, std::pair{ScreenId::Hub, "hub"}})
            navigator.registerScreen(id, [this, name = QString::fromLatin1(name)] {
                ++created;
                return new LoggingScreen(name, log);
            });
        QObject::connect(&navigator, &Navigator::captionChanged, &window, &QWidget::setWindowTitle);
    }
    static void runQueued() { QCoreApplication::processEvents(); }

    MainWindow window;
    Navigator navigator;
    QStringList log;
    int created = 0;
};

} // namespace

TEST_F(NavigatorTest, SwitchesAreQueuedAndLoadRunsOnlyOnce)
{
    navigator.show(ScreenId::NameSelection);
    EXPECT_TRUE(log.isEmpty()); // nothing happens inside the asking handler
    runQueued();
    navigator.show(ScreenId::Hub);
    runQueued();
    navigator.show(ScreenId::NameSelection); // still loaded: activation only
    runQueued();
    EXPECT_EQ(log, (QStringList{"names load", "names activate", "hub load", "hub activate",
                                "names activate"}));
    EXPECT_EQ(created, 2);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("names"));
    EXPECT_EQ(window.screenStack().currentWidget(),
              navigator.loadedScreen(ScreenId::NameSelection));
}

TEST_F(NavigatorTest, UnloadDeletesTheScreenAndTheNextShowLoadsAfresh)
{
    navigator.show(ScreenId::Hub);
    runQueued();
    QPointer<Screen> hub = navigator.loadedScreen(ScreenId::Hub);
    ASSERT_TRUE(hub);
    navigator.unload(ScreenId::Hub);
    runQueued();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(hub);
    EXPECT_EQ(navigator.loadedScreen(ScreenId::Hub), nullptr);
    navigator.show(ScreenId::Hub);
    runQueued();
    EXPECT_EQ(created, 2);
    EXPECT_EQ(log.count(QStringLiteral("hub load")), 2);
}

TEST_F(NavigatorTest, WaitFormCoversTheWholeWindow)
{
    window.show();
    navigator.setWaitFormVisible(true);
    auto* wait = window.findChild<WaitForm*>(QStringLiteral("BASEFRM"));
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(wait->isVisible());
    EXPECT_EQ(wait->geometry(), window.rect());
    window.resize(1200, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(wait->geometry(), window.rect());
    navigator.setWaitFormVisible(false);
    EXPECT_FALSE(wait->isVisible());
}

TEST_F(NavigatorTest, TheWaitFormOfAHandOverGoesOnceTheNextScreenIsActive)
{
    window.show();
    navigator.show(ScreenId::NameSelection);
    runQueued();
    navigator.setWaitFormVisible(true);
    navigator.show(ScreenId::Hub);
    EXPECT_TRUE(window.waitForm().isVisible());
    runQueued();
    EXPECT_FALSE(window.waitForm().isVisible());
}

TEST(ListFont, TheFixedPitchJapaneseFontIsInUse)
{
    const QFontInfo info(fixedPitchListFont(12));
    EXPECT_EQ(info.family(), kFixedPitchFamily);
    // Every half-width character takes one column and a full-width one exactly two.
    const QFontMetrics metrics(fixedPitchListFont(12));
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("i")),
              metrics.horizontalAdvance(QStringLiteral("W")));
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("山")),
              2 * metrics.horizontalAdvance(QStringLiteral("a")));
}

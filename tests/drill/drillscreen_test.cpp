#include "core/mainwindow.h"
#include "core/navigator.h"
#include "core/waitform.h"
#include "drill/drillscreen.h"
#include "drill/idiomsource.h"
#include "drillfixture.h"
#include "standinscreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <map>

namespace {

// Where the screenshots go when YOJI_SCREENSHOT_DIR is set; nothing is written otherwise.
void saveScreenshot(QWidget& widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("YOJI_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    widget.grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

// The drill screen inside the real main window, with the real navigator: the hub and the
// finish screen are plain screens that only show that they were reached.
class DrillScreenTest : public DrillTest
{
protected:
    DrillScreenTest()
    {
        screens.registerScreen(ScreenId::Drill, [this] {
            auto* screen = new DrillScreen(screenServices);
            drillScreen = screen;
            return screen;
        });
        screens.registerScreen(
            ScreenId::Hub, [this] { return new StandInScreen(QStringLiteral("学習メニュー")); });
        screens.registerScreen(ScreenId::Finish,
                               [this] { return new StandInScreen(QStringLiteral("結果")); });
        window.show();
    }

    // Shows the drill screen for an item and lets the queued switch run.
    DrillScreen& showDrill(int item)
    {
        state.drillItemNo = static_cast<qint16>(item);
        startDrill(state, screens);
        QCoreApplication::processEvents();
        return *drillScreen;
    }

    template <typename T = QLabel> T* element(const QString& name) const
    {
        T* found = drillScreen ? drillScreen->findChild<T*>(name) : nullptr;
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void click(const QString& name) { QTest::mouseClick(element<QWidget>(name), Qt::LeftButton); }
    // The visible tile of this kind showing this character.
    QString tileShowing(const QString& prefix, int count, const QString& c) const
    {
        for (int i = 1; i <= count; ++i) {
            auto* tile = element(prefix + QString::number(i));
            if (tile->isVisible() && tile->text() == c)
                return prefix + QString::number(i);
        }
        return QString();
    }
    void clickKanaTile(const QString& c)
    {
        const QString name = tileShowing(QStringLiteral("Label15_"), 6, c);
        ASSERT_FALSE(name.isEmpty()) << c.toStdString();
        click(name);
    }
    void clickKanjiTile(const QString& c)
    {
        const QString name = tileShowing(QStringLiteral("Label14_"), 12, c);
        ASSERT_FALSE(name.isEmpty()) << c.toStdString();
        click(name);
    }
    DrillEngine& logic() { return drillScreen->engine(); }
    // Runs the queued switch of screens and deletes the screen that was left.
    static void letScreensSwitch()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString meaningOf(int n) { return logic().questions().question(n).meaning; }
    void tick(qint64 milliseconds)
    {
        clock.monotonic = milliseconds;
        QMetaObject::invokeMethod(element<QTimer>(QStringLiteral("sTimer1")), "timeout");
    }

    MainWindow window;
    Navigator screens{window.screenStack(), window.waitForm()};
    DrillServices screenServices{state, screens, sound, clock, random, messages, sleeper, records};
    QPointer<DrillScreen> drillScreen;
};

} // namespace

TEST_F(DrillScreenTest, ElementsCarryTheirNamesAndCaptions)
{
    showDrill(4);
    const std::map<QString, QString> captions = {
        {"Label3", "はじめの４文字を選びなさい"},
        {"Label4", "間違うと１０秒追加　　 一文字ずつ答えが出ます"},
        {"Label5", "音声ヒント：１０秒追加　　　間違い：２０秒追加＋１回追加"},
        {"lblsss1", "成績記録中"},
        {"lblsss2", "時間切れ"},
        {"sLabel3", "レベル"},
        {"sLabel4", "残り"},
        {"sLabel5", "タイム"},
        {"sLabel16_1", "このレベル"},
        {"sLabel16_3", "本日"},
        {"sLabel16_5", "起動後"},
        {"sLabel17_1", "Pass"},
        {"sLabel17_2", "Best"},
        {"sLabel17_3", "YourBest"},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(element(name)->text(), caption) << name.toStdString();
    const std::map<QString, QString> buttons = {
        {"Command3", "O.K."},        {"Command14", "O.K."}, {"Command6", "１文字クリア"},
        {"Command2", "クリア"},      {"Command4", "次へ"},  {"Command8", "戻る"},
        {"Command11", "答えを見る"}, {"Command10", "次へ"}, {"Command9", "この問題覚えた"},
        {"voiceHint", "音声ヒント"},
    };
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(element<QPushButton>(name)->text(), caption) << name.toStdString();
    for (int box = 10; box <= 39; ++box)
        element<QWidget>(QStringLiteral("sPicture3_%1").arg(box));
    for (const char* name :
         {"Picture2", "Picture3", "Picture4", "sPicture2", "sShape2",  "sShape3",  "sShape4",
          "sShape5",  "sShape7",  "Label9",   "Label1",    "Label2",   "sLabel2",  "sLabel7",
          "sLabel8",  "sLabel9",  "sLabel10", "sLabel11",  "sLabel12", "sLabel13", "sLabel14"})
        element<QWidget>(QString::fromLatin1(name));
    EXPECT_EQ(element<QTimer>(QStringLiteral("sTimer1"))->interval(), 1000);
    EXPECT_EQ(element<QTimer>(QStringLiteral("sTimer2"))->interval(), 10000);
    EXPECT_TRUE(element<QTimer>(QStringLiteral("sTimer1"))->isActive());
    EXPECT_TRUE(element<QTimer>(QStringLiteral("sTimer2"))->isActive());
    // The check box "音を出さない" would do nothing, so it is not offered.
    EXPECT_TRUE(drillScreen->findChildren<QCheckBox*>().isEmpty());
}

// The whole road of a test drill on a demo range, by clicking tiles as a pupil would, with
// one wrong reading and one wrong idiom on the way.
TEST_F(DrillScreenTest, WholeTestDrillOfADemoRangeRecordsOneResult)
{
    QFile csv(QStringLiteral(YOJI_DATA_DIR "/idioms.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    std::vector<IdiomSource::Row> rows;
    ASSERT_TRUE(IdiomSource::parse(QString::fromUtf8(csv.readAll()), "idioms.csv", rows).ok());
    ASSERT_TRUE(IdiomSource::writeCompanionFile(rows, state.programFolder + "四字02vv.ccc").ok());
    std::map<QString, QStringList> byMeaning;
    int rangeSize = 0;
    for (const IdiomSource::Row& row : rows) {
        if (row.fields.at(0) == QStringLiteral("2")) {
            byMeaning[row.fields.at(3)] = row.fields;
            ++rangeSize;
        }
    }
    ASSERT_GE(rangeSize, 20);

    showDrill(4);
    ASSERT_TRUE(drillScreen);
    qint64 now = 0;
    int questionsShown = 0;
    while (drillScreen && !logic().display().closingVisible) {
        ASSERT_LT(++questionsShown, 100);
        const auto found = byMeaning.find(element(QStringLiteral("Label9"))->text());
        ASSERT_NE(found, byMeaning.end());
        const QString idiom = found->second.at(1);
        const QString reading = found->second.at(2);
        now += 1500;
        tick(now);

        const bool first = questionsShown == 1;
        if (first) {
            // A wrong kana gives the first character away.
            const QString wrong = [&] {
                for (int i = 1; i <= 6; ++i) {
                    if (element(QStringLiteral("Label15_%1").arg(i))->text() != reading.left(1))
                        return QStringLiteral("Label15_%1").arg(i);
                }
                return QString();
            }();
            click(wrong);
            EXPECT_EQ(element(QStringLiteral("Label1"))->text(), reading.left(1));
            saveScreenshot(window, QStringLiteral("drill-reading"));
        }
        for (qsizetype k = element(QStringLiteral("Label1"))->text().size(); k < 4; ++k)
            clickKanaTile(reading.mid(k, 1));
        ASSERT_FALSE(element<QWidget>(QStringLiteral("Picture2"))->isVisible());
        ASSERT_TRUE(element<QWidget>(QStringLiteral("Label10_1"))->isVisible());

        if (first) {
            clickKanjiTile(idiom.mid(0, 1));
            clickKanjiTile(idiom.mid(1, 1));
            for (int i = 1, decoys = 0; i <= 12 && decoys < 2; ++i) {
                auto* tile = element(QStringLiteral("Label14_%1").arg(i));
                if (tile->isVisible() && !idiom.contains(tile->text())) {
                    click(tile->objectName());
                    ++decoys;
                }
            }
            click(QStringLiteral("Command3"));
            ASSERT_TRUE(element<QWidget>(QStringLiteral("Picture3"))->isVisible());
            EXPECT_EQ(element(QStringLiteral("Label10_5"))->text() +
                          element(QStringLiteral("Label10_6"))->text() +
                          element(QStringLiteral("Label10_7"))->text() +
                          element(QStringLiteral("Label10_8"))->text(),
                      idiom);
            EXPECT_EQ(element(QStringLiteral("Label2"))->text(), reading);
            saveScreenshot(window, QStringLiteral("drill-correction"));
            click(QStringLiteral("Command4"));
            continue;
        }
        for (qsizetype k = 0; k < 4; ++k) {
            clickKanjiTile(idiom.mid(k, 1));
            if (k == 1 && questionsShown == 8)
                saveScreenshot(window, QStringLiteral("drill-idiom"));
        }
        click(QStringLiteral("Command3"));
    }
    ASSERT_TRUE(drillScreen);
    EXPECT_TRUE(element<QWidget>(QStringLiteral("lblsss1"))->isVisible());
    EXPECT_EQ(questionsShown, rangeSize + 2); // the wrong idiom comes back twice
    letScreensSwitch();
    EXPECT_TRUE(drillScreen.isNull());

    const QByteArray bytes = resultBytes();
    ASSERT_EQ(bytes.size(), RecordCodec::kResultLength);
    const ResultRecord record = RecordCodec::decodeResult(bytes.constData());
    EXPECT_EQ(record.pupilNo, 7);
    EXPECT_EQ(record.itemNo, 4);
    EXPECT_EQ(record.result, (now + 30000) / 1000);
    EXPECT_EQ(state.drillResult, record.result);
    EXPECT_FALSE(state.drillRun.timeOver);
    auto* notice = window.screenStack().currentWidget()->findChild<QLabel*>("standInTitle");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->text().contains(QStringLiteral("結果")));
}

TEST_F(DrillScreenTest, ClicksOnTheCoveredKanjiTilesFillNoHiddenSlot)
{
    showDrill(4);
    ASSERT_TRUE(element<QWidget>(QStringLiteral("Picture2"))->isVisible());
    for (int i = 1; i <= 12; ++i)
        click(QStringLiteral("Label14_%1").arg(i));
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(element(QStringLiteral("Label10_%1").arg(k))->text().isEmpty());
    EXPECT_FALSE(element<QWidget>(QStringLiteral("Label10_1"))->isVisible());
}

TEST_F(DrillScreenTest, TheDrillClockEndsATestWithTimeOver)
{
    showDrill(4);
    tick(150'000);
    EXPECT_EQ(element(QStringLiteral("sLabel10"))->text(), QStringLiteral("150"));
    const int gauge = element<QWidget>(QStringLiteral("sShape5"))->width();
    EXPECT_NEAR(element<QWidget>(QStringLiteral("sShape2"))->width(), gauge / 2, 1);
    tick(300'000);
    ASSERT_TRUE(drillScreen);
    EXPECT_TRUE(element<QWidget>(QStringLiteral("sPicture2"))->isVisible());
    EXPECT_TRUE(element<QWidget>(QStringLiteral("lblsss2"))->isVisible());
    EXPECT_FALSE(element<QWidget>(QStringLiteral("lblsss1"))->isVisible());
    EXPECT_FALSE(element<QTimer>(QStringLiteral("sTimer1"))->isActive());
    saveScreenshot(window, QStringLiteral("drill-timeover"));
    letScreensSwitch();
    EXPECT_TRUE(drillScreen.isNull());
    ASSERT_EQ(resultBytes().size(), RecordCodec::kResultLength);
    EXPECT_EQ(RecordCodec::decodeResult(resultBytes().constData()).result, 99999);
}

TEST_F(DrillScreenTest, APracticeWalkByItsButtons)
{
    showDrill(3);
    EXPECT_TRUE(element(QStringLiteral("sLabel11"))->text() == QStringLiteral("－"));
    EXPECT_FALSE(element<QWidget>(QStringLiteral("Picture2"))->isVisible());
    EXPECT_FALSE(element<QWidget>(QStringLiteral("Picture4"))->isVisible());
    EXPECT_FALSE(element<QWidget>(QStringLiteral("Command3"))->isVisible());
    EXPECT_FALSE(element<QWidget>(QStringLiteral("Label5"))->isVisible());
    click(QStringLiteral("Command11"));
    EXPECT_EQ(element(QStringLiteral("Label10_1"))->text(), QStringLiteral("一"));
    EXPECT_EQ(element(QStringLiteral("Label1"))->text(), QStringLiteral("いっせきにちょう"));
    EXPECT_TRUE(element<QWidget>(QStringLiteral("Command9"))->isVisible());
    saveScreenshot(window, QStringLiteral("drill-practice"));

    click(QStringLiteral("Command10"));
    EXPECT_EQ(element(QStringLiteral("Label9"))->text(), meaningOf(2));
    click(QStringLiteral("Command8"));
    letScreensSwitch();
    EXPECT_TRUE(drillScreen.isNull());
    EXPECT_TRUE(resultBytes().isEmpty());
}

// Every panel of the question area fits the window at its design size, whichever is shown.
TEST_F(DrillScreenTest, TheScreenFitsTheDesignSize)
{
    state.itemName[4] = QStringLiteral("範囲１０");
    state.pupilName = QStringLiteral("長谷川　小百合子さん");
    state.schoolName = QStringLiteral("みどりが丘ゼミナール本校");
    showDrill(4);
    for (const char* name :
         {"Picture2", "Picture3", "Picture4", "practiceButtons", "statusPanel"}) {
        auto* panel = element<QWidget>(QString::fromLatin1(name));
        EXPECT_LE(panel->minimumSizeHint().width(), MainWindow::kDesignWidth - 28) << name;
    }
    EXPECT_LE(drillScreen->minimumSizeHint().width(), MainWindow::kDesignWidth);
    EXPECT_LE(drillScreen->minimumSizeHint().height(), MainWindow::kDesignHeight);
    EXPECT_EQ(window.width(), MainWindow::kDesignWidth);
    saveScreenshot(window, QStringLiteral("drill-long-names"));
}

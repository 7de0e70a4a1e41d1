#include "accessibletree.h"
#include "core/mainwindow.h"
#include "core/navigator.h"
#include "core/waitform.h"
#include "drill/drillscreen.h"
#include "drill/drilltile.h"
#include "drill/idiomsource.h"
#include "drillfixture.h"
#include "standinscreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
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

    // A pupil chooses an element by a click or by the key that stands for it, sent where the
    // focus is.
    enum class Input { Mouse, Keys };
    Input input = Input::Mouse;
    void press(const QString& name)
    {
        if (input == Input::Mouse)
            click(name);
        else
            pressKey(keyFor(element<QWidget>(name)));
    }
    void pressKey(int key)
    {
        QWidget* focus = window.focusWidget();
        QTest::keyClick(focus ? focus : drillScreen.data(), static_cast<Qt::Key>(key));
    }
    // A tile's key is the one drawn in its corner; Enter is the "O.K." or "次へ" shown.
    static int keyFor(QWidget* element)
    {
        if (auto* tile = qobject_cast<DrillTile*>(element))
            return QKeySequence(tile->keyCaption())[0].key();
        return Qt::Key_Return;
    }
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
        press(name);
    }
    void clickKanjiTile(const QString& c)
    {
        const QString name = tileShowing(QStringLiteral("Label14_"), 12, c);
        ASSERT_FALSE(name.isEmpty()) << c.toStdString();
        press(name);
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

    void playDemoRange();

    MainWindow window;
    Navigator screens{window.screenStack(), window.waitForm()};
    DrillServices screenServices{state,    screens, sound,   clock,  random,
                                 messages, sleeper, records, studies};
    QPointer<DrillScreen> drillScreen;
};

// The whole road of a test drill on a demo range, choosing tiles as a pupil would, with one
// wrong reading and one wrong idiom on the way.
void DrillScreenTest::playDemoRange()
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
            press(wrong);
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
                    press(tile->objectName());
                    ++decoys;
                }
            }
            press(QStringLiteral("Command3"));
            ASSERT_TRUE(element<QWidget>(QStringLiteral("Picture3"))->isVisible());
            EXPECT_EQ(element(QStringLiteral("Label10_5"))->text() +
                          element(QStringLiteral("Label10_6"))->text() +
                          element(QStringLiteral("Label10_7"))->text() +
                          element(QStringLiteral("Label10_8"))->text(),
                      idiom);
            EXPECT_EQ(element(QStringLiteral("Label2"))->text(), reading);
            saveScreenshot(window, QStringLiteral("drill-correction"));
            press(QStringLiteral("Command4"));
            continue;
        }
        for (qsizetype k = 0; k < 4; ++k) {
            clickKanjiTile(idiom.mid(k, 1));
            if (k == 1 && questionsShown == 8)
                saveScreenshot(window, QStringLiteral("drill-idiom"));
        }
        press(QStringLiteral("Command3"));
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

} // namespace

TEST_F(DrillScreenTest, WholeTestDrillOfADemoRangeRecordsOneResult)
{
    playDemoRange();
}

TEST_F(DrillScreenTest, WholeTestDrillOfADemoRangeByKeysAlone)
{
    input = Input::Keys;
    playDemoRange();
}

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

// Keys of elements that are hidden, covered or disabled at that moment change nothing.
TEST_F(DrillScreenTest, KeysOfHiddenOrDisabledElementsDoNothing)
{
    input = Input::Keys;
    showDrill(4);
    const std::vector<int> kanjiAndButtonKeys = {
        Qt::Key_Q, Qt::Key_W,      Qt::Key_E,         Qt::Key_R,      Qt::Key_T,     Qt::Key_Y,
        Qt::Key_A, Qt::Key_S,      Qt::Key_D,         Qt::Key_F,      Qt::Key_G,     Qt::Key_H,
        Qt::Key_M, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Escape};
    const DrillDisplay reading = logic().display();
    for (const int key : kanjiAndButtonKeys)
        pressKey(key);
    EXPECT_EQ(logic().display(), reading);

    for (qsizetype k = 0; k < 4; ++k)
        clickKanaTile(logic().currentReading().mid(k, 1));
    for (int i = 1, decoys = 0; i <= 12 && decoys < 4; ++i) {
        auto* tile = element(QStringLiteral("Label14_%1").arg(i));
        if (!logic().currentIdiom().contains(tile->text())) {
            press(tile->objectName());
            ++decoys;
        }
    }
    pressKey(Qt::Key_Return);
    ASSERT_TRUE(logic().display().correctionVisible);
    const DrillDisplay correction = logic().display();
    const qsizetype played = output.commands.size();
    for (const int key : kanjiAndButtonKeys)
        if (key != Qt::Key_Return)
            pressKey(key);
    pressKey(Qt::Key_V);
    EXPECT_EQ(logic().display(), correction);
    EXPECT_EQ(output.commands.size(), played);
}

// Backspace takes back the last kanji entered; Delete and Esc empty the answer.
TEST_F(DrillScreenTest, BackspaceRemovesOneKanjiDeleteAndEscClearThemAll)
{
    input = Input::Keys;
    showDrill(4);
    for (qsizetype k = 0; k < 4; ++k)
        clickKanaTile(logic().currentReading().mid(k, 1));
    ASSERT_TRUE(logic().display().slotsVisible);
    const QString idiom = logic().currentIdiom();
    const auto slotTexts = [this] {
        QString texts;
        for (int slot = 1; slot <= 4; ++slot)
            texts += element(QStringLiteral("Label10_%1").arg(slot))->text();
        return texts;
    };
    for (const int clearKey : {Qt::Key_Delete, Qt::Key_Escape}) {
        clickKanjiTile(idiom.mid(0, 1));
        clickKanjiTile(idiom.mid(1, 1));
        ASSERT_EQ(slotTexts(), idiom.left(2));
        pressKey(Qt::Key_Backspace);
        EXPECT_EQ(slotTexts(), idiom.left(1));
        clickKanjiTile(idiom.mid(1, 1));
        pressKey(clearKey);
        EXPECT_EQ(slotTexts(), QString()) << clearKey;
    }
}

// Keys and a click that come in while the question's voice plays are handled once it has
// ended and the question stands, as the window system delivers them: in order.
TEST_F(DrillScreenTest, KeysAndClicksDuringTheVoiceAreHandledAfterIt)
{
    bool posted = false;
    output.onPlay = [&](const QString& command) {
        if (posted || !command.endsWith(QStringLiteral("2.wav wait")))
            return;
        posted = true;
        const QString reading = logic().currentReading();
        for (qsizetype k = 0; k < 4; ++k) {
            auto* tile =
                element<DrillTile>(tileShowing(QStringLiteral("Label15_"), 6, reading.mid(k, 1)));
            if (k < 3) {
                const int key = keyFor(tile);
                QCoreApplication::postEvent(drillScreen,
                                            new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier,
                                                          QKeySequence(key).toString()));
            } else {
                const QPointF centre = QRectF(tile->rect()).center();
                QCoreApplication::postEvent(tile, new QMouseEvent(QEvent::MouseButtonPress, centre,
                                                                  tile->mapToGlobal(centre),
                                                                  Qt::LeftButton, Qt::LeftButton,
                                                                  Qt::NoModifier));
            }
        }
    };
    showDrill(4);
    QCoreApplication::processEvents();
    ASSERT_TRUE(posted);
    EXPECT_FALSE(logic().display().readingPanelVisible);
    EXPECT_TRUE(logic().display().slotsVisible);
    EXPECT_TRUE(logic().display().clearButtonsVisible);
}

TEST_F(DrillScreenTest, APracticeWalkByKeys)
{
    input = Input::Keys;
    showDrill(3);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(element(QStringLiteral("Label10_1"))->text(), QStringLiteral("一"));
    pressKey(Qt::Key_M);
    EXPECT_EQ(element(QStringLiteral("Label9"))->text(), meaningOf(2));
    EXPECT_EQ(element(QStringLiteral("sLabel9"))->text(), QStringLiteral("2"));
    pressKey(Qt::Key_Escape);
    letScreensSwitch();
    EXPECT_TRUE(drillScreen.isNull());
}

// A screen reader hears the meaning, then the tiles, then the buttons; the covered kanji tiles
// are not among what it hears; the status values say what they are; the gauge tells its value.
TEST_F(DrillScreenTest, AssistiveTechnologyReadsTheScreenInOrder)
{
    showDrill(4);
    const QList<QAccessibleInterface*> shown = shownElements(drillScreen);
    const auto position = [&](auto matches) {
        for (qsizetype i = 0; i < shown.size(); ++i)
            if (matches(shown.at(i)))
                return i;
        return qsizetype(-1);
    };
    const qsizetype meaning = position([&](QAccessibleInterface* e) {
        return e->text(QAccessible::Name) == logic().display().meaning;
    });
    const qsizetype firstTile = position([&](QAccessibleInterface* e) {
        return e->role() == QAccessible::Button && qobject_cast<DrillTile*>(e->object());
    });
    const qsizetype hint = position([](QAccessibleInterface* e) {
        return e->text(QAccessible::Name) == QStringLiteral("音声ヒント");
    });
    ASSERT_GE(meaning, 0);
    EXPECT_LT(meaning, firstTile);
    EXPECT_LT(firstTile, hint);
    const qsizetype tiles = std::count_if(shown.begin(), shown.end(), [](QAccessibleInterface* e) {
        return e->role() == QAccessible::Button && qobject_cast<DrillTile*>(e->object());
    });
    EXPECT_EQ(tiles, 6);

    tick(150'000);
    QAccessibleInterface* time = nullptr;
    for (QAccessibleInterface* e : shownElements(drillScreen))
        if (e->text(QAccessible::Name) == QStringLiteral("タイム") &&
            !e->text(QAccessible::Description).isEmpty())
            time = e;
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->text(QAccessible::Description), QStringLiteral("150秒"));
    QAccessibleInterface* gauge =
        shownElement(drillScreen, QAccessible::ProgressBar, QStringLiteral("経過時間"));
    ASSERT_NE(gauge, nullptr);
    ASSERT_NE(gauge->valueInterface(), nullptr);
    EXPECT_EQ(gauge->valueInterface()->currentValue().toInt(), 50);
}

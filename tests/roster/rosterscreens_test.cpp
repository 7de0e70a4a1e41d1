#include "accessibletree.h"
#include "core/codepage.h"
#include "core/listfont.h"
#include "core/mainwindow.h"
#include "core/navigator.h"
#include "core/waitform.h"
#include "fakeroster.h"
#include "roster/aboutbox.h"
#include "roster/nameselectionscreen.h"
#include "roster/rostereditdialog.h"
#include "rosterfixture.h"
#include "sound/cuetable.h"
#include "sound/soundcues.h"
#include "tabwalk.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The real main window and navigator with the real name selection screen; the hub is a plain
// screen.
class RosterScreensTest : public ::testing::Test, public RosterFixture
{
protected:
    RosterScreensTest()
    {
        cues.load(state.soundFolder + kCueListFileName);
        writeRoster({line(1, 2015, "さくら"), line(2, 2013, "はると"), line(3, 2021, "ゆい")});
        navigator.registerScreen(ScreenId::NameSelection, [this] {
            NameSelectionServices services{state, navigator, sound,   clock, messages,
                                           exit,  launcher,  summary, {},    true};
            services.hooks.openRosterEditor = [this] {
                auto* dialog = new RosterEditDialog(&window, state, messages, navigator);
                dialog->show();
            };
            services.hooks.openPrintSettings = [this] { ++printOpened; };
            return new NameSelectionScreen(services);
        });
        navigator.registerScreen(ScreenId::Hub, [] { return new Screen; });
        QObject::connect(&navigator, &Navigator::captionChanged, &window, &QWidget::setWindowTitle);
        window.show();
    }

    // Shows the name selection screen and lets the queued switch run.
    NameSelectionScreen* showNames()
    {
        navigator.show(ScreenId::NameSelection);
        QCoreApplication::processEvents();
        return qobject_cast<NameSelectionScreen*>(navigator.loadedScreen(ScreenId::NameSelection));
    }
    template <typename T> T* element(QWidget* screen, const char* name)
    {
        T* found = screen->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            ADD_FAILURE() << "no element " << name;
        return found;
    }
    static QStringList rowsOf(QListWidget* list)
    {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows.append(list->item(i)->text());
        return rows;
    }
    static void clickRow(QListWidget* list, int row)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    QString wrongCue() const { return "play " + state.soundFolder + "ng1.wav wait"; }

    CueTable cues;
    FakeSoundOutput output;
    ScriptedRandom random;
    FakeMessageBox messages;
    FakeProgramExit exit;
    SoundCues sound{state, cues, output, random, messages, exit};
    FakeDesktopLauncher launcher;
    FakePupilSummary summary;
    MainWindow window;
    Navigator navigator{window.screenStack(), window.waitForm()};
    int printOpened = 0;
};

} // namespace

TEST_F(RosterScreensTest, TheScreenHasEveryElementWithItsCaption)
{
    NameSelectionScreen* screen = showNames();
    ASSERT_TRUE(screen);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("lumora"));
    auto* title = element<QLabel>(screen, "Label4");
    EXPECT_EQ(title->text(), QStringLiteral("Sorawa"));
    EXPECT_EQ(title->font().pointSize(), 48);
    auto* filter = element<QComboBox>(screen, "Combo1");
    EXPECT_EQ(filter->count(), 12);
    EXPECT_EQ(filter->currentText(), QStringLiteral("全学年"));
    EXPECT_EQ(filter->toolTip(), QStringLiteral("表示する学年を選びなさい"));
    const QStringList modes = {"回数(今日／今まで）", "ポイント（今日／今まで）",
                               "本日（ポイント／回数）", "今まで（ポイント／回数）"};
    for (int mode = 0; mode < 4; ++mode) {
        auto* option =
            element<QRadioButton>(screen, QStringLiteral("Option1_%1").arg(mode).toLatin1());
        EXPECT_EQ(option->text(), modes.at(mode));
        EXPECT_EQ(option->isChecked(), mode == 1);
    }
    auto* list = element<QListWidget>(screen, "List1");
    EXPECT_EQ(QFontInfo(list->font()).family(), kFixedPitchFamily);
    EXPECT_EQ(element<QPushButton>(screen, "Command14")->text(), QStringLiteral("O.K."));
    EXPECT_EQ(element<QPushButton>(screen, "Command7")->text(), QStringLiteral("終了"));
    auto* print = element<QPushButton>(screen, "Command1");
    EXPECT_EQ(print->text(), QStringLiteral("印刷"));
    EXPECT_TRUE(print->isVisible());
    EXPECT_EQ(element<QLabel>(screen, "Label1")->text(), QStringLiteral("名前を選びなさい"));
    EXPECT_TRUE(element<QLabel>(screen, "Label2")->isHidden());
    auto* wait = element<QLabel>(screen, "Picture5");
    EXPECT_EQ(wait->text(), QStringLiteral("Just a moment, please."));
    EXPECT_TRUE(wait->isHidden());
    EXPECT_FALSE(element<QLabel>(screen, "Image1")->pixmap().isNull());
    EXPECT_EQ(screen->palette().color(QPalette::Window), QColor(0, 0x80, 0x80));

    QStringList menuTexts;
    for (QMenu* menu : {element<QMenu>(screen, "file"), element<QMenu>(screen, "help")}) {
        menuTexts << menu->title();
        for (QAction* action : menu->actions())
            menuTexts << action->text();
    }
    EXPECT_EQ(menuTexts, (QStringList{"file", "名前の変更", "終了", "ヘルプ", "目次",
                                      "バージョン情報", "ホームページ", "お問い合わせ（メール）"}));
    element<QPushButton>(screen, "Command1")->click();
    EXPECT_EQ(printOpened, 1);
}

TEST_F(RosterScreensTest, ClickingARowAndOKOpensTheHub)
{
    NameSelectionScreen* screen = showNames();
    auto* list = element<QListWidget>(screen, "List1");
    clickRow(list, 2);
    EXPECT_EQ(element<QLabel>(screen, "Label1")->text(), QStringLiteral("小5 さくら　　　"));
    EXPECT_EQ(element<QLabel>(screen, "Label2")->text(), QStringLiteral("1"));
    QTest::mouseClick(element<QPushButton>(screen, "Command14"), Qt::LeftButton);
    EXPECT_TRUE(element<QPushButton>(screen, "Command14")->isHidden());
    EXPECT_FALSE(element<QLabel>(screen, "Picture5")->isHidden());
    QCoreApplication::processEvents();
    EXPECT_TRUE(navigator.loadedScreen(ScreenId::Hub));
    EXPECT_EQ(window.screenStack().currentWidget(), navigator.loadedScreen(ScreenId::Hub));
    EXPECT_EQ(state.pupilNo, 1);

    // Back on the name screen, the activation closes the hub and offers the start again.
    navigator.show(ScreenId::NameSelection);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(navigator.loadedScreen(ScreenId::Hub));
    EXPECT_FALSE(element<QPushButton>(screen, "Command14")->isHidden());
}

// Switch software chooses a name through the row's own action, which selects it.
TEST_F(RosterScreensTest, ANameToggledThroughItsAccessibleRowIsChosen)
{
    NameSelectionScreen* screen = showNames();
    auto* list = element<QListWidget>(screen, "List1");
    QAccessibleInterface* row =
        QAccessible::queryAccessibleInterface(list)->tableInterface()->cellAt(2, 0);
    ASSERT_NE(row, nullptr);
    row->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(element<QLabel>(screen, "Label2")->text(), QStringLiteral("1"));
}

TEST_F(RosterScreensTest, OKOnTheSeparatorPlaysTheWrongCueAndOneIsIgnoredWhileStarting)
{
    NameSelectionScreen* screen = showNames();
    auto* list = element<QListWidget>(screen, "List1");
    clickRow(list, 0);
    QTest::mouseClick(element<QPushButton>(screen, "Command14"), Qt::LeftButton);
    EXPECT_EQ(output.commands, QStringList{wrongCue()});
    QCoreApplication::processEvents();
    EXPECT_FALSE(navigator.loadedScreen(ScreenId::Hub));

    clickRow(list, 1);
    QTest::keyClick(list, Qt::Key_Return); // Enter in the list starts
    EXPECT_TRUE(element<QPushButton>(screen, "Command14")->isHidden());
    QTest::keyClick(list, '1');
    QTest::keyClick(screen, '1');
    EXPECT_EQ(output.commands.size(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(state.pupilNo, 2);
}

TEST_F(RosterScreensTest, TheScreenSeesKeysBeforeItsElementsAndDoubleClickStarts)
{
    NameSelectionScreen* screen = showNames();
    auto* list = element<QListWidget>(screen, "List1");
    QTest::keyClick(element<QComboBox>(screen, "Combo1"), '1'); // no pupil chosen yet
    EXPECT_EQ(output.commands, QStringList{wrongCue()});
    clickRow(list, 3);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualItemRect(list->item(3)).center());
    EXPECT_EQ(state.pupilNo, 3);
}

TEST_F(RosterScreensTest, TheEditDialogWritesTheRosterAndBackShowsAFreshNameScreen)
{
    QPointer<NameSelectionScreen> first = showNames();
    first->findChild<QAction*>(QStringLiteral("menuRename"))->trigger();
    auto* dialog = window.findChild<RosterEditDialog*>(QStringLiteral("FrmName2"));
    ASSERT_TRUE(dialog);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first); // the name screen was unloaded

    EXPECT_EQ(element<QLabel>(dialog, "Label4")->text(), QStringLiteral("名前変更"));
    EXPECT_EQ(element<QLabel>(dialog, "Label3")->text(),
              QStringLiteral("※生まれた年は早生まれの場合は1年引いてください"));
    auto* name = element<QLineEdit>(dialog, "Text1_1");
    EXPECT_EQ(name->text(), QStringLiteral("さくら"));
    EXPECT_EQ(element<QLineEdit>(dialog, "Text2_2")->text(), QStringLiteral("2013"));
    name->setText(QStringLiteral("さくらこ"));
    element<QLineEdit>(dialog, "Text2_1")->setText(QStringLiteral("2013"));
    QTest::mouseClick(element<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    EXPECT_TRUE(bytesOf(rosterPath()).startsWith(CodePage::encode(line(1, 2013, "さくらこ"))));
    EXPECT_TRUE(dialog->isVisible()); // no message; the dialog stays

    QPointer<RosterEditDialog> closing = dialog;
    QTest::mouseClick(element<QPushButton>(dialog, "Command2"), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(closing);
    auto* fresh =
        qobject_cast<NameSelectionScreen*>(navigator.loadedScreen(ScreenId::NameSelection));
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(rowsOf(element<QListWidget>(fresh, "List1"))
                    .contains(QStringLiteral("中1 さくらこ　　  　/       ")));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(RosterScreensTest, NamesAreTypedAndComposedUpToTheirFieldWidth)
{
    auto* dialog = new RosterEditDialog(&window, state, messages, navigator);
    dialog->show();
    auto* name = element<QLineEdit>(dialog, "Text1_1");
    auto* note = element<QLabel>(dialog, "nameLimitNote");
    const auto type = [name](const QString& text) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(name, &key);
    };
    const auto compose = [name](const QString& text) {
        QInputMethodEvent preedit(text, {});
        QApplication::sendEvent(name, &preedit);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(name, &commit);
    };

    QTest::mouseClick(name, Qt::LeftButton, {}, QPoint(name->width() - 4, name->height() / 2));
    type(QStringLiteral("こ"));
    compose(QStringLiteral("ちゃん"));
    EXPECT_TRUE(note->text().isEmpty());
    QTest::mouseClick(element<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    EXPECT_TRUE(bytesOf(rosterPath())
                    .startsWith(CodePage::encode(line(1, 2015, "さくらこちゃん") + "\r\n")));

    // At the width a character or a whole composition is refused, and the dialog says why.
    const QString full(20, u'あ');
    name->setText(full);
    type(QStringLiteral("い"));
    EXPECT_EQ(name->text(), full);
    EXPECT_FALSE(note->text().isEmpty());
    name->setText(full.left(18));
    compose(QStringLiteral("いうえ"));
    EXPECT_EQ(name->text(), full.left(18));

    // A name of blanks only is refused and the roster stays as it was.
    const QByteArray before = bytesOf(rosterPath());
    name->setText(QStringLiteral("   "));
    QTest::mouseClick(element<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    EXPECT_EQ(bytesOf(rosterPath()), before);
    ASSERT_EQ(messages.shown.size(), 1);
    dialog->close();
}

TEST_F(RosterScreensTest, ClosingTheEditDialogAnyWayBringsTheNameScreenBackAndLockedBoxesStay)
{
    writeRoster({line(1, 2015, "ひとり")});
    auto* dialog = new RosterEditDialog(&window, state, messages, navigator);
    dialog->show();
    EXPECT_TRUE(element<QLineEdit>(dialog, "Text1_1")->isEnabled());
    EXPECT_FALSE(element<QLineEdit>(dialog, "Text1_2")->isEnabled());
    EXPECT_FALSE(element<QLineEdit>(dialog, "Text2_3")->isEnabled());
    QPointer<RosterEditDialog> closing = dialog;
    dialog->close();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(closing);
    EXPECT_TRUE(navigator.loadedScreen(ScreenId::NameSelection));
}

TEST_F(RosterScreensTest, TheAboutBoxIsCentredOverTheWindowAndNamesTheProgram)
{
    EXPECT_EQ(centredPosition(QRect(100, 50, 1024, 768), QSize(400, 200)), QPoint(412, 334));
    AboutBox box(&window, state.contentName);
    box.centreOverOwner();
    EXPECT_TRUE(box.isModal());
    EXPECT_EQ(element<QLabel>(&box, "aboutName")->text(), QStringLiteral("Sorawa"));
    EXPECT_TRUE(
        element<QLabel>(&box, "aboutVersion")->text().contains(QStringLiteral("バージョン")));
    const QPoint middle = window.mapToGlobal(window.rect().center());
    EXPECT_LE((box.frameGeometry().center() - middle).manhattanLength(), 2);
}

// The focus starts on the names and Tab goes on to what is done with the chosen one; Enter
// presses the focused button. There is no back button, so Escape does nothing.
TEST_F(RosterScreensTest, TabGoesFromTheNamesToTheButtonsAndEnterPressesTheFocusedOne)
{
    NameSelectionScreen* screen = showNames();
    EXPECT_EQ(window.focusWidget(), element<QListWidget>(screen, "List1"));
    EXPECT_EQ(unnamedControls(screen), QStringList{});
    EXPECT_EQ(tabWalk(&window, 5),
              (QStringList{"Command14", "Command1", "Command7", "Combo1", "Option1_1"}));
    keyAtFocus(&window, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(exit.requests, 0);
    EXPECT_TRUE(launcher.started.isEmpty());
    EXPECT_EQ(window.screenStack().currentWidget(), screen);

    element<QPushButton>(screen, "Command1")->setFocus();
    keyAtFocus(&window, Qt::Key_Return);
    EXPECT_EQ(printOpened, 1);
}

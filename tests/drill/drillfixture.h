#pragma once

#include "core/catalogue.h"
#include "core/sharedstate.h"
#include "drill/drillengine.h"
#include "drill/idiomcompanion.h"
#include "drill/idiomtable.h"
#include "fakenavigator.h"
#include "fakes.h"
#include "records/recordcodec.h"
#include "records/records.h"
#include "records/resultfiles.h"
#include "review/studycache.h"
#include "sound/cuetable.h"
#include "sound/soundcues.h"
#include "testinstallation.h"

#include <QFile>
#include <QTime>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

// What the logic last showed, and where it put the focus.
class FakeDrillView : public DrillView
{
public:
    void showDisplay(const DrillDisplay& display) override
    {
        shown = display;
        ++showCount;
    }
    void focusElement(DrillFocus element) override { focus.append(element); }

    DrillDisplay shown;
    int showCount = 0;
    QList<DrillFocus> focus;
};

// Records what was played and lets a test act at that moment.
class HookedSoundOutput : public FakeSoundOutput
{
public:
    SoundReply send(const QString& command) override
    {
        const SoundReply reply = FakeSoundOutput::send(command);
        if (onPlay)
            onPlay(command);
        return reply;
    }
    std::function<void(const QString&)> onPlay;
};

// The idioms most tests use. Range 2 (items 3 and 4) holds three idioms, one of them with a
// repeated character; range 1 holds enough others to fill the kanji tiles.
inline std::vector<QStringList> sampleIdioms()
{
    const char* const rows[][4] = {
        {"1", "自業自得", "じごうじとく", "自分のした悪い行いのむくいを、自分の身に受けること。"},
        {"2", "一石二鳥", "いっせきにちょう", "一つのことをして、同時に二つの得をすること。"},
        {"1", "四苦八苦", "しくはっく", "ひどく苦しむこと。"},
        {"2", "十人十色", "じゅうにんといろ", "考え方や好みは、人によってちがうということ。"},
        {"1", "半信半疑", "はんしんはんぎ", "半分は信じ、半分はうたがっていること。"},
        {"1", "有名無実", "ゆうめいむじつ", "名前ばかりで、中身がともなわないこと。"},
        {"2", "以心伝心", "いしんでんしん", "言葉に出さなくても、思いが相手に伝わること。"},
        {"1", "絶体絶命", "ぜったいぜつめい", "どうにもにげようのないこと。"},
        {"1", "大同小異", "だいどうしょうい", "細かいちがいはあるが、だいたいは同じであること。"},
        {"1", "右往左往", "うおうさおう", "うろたえて、あっちへ行ったりこっちへ来たりすること。"},
        {"1", "千差万別", "せんさばんべつ", "多くのものが、それぞれみなちがっていること。"},
        {"1", "電光石火", "でんこうせっか", "動きがきわめてすばやいこと。"},
    };
    std::vector<QStringList> records;
    for (const auto& row : rows)
        records.push_back({QString::fromUtf8(row[0]), QString::fromUtf8(row[1]),
                           QString::fromUtf8(row[2]), QString::fromUtf8(row[3])});
    return records;
}

// An installation in layout 1 with the drill's services wired to fakes: a manual clock, a
// scripted random source for the draws (the sound cues draw from a source of their own), a
// sound output that records what was played, the real records subsystem on the temporary
// folder. Items have target time 45 and limit time 60 (a drill may take 300 seconds); the
// pupil was chosen at 9:45, the clock says 10:00.
class DrillTest : public ::testing::Test
{
protected:
    DrillTest()
    {
        state.programFolder = inst.programDir() + u'/';
        state.dataFolder = state.programFolder;
        state.commonFolder = inst.filesDir() + u'/';
        state.soundFolder = inst.filesDir() + u'/';
        state.contentName = QStringLiteral("Sorawa");
        state.schoolName = QStringLiteral("テスト教室");
        state.schoolCode = QStringLiteral("12345");
        state.pupilNo = 7;
        state.pupilName = QStringLiteral("さくら              ");
        state.pupilStartTime = QTime(9, 45).msecsSinceStartOfDay() / 1000;
        fillCatalogue(state);
        for (int item = 1; item <= kMaxItemNo; ++item) {
            state.itemTargetTime[item] = 45;
            state.itemLimitTime[item] = 60;
            state.itemRequiredCount[item] = 3;
            state.itemRequiredScore[item] = 30;
            state.itemField5[item] = 1.0f;
        }
        writeIdioms(sampleIdioms());
    }

    void writeIdioms(const std::vector<QStringList>& records)
    {
        bool ok = false;
        const QByteArray bytes = IdiomCompanion::fileBytes(records, &ok);
        ASSERT_TRUE(ok);
        inst.writeBytes(QStringLiteral("prog/四字02vv.ccc"), bytes);
    }

    // Sets the item and runs the setup of a new drill screen.
    DrillEngine& start(int item)
    {
        state.drillItemNo = static_cast<qint16>(item);
        state.drillRun = DrillRunFlags{};
        engine = std::make_unique<DrillEngine>(services, view);
        engine->setUpDrill();
        return *engine;
    }

    const DrillDisplay& shown() const { return engine->display(); }

    static int indexOf(const auto& tiles, const QString& c)
    {
        for (int i = 1; i < static_cast<int>(tiles.size()); ++i) {
            if (tiles[i] == c)
                return i;
        }
        return 0;
    }
    // Clicks the kana tiles of these characters, in order.
    void clickKana(const QString& characters)
    {
        for (const QChar c : characters) {
            const int tile = indexOf(shown().kanaTiles, QString(c));
            ASSERT_NE(tile, 0) << "no kana tile " << QString(c).toStdString();
            engine->kanaTileClicked(tile);
        }
    }
    // A kana tile that is not the next character of the reading.
    int wrongKanaTile() const
    {
        const QString expected = engine->currentReading().mid(shown().readingLine.size(), 1);
        for (int i = 1; i <= DrillDisplay::kKanaTiles; ++i) {
            if (shown().kanaTiles[i] != expected)
                return i;
        }
        return 0;
    }
    void clickKanji(const QString& characters)
    {
        for (const QChar c : characters) {
            const int tile = indexOf(shown().kanjiTiles, QString(c));
            ASSERT_NE(tile, 0) << "no kanji tile " << QString(c).toStdString();
            engine->kanjiTileClicked(tile);
        }
    }
    // A decoy: a kanji tile whose character is not in the idiom.
    int decoyTile() const
    {
        for (int i = 1; i <= DrillDisplay::kKanjiTiles; ++i) {
            if (!shown().kanjiTiles[i].isEmpty() &&
                !engine->currentIdiom().contains(shown().kanjiTiles[i]))
                return i;
        }
        return 0;
    }
    // Completes the reading from what the reading line already holds.
    void answerReading()
    {
        const qsizetype entered = shown().readingLine.size();
        clickKana(engine->currentReading().mid(entered, 4 - entered));
    }
    void answerIdiom(const QString& idiom)
    {
        clickKanji(idiom);
        engine->idiomOkClicked();
    }
    void answerRight()
    {
        answerReading();
        answerIdiom(engine->currentIdiom());
    }
    void answerIdiomWrong()
    {
        for (int k = 0; k < 4; ++k)
            engine->kanjiTileClicked(decoyTile());
        engine->idiomOkClicked();
    }

    // Moves the clock on and lets the drill clock tick.
    void tickAt(qint64 milliseconds)
    {
        clock.monotonic = milliseconds;
        engine->clockTick();
    }

    QByteArray resultBytes() const
    {
        QFile file(resultFilePath(state));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList voicesPlayed() const
    {
        QStringList voices;
        for (const QString& command : output.commands) {
            if (command.contains(QStringLiteral("四字熟語音声")))
                voices << command;
        }
        return voices;
    }

    TestInstallation inst;
    SharedState state;
    CueTable cues;
    HookedSoundOutput output;
    ScriptedRandom cueRandom;
    FakeMessageBox messages;
    FakeProgramExit programExit;
    SoundCues sound{state, cues, output, cueRandom, messages, programExit};
    ManualClock clock;
    ScriptedRandom random;
    InstantSleeper sleeper;
    Records records{state, clock, sleeper, messages, programExit};
    FakeNavigator navigator;
    FakeDrillView view;
    StudyCache studies;
    DrillServices services{state,    navigator, sound,   clock,  random,
                           messages, sleeper,   records, studies};
    std::unique_ptr<DrillEngine> engine;
};

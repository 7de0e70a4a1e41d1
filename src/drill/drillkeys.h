#pragma once

#include <QString>

class DrillEngine;

// The keys of the drill screen. Each key stands for one element and passes on to the engine
// as a click on that element, so it is ignored exactly when such a click would be: on a
// hidden or disabled element, or while the answer is being judged.
//
//   1 2 3 4 5 6      the kana tiles
//   Q W E R T Y      the kanji tiles, laid out like them
//   A S D F G H
//   Enter            the "O.K." or "次へ" that is shown; in a practice walk "答えを見る" / "次へ"
//   Backspace        "１文字クリア"
//   Delete           "クリア"
//   Escape           "戻る" of a practice walk, else "クリア"
//   V                "音声ヒント"
//   M                "この問題覚えた"
namespace DrillKeys {

QString kanaTileCaption(int tile);  // tile 1..6
QString kanjiTileCaption(int tile); // tile 1..12

// False when the key stands for no element of the screen.
bool press(DrillEngine& engine, int key);

} // namespace DrillKeys

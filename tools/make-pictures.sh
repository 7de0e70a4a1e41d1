#!/usr/bin/env bash
# Writes every picture of the README (docs/*.png) and of the help book (docs/help/images/*.png)
# again from the real screens: it builds and runs the tests that keep them and copies each
# picture to its place under the name the README and the book already use. A screen that
# changes gets its new pictures in the same commit.
#
#   tools/make-pictures.sh BUILD
#
# BUILD is a configured build folder. The worksheet is saved as PDF and turned into a picture
# with pdftoppm (poppler-utils) or Ghostscript.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1/CMakeCache.txt" ]; then
  echo "使い方: $0 ビルドフォルダ（cmake で構成したもの）" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/.." && pwd)
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT

cmake --build "$build" -j2 --target app_tests hub_tests studymap_tests print_tests writingscreen_tests

# Offscreen, the screens are drawn at the design size with the fonts they ask for (IPA).
export QT_QPA_PLATFORM=offscreen YOJI_SCREENSHOT_DIR="$shots" YOJI_WORKSHEET_SHOTS="$shots"
run() { "$build/tests/$1" --gtest_filter="$2"; }
run app/app_tests 'ADemoWeek.*:HelpOnEveryScreen.*'
run hub/hub_tests 'GraphScreenTest.ThePageOfADemoPupilRendersToAnImageAndToAnA4Pdf'
run review/studymap_tests 'StudyMapWindowTest.CellsCountsHeadingAndForecastAgreeWithTheScheduler'
run print/print_tests 'PrintScreensTest.DemoWorksheetOfRangesOneAndTwoWithTwoBlanks:PracticeSheetTest.EveryKanjiIsPrintedWithItsIdiomAndReading'
run writing/writingscreen_tests 'WritingScreenTest.AnIdiomWrittenKanjiByKanjiIsAcceptedAndLogged:WritingScreenTest.AKanjiMissedTwiceIsTracedThenShownAndPrintedAtTheEnd'

for sheet in worksheet practice-sheet; do
  if command -v pdftoppm >/dev/null 2>&1; then
    pdftoppm -png -r 110 -singlefile "$shots/$sheet.pdf" "$shots/$sheet"
  elif command -v gs >/dev/null 2>&1; then
    gs -q -sDEVICE=png16m -r110 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 \
      -o "$shots/$sheet.png" "$shots/$sheet.pdf"
  else
    echo "プリントの絵を作るには pdftoppm（poppler-utils）か gs（Ghostscript）が必要です" >&2
    exit 1
  fi
done

# picture kept by a test -> its place in the repository
while read -r kept place; do
  if [ ! -s "$shots/$kept" ]; then
    echo "テストが絵 $kept を残しませんでした" >&2
    exit 1
  fi
  cp "$shots/$kept" "$source/$place"
  echo "$place"
done <<'EOF'
name-selection.png   docs/name-selection.png
hub.png              docs/hub.png
drill.png            docs/drill.png
study-map.png        docs/study-map.png
graph-panel-data.png docs/graph-panel.png
worksheet.png        docs/worksheet.png
practice.png         docs/help/images/practice.png
finish.png           docs/help/images/finish.png
print-settings.png   docs/help/images/print-settings.png
writing.png          docs/help/images/writing.png
writing-finish.png   docs/help/images/writing-finish.png
practice-sheet.png   docs/help/images/practice-sheet.png
EOF

// A roster editor that never stops, for the kill test: rewrites the first three names and
// birth years of the roster in commonFolder through the real editor, alternating two
// contents, and prints the number of each rewrite once it has returned.
//   roster_rewriter <commonFolder> <count>   (count 0: until killed)
#include "core/sharedstate.h"
#include "fakenavigator.h"
#include "fakes.h"
#include "roster/rostereditor.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: roster_rewriter commonFolder count\n");
        return 2;
    }
    auto state = std::make_unique<SharedState>();
    state->commonFolder = args[1];
    FakeMessageBox messages;
    FakeNavigator navigator;
    RosterEditor editor(*state, messages, navigator);
    const int count = args[2].toInt();
    for (int k = 0; count == 0 || k < count; ++k) {
        RosterBoxes boxes = editor.load();
        for (int line = 1; line <= boxes.lineCount; ++line) {
            boxes.names[line] =
                (k % 2 ? QStringLiteral("あたらしい名前%1") : QStringLiteral("名前%1")).arg(line);
            boxes.birthYears[line] = QString::number(2010 + k % 2 + line);
        }
        if (!editor.write(boxes)) {
            for (const FakeMessageBox::Shown& shown : messages.shown)
                std::fprintf(stderr, "%s\n", qUtf8Printable(shown.text));
            return 1;
        }
        std::printf("%d\n", k);
        std::fflush(stdout);
    }
    return 0;
}

#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

// Every test program runs with an application object, so event loops, timers and (offscreen)
// widgets work as in the program. Listing the tests needs none, and ctest lists them without
// the test environment.
int main(int argc, char* argv[])
{
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    std::unique_ptr<QApplication> app;
    if (!listing)
        app = std::make_unique<QApplication>(argc, argv);
    // Pictures kept for the README and the help book show the screens in the program's own
    // application font (app/main.cpp); the tests themselves run with the platform's.
    if (app && (qEnvironmentVariableIsSet("YOJI_SCREENSHOT_DIR") ||
                qEnvironmentVariableIsSet("YOJI_WORKSHEET_SHOTS")))
        QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 11));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

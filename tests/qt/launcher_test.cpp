#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <filesystem>
#include <fstream>

#include "gui_app.h"
#include "platform/qt/qt_launcher.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

// Lets the event loop run until `done` or the time is up.
template <typename Done> bool waitFor(Done done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    return done();
}

} // namespace

TEST(QtLauncher, RunsAProgramToItsEndWithItsArgumentsWhole) {
    ensureGuiApplication();
    QtLauncher launcher;
    TempDir dir;
    const std::filesystem::path file = dir / "a file with 'quotes' and blanks";
    EXPECT_EQ(launcher.runToEnd(L"/bin/sh",
                                {L"-c", L"printf '%s' \"$1\" > \"$2\"; exit 3", L"sh", L"O'Brien; $HOME",
                                 codepage::fromPath(file)},
                                10000),
              3);
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "O'Brien; $HOME");

    EXPECT_EQ(launcher.runToEnd(L"/nonexistent/program", {}, 10000), kRunNotStarted);
    // Too slow: stopped, and told apart from the program's own status.
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(launcher.runToEnd(L"/bin/sleep", {L"30"}, 300), kRunStopped);
    EXPECT_LT(clock.elapsed(), 20000);
}

TEST(QtLauncher, AWatchedProgramIsHeardOfOnceItHasEnded) {
    ensureGuiApplication();
    TempDir dir;
    const std::filesystem::path mark = dir / "done";
    bool ended = false;
    {
        QtLauncher launcher;
        ASSERT_TRUE(launcher.startWatched(
            L"/bin/sh", {L"-c", L"sleep 0.3; touch \"$1\"", L"sh", codepage::fromPath(mark)}, [&] {
                // The program has really ended: what it did last is there.
                EXPECT_TRUE(std::filesystem::exists(mark));
                ended = true;
            }));
        EXPECT_FALSE(ended);
        EXPECT_TRUE(waitFor([&] { return ended; }, 20000));
        EXPECT_FALSE(launcher.startWatched(L"/nonexistent/program", {}, [] {}));
    }
    // A launcher that is gone watches nothing: its calls cannot reach what it was given.
    bool late = false;
    {
        QtLauncher launcher;
        ASSERT_TRUE(launcher.startWatched(L"/bin/sleep", {L"0.2"}, [&] { late = true; }));
    }
    waitFor([] { return false; }, 600);
    EXPECT_FALSE(late);
}

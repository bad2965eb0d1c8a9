// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own start (Ctarvex4App, RunWindow), not a fixture's copy of it.
#include "MainWindowFixture.h"

#include "app/BuiltPictures.h"
#include "app/Ctarvex4App.h"
#include "app/RunWindow.h"
#include "resources/Pictures.h"
#include "richtext/MarkupRtfRenderer.h"
#include "ui/TrackWindows.h"
#include "ui/trackview.h"

#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace {

// Plays the user who reads every message box and presses its first button.
class MessageBoxReader {
public:
    MessageBoxReader() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Answer(); });
        m_timer.start();
    }
    // Caption and text of each box, in the order shown.
    std::vector<std::pair<std::string, std::string>> seen;

private:
    void Answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        seen.emplace_back(box->windowTitle().toStdString(), box->text().toStdString());
        box->done(QMessageBox::Ok);
    }
    QTimer m_timer;
};

class ApplicationStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        PrepareApplication();
    }
    void TearDown() override {
        ::unsetenv("VANTELO_HOME");
        SetScreenDpi(96);
    }
    ScratchFolder home;
};

TEST_F(ApplicationStartTest, UnusableDataFolderStillStartsTheFormAndSaysWhatIsMissing) {
    // A data folder that cannot be made: its parent is a file.
    WriteFile(home / "file", "");
    const std::string dataFolder = home / "file/vantelo";
    ::setenv("VANTELO_HOME", dataFolder.c_str(), 1);
    SetScreenDpi(144);

    MessageBoxReader reader;
    Ctarvex4App program;
    ASSERT_TRUE(program.InitInstance({}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return reader.seen.size() >= 2; }, 5000));

    // The stored output folder cannot be read; the form starts without one.
    EXPECT_EQ(reader.seen[0].first, "db error");
    EXPECT_EQ(reader.seen[1].first, "VANTELO");
    EXPECT_EQ(reader.seen[1].second.rfind("The data folder " + dataFolder + " is not complete:\n", 0), 0u)
        << reader.seen[1].second;
    EXPECT_EQ(program.State().m_outputFolder, "");
    EXPECT_EQ(program.State().m_dataFolder, dataFolder);

    CMainFrame* frame = program.Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), "VANTELO  Version 1.2");
    EXPECT_EQ(frame->geometry(), QRect(50, 50, 800, 600));
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    ASSERT_NE(program.View(), nullptr);
    // Track 1's window follows once the form has been painted.
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.View()->Tracks()->Window(1) != nullptr; }, 5000));
    trackview* track1 = program.View()->Tracks()->Window(1);
    EXPECT_TRUE(track1->isVisible());
    EXPECT_TRUE(program.State().m_trackWindowOpen[0]);

    // Markup is rendered for the screen the window is on.
    const int dpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch());
    EXPECT_EQ(ScreenTwipsPerPixel(), TwipsPerPixelForDpi(dpi));
}

TEST_F(ApplicationStartTest, DocumentThatCannotBeReadEndsTheStart) {
    CreateWordsDatabase(home.path(), home / "collages/");
    ::setenv("VANTELO_HOME", home.path().c_str(), 1);
    MessageBoxReader reader;
    Ctarvex4App program;
    const std::string missing = home / "no-such-file.txt";
    EXPECT_FALSE(program.InitInstance({QString::fromStdString(missing)}));
    ASSERT_EQ(reader.seen.size(), 1u);
    EXPECT_EQ(reader.seen[0].second, missing + "\nThis file could not be opened.");
    EXPECT_EQ(program.Frame(), nullptr);

    // A file that opens gives the same empty form as no argument.
    const std::string notes = home / "notes.txt";
    WriteFile(notes, "not read");
    Ctarvex4App again;
    ASSERT_TRUE(again.InitInstance({QString::fromStdString(notes)}));
    EXPECT_TRUE(again.View()->MainText()->toPlainText().isEmpty());
    EXPECT_EQ(reader.seen.size(), 1u);
}

TEST(RunWindow, WithoutADisplaySaysHowToWorkHeadless) {
    ScratchFolder work;
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ASAN_OPTIONS=detect_leaks=0 '" +
                                std::string(TARVEX4_EXE) + "' 2>'" + (work / "err") + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string err = ReadFile(work / "err");
    EXPECT_NE(err.find("there is no display"), std::string::npos) << err;
    EXPECT_NE(err.find("tarvex4 go --help"), std::string::npos) << err;
}

}  // namespace

TEST_F(ApplicationStartTest, PicturesDrawnAtBuildAreThePicturesTheCodeDraws) {
    // The start shows the pictures the build drew: each must be what the
    // code draws here and now, to the pixel, in the same pixel format.
    QList<int> built;
    for (int i = 0; i < kBuiltPictureCount; ++i) {
        const BuiltPicture& picture = kBuiltPictures[i];
        built.append(picture.id);
        const QImage stored = BuiltPictureImage(picture);
        const QImage drawn = DrawBitmapPicture(picture.id);
        ASSERT_FALSE(stored.isNull()) << picture.id;
        EXPECT_EQ(stored.format(), drawn.format()) << picture.id;
        EXPECT_TRUE(stored == drawn) << "picture " << picture.id << " differs from its drawing";
        EXPECT_TRUE(BitmapPicture(picture.id).toImage() == drawn) << picture.id;
    }
    EXPECT_EQ(built, BitmapPictureIds());

    // A stored picture whose bytes do not match its size and format is drawn instead.
    const BuiltPicture& first = kBuiltPictures[0];
    const BuiltPicture cut{first.id, first.width, first.height, first.format, first.data, first.size / 2};
    const BuiltPicture tooSmall{first.id, first.width + 1, first.height, first.format, first.data, first.size};
    const BuiltPicture noFormat{first.id, first.width, first.height, 0, first.data, first.size};
    for (const BuiltPicture& bad : {cut, tooSmall, noFormat}) EXPECT_TRUE(BuiltPictureImage(bad).isNull());
}

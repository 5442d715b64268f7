// The installed program: cmake --install into a scratch prefix, the desktop files validated by
// the desktop's own tools, and the installed executables started with a scratch home, where
// they make the user's folders from the shared data.

#include <gtest/gtest.h>
#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>

#include "support/test_support.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

struct ProcessRun {
    int exitCode = -1;
    QString output;
};

// Runs a program to its end (60 s at most) with `environment`; output is stdout and stderr.
ProcessRun run(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ProcessRun result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        result.output = program + " did not finish: " + process.errorString();
        return result;
    }
    result.output = QString::fromUtf8(process.readAll());
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

// The environment of an installed program's user: a home of its own, no folder overrides, no
// leak report from the sanitised build (leaks are the unit tests' business).
QProcessEnvironment userEnvironment(const fs::path& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", QString::fromStdString(home.string()));
    environment.remove("XDG_DATA_HOME");
    environment.remove("TESSERA_PROGRAM_FOLDER");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    environment.insert("LANG", "C.UTF-8");
    return environment;
}

class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch_ = new test::ScratchFolder;
        const ProcessRun install = run(TESSERA_CMAKE_COMMAND, {"--install", TESSERA_BINARY_DIR, "--prefix",
                                                               QString::fromStdString(prefix().string())});
        installOutput_ = new QString(install.output);
        installed_ = install.exitCode == 0;
    }
    static void TearDownTestSuite() {
        delete scratch_;
        delete installOutput_;
    }
    void SetUp() override { ASSERT_TRUE(installed_) << installOutput_->toStdString(); }

    static fs::path prefix() { return scratch_->path() / "prefix"; }
    static QString installed(const std::string& path) { return QString::fromStdString((prefix() / path).string()); }

    static inline test::ScratchFolder* scratch_ = nullptr;
    static inline QString* installOutput_ = nullptr;
    static inline bool installed_ = false;
};

TEST_F(InstallTest, DesktopFilesAreInPlaceAndValid) {
    for (const char* path :
         {"bin/tessera", "bin/tessera-cli", "share/tessera/vantor.ini",
          "share/tessera/BoardTemplate/Marble/mb_board.jpg", "share/tessera/program/dic.db",
          "share/tessera/program/board/20716.wav", "share/tessera/program/translations/tessera_en.qm",
          "share/icons/hicolor/scalable/apps/org.tessera.Tessera.svg",
          "share/icons/hicolor/48x48/apps/org.tessera.Tessera.png",
          "share/icons/hicolor/256x256/apps/org.tessera.Tessera.png", "share/mime/packages/org.tessera.Tessera.xml"})
        EXPECT_TRUE(fs::is_regular_file(prefix() / path)) << path;

    const ProcessRun desktop =
        run("desktop-file-validate", {installed("share/applications/org.tessera.Tessera.desktop")});
    EXPECT_EQ(desktop.exitCode, 0) << desktop.output.toStdString();
    EXPECT_FALSE(desktop.output.contains("error")) << desktop.output.toStdString();
    const ProcessRun appstream =
        run("appstreamcli", {"validate", "--no-net", installed("share/metainfo/org.tessera.Tessera.metainfo.xml")});
    EXPECT_EQ(appstream.exitCode, 0) << appstream.output.toStdString();
    // The file types compile into a MIME database (the XML and the magic are well formed).
    const ProcessRun mime = run("update-mime-database", {installed("share/mime")});
    EXPECT_EQ(mime.exitCode, 0) << mime.output.toStdString();
    EXPECT_TRUE(fs::is_regular_file(prefix() / "share/mime/application/x-go-sgg.xml"));
}

TEST_F(InstallTest, InstalledProgramsSeedTheUsersFolders) {
    const fs::path home = scratch_->path() / "home";
    const fs::path user = home / ".local/share/tessera";
    const ProcessRun cli = run(installed("bin/tessera-cli"), {"settings"}, userEnvironment(home));
    ASSERT_EQ(cli.exitCode, 0) << cli.output.toStdString();
    EXPECT_TRUE(cli.output.contains(QString::fromStdString((user / "program/").string()))) << cli.output.toStdString();
    // Files are the user's copies; folders of pictures, sounds and translations lead to the shared ones.
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(user / "vantor.ini")));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(user / "program/dic.db")));
    EXPECT_TRUE(fs::is_symlink(user / "program/board"));
    EXPECT_TRUE(fs::is_regular_file(user / "program/board/20716.wav"));
    EXPECT_TRUE(fs::is_regular_file(user / "BoardTemplate/Marble/mb_board.jpg"));
    const ProcessRun english =
        run(installed("bin/tessera-cli"), {"translate", "--lang", "en", "李昌镐"}, userEnvironment(home));
    EXPECT_TRUE(english.output.contains("Lee Changho")) << english.output.toStdString();

    // The desktop program under XDG_DATA_HOME makes custom/ there at its first start.
    QProcessEnvironment environment = userEnvironment(scratch_->path() / "home2");
    const fs::path dataHome = scratch_->path() / "data-home";
    environment.insert("XDG_DATA_HOME", QString::fromStdString(dataHome.string()));
    const ProcessRun window = run(installed("bin/tessera"), {"--quit-after-startup"}, environment);
    ASSERT_EQ(window.exitCode, 0) << window.output.toStdString();
    EXPECT_TRUE(fs::is_regular_file(dataHome / "tessera/custom/vantor.ini"));
    EXPECT_TRUE(fs::is_regular_file(dataHome / "tessera/custom/lang.ini"));
    EXPECT_TRUE(fs::is_directory(dataHome / "tessera/program/translations"));
    EXPECT_FALSE(fs::exists(scratch_->path() / "home2/.local/share/tessera"));
}

TEST_F(InstallTest, ProgramFolderOptionStillWins) {
    const fs::path home = scratch_->path() / "home3";
    const fs::path folder = scratch_->path() / "portable/bin";
    fs::create_directories(folder);
    const ProcessRun cli =
        run(installed("bin/tessera-cli"), {"--program-folder", QString::fromStdString(folder.string()), "settings"},
            userEnvironment(home));
    ASSERT_EQ(cli.exitCode, 0) << cli.output.toStdString();
    EXPECT_TRUE(cli.output.contains(QString::fromStdString(folder.string()))) << cli.output.toStdString();
    EXPECT_FALSE(fs::exists(home / ".local/share/tessera"));
}

}  // namespace
}  // namespace tessera

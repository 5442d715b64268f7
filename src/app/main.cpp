// tessera: the desktop program.
//
//   tessera [--program-folder DIR] [--go-to-move N] [--new-instance] [--quit-after-startup] [FILE...]
//
// Records named on the command line open in the empty room 100 and rooms of their own; when
// the program already runs on the same program folder, they are handed to it instead (the
// desktop's "open with") unless --new-instance, --go-to-move or --quit-after-startup is given. --quit-after-startup
// prints the milliseconds from the start of the process to room 100 being ready, then exits (used to measure start-up).

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/ui/desktop_application.h"
#include "app/ui/desktop_integration.h"
#include "app/ui/single_instance.h"
#include "platform/program_folders.h"

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessera");
    QApplication::setApplicationDisplayName("Tessera");
    QApplication::setApplicationVersion(TESSERA_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription("Tessera: replay, edit and study Go game records.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption programFolder("program-folder",
                                           "Use DIR as the program folder (its parent is the root folder).", "DIR");
    const QCommandLineOption quitAfterStartup("quit-after-startup",
                                              "Print the start-up time in milliseconds and exit.");
    const QCommandLineOption goToMove("go-to-move", "Show the records named on the command line at move N.", "N");
    parser.addOption(programFolder);
    parser.addOption(goToMove);
    parser.addOption(quitAfterStartup);
    const QCommandLineOption newInstance("new-instance",
                                         "Open the files in a new window even when the program runs already.");
    parser.addOption(newInstance);
    parser.addPositionalArgument("files", "Game records (.sgf, .gib, .sgg) to open, each in a room of its own.",
                                 "[FILE...]");
    parser.process(app);
    if (parser.isSet(programFolder))
        setenv("TESSERA_PROGRAM_FOLDER", parser.value(programFolder).toLocal8Bit().constData(), 1);

    QStringList files;
    for (const QString& file : parser.positionalArguments())
        files << QDir::current().absoluteFilePath(file);
    const QString instanceName = tessera::singleInstanceName(tessera::GetProgramFolder());
    const bool alone = parser.isSet(newInstance) || parser.isSet(goToMove) || parser.isSet(quitAfterStartup);
    if (!files.isEmpty() && !alone && tessera::handFilesToRunningInstance(instanceName, files))
        return 0;

    tessera::DesktopApplication desktop;
    tessera::StartupOptions options;
    options.files = files;
    if (parser.isSet(goToMove))
        options.goToMove = parser.value(goToMove).toInt();
    if (!desktop.startUp(options)) {
        std::fprintf(stderr, "tessera: the main window could not be created\n");
        return 1;
    }
    if (!parser.isSet(quitAfterStartup))
        desktop.integration()->listenForHandedFiles(instanceName);
    if (parser.isSet(quitAfterStartup)) {
        // Let the window be shown and painted once before stopping the clock.
        QTimer::singleShot(0, &app, [&] {
            QApplication::processEvents();
            std::printf("start-up: %lld ms (room 100 ready after %lld ms of the start-up sequence)\n",
                        static_cast<long long>(clock.elapsed()), static_cast<long long>(desktop.startupMilliseconds()));
            std::fflush(stdout);
            QApplication::quit();
        });
    }
    const int code = app.exec();
    desktop.shutDown();
    return code;
}

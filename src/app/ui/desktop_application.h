#pragma once
// The running program: the process-wide objects created at start-up in a fixed order and
// released in the reverse order at exit.
//
// Start-up: folders; the custom INI files made from the shipped defaults and then read
// (language, rules, general and board settings); the interface translation of the chosen
// language; the English dictionary when the language is English; the sound folder; the data
// files that exist; the main window, shown maximised, with one empty room. Each step that
// fails leaves its object absent and start-up goes on; only a main window that cannot be
// made ends the process.

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

#include "app/settings.h"
#include "app/settings_files.h"
#include "app/ui/interface_translation.h"
#include "engine/program_log.h"
#include "library/text_dictionary.h"
#include "room/ui/desktop_defaults.h"

namespace tessera {

class DesktopIntegration;
class LibraryDesk;
class PatternDesk;
class MainWindow;
class SoundPlayer;

struct StartupOptions {
    QStringList files;       // records to open: the first in room 100, the others in rooms of their own
    bool showWindow = true;  // tests keep the window hidden
    bool maximised = true;
    int goToMove = -1;  // with files: the move each opened record starts at (-1: the start)
};

class DesktopApplication {
public:
    DesktopApplication();
    ~DesktopApplication();
    DesktopApplication(const DesktopApplication&) = delete;
    DesktopApplication& operator=(const DesktopApplication&) = delete;

    // The start-up sequence; false when the main window cannot be created.
    bool startUp(const StartupOptions& options);
    // Releases everything in order (also done by the destructor).
    void shutDown();

    MainWindow* mainWindow() const { return window_.get(); }
    // Icon, recent files, drops and handed-over files of the main window (owned by it).
    DesktopIntegration* integration() const { return integration_; }
    const DefaultSettings& settings() const { return settings_; }
    const SettingsFiles& settingsFiles() const { return files_; }
    const std::string& programFolder() const { return programFolder_; }
    const std::string& rootFolder() const { return rootFolder_; }
    InterfaceLanguage language() const { return settings_.language; }
    bool translationLoaded() const { return translationLoaded_; }
    bool dictionaryLoaded() const { return dictionaryLoaded_; }
    // The game library (store, marks, catalogue and its commands); null before start-up.
    LibraryDesk* library() const { return library_.get(); }
    PatternDesk* patterns() const { return patterns_.get(); }
    // Milliseconds from the start of startUp() to room 100 being ready.
    qint64 startupMilliseconds() const { return startupMs_; }

private:
    void copySettingsIntoDefaults();
    void connectSettingsDialogs();
    void loadEnglishDictionary();
    void openDataFiles();
    void closeDataFiles();
    void chooseLanguageFromMenu(int langValue);
    void runLanguageDialog();
    void saveLanguageChoice(int langValue);
    void runSystemSettings();
    void runBoardProperties();

    std::string programFolder_;
    std::string rootFolder_;
    SettingsFiles files_;
    DefaultSettings settings_;
    InterfaceTranslation translation_;
    bool translationLoaded_ = false;
    bool dictionaryLoaded_ = false;
    TextDictionary dictionary_;
    std::unique_ptr<ProgramLog> log_;  // log.txt, from start-up to the end of shutdown
    std::unique_ptr<SoundPlayer> sounds_;
    std::unique_ptr<LibraryDesk> library_;
    std::unique_ptr<PatternDesk> patterns_;
    DesktopDefaults defaults_;
    std::unique_ptr<MainWindow> window_;
    DesktopIntegration* integration_ = nullptr;
    qint64 startupMs_ = 0;
    bool started_ = false;
};

}  // namespace tessera

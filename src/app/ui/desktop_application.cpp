#include "app/ui/desktop_application.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include "app/ui/application_icon.h"
#include "app/ui/desktop_integration.h"
#include "app/ui/library_desk.h"
#include "app/ui/pattern_desk.h"
#include "app/ui/settings_dialogs.h"
#include "library/database.h"
#include "library/record_translation.h"
#include "platform/ini_file.h"
#include "platform/program_folders.h"
#include "room/room_translation.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "room/ui/sound_player.h"

namespace tessera {

namespace {
RoomPreferences preferencesOf(const DefaultSettings& settings);
void storePreferences(const RoomPreferences& general, DefaultSettings& settings);
}  // namespace

DesktopApplication::DesktopApplication() = default;

DesktopApplication::~DesktopApplication() { shutDown(); }

bool DesktopApplication::startUp(const StartupOptions& options) {
    QElapsedTimer clock;
    clock.start();
    started_ = true;

    // Folders. Every file of the installation is found from these two.
    programFolder_ = GetProgramFolder();
    rootFolder_ = GetRootFolder(programFolder_);
    log_ = std::make_unique<ProgramLog>(programLogPath(programFolder_));
    // The log exists from the start, so whoever looks for it finds when the program began.
    log_->logf("started (program folder %s)", programFolder_.c_str());

    // The custom INI files: each missing one is copied from the shipped default before any
    // value is read; then the language, the rules, and the general and board settings.
    files_ = settingsFilesFor(rootFolder_);
    settings_ = LoadDefaultSettings(files_);
    // [DATABASE] Connection may put the library on a database server.
    applyConnectionSetting(files_.customVantor);

    // The interface translation of the chosen language (none for Simplified Chinese); a
    // missing file leaves the source texts in use while the language index stays as read.
    translationLoaded_ =
        translation_.install(settings_.language, QString::fromStdString(programFolder_ + "translations"));

    // The dictionary of the data texts (player names, events) for the interface language.
    loadEnglishDictionary();

    // Pictures and sounds of the board.
    sounds_ = std::make_unique<SoundPlayer>(QString::fromStdString(programFolder_ + "board"));

    openDataFiles();

    copySettingsIntoDefaults();
    // Every window of the program shows its icon; the desktop matches windows to the entry.
    QApplication::setWindowIcon(applicationIcon(programFolder_));
    QGuiApplication::setDesktopFileName("org.tessera.Tessera");
    window_ = std::make_unique<MainWindow>(defaults_);
    integration_ = new DesktopIntegration(*window_, files_.customFolder + "recent.ini");
    window_->setWindowTitle(QApplication::applicationDisplayName());
    connectSettingsDialogs();
    if (library_)
        library_->attach(window_.get());
    if (patterns_)
        patterns_->attach(window_.get(), library_.get());
    window_->resize(1200, 860);
    if (options.showWindow) {
        if (options.maximised)
            window_->showMaximized();
        else
            window_->show();
    }
    window_->newRoom();
    startupMs_ = clock.elapsed();

    // The first record goes into the empty room 100, each further one into a room of its own.
    for (const QString& file : options.files) {
        if (!window_->openRecordFile(file))
            continue;
        if (options.goToMove >= 0) {
            RoomWindow* room = window_->activeRoom();
            room->room().goToMoveNumber(options.goToMove);
            window_->roomChanged(room);
        }
    }
    return true;
}

void DesktopApplication::shutDown() {
    if (!started_)
        return;
    started_ = false;
    // The windows go first (rooms use everything below), then in order: the data files, the
    // sounds and pictures, the translation.
    integration_ = nullptr;
    if (library_)
        library_->detach();
    if (patterns_)
        patterns_->detach();
    window_.reset();
    closeDataFiles();
    defaults_.sounds = nullptr;
    sounds_.reset();
    translation_.uninstall();
    defaults_.programLog = nullptr;
    if (log_) {
        log_->logLine("stopped");
        log_->close();
    }
}

namespace {
RoomPreferences preferencesOf(const DefaultSettings& settings) {
    RoomPreferences general;
    general.promptSound = settings.promptSound != 0;
    general.stoneDelay = settings.stoneDelay;
    general.showKnowledge = settings.showGfpKnow != 0;
    general.showGlobalStats = settings.showGfpState != 0;
    general.showLocalStats = settings.showGlpState != 0;
    general.showMatrixPatterns = settings.showMatrixPatterns != 0;
    general.gfpPer = settings.gfpPer;
    general.glpPer = settings.glpPer;
    general.showCue = settings.showCue != 0;
    general.showBranch = settings.showBranch != 0;
    general.randomOrientation = settings.randCoor != 0;
    return general;
}

void storePreferences(const RoomPreferences& general, DefaultSettings& settings) {
    settings.promptSound = general.promptSound;
    settings.stoneDelay = general.stoneDelay;
    settings.showGfpKnow = general.showKnowledge;
    settings.showGfpState = general.showGlobalStats;
    settings.showGlpState = general.showLocalStats;
    settings.showMatrixPatterns = general.showMatrixPatterns;
    settings.gfpPer = general.gfpPer;
    settings.glpPer = general.glpPer;
    settings.showCue = general.showCue;
    settings.showBranch = general.showBranch;
    settings.randCoor = general.randomOrientation;
}
}  // namespace

void DesktopApplication::copySettingsIntoDefaults() {
    defaults_.board = boardSettingsOf(settings_);
    defaults_.general = preferencesOf(settings_);
    defaults_.stoneSound = settings_.stoneSound != 0;
    // The INI record stores the rule type as its number.
    defaults_.rules = RuleSettings{static_cast<RuleType>(settings_.ruleType), settings_.komi};
    defaults_.language = settings_.language;
    defaults_.programFolder = programFolder_;
    defaults_.sounds = sounds_.get();
    defaults_.patternBases = patterns_ ? &patterns_->bases() : nullptr;
    defaults_.catalogue = library_ ? &library_->catalogue() : nullptr;
    defaults_.showHintDetails = [this](RoomWindow& room) {
        if (patterns_)
            patterns_->showHintDetails(room);
    };
    defaults_.searchPattern = [this](RoomWindow& room) {
        if (patterns_)
            patterns_->showPatternSearch(room);
    };
    defaults_.programLog = log_.get();
    defaults_.recordTranslator = interfaceRecordTranslator(settings_.language, dictionary_);
    // The outside record editor: SETTING/ExternalEditor of vantor.ini, else the desktop's opener.
    const std::string editor = readIniString(files_.customVantor, "SETTING", "ExternalEditor", "");
    defaults_.externalEditor = editor.empty() ? "xdg-open" : editor;
    defaults_.saveRuleDefaults = [this](const RuleSettings& rules) {
        settings_.ruleType = rules.ruleType;
        settings_.komi = rules.komi;
        defaults_.rules = rules;
        MakeFolderPath(files_.customRule);
        return SaveRuleSettings(files_.customRule, rules.ruleType, rules.komi);
    };
}

void DesktopApplication::loadEnglishDictionary() {
    // English reads the English texts of dic.db; Traditional Chinese its Traditional forms of
    // names (and converts everything else); Simplified Chinese needs no file. Without dic.db
    // the data texts are shown as read and start-up goes on.
    const std::string path = programFolder_ + "dic.db";
    if (settings_.language == kLanguageSimplifiedChinese || !FileExists(path)) {
        dictionary_.clear();
        dictionary_.setMode(settings_.language == kLanguageEnglish ? TextDictionary::kToEnglish
                                                                   : TextDictionary::kToTraditional);
        dictionaryLoaded_ = false;
        return;
    }
    dictionaryLoaded_ = prepareInterfaceDictionary(dictionary_, settings_.language, path);
}

void DesktopApplication::openDataFiles() {
    // The game library: go.db (created when missing), the user's marks and the catalogue; the
    // pattern bases (a missing file stays closed and shows no hints).
    library_ = std::make_unique<LibraryDesk>(programFolder_, rootFolder_, files_.customVantor, settings_.language);
    patterns_ = std::make_unique<PatternDesk>(programFolder_);
    // After an online update the library reopens itself; the dictionary is read again here and
    // the pattern files, which an update may replace, are opened again.
    library_->setUpdateHooks(log_.get(), [this] {
        loadEnglishDictionary();
        if (patterns_)
            patterns_->reopen();
    });
}

void DesktopApplication::closeDataFiles() {
    // The marks are written back (when changed) before the library closes.
    defaults_.patternBases = nullptr;
    defaults_.catalogue = nullptr;
    defaults_.showHintDetails = nullptr;
    defaults_.searchPattern = nullptr;
    patterns_.reset();
    library_.reset();
}

void DesktopApplication::connectSettingsDialogs() {
    QObject::connect(window_.get(), &MainWindow::systemSettingsRequested, window_.get(),
                     [this] { runSystemSettings(); });
    QObject::connect(window_.get(), &MainWindow::boardPropertiesRequested, window_.get(),
                     [this] { runBoardProperties(); });
    QObject::connect(window_.get(), &MainWindow::languageDialogRequested, window_.get(),
                     [this] { runLanguageDialog(); });
    QObject::connect(window_.get(), &MainWindow::languageMenuChosen, window_.get(),
                     [this](int value) { chooseLanguageFromMenu(value); });
}

void DesktopApplication::chooseLanguageFromMenu(int langValue) { saveLanguageChoice(langValue); }

void DesktopApplication::runLanguageDialog() {
    LanguageDialog dialog(settings_.language, window_.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    saveLanguageChoice(languageChoiceValue(dialog.language()));
}

void DesktopApplication::saveLanguageChoice(int langValue) {
    // Only a choice that reached the file takes effect at the next start: say so, or say why not.
    MakeFolderPath(files_.customLang);
    if (!SaveLanguage(files_.customLang, langValue)) {
        QMessageBox::warning(window_.get(), QApplication::applicationDisplayName(),
                             MainWindow::tr("无法保存设置文件 %1").arg(QString::fromStdString(files_.customLang)));
        return;
    }
    QMessageBox::information(window_.get(), QApplication::applicationDisplayName(),
                             MainWindow::tr("语言的设置将会在程序重启的时候有效."));
}

void DesktopApplication::runSystemSettings() {
    RoomWindow* room = window_->activeRoom();
    DefaultSettings values = settings_;
    values.stoneSound = defaults_.stoneSound;
    storePreferences(room ? room->preferences() : defaults_.general, values);
    SystemSettingsDialog dialog(values, window_.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    values = dialog.values();
    // The stone sound is one switch for the whole program; the rest belongs to the room.
    defaults_.stoneSound = values.stoneSound != 0;
    const RoomPreferences general = preferencesOf(values);
    if (room != nullptr)
        room->setPreferences(general);
    if (dialog.saveAsDefault()) {
        settings_.stoneSound = values.stoneSound;
        storePreferences(general, settings_);
        defaults_.general = general;
        MakeFolderPath(files_.customVantor);
        if (!SaveGeneralSettings(files_.customVantor, settings_))
            QMessageBox::warning(
                window_.get(), QApplication::applicationDisplayName(),
                MainWindow::tr("无法保存设置文件 %1").arg(QString::fromStdString(files_.customVantor)));
    }
    window_->updateCommands();
}

void DesktopApplication::runBoardProperties() {
    RoomWindow* room = window_->activeRoom();
    const BoardViewSettings roomValues = room ? room->boardSettings() : defaults_.board;
    BoardPropertiesDialog dialog(
        roomValues, defaults_.board,
        [room](const BoardViewSettings& values) {
            if (room)
                room->applyBoardSettings(values);
        },
        window_.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const BoardViewSettings values = dialog.values();
    if (room != nullptr)
        room->applyBoardSettings(values);
    if (dialog.saveAsDefault()) {
        storeBoardSettings(values, settings_);
        defaults_.board = values;
        MakeFolderPath(files_.customVantor);
        if (!SaveBoardSettings(files_.customVantor, settings_))
            QMessageBox::warning(
                window_.get(), QApplication::applicationDisplayName(),
                MainWindow::tr("无法保存设置文件 %1").arg(QString::fromStdString(files_.customVantor)));
    }
}

}  // namespace tessera

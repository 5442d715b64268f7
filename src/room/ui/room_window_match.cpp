// RoomWindow: starting a game against the computer from the game settings dialog.

#include <memory>

#include "engine/ui/match_setup_dialog.h"
#include "room/room_match.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "view/sound_numbers.h"

namespace tessera {

void RoomWindow::startMatch() {
    MatchSetupDialog dialog(this);
    if (defaults_.lastMatch)
        dialog.setSetup(*defaults_.lastMatch);
    if (dialog.exec() != QDialog::Accepted)
        return;
    defaults_.lastMatch = dialog.setup();
    startMatch(*defaults_.lastMatch);
}

void RoomWindow::startMatch(const MatchSetup& setup) {
    auto match = std::make_shared<RoomMatch>(*room_, defaults_.programLog, defaults_.patternBases);
    room_->beginEngineGame(match);  // stops a match already running here
    match->start(setup);
    if (room_->settings().stoneSound && isActiveRoom())
        playSound(kSoundGameStart, false);
    touched_ = true;
    mainWindow_.roomChanged(this);
}

}  // namespace tessera

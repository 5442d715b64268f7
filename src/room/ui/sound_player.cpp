#include "room/ui/sound_player.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace tessera {

namespace {
// Longest wait for a sound played to its end (our sounds last well under a second).
constexpr int kLongestWaitMs = 4000;
}  // namespace

SoundPlayer::SoundPlayer(const QString& folder, QObject* parent) : QObject(parent), folder_(folder) {
    if (!folder_.isEmpty() && !folder_.endsWith('/'))
        folder_ += '/';
}

SoundPlayer::~SoundPlayer() = default;

QString SoundPlayer::fileOf(int number) const { return folder_ + QString::number(number) + ".wav"; }

QSoundEffect* SoundPlayer::effect(int number) {
    if (!probed_) {
        // Asking for the devices once, on the first sound, keeps start-up fast.
        probed_ = true;
        audible_ = !QMediaDevices::defaultAudioOutput().isNull();
    }
    if (!audible_)
        return nullptr;
    auto found = effects_.find(number);
    if (found != effects_.end())
        return found->second;
    QSoundEffect* sound = nullptr;
    const QString file = fileOf(number);
    if (QFileInfo::exists(file)) {
        sound = new QSoundEffect(this);
        sound->setSource(QUrl::fromLocalFile(file));
    }
    effects_[number] = sound;  // a missing file is remembered as nullptr
    return sound;
}

void SoundPlayer::play(int number, bool wait) {
    QSoundEffect* sound = effect(number);
    if (sound == nullptr || sound->status() == QSoundEffect::Error)
        return;
    sound->play();
    if (!wait)
        return;
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(sound, &QSoundEffect::playingChanged, &loop, [&] {
        if (!sound->isPlaying())
            loop.quit();
    });
    connect(sound, &QSoundEffect::statusChanged, &loop, [&] {
        if (sound->status() == QSoundEffect::Error)
            loop.quit();
    });
    guard.start(kLongestWaitMs);
    // A sound still loading has not started yet; wait for it as well.
    if (sound->isPlaying() || sound->status() == QSoundEffect::Loading)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void SoundPlayer::stopAll() {
    for (auto& [number, sound] : effects_)
        if (sound != nullptr)
            sound->stop();
}

}  // namespace tessera

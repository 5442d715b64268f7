#pragma once
// The program's sounds: WAV files named by their resource number (20716.wav ...) in the
// folder board/ of the program folder, played through Qt Multimedia. Without an audio device,
// or with a sound file missing, playing does nothing; the program works the same, only
// silently.

#include <QObject>
#include <QString>
#include <map>

class QSoundEffect;

namespace tessera {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // folder: where the numbered WAV files lie (with or without a trailing '/').
    explicit SoundPlayer(const QString& folder, QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Starts sound `number`; with wait, returns when it has finished (at most a few seconds).
    // Nothing happens when the file is missing or no audio output exists.
    void play(int number, bool wait = false);
    // Stops every sound that is playing.
    void stopAll();
    // The file of sound `number`.
    QString fileOf(int number) const;
    // False once it is known that no audio output exists (every call is then silent).
    bool audible() const { return audible_; }

private:
    QSoundEffect* effect(int number);

    QString folder_;
    std::map<int, QSoundEffect*> effects_;  // loaded on first use, kept
    bool audible_ = true;
    bool probed_ = false;
};

}  // namespace tessera

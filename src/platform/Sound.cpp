#include "platform/Sound.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>

namespace tiravo {

namespace {

class Silence final : public Sound {
public:
    void play(Cue) override {}
    void stop(Cue) override {}
};

} // namespace

Sound& NoSound() {
    static Silence silence;
    return silence;
}

// The sound effects, made and played on the sound thread only.
class SystemSound::Player final : public QObject {
public:
    void prepare() {
        if (tried_)
            return;
        tried_ = true;
        // Without a device an effect would only fail, later and noisily.
        if (QMediaDevices::audioOutputs().isEmpty())
            return;
        drumRoll_ = effect(QStringLiteral("qrc:/sounds/drum-roll.wav"), QSoundEffect::Infinite);
        fanfare_ = effect(QStringLiteral("qrc:/sounds/fanfare.wav"), 1);
    }
    void play(Cue cue) {
        prepare();
        if (QSoundEffect* sound = of(cue))
            sound->play();
    }
    void stop(Cue cue) {
        if (QSoundEffect* sound = of(cue))
            sound->stop();
    }

private:
    QSoundEffect* effect(const QString& source, int loops) {
        auto* sound = new QSoundEffect(this);
        sound->setSource(QUrl(source));
        sound->setLoopCount(loops);
        return sound;
    }
    QSoundEffect* of(Cue cue) const { return cue == Cue::DrumRoll ? drumRoll_ : fanfare_; }

    bool tried_ = false;
    QSoundEffect* drumRoll_ = nullptr;
    QSoundEffect* fanfare_ = nullptr;
};

SystemSound::SystemSound() = default;

SystemSound::~SystemSound() {
    if (!thread_)
        return;
    thread_->quit();
    thread_->wait();
}

void SystemSound::start() {
    if (thread_)
        return;
    thread_ = std::make_unique<QThread>();
    thread_->setObjectName(QStringLiteral("Sound"));
    player_ = new Player;
    player_->moveToThread(thread_.get());
    QObject::connect(thread_.get(), &QThread::finished, player_, &QObject::deleteLater);
    thread_->start();
}

void SystemSound::prepare() {
    start();
    QMetaObject::invokeMethod(player_, [player = player_] { player->prepare(); });
}

void SystemSound::play(Cue cue) {
    start();
    QMetaObject::invokeMethod(player_, [player = player_, cue] { player->play(cue); });
}

void SystemSound::stop(Cue cue) {
    // Nothing plays before the first cue.
    if (!thread_)
        return;
    QMetaObject::invokeMethod(player_, [player = player_, cue] { player->stop(cue); });
}

} // namespace tiravo

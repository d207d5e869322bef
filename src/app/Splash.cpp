#include "app/Splash.h"

#include <QAudioDevice>
#include <QGuiApplication>
#include <QLabel>
#include <QMediaDevices>
#include <QScreen>
#include <QSoundEffect>

#include "app/application.h"
#include "framework/Pictures.h"
#include "framework/WindowRegistry.h"

namespace kz::ui {

Splash::Splash(Clock clock) : clock_(std::move(clock)) {
    sinceCreated_.start();
    if (!clock_) clock_ = [this] { return sinceCreated_.elapsed(); };
    setObjectName("Form1");
    setWindowTitle("KelbrinZorvan2010");
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFixedSize(150, 149);

    auto* background = new QLabel(this);
    background->setObjectName("Picture");
    background->setGeometry(0, 0, 150, 149);
    background->setPixmap(picture(":/resources/images/splash.png"));
    for (int i = 0; i < 3; ++i) {
        // The pictures are transparent around their parts and stack up.
        images_[i] = new QLabel(this);
        images_[i]->setObjectName(QString("Image%1").arg(i + 1));
        images_[i]->setGeometry(0, 0, 150, 150);
        images_[i]->setPixmap(picture(QString(":/resources/images/splash%1.png").arg(i + 1)));
        images_[i]->hide();
    }

    timer_.setObjectName("Timer5");
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Splash::advance);
}

void Splash::start() {
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        QRect r = geometry();
        r.moveCenter(s->geometry().center());
        move(r.topLeft());
    }
    setWindowOpacity(SplashTimeline::kStartOpacity / 255.0);
    show();
    // Without a sound device the splash runs silently, and says nothing about
    // it: the audio back end's complaints while looking for one are dropped.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const bool canPlay = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(previous);
    if (canPlay) {
        sound_ = new QSoundEffect(this);
        sound_->setSource(QUrl("qrc:/resources/sounds/splash.wav"));
    }
    advance();
}

void Splash::advance() {
    for (const SplashEvent& e : timeline_.advance(clock_())) {
        switch (e.kind) {
            case SplashEvent::Kind::Opacity: setWindowOpacity(e.value / 255.0); break;
            case SplashEvent::Kind::Picture:
                images_[e.value - 1]->show();
                playChime();
                emit chimed(e.value);
                break;
            case SplashEvent::Kind::End:
                hide();
                // The last chime has ended by now; give the audio device back.
                if (sound_) {
                    QTimer::singleShot(500, sound_, &QObject::deleteLater);
                    sound_ = nullptr;
                }
                WindowRegistry::instance().open("Form0");
                break;
        }
    }
    // Nothing runs once the splash has ended: the program idles without timers.
    if (const auto next = timeline_.nextDueMs()) timer_.start(static_cast<int>(std::max<qint64>(0, *next - clock_())));
    else timer_.stop();
}

void Splash::playChime() {
    if (!sound_) return;
    sound_->stop();
    sound_->play();
}

}  // namespace kz::ui

#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "app/splashtimeline.h"

class QLabel;
class QSoundEffect;

namespace kz::ui {

// Form1: fades in, shows three pictures with a chime, and after 2.7 seconds
// gives way to the floating ball. It then stays hidden for the rest of the run.
class Splash : public QWidget {
    Q_OBJECT
public:
    // Milliseconds since the window was created; tests pass their own.
    using Clock = std::function<qint64()>;

    explicit Splash(Clock clock = {});

    // The load step: shows the window, transparent, and starts the timeline.
    void start();

    // Whether a wake-up is pending (none once the splash has ended).
    bool waiting() const { return timer_.isActive(); }

public slots:
    // Carries out everything due by now and sleeps until the next event.
    void advance();

signals:
    void chimed(int picture);

private:
    void playChime();  // the chime; a new one cuts off the one before

    Clock clock_;
    QElapsedTimer sinceCreated_;
    SplashTimeline timeline_;
    QTimer timer_;
    QLabel* images_[3];
    QSoundEffect* sound_ = nullptr;
};

}  // namespace kz::ui

#include "app/controls/IdleTime.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>

namespace kalvo {

namespace {

std::function<quint32()>& tickSource()
{
    static std::function<quint32()> source;
    return source;
}

quint32 gLastInputTime = 0;

bool countsAsInput(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseMove: return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const auto button = static_cast<const QMouseEvent*>(event)->button();
        return button == Qt::LeftButton || button == Qt::RightButton;
    }
    default: return false;
    }
}

// The application-wide input observer, installed while at least one detector is enabled.
class TInputHook : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (countsAsInput(event))
            gLastInputTime = TpxIdleTime::Tick();
        return false;
    }
};

TInputHook* gHook = nullptr;
int gHookUsers = 0;

void acquireHook()
{
    if (gHookUsers++ == 0 && QCoreApplication::instance()) {
        gHook = new TInputHook;
        QCoreApplication::instance()->installEventFilter(gHook);
    }
}

void releaseHook()
{
    if (gHookUsers == 0 || --gHookUsers > 0)
        return;
    if (gHook && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(gHook);
    delete gHook;
    gHook = nullptr;
}

} // namespace

quint32 TpxIdleTime::Tick()
{
    if (tickSource())
        return tickSource()();
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return quint32(clock.elapsed());
}

void TpxIdleTime::SetTickSource(std::function<quint32()> source)
{
    tickSource() = std::move(source);
}

TpxIdleTime::TpxIdleTime(QObject* parent) : QObject(parent), FTimer(new QTimer(this))
{
    FTimer->setInterval(100);
    connect(FTimer, &QTimer::timeout, this, &TpxIdleTime::timerTick);
}

TpxIdleTime::~TpxIdleTime()
{
    SetEnabled(false);
}

void TpxIdleTime::SetEnabled(bool on)
{
    if (on == FEnabled)
        return;
    FEnabled = on;
    if (on) {
        acquireHook();
        gLastInputTime = Tick();
        FTimer->start();
    } else {
        FTimer->stop();
        releaseHook();
    }
}

void TpxIdleTime::SetInterval(int seconds)
{
    FInterval = seconds;
    FThreshold = quint32(qBound(0, seconds, 4000000)) * 1000u;
}

quint32 TpxIdleTime::IdleTime() const
{
    return FEnabled ? Tick() - gLastInputTime : 0;
}

void TpxIdleTime::timerTick()
{
    if (IdleTime() >= FThreshold)
        emit OnInterval();
}

} // namespace kalvo

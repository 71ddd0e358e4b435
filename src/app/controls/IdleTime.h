#pragma once
// The idle-time detector: while enabled, it notes the time of the last key press or release,
// mouse move, and left or right button press or release anywhere in the application (middle
// button and wheel do not count) and, every 100 ms, reports OnInterval once Interval seconds
// have passed without such input. The time of the last input is shared by every detector.
#include <QObject>

#include <functional>

class QTimer;

namespace kalvo {

class TpxIdleTime : public QObject {
    Q_OBJECT
public:
    explicit TpxIdleTime(QObject* parent = nullptr);
    ~TpxIdleTime() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool on);
    int Interval() const { return FInterval; }
    void SetInterval(int seconds);
    // Milliseconds since the last input; 0 while disabled.
    quint32 IdleTime() const;

    // The millisecond tick count, wrapping around; a test may replace it (empty restores it).
    static quint32 Tick();
    static void SetTickSource(std::function<quint32()> source);

signals:
    void OnInterval();

private:
    void timerTick();

    QTimer* FTimer = nullptr;
    bool FEnabled = false;
    int FInterval = 0;
    quint32 FThreshold = 0;
};

} // namespace kalvo

// The scheduler pump on an injected clock and sleep: where its single-shot timer is aimed, the
// last stretch before the due time slept out, catching up through to the target, the gate and an
// error it stops, the tick log; and once on the real clock in the event loop.
#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <vector>

#include "app/qt/pumps/scheduler_pump.h"
#include "engine/scheduler.h"

namespace fluffo {
namespace {

using namespace std::chrono_literals;
using std::chrono::nanoseconds;

struct Recorder : TimerSink {
    std::vector<TimerId> fired;
    std::function<void(TimerId)> also;
    void on_timer(TimerId id) override {
        fired.push_back(id);
        if (also) also(id);
    }
};

// The sleep moves the clock on to where it was asked to wake.
struct SchedulerPumpTest : ::testing::Test {
    nanoseconds now{0};
    std::vector<nanoseconds> sleeps;  // the times slept until
    Scheduler scheduler;
    Recorder target;
    SchedulerPump pump{scheduler, target, [this] { return now; },
                       [this](nanoseconds until) {
                           sleeps.push_back(until);
                           now = until;
                       }};
};

TEST_F(SchedulerPumpTest, AimsOnePreciseSingleShotALeadBeforeTheNextDueTime) {
    EXPECT_FALSE(pump.timer().isActive());
    scheduler.arm(TimerId::Timer_Game, 240);
    scheduler.arm(TimerId::Timer_Clock, 1000);
    pump.reaim();
    EXPECT_TRUE(pump.timer().isActive());
    EXPECT_TRUE(pump.timer().isSingleShot());
    EXPECT_EQ(pump.timer().timerType(), Qt::PreciseTimer);
    EXPECT_EQ(pump.timer().interval(), 239);  // the due time 240 less the 1 ms lead

    now = 100ms;
    pump.reaim();
    EXPECT_EQ(pump.timer().interval(), 139);

    now = 100ms + 400us;  // 139.6 ms to go: rounded down, then the lead
    pump.reaim();
    EXPECT_EQ(pump.timer().interval(), 138);

    now = 238ms + 500us;  // under two milliseconds to go: at once (the firing sleeps the rest)
    pump.reaim();
    EXPECT_TRUE(pump.timer().isActive());
    EXPECT_EQ(pump.timer().interval(), 0);

    now = 300ms;  // overdue: at once
    pump.reaim();
    EXPECT_TRUE(pump.timer().isActive());
    EXPECT_EQ(pump.timer().interval(), 0);

    scheduler.set_enabled(TimerId::Timer_Game, false);
    scheduler.set_enabled(TimerId::Timer_Clock, false);
    pump.reaim();
    EXPECT_FALSE(pump.timer().isActive());
}

TEST_F(SchedulerPumpTest, CatchUpFiresDueTimersThroughToTheTarget) {
    scheduler.arm(TimerId::Timer_Game, 240);
    scheduler.arm(TimerId::Timer_Clock, 500);
    now = 500ms + 999us;  // virtual time is whole milliseconds
    pump.catch_up();
    EXPECT_EQ(target.fired, (std::vector<TimerId>{TimerId::Timer_Game, TimerId::Timer_Game,
                                                  TimerId::Timer_Clock}));
    EXPECT_EQ(scheduler.now(), 500);
}

TEST_F(SchedulerPumpTest, ATimerArmedAfterCatchingUpCountsFromNow) {
    now = 70ms;
    pump.catch_up();
    scheduler.arm(TimerId::Timer_Miss, 100);
    pump.reaim();
    EXPECT_EQ(scheduler.next_due(), 170);
    EXPECT_EQ(pump.timer().interval(), 99);
}

TEST_F(SchedulerPumpTest, FiringPassesTheGateAndAnErrorItStopsLeavesThePumpReaimed) {
    int gate_calls = 0;
    std::vector<std::string> stopped;
    pump.set_gate([&](const std::function<void()>& action) {
        ++gate_calls;
        try {
            action();
        } catch (const std::runtime_error& e) {
            stopped.push_back(e.what());
        }
    });
    bool thrown = false;
    target.also = [&](TimerId id) {
        if (id == TimerId::Timer_Miss && !thrown) {
            thrown = true;
            throw std::runtime_error("refused");
        }
    };
    scheduler.arm(TimerId::Timer_Game, 240);
    scheduler.arm(TimerId::Timer_Miss, 100);
    now = 250ms;
    pump.fire_due();
    EXPECT_EQ(gate_calls, 1);
    EXPECT_EQ(stopped, std::vector<std::string>{"refused"});
    EXPECT_EQ(target.fired, std::vector<TimerId>{TimerId::Timer_Miss});
    // The Game timer due at 240 is still overdue: the pump is aimed at once.
    EXPECT_TRUE(pump.timer().isActive());
    EXPECT_EQ(pump.timer().interval(), 0);

    pump.fire_due();
    EXPECT_EQ(gate_calls, 2);
    EXPECT_EQ(target.fired, (std::vector<TimerId>{TimerId::Timer_Miss, TimerId::Timer_Miss,
                                                  TimerId::Timer_Game}));
    EXPECT_EQ(pump.timer().interval(), 49);  // the Miss timer at 300, less the lead
    EXPECT_TRUE(sleeps.empty());             // overdue: nothing to wait for
}

TEST_F(SchedulerPumpTest, FiringWithinTwoMillisecondsOfTheDueTimeSleepsOutTheRestAndFires) {
    int gate_calls = 0;
    pump.set_gate([&](const std::function<void()>& action) {
        ++gate_calls;
        action();
    });
    scheduler.arm(TimerId::Timer_Game, 240);
    now = 238ms + 100us;
    pump.fire_due();
    EXPECT_EQ(sleeps, std::vector<nanoseconds>{240ms});
    EXPECT_EQ(gate_calls, 1);
    EXPECT_EQ(target.fired, std::vector<TimerId>{TimerId::Timer_Game});
    EXPECT_EQ(pump.timer().interval(), 239);  // the next period, less the lead

    now = 478ms;  // exactly two milliseconds to go
    pump.fire_due();
    EXPECT_EQ(sleeps, (std::vector<nanoseconds>{240ms, 480ms}));
    EXPECT_EQ(target.fired.size(), 2u);
}

TEST_F(SchedulerPumpTest, FiringEarlierThanThatOnlyReaims) {
    int gate_calls = 0;
    pump.set_gate([&](const std::function<void()>& action) {
        ++gate_calls;
        action();
    });
    scheduler.arm(TimerId::Timer_Game, 240);
    now = 237ms + 900us;  // 2.1 ms to go
    pump.fire_due();
    EXPECT_TRUE(sleeps.empty());
    EXPECT_EQ(gate_calls, 0);
    EXPECT_TRUE(target.fired.empty());
    EXPECT_EQ(pump.timer().interval(), 1);
}

TEST_F(SchedulerPumpTest, CatchUpLetsHandlerErrorsPass) {
    target.also = [](TimerId) { throw std::runtime_error("refused"); };
    scheduler.arm(TimerId::Timer_Game, 10);
    now = 10ms;
    EXPECT_THROW(pump.catch_up(), std::runtime_error);
}

TEST(SchedulerPumpLifetime, LeavesTheSchedulerWithoutSink) {
    Scheduler scheduler;
    Recorder target;
    {
        SchedulerPump pump(
            scheduler, target, [] { return nanoseconds(0); }, [](nanoseconds) {});
    }
    scheduler.arm(TimerId::Timer_Game, 10);
    scheduler.advance_to(100);
    EXPECT_TRUE(target.fired.empty());
}

TEST(SchedulerPumpTickLog, AppendsOneLineOfMicrosecondsPerGameTick) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("ticks.txt");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier\n");
    }
    qputenv("FLUFFO_TICK_LOG", path.toLocal8Bit());
    Scheduler scheduler;
    Recorder target;
    nanoseconds now{0};
    SchedulerPump pump(
        scheduler, target, [&] { return now; }, [&](nanoseconds t) { now = t; });
    qunsetenv("FLUFFO_TICK_LOG");

    scheduler.arm(TimerId::Timer_Game, 240);
    scheduler.arm(TimerId::Timer_Clock, 100);
    now = 500ms;
    pump.catch_up();
    ASSERT_EQ(target.fired.size(), 7u);

    QFile log(path);  // flushed line by line: readable while the pump lives
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4);  // "earlier", two ticks, the empty rest
    EXPECT_EQ(lines[0], "earlier");
    bool ok1 = false, ok2 = false;
    const qlonglong first = lines[1].toLongLong(&ok1), second = lines[2].toLongLong(&ok2);
    EXPECT_TRUE(ok1 && ok2);
    EXPECT_GE(first, 0);
    EXPECT_GE(second, first);
    EXPECT_TRUE(lines[3].isEmpty());
}

// On the program's event dispatcher (Qt's own); the single-shot fires about once a period (a
// spinning wait would fire it again and again).
TEST(SchedulerPumpRealTime, APeriodicTimerFiresOnItsDueTimesInTheEventLoopWithoutSpinning) {
    ASSERT_FALSE(QCoreApplication::eventDispatcher()->inherits("QEventDispatcherGlib"));
    QElapsedTimer elapsed;  // started first: never ahead of the pump's clock
    elapsed.start();
    Scheduler scheduler;
    Recorder target;
    SchedulerPump pump(scheduler, target);
    int shots = 0;
    QObject::connect(&pump.timer(), &QTimer::timeout, [&] { ++shots; });
    QEventLoop loop;
    std::vector<int64_t> fired_at;
    target.also = [&](TimerId) {
        fired_at.push_back(pump.now_ms());
        if (fired_at.size() == 5) loop.quit();
    };
    scheduler.arm(TimerId::Timer_Game, 20);
    pump.reaim();
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(2000);
    loop.exec();

    ASSERT_EQ(fired_at.size(), 5u);
    for (size_t i = 0; i < fired_at.size(); ++i)
        EXPECT_GE(fired_at[i], 20 * static_cast<int64_t>(i + 1));  // never early
    EXPECT_GE(elapsed.elapsed(), 100);
    EXPECT_EQ(scheduler.next_due(), 120);
    EXPECT_TRUE(pump.timer().isActive());
    EXPECT_LE(shots, 10);  // at most a wait and a zero-length wait per period
}

}  // namespace
}  // namespace fluffo

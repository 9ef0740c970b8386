#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QThread>
#include <QThreadPool>
#include <filesystem>
#include <iterator>

namespace pelmora::test {

// The raster painter fills large areas on Qt's global pool threads. When the application is
// destroyed it waits for them, but that wait ends before each thread has left the process and
// freed Qt's record of it, so a leak check at exit, a moment later, now and again reports that
// record as lost. Waiting here until only this thread is left makes the check at exit see Qt
// tidy and report only what a test itself lost.
inline void wait_for_pool_threads_to_leave() {
    QThreadPool::globalInstance()->waitForDone();
    const QDeadlineTimer give_up(5000);
    const auto threads = [] {
        const std::filesystem::directory_iterator tasks("/proc/self/task");
        return std::distance(begin(tasks), end(tasks));
    };
    while (threads() > 1 && !give_up.hasExpired()) {
        QThread::msleep(1);
    }
}

}  // namespace pelmora::test

// QTEST_MAIN, ending with the pool threads gone.
#define PELMORA_QT_TEST_MAIN(TestObject)                  \
    int main(int argc, char* argv[]) {                    \
        QTest::Internal::callInitMain<TestObject>();      \
        QApplication app(argc, argv);                     \
        app.setAttribute(Qt::AA_Use96Dpi, true);          \
        TestObject tc;                                    \
        QTEST_SET_MAIN_SOURCE_PATH                        \
        const int result = QTest::qExec(&tc, argc, argv); \
        pelmora::test::wait_for_pool_threads_to_leave();  \
        return result;                                    \
    }

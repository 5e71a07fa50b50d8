#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <malloc.h>

int main(int argc, char** argv) {
    // A memory limit a test sets must refuse every large allocation, whatever ran before: so large blocks
    // are always mapped afresh and given back when freed (rather than kept in the heap for reuse), and
    // all threads share one heap (a worker thread's own heap is reserved ahead and would serve them).
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_ARENA_MAX, 1);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Keep the profile of every test away from the user's own configuration.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

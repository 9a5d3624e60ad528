// A thousand readings on one main window, the way a long session at the table goes: five picks,
// the reading opens, it is closed (Enter, Space or the close box in turn). Nothing may pile up:
// no reading window outlives its reading, the table is clear each time, and memory stays flat.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include <malloc.h>
#include <unistd.h>

#include <QCloseEvent>
#include <QTest>
#include <QWindow>

#include "Cartas.h"
#include "Controls.h"
#include "Fmainform.h"
#include "Modal.h"
#include "PictureBox.h"
#include "Sanitizers.h"


namespace miravane {
namespace {

// AddressSanitizer keeps freed memory in quarantine and has an allocator of its own, and
// ThreadSanitizer an allocator and shadow memory of its own, so under them neither the resident
// size nor the heap figure says anything about leaks (AddressSanitizer finds those itself).
constexpr bool kMemoryFiguresMeanSomething = !testing::kSanitized;

// Resident memory once the allocator has handed back the free memory it keeps for later: each
// reading frees a window buffer of about 1 MiB, which the allocator keeps on some runs and not
// on others, and that is no growth.
long residentBytes() {
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Bytes the program holds on the heap: unlike the resident size, it does not move in steps of
// whole pages or with what the allocator keeps for later, so slow growth shows early.
long heapInUse() { return static_cast<long>(mallinfo2().uordblks); }

std::time_t soakSecond = 0;

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        // A different shuffle every reading, the same ones every run.
        vcartas::reloj = [] { return soakSecond++; };
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    void TearDown() override { vcartas::reloj = realClock; }

    enum class Close { Enter, Space, CloseBox };

    // One reading: five different picks, then the reading is closed the given way. Returns whether
    // the reading opened and was closed by that gesture alone.
    bool oneReading(int n, Close how) {
        const int first = (n * 7) % kNumCartas;
        for (int k = 0; k < 4; ++k) QTest::mouseClick(testing::cardAt(form, (first + 3 * k) % kNumCartas), Qt::LeftButton);
        bool closedByGesture = false;
        auto opened = testing::onNextModal([&](QWidget* modal) {
            auto* reading = qobject_cast<TLecturaForm*>(modal);
            if (!reading) return modal->close(), void();
            // Keys go where a person's would: to the reading once it is the active window.
            if (!QTest::qWaitForWindowActive(reading)) return reading->close(), void();
            switch (how) {
            case Close::Enter: QTest::keyClick(reading->windowHandle(), Qt::Key_Return); break;
            case Close::Space: QTest::keyClick(reading->windowHandle(), Qt::Key_Space); break;
            case Close::CloseBox: {
                // What the window system sends when the title bar's close box is pressed.
                QCloseEvent close;
                QCoreApplication::sendEvent(reading->windowHandle(), &close);
                break;
            }
            }
            closedByGesture = !reading->isVisible();
            if (reading->isVisible()) reading->close();  // so that a failure does not hang the run
        });
        QTest::mouseClick(testing::cardAt(form, (first + 12) % kNumCartas), Qt::LeftButton);
        return *opened && closedByGesture;
    }

    bool tableIsClear() const {
        for (int p = 0; p < kNumCartas; ++p)
            if (!testing::showsUnselectedBack(form, p)) return false;
        return true;
    }

    const vcartas::Reloj realClock = vcartas::reloj;
    TMainForm form;
};

TEST_F(Soak, AThousandReadingsOnOneWindowLeaveNothingBehind) {
    // Under a sanitizer, which makes every reading ten times slower and says nothing of memory
    // figures, fewer readings check the same behaviour in the time a loaded machine gives.
    constexpr int kReadings = kMemoryFiguresMeanSomething ? 1000 : 200, kWarmUp = 10;
    const auto started = std::chrono::steady_clock::now();
    const qsizetype topLevels = QApplication::topLevelWidgets().size();
    long afterWarmUp = 0, heapAfterWarmUp = 0;
    int notClosed = 0, notClear = 0, leftAlive = 0;
    for (int n = 0; n < kReadings; ++n) {
        const Close how = static_cast<Close>(n % 3);
        if (!oneReading(n, how) && ++notClosed <= 3) ADD_FAILURE() << "reading " << n << " did not open or close";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!tableIsClear() && ++notClear <= 3) ADD_FAILURE() << "the table is not clear after reading " << n;
        if (!form.findChildren<TLecturaForm*>().isEmpty() && ++leftAlive <= 3)
            ADD_FAILURE() << "a reading window outlived reading " << n;
        if (n + 1 == kWarmUp) afterWarmUp = residentBytes(), heapAfterWarmUp = heapInUse();
    }
    const long afterAll = residentBytes(), heapAfterAll = heapInUse();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(notClosed, 0);
    EXPECT_EQ(notClear, 0);
    EXPECT_EQ(leftAlive, 0);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), topLevels) << "windows left over";
    if (kMemoryFiguresMeanSomething) {
        EXPECT_LE(afterAll - afterWarmUp, 1L << 20)
            << "resident memory grew from " << afterWarmUp / 1024 << " KiB after " << kWarmUp << " readings to "
            << afterAll / 1024 << " KiB after " << kReadings;
        // The resident size moves in steps, so a steady leak of a kilobyte or so a reading can stay
        // under the limit above by luck; the heap says it plainly.
        EXPECT_LE(heapAfterAll - heapAfterWarmUp, 256L << 10)
            << "heap in use grew by " << (heapAfterAll - heapAfterWarmUp) / 1024 << " KiB over " << kReadings - kWarmUp
            << " readings";
    }
    RecordProperty("seconds", std::to_string(seconds));
    RecordProperty("rss_growth_kib", std::to_string((afterAll - afterWarmUp) / 1024));
    std::printf("%d readings in %.1f s; resident memory %ld KiB after %d, %ld KiB after %d; heap in use %+ld KiB\n",
                kReadings, seconds, afterWarmUp / 1024, kWarmUp, afterAll / 1024, kReadings,
                (heapAfterAll - heapAfterWarmUp) / 1024);
}

}  // namespace
}  // namespace miravane

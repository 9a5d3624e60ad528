// Readings one after another, the way a user gets them: four picks, each seen repainted,
// then the fifth, which opens the reading; "Again" as soon as the reading is on the screen;
// then the table cleared back to 22 backs. For every reading it records how long the fifth
// pick took to show the reading, and how long the table took to be seen clear again; and
// the resident memory after the first readings and after the last.
//   bench_reading [READINGS [SETTLED]]   the readings; times are kept from reading SETTLED on
//   bench_reading 1 1 bare-first         the first reading's floor: four picks, then in place
//                                        of the fifth a bare dialog, in a fresh process
// Under callgrind started with --collect-atstart=no, the first reading and the first one
// after settling are counted from the fifth pick to the reading painted, each dumped on its
// own ("first reading", "later reading"); the later one also on to the table cleared again,
// and the bare dialog after it from its opening to its paint ("bare dialog").
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include "Callgrind.h"
#include "Cartas.h"
#include "Clock.h"
#include "Controls.h"
#include "Fmainform.h"
#include "PaintWatch.h"
#include "PictureBox.h"
#include "Programa.h"

namespace miravane::bench {
namespace {

using Clock = std::chrono::steady_clock;

double millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Each reading shuffles from its own second, so the readings show different cards, and the
// same ones from one run to the next.
std::time_t nextSecond() {
    static std::time_t second = 1'700'000'000;
    return second++;
}

constexpr int kWaitMs = 5000;

class ReadingDriver : public QObject {
public:
    ReadingDriver(TMainForm* form, int readings, int settled, bool bareFirst)
        : form_(form), readings_(readings), settled_(settled), bareFirst_(bareFirst) {
        qApp->installEventFilter(this);
    }

    void run() {
        vcartas::reloj = nextSecond;
        if (bareFirst_) {
            firstBareDialog();
        } else {
            for (int r = 0; r < readings_ && error_.empty(); ++r) {
                reading(r);
                if (error_.empty()) bareDialog(r);
                if (r + 1 == settled_) settledMemory_ = sampleMemory();
            }
        }
        lastMemory_ = sampleMemory();
        report();
        form_->close();
    }

protected:
    // The reading window is made inside the fifth pick; it is caught as it is shown.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* lectura = qobject_cast<TLecturaForm*>(watched)) watchReading(lectura);
        return false;
    }

private:
    void reading(int r) {
        for (int k = 0; k < kNumElegidas - 1; ++k) pick(position(r, k));
        if (!error_.empty()) return;

        PictureBox* fifth = testing::cardAt(*form_, position(r, kNumElegidas - 1));
        readingShown_ = tableCleared_ = false;
        QTest::mousePress(fifth, Qt::LeftButton);
        counted_ = r == 0 ? Counted::First : r == settled_ ? Counted::Later : Counted::No;
        if (counted_ != Counted::No) CALLGRIND_TOGGLE_COLLECT;
        pickReleased_ = Clock::now();
        QTest::mouseRelease(fifth, Qt::LeftButton);  // returns once the reading has closed
        if (!readingShown_) return fail("the reading was not shown");
        if (!waitFor(tableCleared_)) return fail("the table was not repainted with 22 backs");
        if (counted_ == Counted::Later) {
            CALLGRIND_DUMP_STATS_AT("later reading: table cleared");
            CALLGRIND_TOGGLE_COLLECT;
        }
        counted_ = Counted::No;
        tableWatch_.reset();

        if (r == 0) firstOpenMs_ = millis(readingPainted_ - pickReleased_);
        if (r >= settled_) {
            openMs_.push_back(millis(readingPainted_ - pickReleased_));
            clearMs_.push_back(millis(tableRepainted_ - readingClosed_));
        }
    }

    // What the first reading of a run is compared with: the first four picks as for a
    // reading, then a bare dialog opened where the fifth pick would open the reading.
    void firstBareDialog() {
        for (int k = 0; k < kNumElegidas - 1; ++k) pick(position(0, k));
        if (error_.empty()) firstBareOpenMs_ = bareDialog(0);
    }

    // The floor under a reading: a bare dialog of the reading's size, opened modally over the
    // table, closed once painted; then the same 22 cards repainted with nothing changed.
    // Returns how long the dialog took to be painted.
    double bareDialog(int r) {
        QDialog dialog(form_);
        dialog.setFixedSize(622, 420);
        bool painted = false;
        bool repainted = false;
        Clock::time_point opened, shown, closed, cleared;
        QList<QWidget*> cards;
        for (int p = 0; p < kNumCartas; ++p) cards.append(testing::cardAt(*form_, p));
        std::unique_ptr<PaintWatch> table;
        const bool counted = r == settled_ && r > 0 && !bareFirst_;
        PaintWatch watch({&dialog}, [&] {
            shown = Clock::now();
            if (counted) {
                CALLGRIND_DUMP_STATS_AT("bare dialog");
                CALLGRIND_TOGGLE_COLLECT;
            }
            painted = true;
            table = std::make_unique<PaintWatch>(cards, [&] {
                cleared = Clock::now();
                repainted = true;
                wake();
            });
            closed = Clock::now();
            dialog.accept();
        });
        if (counted) CALLGRIND_TOGGLE_COLLECT;
        opened = Clock::now();
        dialog.exec();
        for (QWidget* card : cards) card->update();
        if (!painted || !waitFor(repainted)) {
            fail("the bare dialog was not shown and closed");
            return -1;
        }
        if (r >= settled_) {
            bareOpenMs_.push_back(millis(shown - opened));
            bareClearMs_.push_back(millis(cleared - closed));
        }
        return millis(shown - opened);
    }

    // Picks differ from reading to reading and never repeat within one.
    static int position(int r, int k) { return (r + 4 * k) % kNumCartas; }

    // One of the first four picks, left only once the card is seen turned.
    void pick(int p) {
        PictureBox* card = testing::cardAt(*form_, p);
        const PictureBox* selected = testing::control<PictureBox>(*form_, "ImagenSel");
        bool turned = false;
        PaintWatch watch(
            {card},
            [this, &turned] {
                turned = true;
                wake();
            },
            [selected](QWidget* w) { return static_cast<PictureBox*>(w)->picture().sharesDataWith(selected->picture()); });
        QTest::mouseClick(card, Qt::LeftButton);
        if (!waitFor(turned)) fail("a picked card was not repainted");
    }

    void watchReading(TLecturaForm* lectura) {
        QList<QWidget*> painted{lectura};
        for (int k = 0; k < kNumElegidas; ++k)
            if (PictureBox* face = testing::readingSlot(*lectura, k).picture; inView(face)) painted.append(face);
        auto* watch = new PaintWatch(painted, [this, lectura] {
            readingPainted_ = Clock::now();
            if (counted_ == Counted::First) {
                CALLGRIND_DUMP_STATS_AT("first reading");
                CALLGRIND_TOGGLE_COLLECT;
            } else if (counted_ == Counted::Later) {
                CALLGRIND_DUMP_STATS_AT("later reading");
            }
            readingShown_ = true;
            watchTable();
            readingClosed_ = Clock::now();
            testing::control<QAbstractButton>(*lectura, "BitBtn1")->click();  // "Again"
        });
        watch->setParent(lectura);
    }

    // The slots lie in a scrolled box: the ones scrolled out of sight are not drawn, so the
    // reading is on the screen once those in sight are.
    static bool inView(QWidget* widget) {
        for (QWidget* up = widget->parentWidget(); up; up = up->parentWidget()) {
            if (auto* box = qobject_cast<QAbstractScrollArea*>(up)) {
                QWidget* viewport = box->viewport();
                return QRect(widget->mapTo(viewport, QPoint(0, 0)), widget->size()).intersects(viewport->rect());
            }
        }
        return true;
    }

    // The table counts as clear once every card has been painted showing the unselected back.
    void watchTable() {
        QList<QWidget*> cards;
        for (int p = 0; p < kNumCartas; ++p) cards.append(testing::cardAt(*form_, p));
        const PictureBox* back = testing::control<PictureBox>(*form_, "ImagenNoSel");
        tableWatch_ = std::make_unique<PaintWatch>(
            cards,
            [this] {
                tableRepainted_ = Clock::now();
                tableCleared_ = true;
                wake();
            },
            [back](QWidget* w) { return static_cast<PictureBox*>(w)->picture().sharesDataWith(back->picture()); });
    }

    void wake() {
        if (loop_) loop_->quit();
    }

    bool waitFor(const bool& flag) {
        if (flag) return true;
        QEventLoop loop;
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        timeout.start(kWaitMs);
        loop_ = &loop;
        if (!flag) loop.exec();
        loop_ = nullptr;
        return flag;
    }

    struct Memory {
        long residentKiB = -1;
        // After the allocator hands back the free memory it keeps for later (each reading
        // frees a 1 MiB window buffer, which it sometimes keeps): what the program holds.
        long heldKiB = -1;
        // Heap in use: tells a leak from fragmentation.
        long heapKiB = -1;
    };

    static Memory sampleMemory() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Memory memory;
        memory.residentKiB = procStatusKiB("VmRSS");
        malloc_trim(0);
        memory.heldKiB = procStatusKiB("VmRSS");
        memory.heapKiB = static_cast<long>(mallinfo2().uordblks / 1024);
        return memory;
    }

    void fail(const std::string& why) {
        if (error_.empty()) error_ = why;
    }

    void report() const {
        if (!error_.empty()) std::printf("error=%s\n", error_.c_str());
        std::printf("readings=%d\n", readings_);
        std::printf("settled=%d\n", settled_);
        std::printf("rss_settled_kib=%ld\nrss_last_kib=%ld\n", settledMemory_.residentKiB, lastMemory_.residentKiB);
        std::printf("held_settled_kib=%ld\nheld_last_kib=%ld\n", settledMemory_.heldKiB, lastMemory_.heldKiB);
        std::printf("heap_settled_kib=%ld\nheap_last_kib=%ld\n", settledMemory_.heapKiB, lastMemory_.heapKiB);
        const auto list = [](const char* name, const std::vector<double>& values) {
            std::printf("%s=", name);
            for (std::size_t i = 0; i < values.size(); ++i) std::printf(i ? ",%.4f" : "%.4f", values[i]);
            std::printf("\n");
        };
        if (firstOpenMs_ >= 0) std::printf("first_open_ms=%.4f\n", firstOpenMs_);
        if (firstBareOpenMs_ >= 0) std::printf("first_bare_open_ms=%.4f\n", firstBareOpenMs_);
        list("open_ms", openMs_);
        list("clear_ms", clearMs_);
        list("bare_open_ms", bareOpenMs_);
        list("bare_clear_ms", bareClearMs_);
        std::fflush(stdout);
    }

    // Which reading callgrind counts, if any.
    enum class Counted { No, First, Later };

    TMainForm* form_;
    const int readings_;
    const int settled_;
    const bool bareFirst_;
    Counted counted_ = Counted::No;
    double firstOpenMs_ = -1;
    double firstBareOpenMs_ = -1;
    QEventLoop* loop_ = nullptr;
    std::unique_ptr<PaintWatch> tableWatch_;
    bool readingShown_ = false;
    bool tableCleared_ = false;
    Clock::time_point pickReleased_, readingPainted_, readingClosed_, tableRepainted_;
    std::vector<double> openMs_, clearMs_, bareOpenMs_, bareClearMs_;
    Memory settledMemory_, lastMemory_;
    std::string error_;
};

}  // namespace
}  // namespace miravane::bench

int main(int argc, char** argv) {
    using namespace miravane;
    // Readings in all, and after how many the program counts as settled: memory is compared
    // against that point, and times are kept only from then on.
    const int readings = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int settled = argc > 2 ? std::atoi(argv[2]) : 10;
    const bool bareFirst = argc > 3 && std::string(argv[3]) == "bare-first";
    return runProgram(argv[0], [readings, settled, bareFirst]() -> std::unique_ptr<QWidget> {
        auto form = std::make_unique<TMainForm>();
        auto* driver = new bench::ReadingDriver(form.get(), readings, settled, bareFirst);
        driver->setParent(form.get());
        QList<QWidget*> painted{form.get()};
        for (int p = 0; p < kNumCartas; ++p) painted.append(testing::cardAt(*form, p));
        // The readings start from a table the user has seen.
        auto* shown = new bench::PaintWatch(painted, [driver] { driver->run(); });
        shown->setParent(form.get());
        return form;
    });
}

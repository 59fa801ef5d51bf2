// Measures the statements of an export on the book named by TALLYVALE_BOOK (for
// example one written by tools/bench/make_large_book.py): the time of a whole-year
// collection and of writing the report from it, without progress display, the number
// of items and the peak memory.
//
//   TALLYVALE_BOOK=large-book.json collect_bench [repetitions] [output.xml]

#include <malloc.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

#include "collect/ClKessanshoData.h"
#include "report/ClReportWriter.h"
#include "tools/bench/BenchCompany.h"

namespace {

// <chrono> cannot be compiled into Shift_JIS literals ("µs"): the clock comes from POSIX.
double NowMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return 1000.0 * static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e6;
}

// Heap bytes in use now (glibc).
size_t HeapInUse() { return mallinfo2().uordblks; }

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Collected {
    double milliseconds;
    int items;
};

// Collects into `items`, which the caller empties.
Collected CollectOnce(int sumSetFlag, const StFINDINFO& find, const StDATAINFO& data,
                      AccountItemList& items) {
    ClKessanshoData collector;
    collector.accountItemList = &items;
    const double start = NowMilliseconds();
    const int result = collector.CollectAccounts(sumSetFlag, &find, &data);
    const double end = NowMilliseconds();
    if (result != ClKessanshoData::kOk) std::fprintf(stderr, "collection ended early\n");
    return {end - start, items.GetCount()};
}

// Writes the whole report from `items`; the time in milliseconds.
double WriteOnce(const char* path, const StDATAINFO& data, AccountItemList& items) {
    LedgerLineList ledgerLines;
    ClReportWriter writer;
    writer.accountItems = &items;
    writer.ledgerLines = &ledgerLines;
    writer.equityChoice = 1;
    const double start = NowMilliseconds();
    if (writer.Write(path, 3, data) != 1) std::fprintf(stderr, "writing %s failed\n", path);
    return NowMilliseconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 5;
    const char* output = argc > 2 ? argv[2] : "/tmp/collect_bench.xml";
    const double loadStart = NowMilliseconds();
    BenchSession session;
    if (!session.loaded()) return 1;
    const double loadMs = NowMilliseconds() - loadStart;
    const long loadedKb = PeakKilobytes();
    const WholeYear year = SelectedCompanyWholeYear();

    double best = 0;
    double bestWrite = 0;
    int items = 0;
    size_t heldBytes = 0;
    for (int i = 0; i < repetitions; ++i) {
        AccountItemList list;
        const size_t before = HeapInUse();
        const Collected collected = CollectOnce(year.sumSetFlag, year.find, year.data, list);
        const size_t after = HeapInUse();
        heldBytes = after > before ? after - before : 0;
        const double written = WriteOnce(output, year.data, list);
        DeleteAll(list);
        if (i == 0 || collected.milliseconds < best) best = collected.milliseconds;
        if (i == 0 || written < bestWrite) bestWrite = written;
        items = collected.items;
    }
    std::printf("book loaded in %.1f ms, peak memory %ld KB\n", loadMs, loadedKb);
    std::printf("collection of the whole year: %d items, best of %d: %.2f ms (%.3f us per item)\n",
                items, repetitions, best, items ? 1000.0 * best / items : 0.0);
    std::printf("writing the report from them, best of %d: %.2f ms (%.3f us per item)\n",
                repetitions, bestWrite, items ? 1000.0 * bestWrite / items : 0.0);
    std::printf("heap held by the items of one collection: %zu KB; peak memory: %ld KB\n",
                heldBytes / 1024, PeakKilobytes());
    return 0;
}

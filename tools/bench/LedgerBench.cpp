// Measures a whole export with the general-ledger option on the book named by
// TALLYVALE_BOOK (for example one written by make_large_book.py --ledger-lines): the
// collection and the report writing as the run controller drives them, once with the
// progress dialog shown and once with no progress display, with their wall times, the
// process's memory, the ledger rows collected and the size of the file written.
//
//   TALLYVALE_BOOK=book.json wine ledger_bench.exe <output.xml> [repetitions]

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "collect/ClKessanshoData.h"
#include "collect/StatementData.h"
#include "report/ClReportWriter.h"
#include "tools/bench/BenchCompany.h"
#include "tools/bench/WinMeasure.h"
#include "ui/ClProgressDlg.h"
#include "util/Edition.h"

namespace {

constexpr int16_t kFunctionId = 3;
constexpr int16_t kShareholdersEquity = 1;
constexpr double kMegabyte = 1024.0 * 1024.0;

// The statement data of one run, freed with it as the application frees its own.
struct StatementLists {
    AccountItemList accountItems;
    LedgerLineList ledgerLines;
    StatementLists() = default;
    StatementLists(const StatementLists&) = delete;
    StatementLists& operator=(const StatementLists&) = delete;
    ~StatementLists() {
        DeleteAll(accountItems);
        DeleteAll(ledgerLines);
    }
};

struct ExportFigures {
    double collectMs = 0;
    double writeMs = 0;
    int accountItems = 0;
    int ledgerRows = 0;
    bool written = false;
    bool amountOverflow = false;
    uint64_t outputBytes = 0;
    ProcessMemory memory;  // when the run's data was still held

    double TotalMs() const { return collectMs + writeMs; }
};

// Keeps in `best` the faster of it and the `repetition`-th run.
void KeepFaster(ExportFigures& best, const ExportFigures& run, int repetition) {
    if (repetition == 0 || run.TotalMs() < best.TotalMs()) best = run;
}

uint64_t FileBytes(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &attributes)) return 0;
    return (uint64_t(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
}

// Collects and writes as the run controller does; `progress` null shows nothing. The
// writer gets no owner window, so its warnings never stop the run with a message box.
ExportFigures ExportOnce(const WholeYear& year, const char* path, ClProgressDlg* progress) {
    StatementLists lists;
    ClKessanshoData collector;
    collector.progressDlg = progress;
    collector.accountItemList = &lists.accountItems;
    collector.ledgerLineList = &lists.ledgerLines;
    collector.ledgerOption = 1;
    ClReportWriter writer;
    writer.progressDlg = progress;
    writer.accountItems = &lists.accountItems;
    writer.ledgerLines = &lists.ledgerLines;
    writer.equityChoice = kShareholdersEquity;
    writer.productName = Edition(EditionId::Basic).productName;

    ExportFigures figures;
    const double start = NowMilliseconds();
    collector.CollectAccounts(year.sumSetFlag, &year.find, &year.data);
    const double collected = NowMilliseconds();
    writer.progressBase = static_cast<uint16_t>(collector.progressPos);
    figures.written = writer.Write(path, kFunctionId, year.data) == 1;
    if (progress) progress->Flush();
    const double end = NowMilliseconds();

    figures.collectMs = collected - start;
    figures.writeMs = end - collected;
    figures.accountItems = lists.accountItems.GetCount();
    figures.ledgerRows = lists.ledgerLines.GetCount();
    figures.amountOverflow = collector.amountOverflow;
    figures.outputBytes = FileBytes(path);
    figures.memory = ProcessMemoryNow();
    return figures;
}

// The run with the progress dialog created, shown and started as the run controller
// does it, and ended after writing.
ExportFigures ExportShown(const WholeYear& year, const char* path) {
    ClProgressDlg progress;
    progress.Create(ClProgressDlg::kTemplateId);
    progress.ShowWindow(SW_SHOW);
    progress.Start();
    const ExportFigures figures = ExportOnce(year, path, &progress);
    progress.EndDialog(1);
    return figures;
}

void PrintMemory(const char* when, const ProcessMemory& memory) {
    std::printf(
        "  memory %-22s working set %7.1f MB (peak %7.1f MB), private %7.1f MB (peak %7.1f MB)\n",
        when, memory.workingSet / kMegabyte, memory.peakWorkingSet / kMegabyte,
        memory.pagefile / kMegabyte, memory.peakPagefile / kMegabyte);
}

void PrintRun(const char* name, const ExportFigures& figures) {
    std::printf("%s:\n", name);
    std::printf("  collection %10.1f ms   writing %10.1f ms   total %10.1f ms\n", figures.collectMs,
                figures.writeMs, figures.TotalMs());
    std::printf("  %d account items, %d ledger rows; output %.1f MB (%llu bytes)%s\n",
                figures.accountItems, figures.ledgerRows, figures.outputBytes / kMegabyte,
                static_cast<unsigned long long>(figures.outputBytes),
                figures.written ? "" : "  WRITING FAILED");
    if (figures.amountOverflow)
        std::printf("  amounts too large: the run controller would write nothing\n");
    PrintMemory("with the data held:", figures.memory);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ledger_bench <output.xml> [repetitions]\n");
        return 2;
    }
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    const double loadStart = NowMilliseconds();
    BenchSession session;
    if (!session.loaded()) return 1;
    std::printf("book loaded in %.1f ms\n", NowMilliseconds() - loadStart);
    PrintMemory("after loading:", ProcessMemoryNow());
    const WholeYear year = SelectedCompanyWholeYear();

    // The two kinds of run take turns, so that a slow spell of the machine does not
    // fall on one kind only.
    ExportFigures shown, silent;
    for (int i = 0; i < repetitions; ++i) {
        KeepFaster(shown, ExportShown(year, argv[1]), i);
        KeepFaster(silent, ExportOnce(year, argv[1], nullptr), i);
    }
    std::printf("best of %d:\n", repetitions);
    PrintRun("progress dialog shown", shown);
    PrintRun("no progress display", silent);
    std::printf(
        "progress display: %.2f x the time without it (collection %.2f x, writing %.2f x)\n",
        shown.TotalMs() / silent.TotalMs(), shown.collectMs / silent.collectMs,
        shown.writeMs / silent.writeMs);
    return shown.written && silent.written ? 0 : 1;
}

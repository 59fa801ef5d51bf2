// Measures what the progress display costs an export: the report is written three
// times from the book named by TALLYVALE_BOOK, with the progress dialog refreshed on
// every move, refreshed at most once per interval, and not shown at all.
//
//   wine progress_bench.exe <output.xml> [repetitions]

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "collect/StatementData.h"
#include "platform/bookkit.h"
#include "platform/bridgekit.h"
#include "platform/sharekit.h"
#include "report/ClReportWriter.h"
#include "ui/ClProgressDlg.h"
#include "util/Edition.h"

namespace {

struct Mode {
    const char* name;
    bool shown;
    uint32_t refreshIntervalMs;
};

constexpr Mode kModes[] = {
    {"every move refreshed", true, 0},
    {"refresh at most every 15 ms", true, ClProgressDlg::kRefreshIntervalMs},
    {"no progress window", false, 0},
};

double WriteOnce(const Mode& mode, const char* path, const StDATAINFO& data) {
    ClProgressDlg progress(nullptr, mode.refreshIntervalMs);
    if (mode.shown) {
        progress.Create(ClProgressDlg::kTemplateId);
        progress.ShowWindow(SW_SHOW);
    }
    AccountItemList accountItems;
    LedgerLineList ledgerLines;
    ClReportWriter writer;
    writer.progressDlg = &progress;
    writer.accountItems = &accountItems;
    writer.ledgerLines = &ledgerLines;
    writer.productName = Edition(EditionId::Basic).productName;

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    progress.Start();
    const int written = writer.Write(path, 3, data);
    progress.Flush();
    QueryPerformanceCounter(&end);
    if (mode.shown) progress.EndDialog(1);
    if (written != 1) std::fprintf(stderr, "writing %s failed\n", path);
    return 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: progress_bench <output.xml> [repetitions]\n");
        return 2;
    }
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 3;
    ClAccConnect* connect = ClAccConnect::Inst();
    if (connect->Initiate() != 0) return 1;
    auto* dataSet = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, 1));
    const StDATAINFO data = *dataSet->GetSelectedInfo();

    double noProgress = 0;
    for (const Mode& mode : kModes) {
        double best = 0;
        for (int i = 0; i < repetitions; ++i) {
            const double ms = WriteOnce(mode, argv[1], data);
            if (i == 0 || ms < best) best = ms;
        }
        if (!mode.shown) noProgress = best;
        std::printf("%-30s %9.1f ms (best of %d)\n", mode.name, best, repetitions);
    }
    std::printf("no-progress time: %.1f ms\n", noProgress);
    connect->LogOut();
    connect->Terminate();
    connect->Release();
    return 0;
}

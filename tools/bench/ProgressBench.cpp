// Measures what the progress display costs an export: the report is written from the
// book named by TALLYVALE_BOOK without progress display, with the progress dialog
// refreshed at most once per interval, and refreshed on every move.
//
//   wine progress_bench.exe <output.xml> [repetitions] [modes]

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "collect/StatementData.h"
#include "report/ClReportWriter.h"
#include "tools/bench/BenchCompany.h"
#include "tools/bench/WinMeasure.h"
#include "ui/ClProgressDlg.h"
#include "util/Edition.h"

namespace {

struct Mode {
    const char* name;
    bool shown;
    uint32_t refreshIntervalMs;
};

constexpr Mode kModes[] = {
    {"no progress display", false, 0},
    {"refresh at most every 15 ms", true, ClProgressDlg::kRefreshIntervalMs},
    {"every move refreshed", true, 0},
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
    writer.progressDlg = mode.shown ? &progress : nullptr;
    writer.accountItems = &accountItems;
    writer.ledgerLines = &ledgerLines;
    writer.productName = Edition(EditionId::Basic).productName;

    const double start = NowMilliseconds();
    if (mode.shown) progress.Start();
    const int written = writer.Write(path, 3, data);
    if (mode.shown) progress.Flush();
    const double end = NowMilliseconds();
    if (mode.shown) progress.EndDialog(1);
    if (written != 1) std::fprintf(stderr, "writing %s failed\n", path);
    return end - start;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: progress_bench <output.xml> [repetitions]\n");
        return 2;
    }
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 3;
    // The every-move mode takes minutes under Wine; a third argument limits the modes.
    const int modes = argc > 3 ? std::atoi(argv[3]) : 3;
    BenchSession session;
    if (!session.loaded()) return 1;
    const StDATAINFO data = SelectedCompanyWholeYear().data;

    double noProgress = 0;  // the first mode
    for (int m = 0; m < modes && m < 3; ++m) {
        const Mode& mode = kModes[m];
        double best = 0;
        for (int i = 0; i < repetitions; ++i) {
            const double ms = WriteOnce(mode, argv[1], data);
            if (i == 0 || ms < best) best = ms;
        }
        if (m == 0) noProgress = best;
        std::printf("%-30s %9.1f ms (best of %d), %.2f x no progress\n", mode.name, best,
                    repetitions, best / noProgress);
    }
    return 0;
}

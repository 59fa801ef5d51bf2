#pragma once
// What every benchmark starts from: the book named by TALLYVALE_BOOK loaded through
// the accounting-library stand-in, and the selected company with the search conditions
// of its whole fiscal year.

#include <cstring>

#include "collect/SearchConditions.h"
#include "platform/Records.h"
#include "platform/Status.h"
#include "platform/bookkit.h"
#include "platform/bridgekit.h"
#include "platform/sharekit.h"

// The connection to the stand-in, closed again as the run controller closes it.
class BenchSession {
  public:
    BenchSession() : loaded_(ClAccConnect::Inst()->Initiate() == kLibOk) {}
    ~BenchSession() {
        ClAccConnect* connect = ClAccConnect::Inst();
        connect->LogOut();
        connect->Terminate();
        connect->Release();
    }
    BenchSession(const BenchSession&) = delete;
    BenchSession& operator=(const BenchSession&) = delete;

    // False when the book could not be loaded (the stand-in has said why).
    bool loaded() const { return loaded_; }

  private:
    bool loaded_;
};

// The selected company and the conditions of an export of its whole fiscal year.
struct WholeYear {
    StDATAINFO data;
    StSHOHIZEIINFO tax;
    StFINDINFO find;
    int sumSetFlag;
};

inline WholeYear SelectedCompanyWholeYear() {
    WholeYear year;
    auto* dataSet = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, 1));
    year.data = *dataSet->GetSelectedInfo();
    std::memset(&year.tax, 0, sizeof year.tax);
    ReadShohizeiInfo(&year.tax, &year.data);
    std::memset(&year.find, 0, sizeof year.find);
    BuildFindInfo(&year.find, &year.data, year.data.periodStart / 100 % 100,
                  year.data.periodEnd / 100 % 100);
    year.sumSetFlag = SumSetFlag(year.tax);
    return year;
}

#pragma once
// Era dates: finds the era of a yyyymmdd date in the accounting product's era table
// and writes the date as era text for the general-ledger lines.

#include <cstdint>

#include "framework/CString.h"
#include "platform/Records.h"

class ClCmnProcHpr {
  public:
    ClCmnProcHpr() = default;
    ClCmnProcHpr(const ClCmnProcHpr&) = delete;
    ClCmnProcHpr& operator=(const ClCmnProcHpr&) = delete;
    virtual ~ClCmnProcHpr() = default;

    // 0 and the era that contains `date` (with the year within the era when `yearInEra`
    // is given); -1 when no era does.
    int FindGengo(int32_t date, StGENGOINFO* era, int32_t* yearInEra = nullptr);
    // The date as era name, year, month and day ("...年...月...日"); empty when no era
    // contains it.
    CString FormatDate(int32_t date);
};

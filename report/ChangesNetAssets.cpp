// The statement of changes in net assets: twelve fixed equity items, each the sum of
// its accounts' opening, change and closing amounts in whole yen.

#include <string>
#include <vector>

#include "report/ClReportWriter.h"
#include "report/ClXmlWriter.h"
#include "report/CleanName.h"
#include "report/SectionTrees.h"

namespace {

constexpr int kFail = 0;

// 別途積立金, spelled as Shift_JIS bytes: the name rule depends on them in every build.
constexpr std::string_view kNamedReserve = "\x95\xCA\x93\x72\x90\xCF\x97\xA7\x8B\xE0";

enum class EquityRule : uint8_t {
    All,               // every account of the codes
    NamedReserve,      // only accounts whose label contains 別途積立金
    OtherReserve,      // only accounts whose label does not
    RetainedEarnings,  // every account, and the period's net income as a change
};

// Unused code slots hold kNoCode; no account is classified 0 in net assets.
constexpr uint32_t kNoCode = 0;

struct EquityItem {
    const char* accountList;
    uint32_t codes[3];
    EquityRule rule = EquityRule::All;
};

constexpr EquityItem kEquityItems[] = {
    {"資本金", {0x80288000, 0x80288040, 0x80288020}},
    {"資本準備金", {0x80282080}},
    {"その他資本剰余金", {0x80282040}},
    {"利益準備金", {0x80281080}},
    {"別途積立金", {0x80281040}, EquityRule::NamedReserve},
    {"任意積立金", {0x80281040}, EquityRule::OtherReserve},
    {"繰越利益剰余金", {0x80281048}, EquityRule::RetainedEarnings},
    {"自己株式", {0x80280800}},
    {"その他有価証券評価差額金", {0x80248000}},
    {"繰延ヘッジ損益", {0x80244000}},
    {"土地再評価差額金", {0x80242000}},
    {"新株予約権", {0x80220000}},
};

constexpr char kNetIncomeReason[] = "当期純利益";

using accounts::WholeYen;

bool PassesNameRule(const StKESSANITEMINFO& account, EquityRule rule) {
    if (rule != EquityRule::NamedReserve && rule != EquityRule::OtherReserve) return true;
    const bool named =
        label::ContainsText(label::Clean(label::FieldText(account.formalName)), kNamedReserve);
    return named == (rule == EquityRule::NamedReserve);
}

// Whole-yen sums, one truncated quotient per account.
struct EquitySums {
    int64_t previous = 0;
    int64_t change = 0;
    int64_t current = 0;

    void Add(const StKESSANITEMINFO& account) {
        previous += WholeYen(account.openingAmount);
        change += WholeYen(account.changeAmount);
        current += WholeYen(account.closingAmount);
    }
    bool IsZero() const { return previous == 0 && change == 0 && current == 0; }
};

}  // namespace

int ClReportWriter::WriteChangesNetAssets(ClXmlWriter& xml) {
    const CString select = std::to_string(equityChoice);
    const XmlLine opening[] = {
        {LineKind::StartTag, 2, "StatementChangesNetAssets"},
        {LineKind::Element, 3, "Select", select},
    };
    if (!WriteLines(xml, opening)) return kFail;

    for (const EquityItem& item : kEquityItems) {
        EquitySums sums;
        for (uint32_t code : item.codes) {
            if (code == kNoCode) break;
            for (const StKESSANITEMINFO* account : SelectAccountsExact(code)) {
                if (PassesNameRule(*account, item.rule)) sums.Add(*account);
            }
        }
        if (sums.IsZero()) continue;

        int64_t netIncome = 0;
        if (item.rule == EquityRule::RetainedEarnings) {
            const StKESSANITEMINFO* netIncomeAccount = FindAccount(kNetIncomeCode);
            if (!netIncomeAccount) return kFail;
            netIncome = WholeYen(netIncomeAccount->changeAmount);
        }

        const CString previous = std::to_string(sums.previous);
        const CString change = std::to_string(sums.change);
        const CString current = std::to_string(sums.current);
        const CString netIncomeText = std::to_string(netIncome);
        std::vector<XmlLine> lines = {
            {LineKind::StartTag, 3, "ChangesNetAssetsItem"},
            {LineKind::Element, 4, "AccountList", item.accountList},
        };
        if (sums.previous != 0) {
            lines.push_back({LineKind::Element, 4, "BalanceEndPreviousPeriod", previous});
        }
        if (sums.change != 0 || netIncome != 0) {
            lines.push_back({LineKind::StartTag, 4, "ChangesItemsDuringPeriod"});
            lines.push_back({LineKind::Element, 5, "TotalChangesItemsDuringPeriod", change});
            if (netIncome != 0) {
                lines.push_back({LineKind::StartTag, 5, "ChangesItem"});
                lines.push_back({LineKind::Element, 6, "Reason", kNetIncomeReason});
                lines.push_back({LineKind::Element, 6, "Amount", netIncomeText});
                lines.push_back({LineKind::EndTag, 5, "ChangesItem"});
            }
            lines.push_back({LineKind::EndTag, 4, "ChangesItemsDuringPeriod"});
        }
        if (sums.current != 0) {
            lines.push_back({LineKind::Element, 4, "BalanceEndCurrentPeriod", current});
        }
        lines.push_back({LineKind::EndTag, 3, "ChangesNetAssetsItem"});
        if (!WriteLines(xml, lines)) return kFail;
    }
    return xml.WriteEndTag("StatementChangesNetAssets", 2);
}

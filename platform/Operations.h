#pragma once
// The operations of the accounting libraries that a book can fault, by name.

#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

namespace book {

enum class Op {
    SysUserGetCurUserID,
    SysUserGetSelectedNo,
    SetDataGetDatCursor,
    SetDataReadyDat,
    SetDataWalkDat,
    SetDataReleaseDatCursor,
    SetDataGetSelectedInfo,
    SetDataGetAccPeriod,
    UtyDBHprMakeIDStr,
    AccPeriodSetPeriod,
    AccPeriodGetClosingDayByEndDate,
    AccPeriodSetClosingDay,
    AccPeriodGetAMonthByDate,
    AccPeriodGetPeriodByMonthKind,
    SetBaseAttachSetMgr,
    SetBaseSetCurDataID,
    SetShohizeiGet,
    RuleKamokuCreate,
    RuleKamokuMoveReady,
    RuleKamokuGetSumCount,
    RuleKamokuSetMovePos,
    RuleKamokuMoveNext,
    RuleKamokuMoveFinish,
    RuleMotochoCreate,
    RuleMotochoMoveReady,
    RuleMotochoGetCount,
    RuleMotochoSetMovePos,
    RuleMotochoMoveFirst,
    RuleMotochoMoveNext,
    RuleMotochoMoveFinish,
    RuleShiwakeCreate,
    RuleShiwakeMoveReady,
    RuleShiwakeGetSwkCount,
    RuleShiwakeMoveFirst,
    RuleShiwakeMoveNext,
    SetKamokuGetCursor,
    SetKamokuReadyCursor,
    SetKamokuWalkFind,
    SetKamokuReleaseCursor,
    SaveKessanshoCreate,
    SaveKessanshoGetDataType02,
    SetGengoGetCursor,
    SetGengoReady,
    SetGengoWalk,
    SetGengoReleaseCursor,
    AccConnectSetAppType,
    AccConnectSetUseDataType,
    AccConnectInitiate,
    AccConnectExpSysLink,
    AccConnectDispMsg,
    AccConnectLogOut,
    AccConnectTerminate,
    AccConnectRelease,
    MsgMgrCheckFatalErrorWithMsg,
    MsgMgrSetLastError,
    FileMgrGetAppFolderPath,
    Count
};

struct OpName {
    Op op;
    std::string_view name;
};

// In the order of Op.
inline constexpr OpName kOpNames[] = {
    {Op::SysUserGetCurUserID, "ClSysUser::GetCurUserID"},
    {Op::SysUserGetSelectedNo, "ClSysUser::GetSelectedNo"},
    {Op::SetDataGetDatCursor, "ClSetData::GetDatCursor"},
    {Op::SetDataReadyDat, "ClSetData::ReadyDat"},
    {Op::SetDataWalkDat, "ClSetData::WalkDat"},
    {Op::SetDataReleaseDatCursor, "ClSetData::ReleaseDatCursor"},
    {Op::SetDataGetSelectedInfo, "ClSetData::GetSelectedInfo"},
    {Op::SetDataGetAccPeriod, "ClSetData::GetAccPeriod"},
    {Op::UtyDBHprMakeIDStr, "ClUtyDBHpr::MakeIDStr"},
    {Op::AccPeriodSetPeriod, "ClAccPeriod::SetPeriod"},
    {Op::AccPeriodGetClosingDayByEndDate, "ClAccPeriod::GetClosingDayByEndDate"},
    {Op::AccPeriodSetClosingDay, "ClAccPeriod::SetClosingDay"},
    {Op::AccPeriodGetAMonthByDate, "ClAccPeriod::GetAMonthByDate"},
    {Op::AccPeriodGetPeriodByMonthKind, "ClAccPeriod::GetPeriodByMonthKind"},
    {Op::SetBaseAttachSetMgr, "ClSetBase::AttachSetMgr"},
    {Op::SetBaseSetCurDataID, "ClSetBase::SetCurDataID"},
    {Op::SetShohizeiGet, "ClSetShohizei::Get"},
    {Op::RuleKamokuCreate, "ClRuleKamoku::create"},
    {Op::RuleKamokuMoveReady, "ClRuleKamoku::MoveReady"},
    {Op::RuleKamokuGetSumCount, "ClRuleKamoku::GetSumCount"},
    {Op::RuleKamokuSetMovePos, "ClRuleKamoku::SetMovePos"},
    {Op::RuleKamokuMoveNext, "ClRuleKamoku::MoveNext"},
    {Op::RuleKamokuMoveFinish, "ClRuleKamoku::MoveFinish"},
    {Op::RuleMotochoCreate, "ClRuleMotocho::create"},
    {Op::RuleMotochoMoveReady, "ClRuleMotocho::MoveReady"},
    {Op::RuleMotochoGetCount, "ClRuleMotocho::GetCount"},
    {Op::RuleMotochoSetMovePos, "ClRuleMotocho::SetMovePos"},
    {Op::RuleMotochoMoveFirst, "ClRuleMotocho::MoveFirst"},
    {Op::RuleMotochoMoveNext, "ClRuleMotocho::MoveNext"},
    {Op::RuleMotochoMoveFinish, "ClRuleMotocho::MoveFinish"},
    {Op::RuleShiwakeCreate, "ClRuleShiwake::create"},
    {Op::RuleShiwakeMoveReady, "ClRuleShiwake::MoveReady"},
    {Op::RuleShiwakeGetSwkCount, "ClRuleShiwake::GetSwkCount"},
    {Op::RuleShiwakeMoveFirst, "ClRuleShiwake::MoveFirst"},
    {Op::RuleShiwakeMoveNext, "ClRuleShiwake::MoveNext"},
    {Op::SetKamokuGetCursor, "ClSetKamoku::GetCursor"},
    {Op::SetKamokuReadyCursor, "ClSetKamoku::ReadyCursor"},
    {Op::SetKamokuWalkFind, "ClSetKamoku::WalkFind"},
    {Op::SetKamokuReleaseCursor, "ClSetKamoku::ReleaseCursor"},
    {Op::SaveKessanshoCreate, "ClSaveKessansho::create"},
    {Op::SaveKessanshoGetDataType02, "ClSaveKessansho::GetDataType02"},
    {Op::SetGengoGetCursor, "ClSetGengo::GetCursor"},
    {Op::SetGengoReady, "ClSetGengo::Ready"},
    {Op::SetGengoWalk, "ClSetGengo::Walk"},
    {Op::SetGengoReleaseCursor, "ClSetGengo::ReleaseCursor"},
    {Op::AccConnectSetAppType, "ClAccConnect::SetAppType"},
    {Op::AccConnectSetUseDataType, "ClAccConnect::SetUseDataType"},
    {Op::AccConnectInitiate, "ClAccConnect::Initiate"},
    {Op::AccConnectExpSysLink, "ClAccConnect::ExpSysLink"},
    {Op::AccConnectDispMsg, "ClAccConnect::DispMsg"},
    {Op::AccConnectLogOut, "ClAccConnect::LogOut"},
    {Op::AccConnectTerminate, "ClAccConnect::Terminate"},
    {Op::AccConnectRelease, "ClAccConnect::Release"},
    {Op::MsgMgrCheckFatalErrorWithMsg, "ClMsgMgr::CheckFatalErrorWithMsg"},
    {Op::MsgMgrSetLastError, "ClMsgMgr::SetLastError"},
    {Op::FileMgrGetAppFolderPath, "ClFileMgr::GetAppFolderPath"},
};
static_assert(std::size(kOpNames) == static_cast<size_t>(Op::Count));

constexpr bool OpNamesInOrder() {
    for (size_t i = 0; i < std::size(kOpNames); ++i)
        if (kOpNames[i].op != static_cast<Op>(i)) return false;
    return true;
}
static_assert(OpNamesInOrder());

std::optional<Op> OpByName(std::string_view name);

// Counts the call and answers the status the book injects for it, if any.
std::optional<int> TakeFault(Op op);

}  // namespace book

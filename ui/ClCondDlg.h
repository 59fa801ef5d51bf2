#pragma once
// The conditions dialog (template 130): the user confirms the company and period and
// chooses the months, the equity statement, the ledger option and the output file.
// Ends with kIdExecute after every check passed, or kIdCancel.

#include <cstdint>
#include <string>

#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/Controls.h"
#include "util/Edition.h"

class ClCondDlg : public CDialog {
  public:
    static constexpr UINT kTemplateId = 130;
    static constexpr int kIdExecute = 1002;
    static constexpr int kIdCancel = 1003;
    static constexpr int16_t kShareholdersEquity = 1;
    static constexpr int16_t kMembersEquity = 2;

    explicit ClCondDlg(CWnd* parent = nullptr);

    // Capacity of the path buffer that LoadSettings fills.
    static constexpr int kSettingsPathSize = 261;

    BOOL OnInitDialog() override;
    void OnExecute();
    void OnBrowse();
    void OnCancel() override;
    // Enter on a control without a role of its own (a radio button, the check box) must
    // not end the dialog unchecked: the platform's OK does nothing here.
    void OnOK() override {}
    // Enter and F12 as the keyboard table of the dialog says.
    BOOL PreTranslateMessage(MSG* message) override;
    // Enter on the months and the output path moves on to the next field.
    void FocusEndMonth();
    void FocusAfterEndMonth();
    void FocusAfterOutputPath();

    // The remembered conditions of this user and company data. LoadSettings: 1 when a
    // record was found (`path` gets at most kSettingsPathSize - 1 bytes), else 0 with
    // the outputs untouched. SaveSettings: 1 when the record was written; without a
    // path the record keeps `savedPath`.
    int LoadSettings(int16_t* startMonth, int16_t* endMonth, int16_t* choice, int32_t* ledger,
                     char* path);
    int SaveSettings(int16_t startMonth, int16_t endMonth, int16_t choice, int32_t ledger,
                     const char* path = nullptr);

    // The edition whose settings file and key format are used; none: no settings.
    const EditionInfo* edition = nullptr;

    // Inputs set by the run controller before the modal run.
    CString periodText;
    CString companyText;
    int16_t startOfUseMonth = 0;
    int32_t selectionNo1 = 0;
    int32_t selectionNo2 = 0;
    CString dataIdText;
    int32_t periodStart = 0;
    int32_t periodEnd = 0;
    int32_t pastResults = 0;
    int16_t companyLaw = 0;
    CString callerPath;
    CString userId;

    // Results read by the run controller after kIdExecute.
    CString outputPath;
    CString endMonthText;
    CString startMonthText;
    int16_t statementChoice = kShareholdersEquity;
    int32_t ledgerFlag = 1;
    int32_t pathFixed = 0;
    CString savedPath;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    bool OnCommand(int id) override;

  private:
    // Shows one of the dialog's own messages (caption "決算書").
    int ShowMessage(const char* text, UINT type);
    // Gives the field the focus with its whole text selected.
    void FocusField(CEdit& field);
    bool RefuseData();
    CString DefaultOutputPath() const;
    // The month rules; on a refusal the field to correct is returned in `focus`.
    bool MonthsAreValid(CEdit*& focus);
    // The output path checks; false after the message, with the dialog left open.
    bool OutputPathIsAccepted();
    // Shows the refusal and sends the user back to the output path; always false.
    bool RefusePath(const char* text);
    bool UserAgrees(const char* question);
    void ReadChoices();
    void ProposeConditions();
    std::string SettingsFolder() const;
    std::string SettingsKey() const;

    CButton outputGroup;
    CEdit endMonthEdit;
    CEdit startMonthEdit;
    CEdit outputPathEdit;
    CButton browseButton;
    CButton executeButton;
};

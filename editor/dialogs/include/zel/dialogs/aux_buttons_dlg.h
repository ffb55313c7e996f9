#pragma once
// A small dialog with a choice between two radio buttons. The view opens it on a command that
// no menu item sends; nothing reads the choice afterwards.

#include "zel/dialogs/small_dialog_ids.h"
#include "zel/platform/platform.h"

class CAuxButtonsDlg : public CDialog, public zel::dialogs::AuxButtonsIds {
public:
    explicit CAuxButtonsDlg(CWnd* parent = nullptr);

    // 1 while the first button is chosen, 0 for the second; kept between runs.
    int m_choice = 1;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnFirst();
    void OnSecond();
    DECLARE_MESSAGE_MAP()

private:
    CButton m_ok;
    CButton m_first;
    CButton m_second;
};

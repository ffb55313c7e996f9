#pragma once
// The About box: the program's picture, name and version, a rights notice, where the user
// manual is, and a link that opens the manual.

#include "zel/controls/hyper_link.h"
#include "zel/dialogs/small_dialog_ids.h"

#include <string>

class CAboutDlg : public CDialog, public zel::dialogs::AboutIds {
public:
    // The picture's part that is shown, and where (dialog units) and the text block (pixels).
    static constexpr RECT kPictureSource{0, 0, 369, 337};
    static constexpr RECT kPicture{39, 18, 204, 118};
    static constexpr RECT kTextBlock{69, 240, 369, 360};

    explicit CAboutDlg(CWnd* parent = nullptr);

    // The manual the link opens: the application's help file (the manual the help commands
    // and F1 open) unless set before the box opens.
    std::string m_manualPath;

    const CHyperLink& Link() const { return m_link; }
    // The lines of the text block.
    CString TextBlock() const;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CHyperLink m_link;
};

#pragma once
// Add Background: puts the head (and the body, when one was added) in front of a background
// from one of five background libraries, and moves what stands in front of it. Every button
// calls one action of the composition library, which rewrites the composed work file; the
// preview then shows it again. Cancel puts the layer records and the composed file back as they
// were when the dialog opened.

#include "zel/dialogs/compose_dialog.h"

#include <array>

class dlgAddBkgd : public CComposeDialog, public zel::dialogs::AddBkgdIds {
public:
    // Categories: the background libraries 1 to 5.
    enum { kMountains = 1, kLandmarks, kSpecials, kBeaches, kOthers, kCategories = 5 };

    explicit dlgAddBkgd(CWnd* parent = nullptr);
    ~dlgAddBkgd() override;

    int Category() const { return m_category; }
    int StepLayer() const { return m_stepLayer; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnBackgroundDrawn(CDC* offscreen) override;

    void ComposeFirst() override;
    void Move(int direction) override;
    void OnMountains();
    void OnMountainsPrevious();
    void OnMountainsNext();
    void OnLandmarks();
    void OnLandmarksPrevious();
    void OnLandmarksNext();
    void OnSpecials();
    void OnSpecialsPrevious();
    void OnSpecialsNext();
    void OnBeaches();
    void OnBeachesPrevious();
    void OnBeachesNext();
    void OnOthers();
    void OnOthersPrevious();
    void OnOthersNext();
    DECLARE_MESSAGE_MAP()

private:
    void ShowCategory(int category);
    void Select(int category, int forward);

    int m_stepLayer = 50;
    int m_fast = 1;
    int m_category = kMountains;

    std::array<CShadeButton, kCategories> m_categories, m_previous, m_next;
};

// The road every editing dialog runs by, exit, refresh and the menu states.

#include "tessel_view.h"

#include <zel/composition.h>
#include <zel/face_engine.h>

BOOL CTesselView::WriteHeadFile() {
    const CTesselDoc* doc = GetDocument();
    if (!m_headPath.empty() && save_pixels(doc->m_colorFace, doc->m_colorWidth, doc->m_colorHeight,
                                           m_headPath.c_str(), "bmp") != 0) {
        return TRUE;
    }
    CString text;
    text.Format("The face cannot be written to the work file %s.", m_headPath.c_str());
    Say(text, "Work file", MB_OK | MB_ICONSTOP);
    return FALSE;
}

BOOL CTesselView::Recompose() {
    if (zel2_compose_save(m_bkgdAdded, m_bodyAdded, m_composedPath.c_str()) == 0 ||
        !ShowComposedFile(kComposedPanel)) {
        return FALSE;
    }
    // A new composed picture is unsaved work.
    GetDocument()->m_composedChanged = 1;
    return TRUE;
}

void CTesselView::OnMakeFace() {
    CTesselDoc* doc = GetDocument();
    if (doc->m_facePresent == 0 || !WorkFilesUsable()) {
        return;
    }
    m_dlgSelect.m_headPath = m_headPath;
    m_dlgSelect.m_backupPath = m_backupPath;
    if (!WriteHeadFile()) {
        return;
    }
    DisableButtonsForDialog();
    m_dlgSelect.DoModal();
    EnableButtonsAfterDialog();
    AfterFaceDialog(m_dlgSelect.m_changed);
}

void CTesselView::OnChangeFace() {
    CTesselDoc* doc = GetDocument();
    if (doc->m_facePresent == 0 || !WorkFilesUsable()) {
        return;
    }
    m_dlgChangeFace.m_headPath = m_headPath;
    if (!WriteHeadFile()) {
        return;
    }
    DisableButtonsForDialog();
    m_dlgChangeFace.DoModal();
    EnableButtonsAfterDialog();
    AfterFaceDialog(m_dlgChangeFace.m_changed);
}

void CTesselView::AfterFaceDialog(int changed) {
    CTesselDoc* doc = GetDocument();
    if (changed != 0) {
        doc->m_faceChanged = 1;
        int width = doc->m_colorWidth;
        int height = doc->m_colorHeight;
        if (face_compose_clr(doc->m_colorFace, &width, &height) != 0) {
            doc->m_colorWidth = width;
            doc->m_colorHeight = height;
        }
        const int drawn = face_compose_bw(doc->m_faceDrawing, &width, &height);
        if (m_bodyAdded != 0 || m_bkgdAdded != 0) {
            Recompose();
        }
        // The face copy follows the drawing only when the drawing was made again.
        if (drawn != 0) {
            doc->m_faceRect.SetRect(0, 0, width, height);
            doc->BuildFaceScreen();
        }
    }
    InvalidateRect(&kFacePanel, FALSE);
    UpdateWindow();
}

template <class LayerDialog>
void CTesselView::RunLayerDialog(LayerDialog& dialog, int& added, int& firstTime, int otherAdded) {
    CTesselDoc* doc = GetDocument();
    if (doc->m_facePresent == 0 || !WorkFilesUsable()) {
        return;
    }
    dialog.m_faceKind = m_faceKind;
    dialog.m_headPath = m_headPath;
    dialog.m_composedPath = m_composedPath;
    dialog.m_firstTime = firstTime;
    dialog.m_otherAdded = otherAdded;
    if (!WriteHeadFile()) {
        return;
    }
    DisableButtonsForDialog();
    dialog.DoModal();
    AfterLayerDialog(dialog.m_changed, added, firstTime);
}

void CTesselView::OnAddBody() {
    RunLayerDialog(m_dlgAddBody, m_bodyAdded, m_bodyFirstTime, m_bkgdAdded);
}

void CTesselView::OnAddBkgd() {
    RunLayerDialog(m_dlgAddBkgd, m_bkgdAdded, m_bkgdFirstTime, m_bodyAdded);
}

void CTesselView::AfterLayerDialog(int changed, int& added, int& firstTime) {
    if (changed != 0) {
        CTesselDoc* doc = GetDocument();
        firstTime = 0;
        added = 1;
        // The dialog wrote the composed file; it is shown only when it can be read back.
        if (ShowComposedFile(kComposedPanel)) {
            doc->m_composedChanged = 1;
        }
    }
    EnableButtonsAfterDialog();
}

void CTesselView::OnEditFace() {
    CTesselDoc* doc = GetDocument();
    if (doc->m_facePresent == 0 || !WorkFilesUsable()) {
        return;
    }
    m_dlgEditFace.m_width = doc->m_faceRect.Width();
    m_dlgEditFace.m_height = doc->m_faceRect.Height();
    m_dlgEditFace.m_faceBits = doc->m_faceBits.data();
    m_dlgEditFace.m_faceInfo = &doc->m_faceInfo.info;
    DisableButtonsForDialog();
    m_dlgEditFace.DoModal();
    EnableButtonsAfterDialog();
    if (m_dlgEditFace.m_changed != 0) {
        doc->m_faceChanged = 1;
        doc->ReadFaceScreen();
        if (set_face_edge_inDLL(doc->m_faceDrawing, doc->m_faceRect.Width(),
                                doc->m_faceRect.Height()) == 0) {
            Say("The edited face cannot be taken over by the face engine.", "Edit Face",
                MB_OK | MB_ICONSTOP);
        } else {
            int width = doc->m_colorWidth;
            int height = doc->m_colorHeight;
            if (face_compose_clr(doc->m_colorFace, &width, &height) != 0) {
                doc->m_colorWidth = width;
                doc->m_colorHeight = height;
            }
            if (WriteHeadFile() && (m_bodyAdded != 0 || m_bkgdAdded != 0)) {
                Recompose();
            }
        }
    }
    InvalidateRect(&kFacePanel, FALSE);
    UpdateWindow();
}

void CTesselView::OnExit() {
    if (CWnd* frame = GetTopLevelParent()) {
        frame->SendMessage(WM_CLOSE);
    }
}

// Nothing reads the choice afterwards.
void CTesselView::OnAuxButtons() {
    m_dlgAux.DoModal();
}

void CTesselView::OnRefreshButtons() {
    RefreshButtonsByState();
}

void CTesselView::OnUpdateSave(CCmdUI* ui) {
    ui->Enable(GetDocument()->m_composedShown != 0);
}

void CTesselView::OnUpdateNeedsFace(CCmdUI* ui) {
    ui->Enable(GetDocument()->m_facePresent != 0 && WorkFilesUsable());
}

void CTesselView::OnUpdateSaveFaceFile(CCmdUI* ui) {
    ui->Enable(GetDocument()->m_facePresent != 0);
}

void CTesselView::OnUpdateRefresh(CCmdUI* ui) {
    ui->Enable(GetDocument()->m_photoLoaded != 0);
}

// The pictures of the editing dialogs' buttons: each one is its button's size and covers it
// exactly, pixel for pixel, in every state it shows (no pixel of the dialogs' key colours lets
// the background through, and no picture sits under the small ids passed as "out" pictures).

#include "editing_test_support.h"
#include "zel/dialogs/add_bkgd_dlg.h"
#include "zel/dialogs/add_body_dlg.h"
#include "zel/dialogs/change_face_dlg.h"
#include "zel/dialogs/dialog_pictures.h"
#include "zel/dialogs/select_dlg.h"

#include <zel/common/work_folder.h>
#include <zel/composition.h>
#include <zel/platform/testing.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using namespace zel::dialogs::test;
using Shown = std::vector<std::pair<UINT, int>>; // button, picture

// Pixels of button `id` that differ from bitmap `picture`; -1 when the sizes differ.
int picture_mismatches(CWnd& dialog, UINT id, int picture) {
    CWnd* button = dialog.GetDlgItem(int(id));
    CBitmap bitmap;
    if (button == nullptr || !bitmap.LoadBitmap(MAKEINTRESOURCE(picture))) {
        return -2;
    }
    BITMAP info{};
    bitmap.GetObject(sizeof info, &info);
    CRect client;
    button->GetClientRect(&client);
    if (client.Width() != info.bmWidth || client.Height() != info.bmHeight) {
        return -1;
    }
    button->UpdateWindow();
    CClientDC surface(button);
    CDC memory;
    memory.CreateCompatibleDC(&surface);
    CBitmap* old = memory.SelectObject(&bitmap);
    int mismatches = 0;
    for (int y = 0; y < info.bmHeight; ++y) {
        for (int x = 0; x < info.bmWidth; ++x) {
            mismatches += surface.GetPixel(x, y) != memory.GetPixel(x, y) ? 1 : 0;
        }
    }
    memory.SelectObject(old);
    return mismatches;
}

void expect_pictures(CDialog& dialog, const Shown& shown) {
    for (const auto& [id, picture] : shown) {
        EXPECT_EQ(picture_mismatches(dialog, id, picture), 0)
            << "button " << id << ", picture " << picture;
    }
}

struct EditingArtwork : ::testing::Test {
    zel::platform::test::HookReset hooks;
    LoadedFace face;
};

TEST_F(EditingArtwork, MakeFacePicturesCoverTheirButtonsAlsoWhenHovered) {
    dlgSelect dialog;
    dialog.m_headPath = face.headPath;
    dialog.m_backupPath = zel::work_path("zel_tmp.bmp");
    run_modal(dialog, [&] {
        expect_pictures(dialog, {{dlgSelect::IDC_DONE, 312},
                                 {dlgSelect::IDC_CANCEL, 313},
                                 {dlgSelect::IDC_EXPRESSION, 360},
                                 {dlgSelect::IDC_EXPRESSION_PREVIOUS, 316},
                                 {dlgSelect::IDC_EXPRESSION_NEXT, 317},
                                 {dlgSelect::IDC_MAN, 308},
                                 {dlgSelect::IDC_WOMAN, 310},
                                 {dlgSelect::IDC_CHILD, 307}});
        // The pressed or hovered look is the same picture: no "out" picture exists.
        CWnd* done = dialog.GetDlgItem(dlgSelect::IDC_DONE);
        zel::platform::test::mouse_move(*done, CPoint(10, 10));
        ASSERT_TRUE(static_cast<CIconButton*>(done)->IsHovered());
        press(dialog, dlgSelect::IDC_CHILD);
        expect_pictures(
            dialog,
            {{dlgSelect::IDC_DONE, 312}, {dlgSelect::IDC_MAN, 300}, {dlgSelect::IDC_CHILD, 306}});
        press(dialog, dlgSelect::IDC_WOMAN);
        expect_pictures(dialog, {{dlgSelect::IDC_WOMAN, 309}});
        press(dialog, dlgSelect::IDC_DONE);
    });
}

TEST_F(EditingArtwork, ChangeFacePicturesCoverTheirButtons) {
    CChangeFaceDlg dialog;
    dialog.m_headPath = face.headPath;
    using D = CChangeFaceDlg;
    run_modal(dialog, [&] {
        expect_pictures(dialog, {{D::IDC_DONE, 312},
                                 {D::IDC_CANCEL, 313},
                                 {D::IDC_MOUTH, 160},
                                 {D::IDC_LEFT_EYE, 173},
                                 {D::IDC_RIGHT_EYE, 175},
                                 {D::IDC_LEFT_BROW, 353},
                                 {D::IDC_RIGHT_BROW, 359},
                                 {D::IDC_NOSE, 157},
                                 {D::IDC_GLASSES, 355},
                                 {D::IDC_FACE_EDGE_LEFT, 161},
                                 {D::IDC_FACE_EDGE_RIGHT, 385},
                                 {D::IDC_MOVE_LEFT, 316},
                                 {D::IDC_MOVE_RIGHT, 317},
                                 {D::IDC_MOVE_DOWN, 314},
                                 {D::IDC_MOVE_UP, 318},
                                 {D::IDC_REDUCE, 314},
                                 {D::IDC_ENLARGE, 318},
                                 {D::IDC_COLOR, 319},
                                 {D::IDC_HIDE, 320},
                                 {D::IDC_DISPLAY, 321}});
        press(dialog, D::IDC_FACE_EDGE_LEFT);
        expect_pictures(
            dialog,
            {{D::IDC_MOUTH, 159}, {D::IDC_FACE_EDGE_LEFT, 162}, {D::IDC_FACE_EDGE_RIGHT, 386}});
        for (auto [id, picture] : Shown{{D::IDC_LEFT_BROW, 352},
                                        {D::IDC_RIGHT_BROW, 358},
                                        {D::IDC_LEFT_EYE, 174},
                                        {D::IDC_RIGHT_EYE, 176},
                                        {D::IDC_NOSE, 158},
                                        {D::IDC_GLASSES, 354}}) {
            press(dialog, id);
            expect_pictures(dialog, {{id, picture}});
        }
        press(dialog, D::IDC_DONE);
    });
}

TEST_F(EditingArtwork, AddBodyAndAddBackgroundPicturesCoverTheirButtons) {
    clear_zeledit2();
    dlgAddBody body;
    body.m_faceKind = 2;
    body.m_headPath = face.headPath;
    body.m_composedPath = face.composedPath;
    using B = dlgAddBody;
    run_modal(body, [&] {
        expect_pictures(body, {{B::IDC_DONE, 312},
                               {B::IDC_CANCEL, 313},
                               {B::IDC_MAN, 300},
                               {B::IDC_WOMAN, 309},
                               {B::IDC_CHILD, 307},
                               {B::IDC_STEP_HEAD, 372},
                               {B::IDC_STEP_BODY, 371},
                               {B::IDC_STEP_BOTH, 375},
                               {B::IDC_FAST, 368},
                               {B::IDC_SLOW, 376},
                               {B::IDC_MOVE_UP, 318},
                               {B::IDC_MOVE_DOWN, 314},
                               {B::IDC_MOVE_LEFT, 316},
                               {B::IDC_MOVE_RIGHT, 317},
                               {B::IDC_ENLARGE, 318},
                               {B::IDC_REDUCE, 314},
                               {B::IDC_ROTATE_CW, 366},
                               {B::IDC_ROTATE_CCW, 367}});
        press(body, B::IDC_FAST);
        press(body, B::IDC_STEP_BOTH);
        press(body, B::IDC_MAN);
        expect_pictures(body, {{B::IDC_FAST, 377},
                               {B::IDC_SLOW, 369},
                               {B::IDC_STEP_HEAD, 373},
                               {B::IDC_STEP_BOTH, 374},
                               {B::IDC_MAN, 308},
                               {B::IDC_WOMAN, 310}});
        press(body, B::IDC_STEP_BODY);
        expect_pictures(body, {{B::IDC_STEP_BODY, 370}});
        press(body, B::IDC_DONE);
    });
    dlgAddBkgd background;
    background.m_headPath = face.headPath;
    background.m_composedPath = face.composedPath;
    using G = dlgAddBkgd;
    run_modal(background, [&] {
        expect_pictures(background, {{G::IDC_DONE, 312},
                                     {G::IDC_CANCEL, 313},
                                     {G::IDC_MOVE_UP, 318},
                                     {G::IDC_MOVE_DOWN, 314},
                                     {G::IDC_MOVE_LEFT, 316},
                                     {G::IDC_MOVE_RIGHT, 317}});
        press(background, G::IDC_DONE);
    });
}

// The chosen category's bullet is lit: the accent colour at the centre of its icon, which sits
// at the button's left, vertically centred.
TEST_F(EditingArtwork, TheChosenCategoryShowsItsBulletLit) {
    clear_zeledit2();
    dlgAddBkgd dialog;
    dialog.m_headPath = face.headPath;
    dialog.m_composedPath = face.composedPath;
    auto bullet = [&dialog](UINT id) {
        CWnd* button = dialog.GetDlgItem(int(id));
        CRect client;
        button->GetClientRect(&client);
        button->UpdateWindow();
        return CClientDC(button).GetPixel(3 + 8, client.Height() / 2);
    };
    constexpr COLORREF kLit = RGB(0xD9, 0x77, 0x2B);
    run_modal(dialog, [&] {
        EXPECT_EQ(bullet(dlgAddBkgd::IDC_MOUNTAINS), kLit);
        EXPECT_NE(bullet(dlgAddBkgd::IDC_BEACHES), kLit);
        press(dialog, dlgAddBkgd::IDC_BEACHES);
        EXPECT_EQ(bullet(dlgAddBkgd::IDC_BEACHES), kLit);
        EXPECT_NE(bullet(dlgAddBkgd::IDC_MOUNTAINS), kLit);
        press(dialog, dlgAddBkgd::IDC_DONE);
    });
}

} // namespace

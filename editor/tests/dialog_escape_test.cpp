// Escape and the window's close box end every editing dialog exactly as its Cancel button does:
// the face record, the head work file, the layer records and the composed picture are put back
// and the view shows what it showed before the dialog opened.

#include "editor_test_support.h"
#include "resource_ids.h"

#include <zel/common/work_folder.h>
#include <zel/composition.h>
#include <zel/face_engine.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace zel::editor::test {
namespace {

namespace fs = std::filesystem;
using DialogEscapeTest = EditorTest;

// How a person leaves a dialog without its Cancel button.
enum class Leave { Escape, CloseBox };

void leave(CDialog& dialog, Leave how) {
    if (how == Leave::Escape) {
        // Through Qt to a control, so the dialog's key handling runs as for a person.
        CWnd* focus = dialog.GetDlgItem(int(CPreviewDialog::IDC_DONE));
        if (focus == nullptr) {
            focus = dialog.GetDlgItem(int(CEditFaceDlg::kDone));
        }
        ASSERT_NE(focus, nullptr);
        zel::platform::test::key(*focus, Qt::Key_Escape);
    } else {
        dialog.SendMessage(WM_CLOSE);
    }
}

// Every field of the engine's face record that a dialog can change.
std::string face_record() {
    _zel_face face{};
    zel_face_copyFromDLL(&face);
    std::ostringstream out;
    out << face.nSex << ' ' << face.nExpression << '\n';
    for (const _zel_object& part : face.parts) {
        out << part.nOid << ' ' << part.name << ' ' << part.IsLoaded << ' ' << part.lx << ' '
            << part.ly << ' ' << part.Display << ' ' << part.Gender << ' ' << part.Scale << ' '
            << int(part.color.r) << ' ' << int(part.color.g) << ' ' << int(part.color.b) << '\n';
    }
    return out.str();
}

// What the layer records compose now, written to a file of its own.
std::vector<_pixel> composition_now(int background, int body) {
    const std::string path = (fs::path(zel::work_folder()) / "escape_check.bmp").string();
    if (zel2_compose_save(background, body, path.c_str()) == 0) {
        return {};
    }
    std::vector<_pixel> pixels = picture_file(path);
    fs::remove(path);
    return pixels;
}

// The state a face dialog may change, taken before and after it runs.
struct FaceState {
    std::string record;
    std::vector<_pixel> head;
    std::vector<unsigned char> faceBits;
    bool operator==(const FaceState& o) const {
        return record == o.record && same(head, o.head) && faceBits == o.faceBits;
    }
};

FaceState face_state(EditorTest& t) {
    return {face_record(), picture_file(t.View()->m_headPath), t.Doc()->m_faceBits};
}

void expect_face_dialog_left_nothing(EditorTest& t, UINT command, Leave how,
                                     const std::function<void(CDialog&)>& change) {
    t.LoadStarterFace("woman");
    ASSERT_TRUE(t.View()->WriteHeadFile());
    const FaceState before = face_state(t);
    t.AnswerDialog([&](CDialog& dialog) {
        change(dialog);
        // The change reached the engine before the dialog is left.
        EXPECT_NE(face_record(), before.record);
        leave(dialog, how);
    });
    t.Command(command);
    EXPECT_EQ(t.Doc()->m_faceChanged, 0);
    EXPECT_TRUE(face_state(t) == before);
    EXPECT_TRUE(t.View()->m_btnMakeFace.IsWindowEnabled());
}

TEST_F(DialogEscapeTest, MakeFaceAndChangeFaceLeftWithoutCancelPutTheFaceBack) {
    ASSERT_TRUE(Start());
    expect_face_dialog_left_nothing(*this, ID_MAKE_FACE, Leave::Escape, [](CDialog& dialog) {
        Press(dialog, dlgSelect::IDC_MAN);
        Press(dialog, dlgSelect::IDC_EYE_NEXT);
        Press(dialog, dlgSelect::IDC_MOUTH_NEXT);
    });
    EXPECT_EQ(View()->m_dlgSelect.m_changed, 0);
    expect_face_dialog_left_nothing(*this, ID_CHANGE_FACE, Leave::CloseBox, [](CDialog& dialog) {
        Press(dialog, CChangeFaceDlg::IDC_NOSE);
        Press(dialog, CChangeFaceDlg::IDC_MOVE_LEFT);
        Press(dialog, CChangeFaceDlg::IDC_ENLARGE);
    });
    EXPECT_EQ(View()->m_dlgChangeFace.m_changed, 0);
}

TEST_F(DialogEscapeTest, AddBodyAndAddBackgroundLeftWithoutCancelKeepTheComposition) {
    ASSERT_TRUE(Start());
    LoadStarterFace("child");
    AddBodyThroughTheRoad();
    CTesselDoc& doc = *Doc();
    const std::vector<_pixel> composed = picture_file(View()->m_composedPath);
    ASSERT_FALSE(composed.empty());
    const std::vector<unsigned char> shown = doc.m_composedBits;
    ASSERT_TRUE(same(composition_now(0, 1), composed));
    doc.m_composedChanged = 0;

    AnswerDialog([](CDialog& dialog) {
        Press(dialog, dlgAddBody::IDC_MOVE_LEFT);
        Press(dialog, dlgAddBody::IDC_NEXT);
        leave(dialog, Leave::Escape);
    });
    Command(ID_ADD_BODY);
    EXPECT_EQ(doc.m_composedChanged, 0);
    EXPECT_TRUE(same(picture_file(View()->m_composedPath), composed));
    EXPECT_TRUE(same(composition_now(0, 1), composed)); // the layer records too
    EXPECT_EQ(doc.m_composedBits, shown);

    AnswerDialog([](CDialog& dialog) {
        Press(dialog, dlgAddBkgd::IDC_BEACHES_NEXT);
        Press(dialog, dlgAddBkgd::IDC_MOVE_UP);
        leave(dialog, Leave::CloseBox);
    });
    Command(ID_ADD_BKGD);
    EXPECT_EQ(View()->m_bkgdAdded, 0);
    EXPECT_EQ(View()->m_bkgdFirstTime, 1);
    EXPECT_EQ(doc.m_composedChanged, 0);
    EXPECT_TRUE(same(picture_file(View()->m_composedPath), composed));
    EXPECT_TRUE(same(composition_now(0, 1), composed));
    EXPECT_EQ(doc.m_composedBits, shown);
    EXPECT_TRUE(View()->m_btnAddBody.IsWindowEnabled());
}

TEST_F(DialogEscapeTest, EditFaceLeftWithEscapeKeepsTheDrawing) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    const std::vector<unsigned char> bits = Doc()->m_faceBits;
    zel::platform::set_modal_dialog_hook([](CDialog& d) {
        auto* editFace = dynamic_cast<CEditFaceDlg*>(&d);
        if (editFace == nullptr) {
            d.EndDialog(IDCANCEL); // the pen pop-up keeps the pen
            return;
        }
        const CRect area = editFace->GetDrawingArea();
        const CPoint from(area.left + 20, area.top + 20);
        d.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(WORD(from.x), WORD(from.y)));
        d.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(WORD(from.x + 40), WORD(from.y + 30)));
        d.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(WORD(from.x + 40), WORD(from.y + 30)));
        EXPECT_EQ(editFace->m_changed, 1);
        leave(d, Leave::Escape);
    });
    Command(ID_EDIT_FACE);
    EXPECT_EQ(View()->m_dlgEditFace.m_changed, 0);
    EXPECT_EQ(Doc()->m_faceChanged, 0);
    EXPECT_EQ(Doc()->m_faceBits, bits);
}

} // namespace
} // namespace zel::editor::test

// The save commands: the face file or the composed picture, and the face file alone.

#include "save_names.h"
#include "tessel_view.h"

#include <zel/common/data_folder.h>
#include <zel/face_engine.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

using namespace zel::editor;

namespace {

// The face engine and the image library write through the name they are handed: a copy.
int save_face_file(const std::string& name) {
    std::vector<char> copy(name.begin(), name.end());
    copy.push_back('\0');
    return face_savezel2(copy.data());
}

// Saving starts in the folder of the last face file as long as it takes new files and is not
// the bundled starter faces (installed read-only, where a save could only fail); else at home.
std::string save_start_folder(const std::string& lastFaceFolder) {
    namespace fs = std::filesystem;
    std::error_code error;
    const bool bundled =
        !lastFaceFolder.empty() && fs::equivalent(lastFaceFolder, zel::data_path("faces"), error);
    if (!lastFaceFolder.empty() && !bundled && ::access(lastFaceFolder.c_str(), W_OK) == 0) {
        return lastFaceFolder;
    }
    const char* home = std::getenv("HOME");
    return home != nullptr ? home : "";
}

} // namespace

bool CTesselView::MayReplace(const std::string& chosen, const std::string& written,
                             const char* caption) {
    std::error_code error;
    if (written == chosen || !std::filesystem::exists(written, error)) {
        return true;
    }
    const std::string text = std::filesystem::path(written).filename().string() +
                             " already exists.\nDo you want to replace it?";
    return Say(text.c_str(), caption, MB_YESNO | MB_ICONWARNING) == IDYES;
}

void CTesselView::OnSave() {
    CTesselDoc* doc = GetDocument();
    if (doc->m_composedShown == 0 && doc->m_facePresent == 0) {
        return;
    }
    CFileDialog dialog(FALSE, nullptr, "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Save Face in ZEL Format (*.zel)|*.zel|Bitmap Files (*.bmp)|*.bmp|JPEG "
                       "(*.JPG;*.JPEG)|*.jpg;*.jpeg|PSD (*.PSD)|*.psd|TGA (*.TGA)|*.tga||",
                       this);
    const std::string folder = save_start_folder(m_lastFaceFolder);
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    if (dialog.DoModal() != IDOK) {
        return;
    }
    m_chosenPath = dialog.GetPathName().str();
    const int index = int(dialog.m_ofn.nFilterIndex);
    const std::string format = save_format(index);
    int saved = 0;
    if (index == 1) {
        const std::string name = face_file_name(m_chosenPath);
        if (!MayReplace(m_chosenPath, name, "Save as")) {
            return;
        }
        saved = save_face_file(name);
    } else if (!format.empty() && doc->m_composedShown != 0) {
        // Only a composed picture on show is written: the array holds nothing else worth it.
        const PictureName picture = picture_file_name(m_chosenPath, format);
        if (!MayReplace(m_chosenPath, picture.name, "Save as")) {
            return;
        }
        saved = save_pixels(doc->m_composed, doc->m_composedWidth, doc->m_composedHeight,
                            picture.name.c_str(), picture.extension.c_str());
    }
    if (saved == 0) {
        Say("The specified document's format is invalid or not supported!", "Save as",
            MB_OK | MB_ICONSTOP);
        return;
    }
    if (index == 1) {
        doc->m_faceChanged = 0;
        m_lastFaceFolder = std::filesystem::path(m_chosenPath).parent_path().string();
    } else {
        doc->m_composedChanged = 0;
    }
}

void CTesselView::OnSaveFaceFile() {
    CTesselDoc* doc = GetDocument();
    if (doc->m_facePresent == 0) {
        return;
    }
    doc->ReadFaceScreen();
    CFileDialog dialog(FALSE, nullptr, "*.zel", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "ZEL File (*.zel)||", this);
    const std::string folder = save_start_folder(m_lastFaceFolder);
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    if (dialog.DoModal() != IDOK) {
        return;
    }
    m_chosenPath = dialog.GetPathName().str();
    const std::string name = face_file_name(m_chosenPath);
    if (!MayReplace(m_chosenPath, name, "Save in ZEL")) {
        return;
    }
    if (save_face_file(name) != 0) {
        doc->m_faceChanged = 0;
        m_lastFaceFolder = std::filesystem::path(m_chosenPath).parent_path().string();
    } else {
        Say("Cannot be saved in ZEL format!", "Save in ZEL", MB_OK);
    }
}

// Feeds arbitrary bytes to the face-file readers of both versions as a loaded face file reaches
// them. An enciphered input (first byte 128 or more, like every stored face file, the starter
// faces of the seed corpus among them) is deciphered with the default key first.
//
// Besides not crashing, a text that reads must have one written form: reading what the writer
// wrote gives back the same text.

#include "face_state.h"
#include "file/bw_buffer.h"
#include "file/zel1_text.h"
#include "file/zel2_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace zel::engine;

std::string deciphered(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if (size > 0 && data[0] >= 128) {
        for (std::size_t i = 0; i < size; ++i)
            text[i] = static_cast<char>(~(data[i] ^ kDefaultFaceKey[i % 4]));
    }
    return text;
}

// The version-2 text of what text reads as, or "" when it is refused.
std::string rewritten_zel2(const std::string& text) {
    _zel_face face{};
    face_record_init(&face);
    BwBuffer edge;
    if (face_parse_zel2_text(text, face, edge) != 0)
        return {};
    face.parts[kSlotFaceEdge].bitmap = edge.row_table();
    std::string out;
    if (face_text_zel2(face, out) != 0)
        std::abort(); // a face that was read must be writable
    return out;
}

std::string rewritten_zel1(const std::string& text) {
    Zel1Content content;
    if (face_parse_zel1_text(text, content) != 0)
        return {};
    std::string out;
    if (face_text_zel1(content.header, content.box, content.landmarks, content.measures,
                       content.drawing.row_table(), content.drawing.cols(), content.drawing.rows(),
                       out) != 0)
        std::abort();
    return out;
}

void check_stable(std::string (*rewrite)(const std::string&), const std::string& text) {
    const std::string once = rewrite(text);
    if (once.empty())
        return;
    if (rewrite(once) != once)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = deciphered(data, size);
    zel_probe_version_text(text);
    check_stable(rewritten_zel2, text);
    check_stable(rewritten_zel1, text);
    return 0;
}

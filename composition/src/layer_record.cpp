// The layer record: defaults, bounded text fields, the path rule and the debug dump.

#include "truncated_size.h"
#include "work_paths.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Copies text into a field of capacity bytes. Text that does not fit is refused and the field
// emptied, so that no later path is built from a shortened name or from the previous one.
bool copy_field(char* field, int capacity, const char* text) {
    if (text != nullptr) {
        const std::size_t length = std::strlen(text);
        if (length < static_cast<std::size_t>(capacity)) {
            std::memcpy(field, text, length + 1);
            return true;
        }
    }
    field[0] = '\0';
    return false;
}

} // namespace

zeleditObject::zeleditObject()
    : IsLoaded(0), nOid(ZEL2_HEAD), csDir{}, csFile{}, csExt{}, csPath{}, col(0), row(0),
      colOffset(0), rowOffset(0), nAngle(0), tCol(0), tRow(0), colScale(1.0), rowScale(1.0),
      nLayer(0), nSLayer(0), bDisplay(1), nSex(1), bgClr{255, 255, 255} {
    setDir(zel::composition::library_folder().c_str());
    setFile(" ");
    setExt("bmp");
}

bool zeleditObject::setDir(const char* dir) {
    return copy_field(csDir, dir_capacity, dir);
}

bool zeleditObject::setFile(const char* file) {
    return copy_field(csFile, file_capacity, file);
}

bool zeleditObject::setExt(const char* ext) {
    return copy_field(csExt, ext_capacity, ext);
}

bool zeleditObject::setDirFile(const char* dir, const char* file) {
    const bool dirStored = setDir(dir);
    const bool fileStored = setFile(file);
    return dirStored && fileStored;
}

int zeleditObject::makePath() {
    int length = -1;
    if (csDir[0] != '\0' && csFile[0] != '\0') {
        // A folder of a single space means that the file name is the whole path.
        length = csDir[0] == ' '
                     ? std::snprintf(csPath, path_capacity, "%s.%s", csFile, csExt)
                     : std::snprintf(csPath, path_capacity, "%s/%s.%s", csDir, csFile, csExt);
    }
    if (length < 0 || length >= path_capacity) {
        csPath[0] = '\0';
        return -1;
    }
    return length;
}

void zeleditObject::setScale(double cols, double rows) {
    colScale = cols;
    rowScale = rows;
    tCol = zel::composition::truncated_size(colScale * col);
    tRow = zel::composition::truncated_size(rowScale * row);
}

void zeleditObject::setBgColor(_pixel c) {
    bgClr[0] = c.r;
    bgClr[1] = c.g;
    bgClr[2] = c.b;
}

void zeleditObject::getBgColor(unsigned char* rgb) const {
    rgb[0] = bgClr[0];
    rgb[1] = bgClr[1];
    rgb[2] = bgClr[2];
}

void zeleditObject::msg_display() const {
    char line[dir_capacity + 64];
    std::string text = IsLoaded ? " IsLoaded: TRUE\n" : " IsLoaded: FALSE\n";
    const auto add = [&](int length) {
        if (length > 0 && length < static_cast<int>(sizeof line))
            text.append(line, static_cast<std::size_t>(length));
    };
    add(std::snprintf(line, sizeof line, " zel_image.nOid: %d\n", nOid));
    add(std::snprintf(line, sizeof line, " zel_image.csDir: %s\n", csDir));
    add(std::snprintf(line, sizeof line, " zel_image.csFile: %s\n", csFile));
    add(std::snprintf(line, sizeof line, " zel_image.csExt: %s\n", csExt));
    add(std::snprintf(line, sizeof line, " zel_image.col & row: %d %d\n", col, row));
    add(std::snprintf(line, sizeof line, " zel_image.col & row offset: %d %d\n", colOffset,
                      rowOffset));
    add(std::snprintf(line, sizeof line, " zel_image.nAngle: %d\n", nAngle));
    add(std::snprintf(line, sizeof line, " zel_image.tCol & Row: %d %d\n", tCol, tRow));
    add(std::snprintf(line, sizeof line, " zel_image.colScale: %f6.2\n", colScale));
    add(std::snprintf(line, sizeof line, " zel_image.rowScale: %f6.2\n", rowScale));
    add(std::snprintf(line, sizeof line, " zel_image.nLayer: %d\n", nLayer));
    add(std::snprintf(line, sizeof line, " zel_image.nSLayer: %d\n", nSLayer));
    text += bDisplay ? " zel_image.bDisplay: TRUE\n" : " zel_image.bDisplay: FALSE\n";
    add(std::snprintf(line, sizeof line, " zel_image.nSex: %d\n", nSex));
    add(std::snprintf(line, sizeof line, " zel_image.bgClr(r,g,b): (%4d %4d %4d)\n", bgClr[0],
                      bgClr[1], bgClr[2]));

    zel::show_message("zeleditObject::msg_display()", text.c_str(), zel::MessageIcon::warning);
}

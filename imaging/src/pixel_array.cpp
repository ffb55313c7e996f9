// Allocation of the row-table pixel arrays that cross every library border.

#include "zel/imaging.h"

#include <new>

namespace {

template <typename T> void free_rows(T** arr, int rows) {
    if (arr == nullptr)
        return;
    for (int r = 0; r < rows; ++r)
        delete[] arr[r];
    delete[] arr;
}

// Either every row is allocated or nothing stays allocated: a half-built table would leak
// and its null rows would be written through by the caller.
template <typename T> T** alloc_rows(int cols, int rows) {
    if (cols <= 0 || rows <= 0)
        return nullptr;
    T** table = new (std::nothrow) T*[rows];
    if (table == nullptr)
        return nullptr;
    for (int r = 0; r < rows; ++r) {
        table[r] = new (std::nothrow) T[cols];
        if (table[r] == nullptr) {
            free_rows(table, r);
            return nullptr;
        }
    }
    return table;
}

} // namespace

_pixel** ppm_allocarray(int cols, int rows) {
    return alloc_rows<_pixel>(cols, rows);
}
unsigned char** pgm_allocarray(int cols, int rows) {
    return alloc_rows<unsigned char>(cols, rows);
}
unsigned char** pbm_allocarray(int cols, int rows) {
    return alloc_rows<unsigned char>(cols, rows);
}

void ppm_freearray(_pixel** arr, int rows) {
    free_rows(arr, rows);
}
void pgm_freearray(unsigned char** arr, int rows) {
    free_rows(arr, rows);
}
void pbm_freearray(unsigned char** arr, int rows) {
    free_rows(arr, rows);
}

#pragma once
// The portraits of the generation tests (tests/data/portraits) with their reference points,
// marked as a user marks a photograph for generation: chin, head top, skin and background
// colour picked by fixed rules from the reference points, the same for every portrait.

#include <zel/face_engine.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zel::engine::testing {

// Names of the portraits (file names without extension).
std::vector<std::string> portrait_names();

class Portrait {
public:
    // Reads the picture and its reference line; ok() tells whether both were there.
    explicit Portrait(const std::string& name);
    ~Portrait();
    Portrait(const Portrait&) = delete;
    Portrait& operator=(const Portrait&) = delete;

    bool ok() const { return rows_ != nullptr && !ref_.empty(); }
    const std::string& name() const { return name_; }
    int cols() const { return cols_; }
    int rows() const { return rowCount_; }
    // The photograph as GetCartoon takes it: rows bottom first.
    _pixel** bottom_up() const { return rows_; }
    // The pixel at column x, row y counted from the top.
    const _pixel& at(int x, int y) const { return rows_[rowCount_ - 1 - y][x]; }
    // A reference point by key (e.g. "chin", "leye_out"); {-1, -1} when absent.
    std::pair<int, int> ref(const std::string& key) const;
    // The detector's face box: left, top, right, bottom.
    const std::vector<int>& ref_box() const { return box_; }

    vyPointTag chin() const;
    vyPointTag head_top() const;
    _pixel skin() const;
    _pixel background() const;

private:
    _pixel mean_patch(int x, int y, int radius) const;

    std::string name_;
    int cols_ = 0;
    int rowCount_ = 0;
    _pixel** rows_ = nullptr; // allocated at the working size
    std::map<std::string, std::pair<int, int>> ref_;
    std::vector<int> box_;
};

// GetCartoon's arguments for a portrait as a user gives them; a test changes what it needs.
struct CartoonCall {
    explicit CartoonCall(Portrait& p);
    // GetCartoon on the portrait with these arguments.
    int run(unsigned char** out);

    Portrait& portrait;
    int sex = 1;
    char name[16] = "portrait.jpg";
    _pixel skin;
    _pixel background;
    vyPointTag chin;
    vyPointTag headTop;
    vyPointSetTag points{};
};

// Writes a contact sheet: for each portrait its photo and its drawing (1 white, 0 ink,
// top-down rows of the portrait's size) side by side, one portrait per row, as a BMP picture (path
// takes the extension).
void write_contact_sheet(const std::string& path, const std::vector<const Portrait*>& photos,
                         const std::vector<std::vector<unsigned char>>& drawings);

} // namespace zel::engine::testing

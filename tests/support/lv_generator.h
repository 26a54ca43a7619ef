#pragma once

// Deterministic bills of quantities of any size for the benchmark and the output-hash test:
// the same arguments always give the same bytes.

#include <filesystem>
#include <string>

namespace lvgen {

// The shape of a generated LV: `positions` positions in LV areas of 100, 50 areas under each
// title of the first level. Every area holds normal positions with long texts, a base position
// with its alternative, an eventual position and a surcharge position.
struct SLvShape {
    int positions = 20000;

    int Areas() const { return (positions + kPerArea - 1) / kPerArea; }
    static constexpr int kPerArea = 100;
    static constexpr int kAreasPerTitle = 50;
};

// A GAEB 90 invitation (D83, Windows-1252, CR LF) and its bid (d84) with prices for most
// positions, a surcharge factor on some and the rate of the surcharge positions.
struct SGaeb90Files {
    std::string d83;
    std::string d84;
};
SGaeb90Files GenerateGaeb90(const SLvShape& shape);

// A GAEB 2000 invitation (P83) of two levels of LV areas. The positions of the second half
// of the areas have no description of their own, so that a search for the next description
// over the rest of the file would show in the times.
std::string GenerateGaeb2000(const SLvShape& shape);

// A GAEB DA XML invitation (X83, version 3.3) with `areas` categories of `perArea` items, each
// with a long text of about 5 KB; every tenth item asks for the bidder's quantity and every
// category ends with a markup item. Written straight to `x83` (large sizes do not fit well
// in memory twice).
void GenerateGaebXml(const std::filesystem::path& x83, int areas, int perArea);

// Writes `bytes` to `path` as they are; false when that failed.
bool WriteFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace lvgen

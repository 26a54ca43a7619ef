#pragma once

#include "model/angebot_list.h"
#include "model/display_tree.h"

#include <string>
#include <vector>

// What the status bar tells about the bid: how many of the positions the user prices have a
// price ("N von M Positionen bepreist", by the rules of the completeness check) and the bid's
// net total as the printout names it (the LV total that the grid shows).
//
// Rebuild learns which records to look at (once per fill of the list, O(n)); Update then counts
// and sums again after every entry and calculation, reading one number per priceable position.
class CBidProgress {
public:
    void Rebuild(const CAngebotList& list);
    // Counts and sums again; a list with records added or removed since is rebuilt first.
    void Update(const CAngebotList& list);

    int Priced() const { return m_priced; }
    int Priceable() const { return m_priceable; }
    double Net() const { return m_net; }

    // "12 von 40 Positionen bepreist"; empty for a bid without priceable positions.
    std::string PricedText() const;
    // "Netto: 1.234,56" with the user's separators; empty for an empty bid.
    std::string NetText() const;

private:
    void Count(const CAngebotList& list);

    struct SEntry {
        int record;
        bool byQuantity; // a surcharge position: its percentage is its price
    };
    CDisplayTree m_tree;
    std::vector<SEntry> m_positions;
    int m_count = 0;
    bool m_empty = true;
    int m_priced = 0;
    int m_priceable = 0;
    double m_net = 0.0;
};

#pragma once

namespace mhbk {

class StringGrid;

// The flat-bar grid is computed, not read: 23 widths down column 0, 23 thicknesses along row 0,
// and each cell the weight per metre of that size. It draws itself: captions in the grid's font
// colour on the caption background, sizes in blue, all centred.
void prepareFlatBarGrid(StringGrid &grid);
void fillFlatBarGrid(StringGrid &grid);

} // namespace mhbk

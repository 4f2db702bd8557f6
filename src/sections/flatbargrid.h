#pragma once

namespace mhbk {

class StringGrid;

// The flat-bar grid is computed, not read: 23 widths down column 0, 23 thicknesses along row 0,
// and each cell the weight per metre of that size. The captions are shown as fixed headers;
// the weights are drawn in blue, centred.
void prepareFlatBarGrid(StringGrid &grid);
void fillFlatBarGrid(StringGrid &grid);

} // namespace mhbk

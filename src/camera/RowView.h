#pragma once
// Where the rows of the parameter table are shown. The camera layer tells it when a row took
// a value from the camera (an answer to a query), so the control of that row can show what
// the camera holds; the windows implement it, a tool without windows passes none.
#include <cstdint>

class RowView {
public:
    virtual ~RowView() = default;
    // The row of ctrlId holds value, as the camera answered it.
    virtual void showRow(int ctrlId, int32_t value) = 0;
};

#pragma once
// One LUT editor's curve apart from its window: the edit points, the table they give, the
// mode, and what a mouse movement does to the points. Positions are graph pixels of the
// 260 x 260 graph: x to the right, y downwards, y = kBottom standing for the value 0; a table
// value v is drawn at kBottom - v / 16 and the input level L at L / 16.
//
// In Edit Mode the table is a function of the edit points: it is computed again whenever
// they change (a natural cubic spline laid through them and sampled, see TableFromPoints).
// In View Mode the table stands as it was read from the camera or a file.
#include "LutTable.h"

#include <cstdint>
#include <vector>

class LutCurve {
public:
    static constexpr int kGraphSize = 260;
    static constexpr int kBottom = 260;
    static constexpr int kSlots = 16;       // edit points at most
    static constexpr int kMouseSlots = 15;  // the mouse adds points up to this many
    static constexpr int kMouseRange = 256; // mouse positions 0...256 on both axes count
    static constexpr int kMoveReach = 32;   // a left movement this close takes a point along
    static constexpr int kDeleteReach = 16; // a right movement this close deletes a point
    static constexpr int kMaxSamples = 8000;
    static constexpr int kSamplesPerKnot = 500; // the curve is sampled every 0.002 knots
    static constexpr int kMinConvertPoints = 2;
    static constexpr int kMaxConvertPoints = kSlots;

    enum class Mode { Edit = 0, View = 1 };
    enum class Button { Left, Right };
    struct Point {
        int32_t x;
        int32_t y;
        bool operator==(const Point&) const = default;
    };

    // A cleared curve in Edit Mode.
    LutCurve();

    // Two points at the graph's corners (0, 260) and (260, 0), Edit Mode.
    void Clear();
    // Turns the table into count points (2...16) along it, the last one at (256, 0); Edit Mode.
    void ConvertEditable(int count);
    // A movement with one button held alone at the graph position: the left button takes the
    // first point within reach along, or else adds a point (up to 15); the right one deletes
    // the first inner point within reach. True when the points changed. Nothing in View Mode.
    bool MouseMove(Button button, int x, int y);

    Mode GetMode() const { return m_mode; }
    void SetMode(Mode mode) { m_mode = mode; }
    const std::vector<Point>& Points() const { return m_points; }
    const Lut::Table& Table() const { return m_table; }
    // Transfers and files store entries here (values above 4095 are the caller's to clamp).
    Lut::Table& Table() { return m_table; }

    // The LUT line as drawn: the start (point 0 in Edit Mode, the bottom-left corner in View
    // Mode), then each entry's position that lies inside the graph.
    std::vector<Point> Line() const;

    // The table of a curve through the points, in x order: a natural cubic spline over the
    // point index for x and for y, sampled every 0.002 up to one knot past the last point
    // (8000 samples at most); each entry takes the y of the sample whose x comes nearest its
    // input level.
    static Lut::Table TableFromPoints(const std::vector<Point>& points);

private:
    void pointsChanged();

    std::vector<Point> m_points;
    Lut::Table m_table{};
    Mode m_mode = Mode::Edit;
};

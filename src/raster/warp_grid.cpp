// Source positions of level pixels: exact on a sparse grid, interpolated between.

#include "raster/warp_grid.h"

#include <algorithm>
#include <cmath>

namespace {

// Cell sides tried, level pixels, coarsest first.
constexpr int kCoarsestStep = 64;
constexpr int kFinestStep = 8;

// The level pixels at which nodes lie along one axis: every step pixels from first,
// and the last pixel.
std::vector<int> nodeLines(int first, int count, int step)
{
    std::vector<int> lines;
    for (int offset = 0; offset < count - 1; offset += step)
        lines.push_back(first + offset);
    lines.push_back(first + count - 1);
    return lines;
}

double lerp(double a, double b, double t)
{
    return a + t * (b - a);
}

// Where a line at `at` lies between two node lines: 0 at the first, 1 at the second.
double fraction(double at, int from, int to)
{
    return to == from ? 0.0 : (at - from) / (to - from);
}

}  // namespace

WarpGrid::WarpGrid(const Transform &transform, int width, int top, int rows)
    : m_transform(transform), m_width(width), m_top(top), m_rows(rows)
{
    for (int step = kCoarsestStep; step >= kFinestStep; step /= 2) {
        if (plan(step))
            break;
    }
}

bool WarpGrid::plan(int step)
{
    m_step = step;
    m_columns = nodeLines(0, m_width, step);
    m_rowsOfNodes = nodeLines(m_top, m_rows, step);
    const int nodeColumns = int(m_columns.size());
    const int nodeRows = int(m_rowsOfNodes.size());
    m_cellColumns = std::max(1, nodeColumns - 1);
    m_cellRows = std::max(1, nodeRows - 1);

    // The nodes, then per cell its centre, the middle of its top and left sides and,
    // along the last row and column, of its bottom and right sides: pixel centres lie
    // at whole pixels + 0.5.
    std::vector<double> x;
    std::vector<double> y;
    for (int row : m_rowsOfNodes) {
        for (int column : m_columns) {
            x.push_back(column + 0.5);
            y.push_back(row + 0.5);
        }
    }
    const std::size_t nodeCount = x.size();
    const auto corner = [this](int cell, bool second, bool vertical) {
        const std::vector<int> &lines = vertical ? m_rowsOfNodes : m_columns;
        return lines[std::size_t(std::min(cell + (second ? 1 : 0), int(lines.size()) - 1))];
    };
    // For each checked point: the cells it belongs to (at most two) and where it lies in them.
    struct Check
    {
        int cellColumn;
        int cellRow;
        double s;  // across the cell, 0 at its left nodes, 1 at its right ones
        double t;  // down the cell
    };
    std::vector<Check> checks;
    const auto check = [&](int cellColumn, int cellRow, double s, double t) {
        const int left = corner(cellColumn, false, false);
        const int right = corner(cellColumn, true, false);
        const int upper = corner(cellRow, false, true);
        const int lower = corner(cellRow, true, true);
        x.push_back(lerp(left, right, s) + 0.5);
        y.push_back(lerp(upper, lower, t) + 0.5);
        checks.push_back({cellColumn, cellRow, s, t});
    };
    for (int j = 0; j < m_cellRows; ++j) {
        for (int i = 0; i < m_cellColumns; ++i) {
            check(i, j, 0.5, 0.5);
            check(i, j, 0.5, 0.0);
            check(i, j, 0.0, 0.5);
            if (j == m_cellRows - 1)
                check(i, j, 0.5, 1.0);
            if (i == m_cellColumns - 1)
                check(i, j, 1.0, 0.5);
        }
    }
    std::vector<int> ok(x.size(), 0);
    m_transform(int(x.size()), x.data(), y.data(), ok.data());

    m_nodes.assign(nodeCount, Node());
    for (std::size_t k = 0; k < nodeCount; ++k)
        m_nodes[k] = {x[k], y[k], ok[k] != 0};
    m_exactCells.assign(std::size_t(m_cellColumns) * std::size_t(m_cellRows), 0);
    const auto cellIndex = [this](int cellColumn, int cellRow) {
        return std::size_t(cellRow) * std::size_t(m_cellColumns) + std::size_t(cellColumn);
    };
    for (int j = 0; j < m_cellRows; ++j) {
        for (int i = 0; i < m_cellColumns; ++i) {
            const int right = std::min(i + 1, nodeColumns - 1);
            const int lower = std::min(j + 1, nodeRows - 1);
            if (!node(i, j).ok || !node(right, j).ok || !node(i, lower).ok || !node(right, lower).ok)
                m_exactCells[cellIndex(i, j)] = 1;
        }
    }
    bool within = true;
    for (std::size_t k = 0; k < checks.size(); ++k) {
        const Check &c = checks[k];
        const std::size_t point = nodeCount + k;
        char &exact = m_exactCells[cellIndex(c.cellColumn, c.cellRow)];
        if (exact)
            continue;
        if (!ok[point]) {
            exact = 1;
            continue;
        }
        const int right = std::min(c.cellColumn + 1, nodeColumns - 1);
        const int lower = std::min(c.cellRow + 1, nodeRows - 1);
        const Node &a = node(c.cellColumn, c.cellRow);
        const Node &b = node(right, c.cellRow);
        const Node &d = node(c.cellColumn, lower);
        const Node &e = node(right, lower);
        const double ix = lerp(lerp(a.x, b.x, c.s), lerp(d.x, e.x, c.s), c.t);
        const double iy = lerp(lerp(a.y, b.y, c.s), lerp(d.y, e.y, c.s), c.t);
        if (std::fabs(ix - x[point]) + std::fabs(iy - y[point]) > kWarpGridTolerance) {
            within = false;
            if (step <= kFinestStep)
                exact = 1;
        }
    }
    return within;
}

int WarpGrid::columnCell(int column) const
{
    return std::min(column / m_step, m_cellColumns - 1);
}

int WarpGrid::rowCell(int row) const
{
    return std::min((row - m_top) / m_step, m_cellRows - 1);
}

void WarpGrid::transformRun(int row, int left, int count, double *x, double *y, unsigned char *ok) const
{
    std::vector<int> success(std::size_t(count), 0);
    for (int i = 0; i < count; ++i) {
        x[i] = left + i + 0.5;
        y[i] = row + 0.5;
    }
    m_transform(count, x, y, success.data());
    for (int i = 0; i < count; ++i)
        ok[i] = success[std::size_t(i)] != 0;
}

void WarpGrid::row(int row, int left, int count, double *x, double *y, unsigned char *ok) const
{
    const int j = rowCell(row);
    const int nodeColumns = int(m_columns.size());
    const int lower = std::min(j + 1, int(m_rowsOfNodes.size()) - 1);
    const double t = fraction(row, m_rowsOfNodes[std::size_t(j)], m_rowsOfNodes[std::size_t(lower)]);
    const int end = left + count;
    for (int i = columnCell(left); i < m_cellColumns; ++i) {
        const int right = std::min(i + 1, nodeColumns - 1);
        const int from = std::max(left, m_columns[std::size_t(i)]);
        // The last cell holds its right column too.
        const int to = std::min(end, i == m_cellColumns - 1 ? m_width : m_columns[std::size_t(right)]);
        if (from >= to)
            break;
        const int offset = from - left;
        if (exactCell(i, j)) {
            transformRun(row, from, to - from, x + offset, y + offset, ok + offset);
            continue;
        }
        const Node &a = node(i, j);
        const Node &b = node(right, j);
        const Node &d = node(i, lower);
        const Node &e = node(right, lower);
        const double leftX = lerp(a.x, d.x, t);
        const double leftY = lerp(a.y, d.y, t);
        const double rightX = lerp(b.x, e.x, t);
        const double rightY = lerp(b.y, e.y, t);
        const int first = m_columns[std::size_t(i)];
        const int last = m_columns[std::size_t(right)];
        const double stepX = last == first ? 0.0 : (rightX - leftX) / (last - first);
        const double stepY = last == first ? 0.0 : (rightY - leftY) / (last - first);
        for (int column = from; column < to; ++column) {
            const int k = column - left;
            x[k] = leftX + (column - first) * stepX;
            y[k] = leftY + (column - first) * stepY;
            ok[k] = 1;
        }
    }
}

bool WarpGrid::bounds(int left, int count, int top, int rows, double *box) const
{
    double minX = HUGE_VAL;
    double minY = HUGE_VAL;
    double maxX = -HUGE_VAL;
    double maxY = -HUGE_VAL;
    const auto take = [&](double x, double y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    };
    const int nodeColumns = int(m_columns.size());
    const int nodeRows = int(m_rowsOfNodes.size());
    const int end = left + count;
    std::vector<double> x;
    std::vector<double> y;
    std::vector<unsigned char> ok;
    for (int j = rowCell(top); j <= rowCell(top + rows - 1); ++j) {
        const int lower = std::min(j + 1, nodeRows - 1);
        for (int i = columnCell(left); i < m_cellColumns && m_columns[std::size_t(i)] < end; ++i) {
            const int right = std::min(i + 1, nodeColumns - 1);
            if (!exactCell(i, j)) {
                // Interpolated positions lie within the hull of the cell's corners.
                for (const Node *corner : {&node(i, j), &node(right, j), &node(i, lower), &node(right, lower)})
                    take(corner->x, corner->y);
                continue;
            }
            const int from = std::max(left, m_columns[std::size_t(i)]);
            const int to = std::min(end, i == m_cellColumns - 1 ? m_width : m_columns[std::size_t(right)]);
            const int firstRow = std::max(top, m_rowsOfNodes[std::size_t(j)]);
            const int lastRow = std::min(top + rows - 1, j == m_cellRows - 1 ? m_top + m_rows - 1
                                                                               : m_rowsOfNodes[std::size_t(lower)] - 1);
            x.resize(std::size_t(to - from));
            y.resize(x.size());
            ok.resize(x.size());
            for (int row = firstRow; row <= lastRow; ++row) {
                transformRun(row, from, to - from, x.data(), y.data(), ok.data());
                for (std::size_t k = 0; k < x.size(); ++k) {
                    if (ok[k])
                        take(x[k], y[k]);
                }
            }
        }
    }
    if (minX > maxX)
        return false;
    box[0] = minX;
    box[1] = minY;
    box[2] = maxX;
    box[3] = maxY;
    return true;
}

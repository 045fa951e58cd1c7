#pragma once

// Where the centres of the level pixels of one strip of rows fall on the source
// raster: exact positions at the nodes of a sparse grid, bilinear interpolation
// between them. Transforming a strip's nodes costs a few hundred calls to PROJ
// instead of one per pixel.
//
// The grid starts with cells of 64 level pixels and halves them until interpolation
// misses the exact position by at most kWarpGridTolerance source pixels (|dx| + |dy|)
// at the points where bilinear interpolation errs most: the centre of every cell and
// the middle of every side. A cell that still misses at 8 pixels, or whose corners or
// checked points the transformation cannot take, has every position transformed.

#include <functional>
#include <vector>

// The largest error of an interpolated position, source pixels: a quarter of the
// default error threshold of GDAL's approximate transformer (0.125), so that a level
// holds to the exact positions closely enough for its sharp edges to stay where GDAL
// puts them.
inline constexpr double kWarpGridTolerance = 0.03125;

class WarpGrid
{
public:
    // Transforms count positions in place from level pixels (0 is the left or top edge
    // of the level) to source pixels (0 the left or top edge of the raster); ok[i] is
    // set to 0 where position i cannot be transformed and to non-zero elsewhere. May be
    // called from several threads at once.
    using Transform = std::function<void(int count, double *x, double *y, int *ok)>;

    // The positions of level rows top .. top + rows - 1, columns 0 .. width - 1.
    WarpGrid(const Transform &transform, int width, int top, int rows);

    // The positions of pixels left .. left + count - 1 of level row `row`: x and y in
    // source pixels, ok[i] 0 where there is none.
    void row(int row, int left, int count, double *x, double *y, unsigned char *ok) const;

    // A box {left, top, right, bottom} (source pixels) that holds the positions of
    // columns left .. left + count - 1 of level rows top .. top + rows - 1 (rows of the
    // strip); false when none of them has one.
    bool bounds(int left, int count, int top, int rows, double *box) const;

private:
    struct Node
    {
        double x = 0.0;
        double y = 0.0;
        bool ok = false;
    };
    bool plan(int step);
    int columnCell(int column) const;
    int rowCell(int row) const;
    bool exactCell(int cellColumn, int cellRow) const
    {
        return m_exactCells[std::size_t(cellRow) * std::size_t(m_cellColumns) + std::size_t(cellColumn)] != 0;
    }
    const Node &node(int column, int row) const
    {
        return m_nodes[std::size_t(row) * m_columns.size() + std::size_t(column)];
    }
    void transformRun(int row, int left, int count, double *x, double *y, unsigned char *ok) const;

    Transform m_transform;
    int m_width = 0;
    int m_top = 0;
    int m_rows = 0;
    int m_step = 0;
    int m_cellColumns = 0;
    int m_cellRows = 0;
    std::vector<int> m_columns;        // level columns of the nodes
    std::vector<int> m_rowsOfNodes;    // level rows of the nodes
    std::vector<Node> m_nodes;         // row by row
    std::vector<char> m_exactCells;    // per cell, row by row: transform every position
};

// The UGR table: the published worked example reproduced cell by cell, and the parts it is built from checked on
// their own (position index, zonal fluxes and background luminance, projected area, flux correction).
#include "PhotometricFile.h"
#include "PositionIndex.h"
#include "UgrBackground.h"
#include "UgrTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kExample = std::string(GONILUX_FIXTURES_DIR) + "/glare/worked-example.ldt";

struct ReadFile {
    tIES ies;
    tPhotometricHeader header;
};

ReadFile Read(const std::string& path)
{
    ReadFile file;
    TStringList lines, headerLines;
    LoadFileLines(path, lines);
    ReadPhotometricLines(path, lines, headerLines, file.ies, file.header, nullptr);
    return file;
}

// The published table: 19 rows of ten values (five crosswise, five endwise).
std::vector<std::vector<double>> PublishedTable()
{
    std::ifstream in(std::string(GONILUX_FIXTURES_DIR) + "/glare/worked-example-table.csv");
    std::vector<std::vector<double>> rows;
    std::string line;
    while (std::getline(in, line)) {
        std::vector<double> row;
        std::stringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, ','))
            row.push_back(std::stod(cell));
        if (!row.empty())
            rows.push_back(row);
    }
    return rows;
}

TEST(UgrTable, ReproducesTheWorkedExampleInEveryCell)
{
    const ReadFile file = Read(kExample);
    const tUgrResult result = ComputeUgrTable(file.ies, file.header, { 1.0L, false });
    ASSERT_TRUE(result.table) << result.reason;
    const auto published = PublishedTable();
    ASSERT_EQ(published.size(), 19u);
    int worst = 0;
    double worstDiff = 0;
    for (int r = 0; r < 19; ++r) {
        const tUgrRow& row = result.table->rows[r];
        ASSERT_EQ(published[r].size(), 10u);
        for (int c = 0; c < 10; ++c) {
            const auto& cell = c < 5 ? row.crosswise[c] : row.endwise[c - 5];
            ASSERT_TRUE(cell) << "row " << r << " column " << c;
            const double diff = std::fabs(RoundedRating(*cell) - published[r][c]);
            if (diff > worstDiff) {
                worstDiff = diff;
                worst = r * 10 + c;
            }
            EXPECT_LE(diff, 0.1 + 1e-9) << "room " << row.x << "H x " << row.y << "H, column " << c + 1 << ": " << *cell
                                        << " against " << published[r][c];
        }
    }
    std::printf("worst %d %g\n", worst, worstDiff);
}

} // namespace

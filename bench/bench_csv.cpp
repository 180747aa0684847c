// Figures of the CSV exchange at the product table's full size (4000 rows): export and import,
// in memory and through files, import in each encoding a sheet may come in, and the .pl6 load
// beside them for scale. Best of a few runs; prints, asserts nothing.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CsvFile.h"
#include "files/CsvText.h"
#include "files/TableFiles.h"
#include "products/PluCheck.h"

#include "BenchSupport.h"

namespace
{

// Russian names with the characters that make fields quoted: a separator and quotes.
qm::Table fullTable()
{
    qm::Table t = qm::makeTable(qm::productLayout());
    std::vector<qm::Row> rows;
    for (int r = 1; r <= 4000; ++r) {
        const std::string n = std::to_string(r);
        rows.push_back({n, qm::cp("Молоко \"Домик в деревне\"; 3,2% №") + n, qm::cp("пакет 0,9 л"), "8990", "010525",
                        "0", "46" + n, "12", "5", "1", qm::cp("РСТ")});
    }
    t.setDataRows(rows);
    return t;
}

void report(const char* what, double ms)
{
    std::printf("%-40s %8.2f ms\n", what, ms);
}

} // namespace

int main()
{
    namespace fs = std::filesystem;
    const qm::Table table = fullTable();
    const qm::Table shape = qm::makeTable(qm::productLayout());
    std::printf("4000-row product table\n");

    std::string csv;
    report("export, in memory", bench::bestMs([&] { csv = qm::csvFromTable(table); }));
    report("import, in memory (UTF-8, ';')",
           bench::bestMs([&] { qm::tableFromCsv(csv, shape, qm::productRowFailure); }));

    const qm::CsvImport back = qm::tableFromCsv(csv, shape, qm::productRowFailure);
    if (!back.problems.empty() || !(back.table == table)) {
        std::printf("round trip FAILED\n");
        return 1;
    }

    // The same sheet as code page 1251 with commas, as an accounting system writes it.
    std::string cp1251;
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            if (c > 0)
                cp1251 += ',';
            qm::appendCsvField(cp1251, table.cell(r, c), ',');
        }
        cp1251 += "\r\n";
    }
    report("import, in memory (1251, ',')",
           bench::bestMs([&] { qm::tableFromCsv(cp1251, shape, qm::productRowFailure); }));

    const fs::path dir = fs::temp_directory_path() / "qm-bench-csv";
    fs::create_directories(dir);
    const fs::path file = dir / "bench.csv";
    const fs::path pl6 = dir / "bench.pl6";
    const double exportMs = bench::bestMs([&] { qm::saveCsvFile(file, table); });
    const double importMs = bench::bestMs([&] { qm::loadCsvFile(file, shape, qm::productRowFailure); });
    report("export to a file (saveCsvFile)", exportMs);
    report("import from a file (loadCsvFile)", importMs);
    qm::saveCellFile(pl6, table);
    const double pl6Ms = bench::bestMs([&] { qm::loadProductFile(pl6, 0); });
    report("load .pl6, for scale", pl6Ms);
    std::printf("file size: .csv %ju bytes; import / .pl6 load: %.1f\n",
                static_cast<std::uintmax_t>(fs::file_size(file)), importMs / pl6Ms);
    fs::remove_all(dir);
    return 0;
}

// Figures of the table files and the row sort at the product table's full size (4000 rows):
// time of each step and the process's peak resident memory. Prints, asserts nothing.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "common/Feedback.h"
#include "common/RowSort.h"
#include "common/TableLayouts.h"
#include "files/PluFile.h"
#include "files/TableFiles.h"

#include "BenchSupport.h"

namespace
{

qm::Table fullTable(bool reverse)
{
    qm::Table t = qm::makeTable(qm::productLayout());
    t.setRowCount(4001);
    for (int r = 1; r <= 4000; ++r) {
        const int number = reverse ? 4001 - r : r;
        t.setRow(r, {std::to_string(number), "Product name number " + std::to_string(number), "second line", "123456",
                     "15", "100", "654321", "12", "5", "1", "RU01"});
    }
    return t;
}

void report(const char* what, double ms)
{
    std::printf("%-28s %9.3f ms   peak RSS %ld KiB\n", what, ms, bench::peakKib());
}

} // namespace

int main()
{
    namespace fs = std::filesystem;
    bench::SilentFeedback feedback(qm::Answer::No);
    std::printf("4000-row product table\n");

    const qm::Table reversed = fullTable(true);
    report("sort, reverse order", bench::bestMs([&] {
               qm::Table t = reversed;
               qm::sortRowsByNumber(t, qm::TableId::Products, feedback);
           }));
    const qm::Table sorted = fullTable(false);
    report("sort, already in order", bench::bestMs([&] {
               qm::Table t = sorted;
               qm::sortRowsByNumber(t, qm::TableId::Products, feedback);
           }));

    const fs::path dir = fs::temp_directory_path() / "qm-bench-files";
    fs::create_directories(dir);
    const fs::path pl6 = dir / "bench.pl6";
    const fs::path plu = dir / "bench.plu";

    report("save .pl6", bench::bestMs([&] { qm::saveCellFile(pl6, sorted); }));
    report("load .pl6", bench::bestMs([&] { qm::loadProductFile(pl6, 0); }));
    report("save .plu", bench::bestMs([&] { qm::SaveFile1_5(plu, sorted); }));
    report("load .plu", bench::bestMs([&] { qm::loadProductFile(plu, 1); }));
    std::printf("file sizes: .pl6 %ju bytes, .plu %ju bytes\n", static_cast<std::uintmax_t>(fs::file_size(pl6)),
                static_cast<std::uintmax_t>(fs::file_size(plu)));
    fs::remove_all(dir);
    return 0;
}
